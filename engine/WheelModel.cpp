#include "engine/WheelModel.h"

#include <cmath>

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

}  // namespace

void ChooseFlute(const Work& work) {
  CalcState& s = work.s;
  const bool fixed = work.c.fluteMils.has_value();
  const Flute* flute = nullptr;
  if (!fixed) {
    if (s.WheelDepthSel < 5) {
      flute = &kFlute45;
    } else if (s.WheelDepthSel > 9) {
      flute = &kFlute94;
    } else {
      flute = &kFlute62;
    }
  } else {
    flute = &fluteOf(*work.c.fluteMils);
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

void PurgeAndPressureCheck(const Work& work) {
  CalcState& s = work.s;
  ChooseFlute(work);
  const double tm = (static_cast<double>(s.Tra) + s.Toa) / 2;
  const double wm = (s.Wra + s.Woa) / 2;
  s.VelOaActualP = s.VelOa * modPsych::SpecificVolume(tm, wm, s.PoaAbs) / units::kStandardAirVolume;

  if (static_cast<double>(s.PoaInWC) - s.PraInWC <= 0) {
    work.warn(WarningKind::PressureRaised,
              "Outdoor air pressure must be larger than return air. Pressure will be increased ");
    s.PoaInWC = static_cast<float>(s.PraInWC + 0.5);
    s.PoaPa = static_cast<float>(s.PoaInWC * units::kPascalsPerInchOfWater);
    s.PoaAbs = static_cast<float>(s.PoaInWC / units::kInchesOfWaterPerPsi + s.Patm);
    work.show(EntryBox::Poa, s.PoaInWC);
  }
  s.dPoaRa = static_cast<double>(s.PoaInWC) - s.PraInWC;
  s.dPs = static_cast<float>(PressureDrop(s, s.VelOaActualP, s.WheelDepthSel));
  if (s.dPs == 0) {
    throw CalcError(
        "The wheel has no pressure drop at this face velocity, so its purge cannot be sized. "
        "Check the air volumes and the wheel depth.");
  }

  if (work.c.purgeAngleDeg) {
    s.PurgeAngle = *work.c.purgeAngleDeg;
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

void UseModel(const Work& work, const std::string& model) {
  CalcState& s = work.s;
  // The last row of that name, as a list of names finds it.
  bool found = false;
  for (int row = 0; row <= s.ModelCount; ++row) {
    if (work.name(static_cast<std::size_t>(row)) == model) {
      s.ModelIndex = static_cast<std::int16_t>(row);
      found = true;
    }
  }
  if (!found) {
    throw CalcError("The wheel model \"" + model +
                    "\" is not in the catalog. Choose a model in the inputs dialog.");
  }
  const auto i = static_cast<std::size_t>(s.ModelIndex);
  s.ModelNameSel = work.name(i);
  s.FaceArea = work.faceArea(i);
  s.WheelDepthSel = work.depth(i);
  s.Vpurge = work.purge(i);
  s.WheelRpm = work.c.fixedSpeed ? work.c.wheelSpeedRpm : work.rpm(i);
  s.WheelRpmEntered = work.c.wheelSpeedRpm;
  s.ModelSelected = 1;
}

void BalancedEffectiveness(const Work& work) {
  CalcState& s = work.s;
  const auto i = static_cast<std::size_t>(s.ModelIndex);
  const double diameter = work.diameter(i);
  const double hub = work.hub(i);
  // Pi as 3.14: the effectiveness correlation below was fitted with it.
  s.MatrixVolume = static_cast<float>(
      3.14 * ((diameter / 2) * (diameter / 2) - (hub / 2) * (hub / 2)) / 144 * work.depth(i) / 12);
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

  if (work.c.sensibleOverridden) {
    s.EsBal = s.EsOverride / 100.0;
  }
  if (work.c.latentOverridden) {
    s.ElBal = s.ElOverride / 100.0;
  }
  if (work.c.line == WheelLine::SensibleOnly) {
    s.ElBal = 0;
  }
}

void UnbalancedEffectiveness(const Work& work) {
  CalcState& s = work.s;
  if (s.EsBal == 1) {
    throw CalcError(work.c.sensibleOverridden
                        ? "The sensible effectiveness override must be below 100 %."
                        : "The wheel's sensible effectiveness reached 100 %; check the wheel.");
  }
  if (s.ElBal == 1) {
    throw CalcError(work.c.latentOverridden
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
