#pragma once

// An engine on a small catalog of four models, with the dialog fields at
// their start-up values and the start-up settings the main window makes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Work.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "ui/Calculate.h"
#include "ui/Engine.h"

namespace ModCalc::testing {

struct CatalogRow {
  const char* name;
  float faceArea, minCfm, maxCfm, purgeCfm, diameter, depth;
  std::int16_t spokes;
  float rpm, hub;
};

// Ascending, with a gap between the last two models' ranges (5600 to 6000).
inline const std::vector<CatalogRow> kModels = {
    {"K-24", 2.6F, 250, 1300, 40, 24, 4, 6, 50, 3},
    {"K-36", 6.2F, 900, 3100, 90, 36, 6, 6, 45, 4.5F},
    {"K-48", 11.2F, 2500, 5600, 150, 48, 10, 8, 40, 6},
    {"K-60", 17.9F, 6000, 9000, 230, 60, 4, 8, 35, 7},
};

// Everything an engine works on; a fresh one per table row where rows must
// not see each other's state.
struct Harness {
  Harness() {
    for (std::size_t i = 0; i < kModels.size(); ++i) {
      const CatalogRow& m = kModels[i];
      const std::size_t r = i + 1;
      catalog.ModelName[r] = m.name;
      catalog.ModelFaceArea[r] = m.faceArea;
      catalog.ModelMinCfm[r] = m.minCfm;
      catalog.ModelMaxCfm[r] = m.maxCfm;
      catalog.ModelPurgeCfm[r] = m.purgeCfm;
      catalog.WheelDiam[r] = m.diameter;
      catalog.WheelDepth[r] = m.depth;
      catalog.SpokeCount[r] = m.spokes;
      catalog.ModelRpm[r] = m.rpm;
      catalog.HubDiam[r] = m.hub;
    }
    state.ModelCount = static_cast<std::int16_t>(kModels.size());
    catalog.ModelCount = state.ModelCount;
    catalog.ModelName[0] = "Custom 364";
    catalog.WheelDiam[0] = 36;
    catalog.WheelDepth[0] = 4;
    catalog.HubDiam[0] = 4.5F;
    catalog.ModelRpm[0] = 35;
    state.MatrixFactor = 0.757F;
    state.SIFlowFactor = 0.58851F;
    state.FlowBasis = VolumeBasis::SupplyActual;
    state.EsOverride = 72;
    state.ElOverride = 68;
    // The inputs dialog's volume boxes mark the model for re-selection.
    for (platform::TextBox* box : {&fields.inputs.txtV, &fields.inputs.txtVra}) {
      box->onChange = [this] { state.ModelSelected = 0; };
    }
  }

  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  bool calculate() { return Calculate(engine); }

  // The messages shown, as "TITLE: TEXT".
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const platform::Message& m : messages.messages()) {
      result.push_back(m.title + ": " + m.text);
    }
    return result;
  }

  CalcState state;
  ModelCatalog catalog;
  DialogFields fields;
  platform::HeadlessMessageBox messages;
  int redraws = 0;
  Engine engine{state, catalog, fields, messages, [this] { ++redraws; }};
};

class EngineTest : public ::testing::Test, public Harness {};

// One step of a rating at a time, on a harness's state: the case is what
// its boxes hold, and what the step warns of and shows goes to `rating`.
struct Steps {
  explicit Steps(Harness& h) : c(readCase(h.engine)), work{c, h.catalog, h.state, rating, moved} {
    rating.customFaceAreaFt2 = c.custom.faceAreaFt2;
    rating.customPurgeCfm = c.custom.purgeCfm;
  }

  // The warnings, as "Warning: TEXT" like the harness's messages.
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const Warning& warning : rating.warnings) {
      result.push_back("Warning: " + warning.text);
    }
    return result;
  }

  Case c;
  Rating rating;
  std::optional<double> moved;
  Work work;
};

}  // namespace ModCalc::testing
