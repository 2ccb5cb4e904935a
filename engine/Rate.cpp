#include "engine/Rate.h"

#include <cmath>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/AutoSelection.h"
#include "engine/CalcStateFields.h"
#include "engine/InputChecks.h"
#include "engine/WheelModel.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

// The Supply Actual iteration settles in a few passes wherever actual air
// is less than about three times as bulky as standard air.
constexpr int kMaxSupplyActualPasses = 100;

// Air is never taken drier than this, gr/lb: the psychrometric functions
// need some water to work with.
constexpr double kLeastGrains = 0.1;

using modPsych::SpecificVolume;
using units::kStandardAirVolume;
using units::kStandardAirVolumeForActualList;
using units::kStandardAirVolumeForMass;

// Specific volume at the mean of the two entering air states, on the outdoor
// side's pressure.
double meanSpecificVolume(const CalcState& s) {
  return SpecificVolume((static_cast<double>(s.Tra) + s.Toa) / 2, (s.Wra + s.Woa) / 2, s.PoaAbs);
}

bool isActualBasis(VolumeBasis basis) {
  return basis == VolumeBasis::OutdoorActual || basis == VolumeBasis::SupplyActual;
}

bool isOutdoorBasis(VolumeBasis basis) {
  return basis == VolumeBasis::Outdoor || basis == VolumeBasis::OutdoorActual;
}

void require(bool condition, const char* cause) {
  if (!condition) {
    throw CalcError(cause);
  }
}

class Run {
 public:
  Run(const Case& c, const ModelCatalog& catalog, Rating& rating)
      : c_(c), s_(rating.results), work_{c, catalog, rating.results, rating, movedVolume_} {
    s_.SIUnits = c.SIUnits;
    s_.SIFlowUnit = c.SIFlowUnit;
    s_.SIFlowFactor = c.SIFlowFactor;
    s_.PrivateLabel = c.PrivateLabel;
    s_.FlowBasis = c.flowBasis;
    s_.MoistInOption = c.MoistInOption;
    s_.MoistInKind = moistureKind(c.MoistInOption);
    s_.ModelSelected = c.selectModel ? 0 : 1;
    s_.ProjectTitle = c.title;
    s_.MatrixFactor = c.MatrixFactor;
    s_.MoaSI = c.outdoorMoistureSI;
    s_.MraSI = c.returnMoistureSI;
    s_.EsOverride = c.sensibleOverridePct;
    s_.ElOverride = c.latentOverridePct;
    s_.ModelCount = catalog.ModelCount;
    rating.customFaceAreaFt2 = c.custom.faceAreaFt2;
    rating.customPurgeCfm = c.custom.purgeCfm;
  }

  void calculate() {
    pressures();
    airInputs();
    chooseModel();
    resolveVolumes(false);
    s_.VelOa = static_cast<float>(s_.Voa / static_cast<double>(s_.FaceArea) / 0.5);
    s_.Vpurge = work_.purge(static_cast<std::size_t>(s_.ModelIndex));
    PurgeAndPressureCheck(work_);
    s_.VoaInput = movedVolume_.value_or(c_.mainVolumeCfm);
    resolveVolumes(true);
    wheel();
    exhaustAndEnergy();
    actualVolumes();
    checkFinite();
    CheckFrost(work_);
    CheckSupplySaturation(work_);
    s_.ModelSelected = 1;
  }

 private:
  void pressures() {
    s_.ElevFt = c_.elevationFt;
    s_.Patm = modPsych::AtmPressure(s_.ElevFt);
    s_.PoaInWC = c_.outdoorStaticInWC;
    s_.PoaPa = c_.outdoorStaticPa;
    s_.PraInWC = c_.returnStaticInWC;
    s_.PraPa = c_.returnStaticPa;
    s_.dPoaRa = static_cast<double>(s_.PoaInWC) - s_.PraInWC;
    s_.Density45 = 16.5F;
    s_.Density62 = 15.0F;
    s_.Density94 = 10.7F;
    s_.PoaAbs = static_cast<float>(s_.PoaInWC / units::kInchesOfWaterPerPsi + s_.Patm);
    s_.PraAbs = static_cast<float>(s_.PraInWC / units::kInchesOfWaterPerPsi + s_.Patm);
    require(s_.PoaAbs > 0 && s_.PraAbs > 0,
            "The static pressures are below a full vacuum; check the outdoor and return air "
            "static pressures.");
  }

