#include "engine/Calculate.h"

#include <cmath>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/AutoSelection.h"
#include "engine/CalcStateFields.h"
#include "engine/EnteredUnits.h"
#include "engine/InputChecks.h"
#include "engine/Rollback.h"
#include "engine/WheelModel.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

// The Supply Actual iteration settles in a few passes wherever actual air
// is less than about three times as bulky as standard air.
constexpr int kMaxSupplyActualPasses = 100;

bool ticked(const platform::CheckBox& box) {
  return box.value() == 1;
}

using modPsych::SpecificVolume;
using units::kStandardAirVolume;
using units::kStandardAirVolumeForActualList;
using units::kStandardAirVolumeForMass;

// Specific volume at the mean of the two entering air states, on the outdoor
// side's pressure.
double meanSpecificVolume(const CalcState& s) {
  return SpecificVolume((static_cast<double>(s.Tra) + s.Toa) / 2, (s.Wra + s.Woa) / 2, s.PoaAbs);
}

bool isOutdoorBasis(VolumeBasis basis) {
  return basis == VolumeBasis::Outdoor || basis == VolumeBasis::OutdoorActual;
}

const char* mainVolumeName(VolumeBasis basis) {
  return isOutdoorBasis(basis) ? "the outdoor air volume" : "the supply air volume";
}

void require(bool condition, const char* cause) {
  if (!condition) {
    throw CalcError(cause);
  }
}

class Run {
 public:
  explicit Run(Engine& engine)
      : engine_(engine),
        s_(engine.state),
        in_(engine.fields.inputs),
        settings_(engine.fields.settings) {}

  // Reads every box the run needs before anything changes, so that a box
  // without a number stops the run with nothing to undo.
  void readBoxes() {
    const bool si = s_.SIUnits == 1;
    typed_.air = readAirEntries(engine_.fields, s_.MoistInOption, s_.SIUnits);
    typed_.voa =
        readEntry<double>(in_.txtV, in_.txtVSI, si, mainVolumeName(flowBasis()), limits::kVolume);
    typed_.vra =
        readEntry<float>(in_.txtVra, in_.txtVraSI, si, "the return air volume", limits::kVolume);
    typed_.wheelSpeed =
        readNumber<float>(in_.txtWheelSpeed, "the wheel speed", limits::kWheelSpeed);
    if (ticked(in_.chkPurgeAngle)) {
      readNumber<float>(in_.txtPurgeAngle, "the purge angle", limits::kPurgeAngle);
    }
  }

  void calculate() {
    // The option buttons are what the engineer sees selected; FlowBasis
    // follows them even when the settings were not confirmed with OK.
    s_.FlowBasis = flowBasis();
    pressures();
    airInputs();
    chooseModel();
    resolveVolumes(false);
    s_.VelOa = static_cast<float>(s_.Voa / static_cast<double>(s_.FaceArea) / 0.5);
    s_.Vpurge = engine_.catalog.ModelPurgeCfm[static_cast<std::size_t>(s_.ModelIndex)];
    PurgeAndPressureCheck(engine_);
    s_.VoaInput = readNumber<double>(in_.txtV, mainVolumeName(s_.FlowBasis));
    resolveVolumes(true);
    wheel();
    exhaustAndEnergy();
    actualVolumes();
    checkFinite();
  }

 private:
  VolumeBasis flowBasis() const {
    if (settings_.optOutdoor.value()) {
      return VolumeBasis::Outdoor;
    }
    if (settings_.optSupply.value()) {
      return VolumeBasis::Supply;
    }
    return settings_.optOutdoorActual.value() ? VolumeBasis::OutdoorActual
                                              : VolumeBasis::SupplyActual;
  }

