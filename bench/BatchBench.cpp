// Batch rating: rows per second in one process (target 250,000 on two
// cores; the argument is the number of workers) against starting ktr-calc
// once per case.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// The README's example schedule (every column, both units, a model picked,
// a bad row) over and over.
std::string exampleSchedule(int rows) {
  std::ifstream file(KTR_SOURCE_DIR "/docs/schedule-example.csv");
  std::string header;
  std::getline(file, header);
  std::string body;
  for (std::string line; std::getline(file, line);) {
    body += line + "\n";
  }
  std::string text = header + "\n";
  const auto perCopy = static_cast<int>(std::count(body.begin(), body.end(), '\n'));
  for (int i = 0; i < rows; i += perCopy) {
    text += body;
  }
  return text;
}

constexpr int kRows = 20000;

void rateRows(benchmark::State& bench, const std::string& text, bool typed = false) {
  ktr::BatchOptions options;
  options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  options.jobs = static_cast<unsigned>(bench.range(0));
  options.typedRows = typed;
  std::size_t rows = 0;
  for (auto _ : bench) {
    std::istringstream in(text);
    std::ostringstream out;
    rows += ktr::rateSchedule(in, out, options).rows;
  }
  bench.SetItemsProcessed(static_cast<std::int64_t>(rows));
}

void BM_BatchRowsInOneProcess(benchmark::State& bench) {
  rateRows(bench, schedule(kRows));
}
BENCHMARK(BM_BatchRowsInOneProcess)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchExampleSchedule(benchmark::State& bench) {
  rateRows(bench, exampleSchedule(kRows));
}
BENCHMARK(BM_BatchExampleSchedule)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each row typed into the program action by action, the way every row was
// rated before its case was rated directly.
void BM_BatchRowsTyped(benchmark::State& bench) {
  rateRows(bench, schedule(kRows), true);
}
BENCHMARK(BM_BatchRowsTyped)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BatchExampleScheduleTyped(benchmark::State& bench) {
  rateRows(bench, exampleSchedule(kRows), true);
}
BENCHMARK(BM_BatchExampleScheduleTyped)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The user's measure: ktr-calc batch on 200,000 rows of the README's
// schedule from a file to a file, start-up and the results' safe write
// included; the argument is --jobs.
void BM_KtrCalcBatchReadmeSchedule(benchmark::State& bench) {
  constexpr int kFileRows = 200000;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("ktr-bench-batch-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path schedule = folder / "schedule.csv";
  std::ofstream(schedule) << exampleSchedule(kFileRows);
  const std::string command = std::string(KTR_CALC) + " batch " + schedule.string() + " -o " +
                              (folder / "results.csv").string() +
                              " --catalog " KTR_SOURCE_DIR "/resources/ktrmodel6.csv --jobs " +
                              std::to_string(bench.range(0));
  for (auto _ : bench) {
    if (std::system(command.c_str()) != 0) {
      bench.SkipWithError("ktr-calc batch failed");
      break;
    }
  }
  std::filesystem::remove_all(folder);
  bench.SetItemsProcessed(bench.iterations() * kFileRows);
}
BENCHMARK(BM_KtrCalcBatchReadmeSchedule)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

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
