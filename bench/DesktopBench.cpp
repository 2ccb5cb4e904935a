// The desktop program's speed as a person feels it:
// - cold start: the median of 21 starts of `ktr --quit-when-shown` against
//   the same for floor-window, the program's own layouts shown with nothing
//   behind them (the floor on this machine), the starts interleaved so that
//   both meet the same load; reported as the counter `ratio` (goal: at most
//   1.15);
// - one recalculation (Calculate pressed) until the main window has been
//   repainted (goal: at most 16 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Desktop.h"
#include "platform/Command.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"

namespace {

std::filesystem::path binDir;

// The wall time of one start of `program`, seconds; negative when it failed.
double startTime(const std::filesystem::path& program) {
  const std::string command = "\"" + program.string() + "\" --quit-when-shown >/dev/null 2>&1";
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command.c_str()) != 0) {
    return -1;
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> seconds) {
  const auto middle = seconds.begin() + static_cast<std::ptrdiff_t>(seconds.size() / 2);
  std::nth_element(seconds.begin(), middle, seconds.end());
  return *middle;
}

void BM_ColdStartAgainstLayoutFloor(benchmark::State& bench) {
  constexpr int kRuns = 21;
  for (auto _ : bench) {
    std::vector<double> floor;
    std::vector<double> ktr;
    for (int run = 0; run < kRuns; ++run) {
      floor.push_back(startTime(binDir / "floor-window"));
      ktr.push_back(startTime(binDir / "ktr"));
      if (floor.back() <= 0 || ktr.back() <= 0) {
        bench.SkipWithError("a start failed");
        return;
      }
    }
    bench.counters["floor_ms"] = median(floor) * 1000;
    bench.counters["ktr_ms"] = median(ktr) * 1000;
    bench.counters["ratio"] = median(ktr) / median(floor);
  }
}
BENCHMARK(BM_ColdStartAgainstLayoutFloor)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RecalculateAndRepaint(benchmark::State& bench) {
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  ktr::Desktop desktop(ui::Ports{
      messages, settings, help, ktr::primaryScreen(), {(binDir / "ktrmodel6.csv").string()}});
  if (desktop.start() != 0) {
    bench.SkipWithError("the program did not start");
    return;
  }
  ui::Windows& w = desktop.program.windows;
  platform::runCommand(messages, [&w] { w.splash.dismiss(); });
  QApplication::processEvents();
  for (auto _ : bench) {
    platform::runCommand(messages, [&w] {
      w.inputs.ChangeStatus();
      w.inputs.cmdCalc.click();
    });
    desktop.mainWindow.repaint();
  }
  if (!messages.messages().empty()) {
    bench.SkipWithError(messages.messages().front().text.c_str());
  }
}
BENCHMARK(BM_RecalculateAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  binDir = std::filesystem::canonical("/proc/self/exe").parent_path();
  QApplication app(argc, argv);
  ktr::useIconTheme();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