  void airInputs() {
    s_.Toa = c_.outdoorDryBulbF;
    s_.Tra = c_.returnDryBulbF;
    s_.Moa = c_.outdoorMoisture;
    s_.Mra = c_.returnMoisture;
    const SaturatedEntries entered = CheckInputs(work_);
    s_.VoaInput = c_.mainVolumeCfm;
    s_.VraInput = c_.returnVolumeCfm;
    s_.Woa = modPsych::MoistToGrains(s_.Toa, s_.Moa, s_.PoaAbs, s_.MoistInKind);
    s_.Wra = modPsych::MoistToGrains(s_.Tra, s_.Mra, s_.PraAbs, s_.MoistInKind);
    CheckLeastGrains(work_, kLeastGrains);
    CheckSaturation(work_, entered);
    // The selection's return volume, at the return air's own state.
    s_.Vra = isActualBasis(s_.FlowBasis)
                 ? static_cast<float>(s_.VraInput * kStandardAirVolume /
                                      SpecificVolume(s_.Tra, s_.Wra, s_.PraAbs))
                 : s_.VraInput;
    if (c_.fixedSpeed) {
      s_.WheelRpm = c_.wheelSpeedRpm;
    }
  }

  void chooseModel() {
    if (c_.selectModel) {
      if (s_.PrivateLabel == 0) {
        AutoSelectA(work_);
      } else {
        AutoSelectB(work_);
      }
    } else {
      UseModel(work_, c_.model);
    }
    require(s_.FaceArea > 0,
            "The wheel's face area must be greater than zero. Check the custom wheel's "
            "diameter and hub diameter.");
  }

  // The standard volumes of the flow basis with the current purge.
  void resolveVolumes(bool secondPass) {
    const VolumeBasis basis = s_.FlowBasis;
    if (basis == VolumeBasis::Outdoor) {
      s_.Voa = static_cast<float>(s_.VoaInput);
      s_.Vsa = static_cast<float>(static_cast<double>(s_.Voa) - s_.Vpurge);
      s_.Vra = s_.VraInput;
    }
    if (basis == VolumeBasis::Supply) {
      s_.Vsa = static_cast<float>(s_.VoaInput);
      s_.Voa = static_cast<float>(static_cast<double>(s_.Vsa) + s_.Vpurge);
      s_.Vra = s_.VraInput;
    }
    if (basis == VolumeBasis::OutdoorActual) {
      s_.VoaActual = static_cast<float>(s_.VoaInput);
      s_.Voa = static_cast<float>(s_.VoaActual * kStandardAirVolume /
                                  SpecificVolume(s_.Toa, s_.Woa, s_.PoaAbs));
      s_.Vsa = static_cast<float>(static_cast<double>(s_.Voa) - s_.Vpurge);
      s_.Vra = static_cast<float>(s_.VraInput * kStandardAirVolume /
                                  SpecificVolume(s_.Tra, s_.Wra, s_.PraAbs));
    }
    if (basis == VolumeBasis::SupplyActual) {
      s_.VsaActual = static_cast<float>(s_.VoaInput);
      // The supply state estimated at 70 % effectiveness.
      const double te = s_.Toa - 0.7 * (static_cast<double>(s_.Toa) - s_.Tra);
      const double we = s_.Woa - 0.7 * (s_.Woa - s_.Wra);
      s_.VsaTrial =
          static_cast<float>(s_.VsaActual * kStandardAirVolume / SpecificVolume(te, we, s_.PoaAbs));
      s_.Vsa = s_.VsaTrial;
      s_.Voa = static_cast<float>(static_cast<double>(s_.VsaTrial) + s_.Vpurge);
      s_.Vra = static_cast<float>(s_.VraInput * kStandardAirVolume /
                                  SpecificVolume(s_.Tra, s_.Wra, s_.PraAbs));
    }
    if (secondPass && isActualBasis(basis)) {
      s_.VraActual = s_.VraInput;
    }
    requireVolumes();
  }

  void requireVolumes() const {
    const bool outdoorBasis = isOutdoorBasis(s_.FlowBasis);
    require(s_.Voa > 0, outdoorBasis ? "Outdoor air volume must be greater than zero."
                                     : "Supply air volume must be greater than zero.");
    require(s_.Vsa > 0, outdoorBasis
                            ? "Supply air volume must be greater than zero: the purge takes all "
                              "of the outdoor air. Enter a larger outdoor air volume."
                            : "Supply air volume must be greater than zero.");
    require(s_.Vra > 0, "Return air volume must be greater than zero.");
  }

