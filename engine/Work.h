#pragma once

// What the steps of one rating share: the case, the catalog with the case's
// custom wheel as row 0, the record being worked out and the rating being
// built. Internal to the engine.

#include <cstddef>
#include <optional>
#include <string>

#include "engine/Case.h"
#include "engine/Rating.h"

namespace ModCalc {

struct Work {
  const Case& c;
  const ModelCatalog& catalog;
  CalcState& s;
  Rating& rating;
  // The entered main volume after a move to the catalog's limit.
  std::optional<double>& movedVolume;

  void warn(WarningKind kind, std::string text) const {
    rating.warnings.push_back({kind, std::move(text)});
  }
  void show(EntryBox box, double value) const { rating.entries.push_back({box, value}); }

  // Catalog columns, row 0 being the case's custom wheel.
  const std::string& name(std::size_t r) const {
    return r == 0 ? c.custom.name : catalog.ModelName[r];
  }
  float faceArea(std::size_t r) const {
    return r == 0 ? rating.customFaceAreaFt2 : catalog.ModelFaceArea[r];
  }
  float purge(std::size_t r) const {
    return r == 0 ? rating.customPurgeCfm : catalog.ModelPurgeCfm[r];
  }
  float diameter(std::size_t r) const {
    return r == 0 ? c.custom.diameterIn : catalog.WheelDiam[r];
  }
  float depth(std::size_t r) const { return r == 0 ? c.custom.depthIn : catalog.WheelDepth[r]; }
  float hub(std::size_t r) const { return r == 0 ? c.custom.hubDiameterIn : catalog.HubDiam[r]; }
  float rpm(std::size_t r) const { return r == 0 ? c.custom.rpm : catalog.ModelRpm[r]; }
};

}  // namespace ModCalc
