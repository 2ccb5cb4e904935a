// The desktop program's speed as a person feels it:
// - cold start: the median of 20 starts of `ktr --quit-when-shown` against
//   the same for a bare QMainWindow program built beside it (the floor on
//   this machine), reported as the counter `ratio` (goal: at most 1.5);
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

// The median wall time of `runs` starts of `program`, seconds; negative when
// a start failed.
double medianStart(const std::filesystem::path& program, int runs) {
  std::vector<double> seconds;
  const std::string command = "\"" + program.string() + "\" --quit-when-shown >/dev/null 2>&1";
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) {
      return -1;
    }
    seconds.push_back(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::nth_element(seconds.begin(), seconds.begin() + runs / 2, seconds.end());
  return seconds[static_cast<std::size_t>(runs / 2)];
}

void BM_ColdStartAgainstBareWindow(benchmark::State& bench) {
  constexpr int kRuns = 20;
  for (auto _ : bench) {
    const double floor = medianStart(binDir / "floor-window", kRuns);
    const double ktr = medianStart(binDir / "ktr", kRuns);
    if (floor <= 0 || ktr <= 0) {
      bench.SkipWithError("a start failed");
      return;
    }
    bench.counters["floor_ms"] = floor * 1000;
    bench.counters["ktr_ms"] = ktr * 1000;
    bench.counters["ratio"] = ktr / floor;
  }
}
BENCHMARK(BM_ColdStartAgainstBareWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

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
