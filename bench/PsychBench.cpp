// Moist-air functions at the conditions the program meets most: summer
// outdoor air and room return air at sea level.
#include <benchmark/benchmark.h>

#include "psych/modPsych.h"

namespace {

void BM_SatPressure(benchmark::State& state) {
  double t = 75;
  for (auto _ : state) {
    benchmark::DoNotOptimize(t);
    benchmark::DoNotOptimize(modPsych::SatPressure(t));
  }
}
BENCHMARK(BM_SatPressure);

void BM_MoistToGrains(benchmark::State& state) {
  const auto kind = static_cast<std::int16_t>(state.range(0));
  // A value of each kind for 95 °F air of about 100 gr/lb.
  const double values[] = {0, 67.6, 75, 100, 40, 0.0143};
  double value = values[kind];
  for (auto _ : state) {
    benchmark::DoNotOptimize(value);
    benchmark::DoNotOptimize(modPsych::MoistToGrains(95, value, 14.696, kind));
  }
}
BENCHMARK(BM_MoistToGrains)->DenseRange(1, 5);

void BM_DewPoint(benchmark::State& state) {
  for (auto _ : state) {
    double w = 64.65;
    benchmark::DoNotOptimize(w);
    benchmark::DoNotOptimize(modPsych::DewPoint(w, 14.696));
  }
}
BENCHMARK(BM_DewPoint);

void BM_WetBulb(benchmark::State& state) {
  for (auto _ : state) {
    double w = 64.65;
    benchmark::DoNotOptimize(w);
    benchmark::DoNotOptimize(modPsych::WetBulb(75, w, 14.696));
  }
}
BENCHMARK(BM_WetBulb);

}  // namespace

BENCHMARK_MAIN();