  // Velocities, pressure drops, effectiveness and the leaving supply state;
  // in the Supply Actual basis repeated until the supply volume at actual
  // conditions matches the entered one.
  void wheel() {
    const double halfFaceLessPurge = 0.5 - s_.PurgeFraction / 2.0;
    require(halfFaceLessPurge > 0, "The purge angle must be less than 360 degrees.");
    const double area = s_.FaceArea;
    for (int pass = 1;; ++pass) {
      s_.Vea = static_cast<float>(static_cast<double>(s_.Vpurge) + s_.Vra);
      s_.VelOa = static_cast<float>(s_.Voa / area / halfFaceLessPurge);
      s_.VelOaActual = static_cast<float>(s_.VelOa * meanSpecificVolume(s_) / kStandardAirVolume);
      s_.dPs = static_cast<float>(PressureDrop(s_, s_.VelOaActual, s_.WheelDepthSel));
      if (s_.Vsa >= s_.Vra) {
        s_.Vmin = s_.Vra;
        s_.Vmax = s_.Vsa;
      } else {
        s_.Vmin = s_.Vsa;
        s_.Vmax = s_.Vra;
      }
      s_.FlowRatio = s_.Vsa == s_.Vra ? 1 : s_.Vmin / s_.Vmax;
      s_.Vea = static_cast<float>(static_cast<double>(s_.Vpurge) + s_.Vra);
      s_.VelEa = static_cast<float>(s_.Vea / area / 0.5);
      s_.VelOa = static_cast<float>(s_.Voa / area / halfFaceLessPurge);
      writeBackVolumes();
      ChooseFlute(work_);
      s_.VelEaActual = static_cast<float>(s_.VelEa * meanSpecificVolume(s_) / kStandardAirVolume);
      s_.dPr = static_cast<float>(PressureDrop(s_, s_.VelEaActual, s_.WheelDepthSel));
      s_.VelMin = static_cast<float>(s_.Vmin / area / 0.5);
      s_.VelMinActual = static_cast<float>(s_.VelMin * meanSpecificVolume(s_) / kStandardAirVolume);
      s_.VelSa = static_cast<float>(s_.Vsa / area / halfFaceLessPurge);
      s_.MassSa = static_cast<float>(s_.Vsa / kStandardAirVolumeForMass);
      s_.MassRa = static_cast<float>(s_.Vra / kStandardAirVolumeForMass);
      BalancedEffectiveness(work_);
      UnbalancedEffectiveness(work_);
      const double r = s_.Vmin / s_.Voa;
      s_.Tsa = LeavingState(s_.Toa, s_.EunbalS, r, s_.Tra, s_.Vra, s_.Vea, s_.Vpurge);
      s_.Wsa = LeavingState(s_.Woa, s_.EunbalL, r, s_.Wra, s_.Vra, s_.Vea, s_.Vpurge);
      s_.VsaActualCalc = static_cast<float>(s_.Vsa * SpecificVolume(s_.Tsa, s_.Wsa, s_.PoaAbs) /
                                            kStandardAirVolume);
      s_.VsaActualError = static_cast<float>(static_cast<double>(s_.VsaActualCalc) - s_.VsaActual);
      if (s_.FlowBasis != VolumeBasis::SupplyActual) {
        return;
      }
      // The correction comes before the test, so the last pass still moves Vsa.
      s_.Vsa = static_cast<float>(s_.VsaTrial - 0.67 * s_.VsaActualError);
      s_.VsaTrial = s_.Vsa;
      // The outdoor air is the supply and the purge: left at the first
      // estimate, it fell below the supply where actual and standard air
      // differ much (cold outdoor air, a low effectiveness), and the leaving
      // supply state then lay beyond the return air's.
      s_.Voa = static_cast<float>(static_cast<double>(s_.Vsa) + s_.Vpurge);
      require(s_.Vsa > 0, "Supply air volume must be greater than zero.");
      if (!(s_.VsaActualError > 0.25 || s_.VsaActualError < -0.25)) {
        return;
      }
      if (pass == kMaxSupplyActualPasses) {
        work_.warn(WarningKind::NotSettled,
                   "The supply air volume at actual conditions did not settle within 100 "
                   "passes; the results of the last pass are shown.");
        return;
      }
    }
  }

  // The entered volumes as the flow basis reads them, for the volume boxes.
  void writeBackVolumes() {
    Rating& rating = work_.rating;
    switch (s_.FlowBasis) {
      case VolumeBasis::Outdoor:
        rating.shownMainVolume = s_.Voa;
        rating.shownReturnVolume = s_.Vra;
        break;
      case VolumeBasis::Supply:
        rating.shownMainVolume = s_.Vsa;
        rating.shownReturnVolume = s_.Vra;
        break;
      case VolumeBasis::OutdoorActual:
        rating.shownMainVolume = s_.VoaActual;
        rating.shownReturnVolume = s_.VraActual;
        break;
      default:
        rating.shownMainVolume = s_.VsaActual;
        rating.shownReturnVolume = s_.VraActual;
        break;
    }
  }

