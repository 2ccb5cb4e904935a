// One calculation of the start-up case with the shipped catalog, model
// selection included, as the Calculate button runs it; and every model of a
// full 50-model catalog (plus the custom wheel) rated for that case, as View
// > Compare Models does (at most 0.5 ms).
#include <benchmark/benchmark.h>

#include "engine/Catalog.h"
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

}  // namespace
