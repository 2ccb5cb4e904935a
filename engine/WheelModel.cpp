#include "engine/WheelModel.h"

#include <cmath>

#include "engine/EnteredUnits.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

struct Flute {
  float mils;
  float CalcState::*density;
  float factorFromDepth;
  float factorFixed;
  double ntuCoefficient;  // K of NtuS = depth·K / velocity
};

// The 62 and 94 mil factors are swapped between the two ways of choosing the
// flute; the purge angle depends on which way was taken.
constexpr Flute kFlute45{45, &CalcState::Density45, 0.71F, 0.71F, 491};
constexpr Flute kFlute62{62, &CalcState::Density62, 0.83F, 0.76F, 310};
constexpr Flute kFlute94{94, &CalcState::Density94, 0.76F, 0.83F, 157};

const Flute& fluteOf(float mils) {
  if (mils == 45) {
    return kFlute45;
  }
  return mils == 62 ? kFlute62 : kFlute94;
}

bool ticked(const platform::CheckBox& box) {
  return box.value() == 1;
}

}  // namespace

void ChooseFlute(Engine& engine) {
  CalcState& s = engine.state;
  const OverrideFields& overrides = engine.fields.overrides;
  const bool fixed = overrides.FluteOverride.value() != 0;
  const Flute* flute = nullptr;
  if (!fixed) {
    if (s.WheelDepthSel < 5) {
      flute = &kFlute45;
    } else if (s.WheelDepthSel > 9) {
      flute = &kFlute94;
    } else {
      flute = &kFlute62;
    }
  } else if (overrides.Flute45.value()) {
    flute = &kFlute45;
  } else if (overrides.Flute62.value()) {
    flute = &kFlute62;
  } else {
    flute = &kFlute94;
  }
  s.FluteMils = flute->mils;
  s.MediaDensity = s.*(flute->density);
  s.FluteFactor = fixed ? flute->factorFixed : flute->factorFromDepth;
}

double PressureDrop(const CalcState& state, double v, double L) {
  if (state.FluteMils == 94) {
    return 6.95e-5 * L * v;
  }
  if (state.FluteMils == 62) {
    return (0.000152 * L + 0.000271) * v;
  }
  return (0.000306 * L + 0.000215) * v;
}

void PurgeAndPressureCheck(Engine& engine) {
  CalcState& s = engine.state;
  ChooseFlute(engine);
  const double tm = (static_cast<double>(s.Tra) + s.Toa) / 2;
  const double wm = (s.Wra + s.Woa) / 2;
  s.VelOaActualP = s.VelOa * modPsych::SpecificVolume(tm, wm, s.PoaAbs) / units::kStandardAirVolume;

  if (static_cast<double>(s.PoaInWC) - s.PraInWC <= 0) {
    engine.warn("Outdoor air pressure must be larger than return air. Pressure will be increased ");
    s.PoaInWC = static_cast<float>(s.PraInWC + 0.5);
    s.PoaPa = static_cast<float>(s.PoaInWC * units::kPascalsPerInchOfWater);
    s.PoaAbs = static_cast<float>(s.PoaInWC / units::kInchesOfWaterPerPsi + s.Patm);
    engine.fields.settings.txtPoa.setText(staticPressureText(s.PoaInWC, s.SIUnits == 1));
  }
  s.dPoaRa = static_cast<double>(s.PoaInWC) - s.PraInWC;
  s.dPs = static_cast<float>(PressureDrop(s, s.VelOaActualP, s.WheelDepthSel));
  if (s.dPs == 0) {
    throw CalcError(
        "The wheel has no pressure drop at this face velocity, so its purge cannot be sized. "
        "Check the air volumes and the wheel depth.");
  }

  const InputsFields& inputs = engine.fields.inputs;
  if (ticked(inputs.chkPurgeAngle)) {
    s.PurgeAngle = readNumber<float>(inputs.txtPurgeAngle, "the purge angle");
    s.PurgeAngleEntered = s.PurgeAngle;
  } else {
    const double angle = static_cast<double>(s.WheelRpm) * 360 * s.WheelDepthSel / 12 *
                         s.FluteFactor * s.dPs / s.dPoaRa / s.VelOa;
    s.PurgeAngle = static_cast<float>(angle < 0 ? 0 : angle > 20 ? 20 : angle);
  }
  s.PurgeFraction = static_cast<float>(s.PurgeAngle / 360.0);
  s.PurgeVelocity = s.VelOa * s.dPoaRa / s.dPs;
  s.Vpurge = static_cast<float>(s.FaceArea * s.PurgeVelocity * s.PurgeFraction);
}

double RotaryEff(double a, double b) {
  const double x = a * b / (1 + b);
  return x / (1 + x);
}

double CounterflowEff(double x, double y) {
  const double e = std::exp(-x * (1 - y));
  return (1 - e) / (1 - y * e);
}