  void exhaustAndEnergy() {
    const double vea = s_.Vea;
    s_.TraMix = static_cast<float>(
        (static_cast<double>(s_.Vpurge) * s_.Tsa + static_cast<double>(s_.Vra) * s_.Tra) / vea);
    s_.WraMix = static_cast<float>((s_.Vpurge * s_.Wsa + s_.Vra * s_.Wra) / vea);
    s_.Tea = static_cast<float>(s_.TraMix - (s_.Vmin / vea) * s_.EunbalS *
                                                (static_cast<double>(s_.TraMix) - s_.Toa));
    s_.Wea = s_.WraMix - (s_.Vmin / vea) * s_.EunbalL * (s_.WraMix - s_.Woa);

    s_.Hoa = modPsych::Enthalpy(s_.Toa, s_.Woa);
    s_.Hsa = modPsych::Enthalpy(s_.Tsa, s_.Wsa);
    s_.Hra = modPsych::Enthalpy(s_.Tra, s_.Wra);
    s_.Hea = modPsych::Enthalpy(s_.Tea, s_.Wea);
    s_.HraMix = static_cast<float>(modPsych::Enthalpy(s_.TraMix, s_.WraMix));
    require(s_.Hoa != s_.HraMix,
            "Outdoor and return air have the same enthalpy, so the wheel has no total "
            "effectiveness. Change the outdoor or the return air.");
    s_.EunbalT = (s_.Hoa - s_.Hsa) / (s_.Hoa - s_.HraMix) * s_.Voa / s_.Vmin;
    work_.rating.totalNotAboveSensible = s_.EunbalT <= s_.EunbalS;

    s_.MassSa = static_cast<float>(s_.Vsa / kStandardAirVolumeForMass);
    s_.HeatS = (static_cast<double>(s_.Toa) - s_.Tsa) * 0.24 * s_.MassSa * units::kMinutesPerHour;
    s_.HeatT = (s_.Hoa - s_.Hsa) * s_.MassSa * units::kMinutesPerHour;
    if (c_.latentOverridden && s_.ElOverride == 0) {
      s_.HeatT = s_.HeatS;
    }
    if (c_.line == WheelLine::SensibleOnly) {
      s_.HeatT = s_.HeatS;
    }
    // Humidity ratios equal to two decimals (ties to even) mean a sensible
    // wheel moved no water: the latent heat is then shown as zero, not noise.
    const auto hundredths = [](double w) { return std::nearbyint(w * 100) / 100; };
    if (hundredths(s_.Woa) == hundredths(s_.Wra)) {
      s_.HeatL = 0;
      s_.HeatT = s_.HeatS;
    } else {
      s_.HeatL = s_.HeatT - s_.HeatS;
    }
    s_.WaterRecovered = static_cast<float>((s_.Woa - s_.Wsa) / units::kGrainsPerPound * s_.MassSa *
                                           units::kMinutesPerHour);
  }

  void actualVolumes() {
    const double actual[5] = {
        s_.Voa * SpecificVolume(s_.Toa, s_.Woa, s_.PoaAbs) / kStandardAirVolumeForActualList,
        s_.Vsa * SpecificVolume(s_.Tsa, s_.Wsa, s_.PoaAbs) / kStandardAirVolumeForActualList,
        s_.Vra * SpecificVolume(s_.Tra, s_.Wra, s_.PraAbs) / kStandardAirVolumeForActualList,
        s_.Vea * SpecificVolume(s_.Tea, s_.Wea, s_.PraAbs) / kStandardAirVolumeForActualList,
        s_.Vpurge * SpecificVolume(s_.Tea, s_.Wea, s_.PraAbs) / kStandardAirVolumeForActualList,
    };
    for (std::size_t k = 0; k < 5; ++k) {
      s_.AcfmList[k] = actual[k];
      s_.SIFlowList[k] = actual[k] / s_.SIFlowFactor;
    }
  }

  // The last line of defence: no result without a value reaches the windows.
  void checkFinite() const {
    forEachField(s_, [](const char* name, const auto& field) {
      using Field = std::decay_t<decltype(field)>;
      if constexpr (std::is_floating_point_v<Field>) {
        if (!std::isfinite(field)) {
          throw CalcError(std::string("These inputs give the calculation no valid result (") +
                          name + "). Check the air states, volumes and pressures.");
        }
      } else if constexpr (std::is_same_v<Field, std::array<platform::Variant, 5>>) {
        for (const platform::Variant& value : field) {
          const double* number = std::get_if<double>(&value);
          if (number != nullptr && !std::isfinite(*number)) {
            throw CalcError(std::string("These inputs give the calculation no valid result (") +
                            name + "). Check the air states, volumes and pressures.");
          }
        }
      }
    });
  }

  const Case& c_;
  CalcState& s_;
  std::optional<double> movedVolume_;
  Work work_;
};

}  // namespace

Rating rate(const Case& c, const ModelCatalog& catalog) {
  Rating rating;
  try {
    Run(c, catalog, rating).calculate();
  } catch (const CalcError& error) {
    rating.error = error.what();
  }
  return rating;
}

}  // namespace ModCalc
