// The outputs of one case: the report page drawn into a PDF (at most 50 ms)
// and a project saved and opened again (at most 1 ms).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <string>

#include "app/Program.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "platform/qt/QtPage.h"

namespace {

namespace fs = std::filesystem;

// A started program that has calculated its start-up case.
struct Started {
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::qt::QtPageDevice pages;
  ktr::Program program{ui::Ports{.messages = messages,
                                 .settings = settings,
                                 .help = help,
                                 .screen = {19200, 15360},
                                 .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"},
                                 .pages = pages}};

  bool start(benchmark::State& bench) {
    if (const auto problem = program.start()) {
      bench.SkipWithError(problem->c_str());
      return false;
    }
    program.windows.splash.dismiss();
    program.windows.inputs.cmdCalc_Click();
    return true;
  }
};

fs::path scratch(const char* name) {
  return fs::temp_directory_path() / name;
}

void BM_ReportToPdf(benchmark::State& bench) {
  Started s;
  if (!s.start(bench)) {
    return;
  }
  const std::string path = scratch("ktr-bench-report.pdf").string();
  for (auto _ : bench) {
    benchmark::DoNotOptimize(s.program.windows.main.exportPdf(path));
  }
  fs::remove(path);
}
BENCHMARK(BM_ReportToPdf)->Unit(benchmark::kMillisecond);

void BM_SaveAndOpenProject(benchmark::State& bench) {
  Started s;
  if (!s.start(bench)) {
    return;
  }
  const std::string path = scratch("ktr-bench-case.cse").string();
  for (auto _ : bench) {
    benchmark::DoNotOptimize(s.program.windows.main.saveProjectFile(path));
    benchmark::DoNotOptimize(s.program.windows.main.openProjectFile(path));
  }
  if (!s.messages.messages().empty()) {
    bench.SkipWithError(s.messages.messages().front().text.c_str());
  }
  fs::remove(path);
}
BENCHMARK(BM_SaveAndOpenProject)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // Fonts for the PDF need a Qt application; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