double EffToNtu(double x) {
  return x / (1 - x);
}

float LeavingState(double Xo, double e, double r, double Xr, double Vr, double Ve, double Vp) {
  return static_cast<float>((Xo * (1 - e * r) + e * r * Xr * Vr / Ve) / (1 - e * r * Vp / Ve));
}

void UseListedModel(Engine& engine) {
  CalcState& s = engine.state;
  const ModelCatalog& c = engine.catalog;
  const InputsFields& inputs = engine.fields.inputs;
  const std::string listed = inputs.lstWheel.text();
  for (int row = 0; row <= s.ModelCount; ++row) {
    if (c.ModelName[static_cast<std::size_t>(row)] == listed) {
      s.ModelIndex = static_cast<std::int16_t>(row);
    }
  }
  const auto i = static_cast<std::size_t>(s.ModelIndex);
  s.ModelNameSel = c.ModelName[i];
  s.FaceArea = c.ModelFaceArea[i];
  s.WheelDepthSel = c.WheelDepth[i];
  s.Vpurge = c.ModelPurgeCfm[i];
  const float typedSpeed = readNumber<float>(inputs.txtWheelSpeed, "the wheel speed");
  s.WheelRpm = ticked(inputs.chkSpeed) ? typedSpeed : c.ModelRpm[i];
  s.WheelRpmEntered = typedSpeed;
  s.ModelSelected = 1;
}

void ShowFluteLabel(Engine& engine) {
  platform::Label& label = engine.fields.main.lblFlute;
  label.setVisible(true);
  const float mils = engine.state.FluteMils;
  label.setCaption(mils == 45 ? "45 mils" : mils == 62 ? "62 mils" : "94 mils");
}

void BalancedEffectiveness(Engine& engine) {
  CalcState& s = engine.state;
  const ModelCatalog& c = engine.catalog;
  const auto i = static_cast<std::size_t>(s.ModelIndex);
  const double diameter = c.WheelDiam[i];
  const double hub = c.HubDiam[i];
  // Pi as 3.14: the effectiveness correlation below was fitted with it.
  s.MatrixVolume =
      static_cast<float>(3.14 * ((diameter / 2) * (diameter / 2) - (hub / 2) * (hub / 2)) / 144 *
                         c.WheelDepth[i] / 12);
  s.MatrixMass = static_cast<float>(static_cast<double>(s.MatrixVolume) * s.MediaDensity);
  s.NtuS = s.WheelDepthSel * fluteOf(s.FluteMils).ntuCoefficient / s.VelMinActual;
  s.RotFactor =
      s.MatrixMass * static_cast<double>(s.WheelRpm) / (static_cast<double>(s.MassRa) + s.MassSa);
  s.LeakFactor = static_cast<float>(1 - 0.0216 * s.WheelDepthSel / diameter);
  s.EsWheel = RotaryEff(s.NtuS, s.RotFactor) * s.LeakFactor;
  s.EsBal = (s.EsWheel - 1) * 0.85 + 0.957;
  s.NtuL = s.NtuS * 0.82;
  s.RotFactorL = s.RotFactor * 0.75;
  s.ElWheel = RotaryEff(s.NtuL, s.RotFactorL) * s.LeakFactor;
  s.ElBal = (s.ElWheel - 1) * 0.9 + 0.966;

  const OverrideFields& overrides = engine.fields.overrides;
  if (ticked(overrides.chkSensible)) {
    s.EsBal = s.EsOverride / 100.0;
  }
  if (ticked(overrides.chkLatent)) {
    s.ElBal = s.ElOverride / 100.0;
  }
  if (engine.fields.settings.KSRSel.value()) {
    s.ElBal = 0;
  }
}

void UnbalancedEffectiveness(Engine& engine) {
  CalcState& s = engine.state;
  const OverrideFields& overrides = engine.fields.overrides;
  if (s.EsBal == 1) {
    throw CalcError(ticked(overrides.chkSensible)
                        ? "The sensible effectiveness override must be below 100 %."
                        : "The wheel's sensible effectiveness reached 100 %; check the wheel.");
  }
  if (s.ElBal == 1) {
    throw CalcError(ticked(overrides.chkLatent)
                        ? "The latent effectiveness override must be below 100 %."
                        : "The wheel's latent effectiveness reached 100 %; check the wheel.");
  }
  s.NtuEqS = EffToNtu(s.EsBal);
  s.NtuEqL = EffToNtu(s.ElBal);
  if (s.FlowRatio == 1) {
    s.EunbalS = s.EsBal;
    s.EunbalL = s.ElBal;
  } else {
    s.EunbalS = CounterflowEff(s.NtuEqS, s.FlowRatio);
    s.EunbalL = CounterflowEff(s.NtuEqL, s.FlowRatio);
  }
}

}  // namespace ModCalc
