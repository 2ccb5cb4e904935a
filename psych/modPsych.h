#pragma once

// Moist-air properties in inch-pound units, after the psychrometric equations
// of the ASHRAE Handbook—Fundamentals, chapter 1 (Psychrometrics); equation
// numbers below are that chapter's.
//
// Units throughout: temperatures °F (absolute °R = °F + 459.67), pressures
// psia, humidity ratio in grains of water per lb of dry air (7000 gr = 1 lb)
// unless a function says lb/lb, enthalpy Btu per lb of dry air, specific
// volume ft³ per lb of dry air, elevation ft. Callers convert SI values
// before and after.
//
// The functions compute in double precision; where a result is documented
// as single precision it is rounded to float, and later results depend on
// that rounding, so it must not be widened.

#include <cstdint>

namespace modPsych {

// What a moisture value is.
enum MoistureKind : std::int16_t {
  kDewPoint = 1,       // dew-point temperature, °F
  kWetBulb = 2,        // wet-bulb temperature, °F
  kGrains = 3,         // humidity ratio, gr/lb
  kRelHum = 4,         // relative humidity, percent
  kPoundsPerPound = 5  // humidity ratio, lb/lb
};

// Saturation pressure of water vapour at t °F, psia: Hyland–Wexler over ice
// at and below 32 °F (eq. 5), over liquid water above (eq. 6).
double SatPressure(double t);

// Humidity ratio of saturated air at dry bulb t and pressure p, gr/lb, in
// full precision (eq. 22 at the saturation pressure).
double SatGrains(double t, double p);

// Humidity ratio, lb/lb, of vapour pressure pw in air at total pressure p
// (eq. 22), single precision.
float HumRatioFromVapor(double pw, double p);

// Humidity ratio, gr/lb, of a moisture value of `kind` in air at dry bulb t
// and pressure p; 0 for an unknown kind. A value outside the kind's range
// (MoistureInRange) is used as it is.
double MoistToGrains(double t, double value, double p, std::int16_t kind);

// Whether a moisture value of `kind` is possible in air at dry bulb t: a
// dew point or wet bulb below it, a humidity ratio above zero and at most
// 500 gr/lb (0.071 lb/lb), a relative humidity below 100 %.
bool MoistureInRange(double t, double value, std::int16_t kind);

// What to tell the engineer of a moisture value out of its range.
inline constexpr const char* kRangeMessage =
    "Input variable is out of range, check to see if units are consistent with input value.";

// The moisture value of `kind` for humidity ratio W gr/lb; 0 for an unknown
// kind. Kinds 1 and 2 pass W on to DewPoint, which may raise it.
double GrainsToMoist(double t, double& W, double p, std::int16_t kind);

// Relative humidity as a fraction (not limited to 1).
double RelHumFraction(double t, double W, double p);

// Specific volume of moist air, ft³/lb dry air (eq. 28, with the dry-air gas
// constant 53.352 ft·lbf/(lb·°R)).
double SpecificVolume(double t, double W, double p);

// Dew point, °F (eqs. 39 above 32 °F and 40 below, each held in single
// precision). A humidity ratio of zero or less is raised to 1.43e-05 lb/lb
// and the caller's W is set to the raised value (0.1001 gr/lb).
double DewPoint(double& W, double p);

// Enthalpy of moist air, Btu/lb dry air (eq. 32).
double Enthalpy(double t, double W);

// Humidity ratio, lb/lb, from dry bulb t and thermodynamic wet bulb tStar
// over a wet surface (eq. 35), single precision.
float HumRatioFromWetBulb(double t, double tStar, double p);

// Thermodynamic wet bulb, °F, of air at dry bulb t with humidity ratio W:
// a secant search on eq. 35 from an enthalpy-weighted first estimate. W is
// passed on to DewPoint, which may raise it.
double WetBulb(double t, double& W, double p);

// Barometric pressure at elevation z ft, psia: the program's own quadratic
// fit of the standard atmosphere.
double AtmPressure(double z);

}  // namespace modPsych