  void pressures() {
    s_.ElevFt = elevationFeet(typed_.air.elevation, s_.SIUnits);
    s_.Patm = modPsych::AtmPressure(s_.ElevFt);
    setStaticPressure(typed_.air.poa, s_.SIUnits == 1, s_.PoaInWC, s_.PoaPa);
    setStaticPressure(typed_.air.pra, s_.SIUnits == 1, s_.PraInWC, s_.PraPa);
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
    s_.Toa = typed_.air.toa;
    s_.Tra = typed_.air.tra;
    s_.Moa = typed_.air.moa;
    s_.Mra = typed_.air.mra;
    const SaturatedEntries entered = CheckInputs(engine_);
    s_.VoaInput = typed_.voa;
    s_.VraInput = typed_.vra;
    // Wra is still last run's here: in the actual bases the selection's first
    // return volume uses it, and the pinned selections depend on that.
    if (settings_.optOutdoor.value() || settings_.optSupply.value()) {
      s_.Vra = s_.VraInput;
    }
    if (settings_.optOutdoorActual.value() || settings_.optSupplyActual.value()) {
      s_.Vra = static_cast<float>(s_.VraInput * kStandardAirVolume /
                                  SpecificVolume(s_.Tra, s_.Wra, s_.PraAbs));
    }
    s_.Woa = modPsych::MoistToGrains(s_.Toa, s_.Moa, s_.PoaAbs, s_.MoistInKind, engine_.messages);
    s_.Wra = modPsych::MoistToGrains(s_.Tra, s_.Mra, s_.PraAbs, s_.MoistInKind, engine_.messages);
    if (s_.Woa < 0.1) {
      s_.Woa = 0.1;
    }
    if (s_.Wra < 0.1) {
      s_.Wra = 0.1;
    }
    CheckSaturation(engine_, entered);
    if (ticked(in_.chkSpeed)) {
      s_.WheelRpm = typed_.wheelSpeed;
    }
  }

  void chooseModel() {
    if (s_.ModelSelected == 0) {
      if (s_.PrivateLabel == 0) {
        AutoSelectA(engine_);
      } else {
        AutoSelectB(engine_);
      }
    } else {
      UseListedModel(engine_);
    }
    require(s_.FaceArea > 0,
            "The wheel's face area must be greater than zero. Check the custom wheel's "
            "diameter and hub diameter.");
  }

