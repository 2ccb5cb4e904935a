#include "engine/AutoSelection.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "engine/CustomWheel.h"
#include "engine/WheelModel.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

// A limit move sets volumes the next round reproduces exactly, so a second
// move cannot follow in practice; the ceiling makes sure of it.
constexpr int kMaxRounds = 3;

// Outdoor standard volume for the entered volume when the wheel's purge is
// `purge`, stored in Voa's width; `outdoorVolume` is the outdoor air's
// specific volume, ft³/lb.
float outdoorStandardVolume(const CalcState& s, double purge, double outdoorVolume) {
  switch (s.FlowBasis) {
    case VolumeBasis::Outdoor:
      return static_cast<float>(s.VoaInput);
    case VolumeBasis::Supply:
      return static_cast<float>(s.VoaInput + purge);
    case VolumeBasis::OutdoorActual:
      return static_cast<float>(s.VoaInput * units::kStandardAirVolume / outdoorVolume);
    default:
      return static_cast<float>(s.VoaInput * units::kStandardAirVolume / outdoorVolume + purge);
  }
}

bool rangeCovers(const ModelCatalog& c, std::size_t row, float volume) {
  return c.ModelMinCfm[row] <= volume && volume <= c.ModelMaxCfm[row];
}

class Selection {
 public:
  Selection(const Work& work, bool honourListSelect)
      : w_(work),
        s_(work.s),
        c_(work.catalog),
        list_(work.rating.offeredModels),
        honourListSelect_(honourListSelect),
        outdoorSpecificVolume_(modPsych::SpecificVolume(s_.Toa, s_.Woa, s_.PoaAbs)) {}

  void run() {
    const bool customOnly = w_.c.customOnly;
    if (!customOnly && s_.ModelCount == 0) {
      throw CalcError(
          "The wheel catalog holds no models to select from. Tick \"Override AutoSelect\" to "
          "rate the custom wheel.");
    }
    for (int round = 0; round < kMaxRounds; ++round) {
      listCoveringModels(customOnly);
      if (customOnly) {
        list_.assign({w_.name(0)});
        s_.ModelIndex = 0;
        break;
      }
      if (!moveIntoRange()) {
        break;
      }
    }
    if (list_.empty()) {
      list_.push_back(w_.name(smallestModelAbove()));
    }
    s_.ModelNameSel = list_.front();
    UseModel(w_, list_.front());
  }

 private:
  static std::size_t row(int r) { return static_cast<std::size_t>(r); }

  // The outdoor state does not change while a model is chosen.
  double outdoorSpecificVolume() const { return outdoorSpecificVolume_; }

  float outdoorVolume(double purge) const {
    return outdoorStandardVolume(s_, purge, outdoorSpecificVolume());
  }

  // The larger of the outdoor volume with row r's purge and the return volume.
  float selectionVolume(int r) {
    s_.Vpurge = w_.purge(row(r));
    s_.Voa = outdoorVolume(s_.Vpurge);
    return std::max(s_.Voa, s_.Vra);
  }

  void listCoveringModels(bool customOnly) {
    list_.clear();
    const double d = w_.c.custom.diameterIn;
    const double hub = w_.c.custom.hubDiameterIn;
    Rating& rating = w_.rating;
    rating.customFaceAreaFt2 = static_cast<float>(
        3.14 * ((d / 2) * (d / 2) - (hub / 2) * (hub / 2)) / 144 - 0.5 * d / 144);
    rating.customPurgeCfm =
        customPurgeEstimate(w_.c.custom.depthIn, rating.customFaceAreaFt2, s_.MatrixFactor);
    const bool listAll = honourListSelect_ && w_.c.listAllModels;
    for (int r = 0; r <= s_.ModelCount; ++r) {
      const float volume = selectionVolume(r);
      if (r > 0 && listAll) {
        list_.push_back(c_.ModelName[row(r)]);
      } else if (r > 0 && !customOnly && rangeCovers(c_, row(r), volume)) {
        list_.push_back(c_.ModelName[row(r)]);
      }
    }
  }

  // Moves volumes outside the catalog's overall range to its nearest limit;
  // returns whether it moved them.
  bool moveIntoRange() {
    const int last = s_.ModelCount;
    s_.Voa = outdoorVolume(c_.ModelPurgeCfm[1]);
    if (s_.Voa < c_.ModelMinCfm[1]) {
      w_.warn(
          WarningKind::VolumeLimit,
          "No Wheel matches your selection, minimum air volume and Wheel size will be selected.");
      moveTo(c_.ModelMinCfm[1], c_.ModelPurgeCfm[1], +5);
      return true;
    }
    s_.Voa = outdoorVolume(c_.ModelPurgeCfm[row(last)]);
    if (s_.Voa <= c_.ModelMaxCfm[row(last)]) {
      return false;
    }
    w_.warn(WarningKind::VolumeLimit,
            "No Wheel matches your selection, maximum air volume and Wheel size will be selected.");
    moveTo(c_.ModelMaxCfm[row(last)], c_.ModelPurgeCfm[row(last)], -5);
    return true;
  }

  // Sets the volumes to limit L with purge P and return air equal to supply
  // air; the entered volumes become L's `margin` cfm inside the range, in
  // whole cfm, as the volume boxes show them and the rating goes on with.
  void moveTo(double L, double P, double margin) {
    s_.Voa = static_cast<float>(L);
    s_.Vsa = static_cast<float>(L - P);
    switch (s_.FlowBasis) {
      case VolumeBasis::Outdoor:
        s_.VoaInput = L;
        break;
      case VolumeBasis::Supply:
        s_.VoaInput = L - P;
        break;
      case VolumeBasis::OutdoorActual:
        s_.VoaInput = L / units::kStandardAirVolume * outdoorSpecificVolume();
        break;
      default:
        s_.VoaInput = (L - P) / units::kStandardAirVolume * outdoorSpecificVolume();
        break;
    }
    s_.Vra = s_.Vsa;
    s_.VraInput = s_.Vsa;
    s_.Vea = static_cast<float>(static_cast<double>(s_.Vsa) + P);
    w_.movedVolume = std::round(s_.VoaInput + margin);
  }

  // When no model's own range covers the volumes (they fall in a gap between
  // two models), the smallest model large enough for them; the largest model
  // when none is.
  std::size_t smallestModelAbove() {
    for (int r = 1; r <= s_.ModelCount; ++r) {
      if (c_.ModelMaxCfm[row(r)] >= selectionVolume(r)) {
        return row(r);
      }
    }
    return row(s_.ModelCount);
  }

  const Work& w_;
  CalcState& s_;
  const ModelCatalog& c_;
  std::vector<std::string>& list_;
  bool honourListSelect_;
  double outdoorSpecificVolume_;
};

}  // namespace

bool ModelCoversCase(const CalcState& s, const ModelCatalog& c, std::size_t row) {
  const double outdoorVolume = modPsych::SpecificVolume(s.Toa, s.Woa, s.PoaAbs);
  return rangeCovers(
      c, row, std::max(outdoorStandardVolume(s, c.ModelPurgeCfm[row], outdoorVolume), s.Vra));
}

void AutoSelectA(const Work& work) {
  Selection(work, true).run();
}

void AutoSelectB(const Work& work) {
  Selection(work, false).run();
}

}  // namespace ModCalc
