#include "psych/modPsych.h"

#include <cmath>

#include "units/Units.h"

namespace modPsych {

namespace {

using units::kGrainsPerPound;
using units::kRankineOffset;

constexpr double kMolarMassRatio = 0.62198;  // water vapour / dry air
constexpr double kFreezingRankine = 491.67;
// Floor of DewPoint's humidity ratio, lb/lb: keeps the logarithm finite.
constexpr double kDryestAir = 1.43e-05;
// WetBulb stops when the humidity ratio of its estimate is this close, lb/lb.
constexpr double kWetBulbTolerance = 3e-06;
// In ordinary air one or two rounds suffice; the ceiling only guards against
// inputs (such as a pressure below the vapour pressure) that never converge.
constexpr int kWetBulbMaxRounds = 100;

// Humidity ratio, lb/lb, from vapour pressure, in full precision (eq. 22).
double humRatio(double pw, double p) {
  return kMolarMassRatio * pw / (p - pw);
}

// Eq. 35 in full precision; MoistToGrains keeps this precision, while
// HumRatioFromWetBulb rounds it.
double humRatioFromWetBulb(double t, double tStar, double p) {
  const double wsStar = humRatio(SatPressure(tStar), p);
  return ((1093 - 0.556 * tStar) * wsStar - 0.24 * (t - tStar)) / (1093 + 0.444 * t - tStar);
}

}  // namespace

double SatPressure(double t) {
  const double T = t + kRankineOffset;
  const double T2 = T * T;
  const double T3 = T2 * T;
  double lnPws;
  if (T > kFreezingRankine) {
    lnPws = -10440.397 / T - 11.29465 - 0.027022355 * T + 1.289036e-05 * T2 - 2.4780681e-09 * T3 +
            6.5459673 * std::log(T);
  } else {
    lnPws = -10214.165 / T - 4.8932428 - 0.0053765794 * T + 1.9202377e-07 * T2 +
            3.5575832e-10 * T3 - 9.0344688e-14 * (T2 * T2) + 4.1635019 * std::log(T);
  }
  return std::exp(lnPws);
}

double SatGrains(double t, double p) {
  return humRatio(SatPressure(t), p) * kGrainsPerPound;
}

float HumRatioFromVapor(double pw, double p) {
  return static_cast<float>(humRatio(pw, p));
}

double MoistToGrains(double t, double value, double p, std::int16_t kind) {
  switch (kind) {
    case kDewPoint:
      return humRatio(SatPressure(value), p) * kGrainsPerPound;
    case kWetBulb:
      return humRatioFromWetBulb(t, static_cast<float>(value), p) * kGrainsPerPound;
    case kGrains:
      // Through lb/lb, as every kind goes: the round trip is not exact.
      return value / kGrainsPerPound * kGrainsPerPound;
    case kRelHum:
      return humRatio(value * SatPressure(t) / 100, p) * kGrainsPerPound;
    case kPoundsPerPound:
      return value * kGrainsPerPound;
    default:
      return 0;
  }
}

bool MoistureInRange(double t, double value, std::int16_t kind) {
  switch (kind) {
    case kDewPoint:
    case kWetBulb:
      return value < t;
    case kGrains:
      return value > 0 && value <= 500;
    case kRelHum:
      return value < 100;
    case kPoundsPerPound:
      return value > 0 && value <= 0.071;
    default:
      return true;
  }
}

double GrainsToMoist(double t, double& W, double p, std::int16_t kind) {
  switch (kind) {
    case kDewPoint:
      return DewPoint(W, p);
    case kWetBulb:
      return WetBulb(t, W, p);
    case kGrains:
      return W;
    case kRelHum:
      return RelHumFraction(t, W, p) * 100;
    case kPoundsPerPound:
      return W / kGrainsPerPound;
    default:
      return 0;
  }
}

double RelHumFraction(double t, double W, double p) {
  const double w = W / kGrainsPerPound;
  const double pw = p * w / (kMolarMassRatio + w);
  return pw / SatPressure(t);
}

double SpecificVolume(double t, double W, double p) {
  const double w = W / kGrainsPerPound;
  // 53.352 ft·lbf/(lb·°R) for dry air, a shade above the Handbook's 53.350:
  // the standard-air volume of 13.333 ft³/lb and every pinned result were
  // reckoned with it (the difference is 0.004 %).
  return 53.352 * (t + kRankineOffset) * (1 + 1.6078 * w) / (144 * p);
}

double DewPoint(double& W, double p) {
  double w = W / kGrainsPerPound;
  if (w <= 0) {
    w = kDryestAir;
    W = w * kGrainsPerPound;
  }
  const double pw = p * w / (kMolarMassRatio + w);
  const double alpha = std::log(pw);
  const double alpha2 = alpha * alpha;
  const float td1 = static_cast<float>(100.45 + 33.193 * alpha + 2.319 * alpha2 +
                                       0.17074 * (alpha2 * alpha) + 1.2063 * std::pow(pw, 0.1984));
  const float td2 = static_cast<float>(90.12 + 26.142 * alpha + 0.8927 * alpha2);
  return td1 >= 32 ? td1 : td2;
}

double Enthalpy(double t, double W) {
  const double w = W / kGrainsPerPound;
  return 0.24 * t + w * (1061 + 0.444 * t);
}

float HumRatioFromWetBulb(double t, double tStar, double p) {
  return static_cast<float>(humRatioFromWetBulb(t, tStar, p));
}

double WetBulb(double t, double& W, double p) {
  const double wt = W / kGrainsPerPound;
  const double h = Enthalpy(t, W);
  const double td = DewPoint(W, p);
  const double ws = HumRatioFromVapor(SatPressure(t), p);
  const double hs = Enthalpy(t, ws * kGrainsPerPound);
  const double hd = Enthalpy(td, wt * kGrainsPerPound);

  // First estimate: the dew point plus the depression, scaled by where h lies
  // between the dew-point and the saturated enthalpy at the dry bulb.
  const double midpoint = (td + t) / 2;
  double x = hs == hd ? midpoint : td + (t - td) * (h - hd) / (hs - hd);
  if (x > t) {
    x = midpoint;
  }
  if (x < td) {
    x = midpoint;
  }

  // Secant steps with a forward difference taken from the perturbed point.
  // The error at the new estimate is both the stop test and the next round's
  // first error, so it is computed once.
  double e1 = wt - HumRatioFromWetBulb(t, x, p);
  for (int round = 0; round < kWetBulbMaxRounds && e1 != 0; ++round) {
    const double perturbed = x + x * 1e-05;
    const double e2 = wt - HumRatioFromWetBulb(t, perturbed, p);
    if (perturbed == x || e2 == e1) {
      break;  // no slope to follow: the estimate is as good as it gets
    }
    x = perturbed - (perturbed * 1e-05) * (1 / (e2 / e1 - 1));
    e1 = wt - HumRatioFromWetBulb(t, x, p);
    if (std::fabs(e1) <= kWetBulbTolerance) {
      break;
    }
  }
  return x;
}

double AtmPressure(double z) {
  return 14.696 - 0.000529560941478 * z + 1.0592442992e-10 * (z * z);
}

}  // namespace modPsych