  // The standard volumes of the flow basis with the current purge.
  void resolveVolumes(bool secondPass) {
    if (settings_.optOutdoor.value()) {
      s_.Voa = static_cast<float>(s_.VoaInput);
      s_.Vsa = static_cast<float>(static_cast<double>(s_.Voa) - s_.Vpurge);
      s_.Vra = s_.VraInput;
    }
    if (settings_.optSupply.value()) {
      s_.Vsa = static_cast<float>(s_.VoaInput);
      s_.Voa = static_cast<float>(static_cast<double>(s_.Vsa) + s_.Vpurge);
      s_.Vra = s_.VraInput;
    }
    if (settings_.optOutdoorActual.value()) {
      s_.VoaActual = static_cast<float>(s_.VoaInput);
      s_.Voa = static_cast<float>(s_.VoaActual * kStandardAirVolume /
                                  SpecificVolume(s_.Toa, s_.Woa, s_.PoaAbs));
      s_.Vsa = static_cast<float>(static_cast<double>(s_.Voa) - s_.Vpurge);
      s_.Vra = static_cast<float>(s_.VraInput * kStandardAirVolume /
                                  SpecificVolume(s_.Tra, s_.Wra, s_.PraAbs));
    }
    if (settings_.optSupplyActual.value()) {
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
    if (secondPass && (settings_.optOutdoorActual.value() || settings_.optSupplyActual.value())) {
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
      in_.txtVra.setText(platform::tidyText(s_.Vra));
      s_.Vea = static_cast<float>(static_cast<double>(s_.Vpurge) + s_.Vra);
      s_.VelEa = static_cast<float>(s_.Vea / area / 0.5);
      s_.VelOa = static_cast<float>(s_.Voa / area / halfFaceLessPurge);
      writeBackVolumes();
      ChooseFlute(engine_);
      s_.VelEaActual = static_cast<float>(s_.VelEa * meanSpecificVolume(s_) / kStandardAirVolume);
      s_.dPr = static_cast<float>(PressureDrop(s_, s_.VelEaActual, s_.WheelDepthSel));
      s_.VelMin = static_cast<float>(s_.Vmin / area / 0.5);
      s_.VelMinActual = static_cast<float>(s_.VelMin * meanSpecificVolume(s_) / kStandardAirVolume);
      s_.VelSa = static_cast<float>(s_.Vsa / area / halfFaceLessPurge);
      s_.MassSa = static_cast<float>(s_.Vsa / kStandardAirVolumeForMass);
      s_.MassRa = static_cast<float>(s_.Vra / kStandardAirVolumeForMass);
      BalancedEffectiveness(engine_);
      UnbalancedEffectiveness(engine_);
      const double r = s_.Vmin / s_.Voa;
      s_.Tsa = LeavingState(s_.Toa, s_.EunbalS, r, s_.Tra, s_.Vra, s_.Vea, s_.Vpurge);
      s_.Wsa = LeavingState(s_.Woa, s_.EunbalL, r, s_.Wra, s_.Vra, s_.Vea, s_.Vpurge);
      s_.VsaActualCalc = static_cast<float>(s_.Vsa * SpecificVolume(s_.Tsa, s_.Wsa, s_.PoaAbs) /
                                            kStandardAirVolume);
      s_.VsaActualError = static_cast<float>(static_cast<double>(s_.VsaActualCalc) - s_.VsaActual);
      if (!settings_.optSupplyActual.value()) {
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
        engine_.warn(
            "The supply air volume at actual conditions did not settle within 100 passes; the "
            "results of the last pass are shown.");
        return;
      }
    }
  }

  void writeBackVolumes() {
    // The boxes give back the volumes the case holds.
    const auto shown = [](float volume) { return platform::tidyText(volume); };
    switch (s_.FlowBasis) {
      case VolumeBasis::Outdoor:
        in_.txtV.setText(shown(s_.Voa));
        in_.fmeVolume.setCaption("Outdoor");
        in_.txtVra.setText(shown(s_.Vra));
        break;
      case VolumeBasis::Supply:
        in_.txtV.setText(shown(s_.Vsa));
        in_.fmeVolume.setCaption("Supply");
        in_.txtVra.setText(shown(s_.Vra));
        break;
      case VolumeBasis::OutdoorActual:
        in_.txtV.setText(shown(s_.VoaActual));
        in_.fmeVolume.setCaption("Outdoor Actual");
        in_.txtVra.setText(shown(s_.VraActual));
        break;
      default:
        in_.txtV.setText(shown(s_.VsaActual));
        in_.fmeVolume.setCaption("Supply Actual");
        in_.txtVra.setText(shown(s_.VraActual));
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
    if (s_.EunbalT <= s_.EunbalS) {
      engine_.fields.main.lblEunbalT.setVisible(true);
    }

    s_.MassSa = static_cast<float>(s_.Vsa / kStandardAirVolumeForMass);
    s_.HeatS = (static_cast<double>(s_.Toa) - s_.Tsa) * 0.24 * s_.MassSa * units::kMinutesPerHour;
    s_.HeatT = (s_.Hoa - s_.Hsa) * s_.MassSa * units::kMinutesPerHour;
    if (ticked(engine_.fields.overrides.chkLatent) && s_.ElOverride == 0) {
      s_.HeatT = s_.HeatS;
    }
    if (settings_.KSRSel.value()) {
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

  // The boxes' numbers as the run started.
  struct Typed {
    AirEntries air;
    double voa;
    float vra, wheelSpeed;
  };

  Engine& engine_;
  CalcState& s_;
  InputsFields& in_;
  SettingsFields& settings_;
  Typed typed_{};
};

}  // namespace

bool Calculate(Engine& engine) {
  Run run(engine);
  try {
    run.readBoxes();
  } catch (const CalcError& error) {
    engine.messages.show(error.what(), "Error", platform::MessageIcon::Exclamation);
    return false;
  }
  const Rollback rollback(engine);
  const auto stop = [&](const std::string& why) {
    rollback.restore();
    engine.messages.show(why, "Error", platform::MessageIcon::Exclamation);
    return false;
  };
  try {
    run.calculate();
  } catch (const CalcError& error) {
    return stop(error.what());
  }
  if (engine.redraw) {
    engine.redraw();
  }
  // The last line of defence for what the windows show: a figure the run
  // wrote that is no number stops the run rather than reaching the engineer.
  // The project title is the engineer's own words ("Infinity Mall").
  std::vector<platform::Control*> written = rollback.changedControls();
  std::erase_if(written, [&engine](const platform::Control* control) {
    const auto* label = dynamic_cast<const platform::Label*>(control);
    return label != nullptr && label->caption() == engine.state.ProjectTitle;
  });
  if (const platform::Control* shown = platform::showsNoNumber(written)) {
    return stop("These inputs give no value to show in " + shown->name() +
                ". Check the air states, volumes and pressures.");
  }
  CheckFrost(engine);
  CheckSupplySaturation(engine);
  ShowFluteLabel(engine);
  engine.state.ModelSelected = 1;
  return true;
}

}  // namespace ModCalc
