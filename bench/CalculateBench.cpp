// One calculation of the start-up case with the shipped catalog, model
// selection included, as the Calculate button runs it.
#include <benchmark/benchmark.h>

#include "engine/Calculate.h"
#include "engine/Catalog.h"
#include "platform/headless/HeadlessMessageBox.h"

namespace {

void BM_CalculateDefaultCase(benchmark::State& bench) {
  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  platform::HeadlessMessageBox messages;
  ModCalc::Engine engine{state, catalog, fields, messages, [] {}};
  if (const auto error =
          ModCalc::LoadCatalog(engine, {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"})) {
    bench.SkipWithError(error->c_str());
    return;
  }
  state.MatrixFactor = 0.757F;
  state.SIFlowFactor = 0.58851F;
  for (auto _ : bench) {
    state.ModelSelected = 0;
    benchmark::DoNotOptimize(ModCalc::Calculate(engine));
  }
  if (!messages.messages().empty()) {
    bench.SkipWithError(messages.messages().front().text.c_str());
  }
}
BENCHMARK(BM_CalculateDefaultCase);

}  // namespace
