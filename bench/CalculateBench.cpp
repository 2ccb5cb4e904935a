// One calculation of the start-up case with the shipped catalog, model
// selection included, as the Calculate button runs it and as rate() alone
// does it (at most 3 µs); a year of hourly outdoor air for every shipped
// model (under 1 s); and every model of a full 50-model catalog (plus the
// custom wheel) rated for that case, as View > Compare Models does (at most
// 0.5 ms).
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>
#include <variant>

#include "engine/Annual.h"
#include "engine/Catalog.h"
#include "engine/Rate.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "ui/Calculate.h"
#include "ui/main/ModelComparison.h"

namespace {

// The engine over the shipped catalog, with the start-up settings.
struct ShippedCatalog {
  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  platform::HeadlessMessageBox messages;
  ModCalc::Engine engine{state, catalog, fields, messages, [] {}};

  bool load(benchmark::State& bench) {
    if (const auto error =
            ModCalc::LoadCatalog(engine, {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"})) {
      bench.SkipWithError(error->c_str());
      return false;
    }
    state.MatrixFactor = 0.757F;
    state.SIFlowFactor = 0.58851F;
    return true;
  }
};

void BM_CalculateDefaultCase(benchmark::State& bench) {
  ShippedCatalog shipped;
  if (!shipped.load(bench)) {
    return;
  }
  for (auto _ : bench) {
    shipped.state.ModelSelected = 0;
    benchmark::DoNotOptimize(ModCalc::Calculate(shipped.engine));
  }
  if (!shipped.messages.messages().empty()) {
    bench.SkipWithError(shipped.messages.messages().front().text.c_str());
  }
}
BENCHMARK(BM_CalculateDefaultCase);

void BM_RateDefaultCase(benchmark::State& bench) {
  ShippedCatalog shipped;
  if (!shipped.load(bench)) {
    return;
  }
  const ModCalc::Case c = ModCalc::readCase(shipped.engine);
  for (auto _ : bench) {
    const ModCalc::Rating rating = ModCalc::rate(c, shipped.catalog);
    benchmark::DoNotOptimize(rating.results.HeatT);
  }
}
BENCHMARK(BM_RateDefaultCase);

// 8,760 hours of a made-up climate, from 10 °F in winter to 90 °F in
// summer, for each shipped model.
void BM_YearForEveryModel(benchmark::State& bench) {
  ShippedCatalog shipped;
  if (!shipped.load(bench)) {
    return;
  }
  ModCalc::Case c = ModCalc::readCase(shipped.engine);
  c.selectModel = false;
  constexpr int kHours = 8760;
  for (auto _ : bench) {
    double energy = 0;
    for (int row = 1; row <= shipped.catalog.ModelCount; ++row) {
      c.model = shipped.catalog.ModelName[static_cast<std::size_t>(row)];
      for (int hour = 0; hour < kHours; ++hour) {
        const double season = std::cos(2 * std::numbers::pi * (hour - 4800) / kHours);
        const double day = std::cos(2 * std::numbers::pi * (hour % 24 - 15) / 24);
        c.outdoorDryBulbF = static_cast<float>(50 + 35 * season + 5 * day);
        c.outdoorMoisture = c.outdoorDryBulbF - 6;
        energy += ModCalc::rate(c, shipped.catalog).results.HeatT;
      }
    }
    benchmark::DoNotOptimize(energy);
  }
  bench.SetItemsProcessed(bench.iterations() * shipped.catalog.ModelCount * kHours);
}
BENCHMARK(BM_YearForEveryModel)->Unit(benchmark::kMillisecond);

void BM_CompareFullCatalog(benchmark::State& bench) {
  ShippedCatalog full;
  if (!full.load(bench)) {
    return;
  }
  // The shipped catalog's models again under new names, up to the most a
  // catalog may hold.
  ModCalc::ModelCatalog& c = full.catalog;
  const auto shipped = static_cast<std::size_t>(full.state.ModelCount);
  for (std::size_t row = shipped + 1; row < ModCalc::kCatalogRows; ++row) {
    const std::size_t from = 1 + (row - 1) % shipped;
    c.ModelName[row] = c.ModelName[from] + "-B";
    c.ModelFaceArea[row] = c.ModelFaceArea[from];
    c.ModelMinCfm[row] = c.ModelMinCfm[from];
    c.ModelMaxCfm[row] = c.ModelMaxCfm[from];
    c.ModelPurgeCfm[row] = c.ModelPurgeCfm[from];
    c.WheelDiam[row] = c.WheelDiam[from];
    c.WheelDepth[row] = c.WheelDepth[from];
    c.ModelRpm[row] = c.ModelRpm[from];
    c.HubDiam[row] = c.HubDiam[from];
  }
  full.state.ModelCount = static_cast<std::int16_t>(ModCalc::kCatalogRows - 1);
  if (!ModCalc::Calculate(full.engine)) {
    bench.SkipWithError(full.messages.messages().front().text.c_str());
    return;
  }
  for (auto _ : bench) {
    benchmark::DoNotOptimize(ui::compareModels(full.engine));
  }
}
BENCHMARK(BM_CompareFullCatalog)->Unit(benchmark::kMicrosecond);

// The start-up case over the shipped weather year, as Annual Energy rates
// it: one model (under 50 ms), and every shipped model (under 1 s).
void annualYear(benchmark::State& bench, bool everyModel) {
  ShippedCatalog shipped;
  if (!shipped.load(bench)) {
    return;
  }
  const auto read = ModCalc::readWeatherFile(
      KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw");
  if (const auto* problem = std::get_if<std::string>(&read)) {
    bench.SkipWithError(problem->c_str());
    return;
  }
  ModCalc::Case c = ModCalc::readCase(shipped.engine);
  const int models = everyModel ? shipped.catalog.ModelCount : 1;
  for (auto _ : bench) {
    for (int row = 1; row <= models; ++row) {
      if (everyModel) {
        c.selectModel = false;
        c.model = shipped.catalog.ModelName[static_cast<std::size_t>(row)];
      }
      const ModCalc::AnnualResult year =
          ModCalc::rateYear(c, std::get<ModCalc::Weather>(read), {}, shipped.catalog);
      benchmark::DoNotOptimize(year.year.heatingSensibleBtu);
    }
  }
}

void BM_AnnualOneModel(benchmark::State& bench) {
  annualYear(bench, false);
}
BENCHMARK(BM_AnnualOneModel)->Unit(benchmark::kMillisecond);

void BM_AnnualEveryModel(benchmark::State& bench) {
  annualYear(bench, true);
}
BENCHMARK(BM_AnnualEveryModel)->Unit(benchmark::kMillisecond);

}  // namespace
