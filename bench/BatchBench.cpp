// Batch rating: rows per second in one process (target 50,000) against
// starting ktr-calc once per case, the way a schedule was rated before.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "app/Batch.h"

namespace {

// The default case with varied volumes.
std::string schedule(int rows) {
  std::string text = "tag,volume,return_volume\n";
  for (int i = 0; i < rows; ++i) {
    const std::string volume = std::to_string(1000 + (i * 7919) % 30000);
    text += std::to_string(i) + "," + volume + "," + volume + "\n";
  }
  return text;
}

void BM_BatchRowsInOneProcess(benchmark::State& bench) {
  const std::string text = schedule(static_cast<int>(bench.range(0)));
  ktr::BatchOptions options;
  options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  for (auto _ : bench) {
    std::istringstream in(text);
    std::ostringstream out;
    benchmark::DoNotOptimize(ktr::rateSchedule(in, out, options));
  }
  bench.SetItemsProcessed(bench.iterations() * bench.range(0));
}
BENCHMARK(BM_BatchRowsInOneProcess)->Arg(20000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KtrCalcStartedPerCase(benchmark::State& bench) {
  int volume = 1000;
  for (auto _ : bench) {
    const std::string command =
        std::string(KTR_CALC) +
        " --catalog " KTR_SOURCE_DIR "/resources/ktrmodel6.csv txtV=" + std::to_string(volume) +
        " txtVra=" + std::to_string(volume) + " --calc >/dev/null";
    if (std::system(command.c_str()) != 0) {
      bench.SkipWithError("ktr-calc failed");
      return;
    }
    volume += 7;
  }
  bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_KtrCalcStartedPerCase)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
