#pragma once

// Keeps the air states the calculation works with physically possible, and
// tells the engineer whenever an entry had to be changed.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Work.h"

namespace ModCalc {

// The SI display value of a moisture held in the engine's units (°F or
// gr/lb) for humidity input `option`: °C for the SI dew point and wet bulb,
// g/kg for the SI humidity ratio, the relative humidity itself in SI units;
// nothing where the SI box does not show it.
std::optional<double> moistureSI(double moisture, std::int16_t option, std::int16_t siUnits);

// Which streams' dew point or wet bulb entries CheckInputs set below the
// dry bulb as supersaturated.
struct SaturatedEntries {
  bool outdoor = false;
  bool returnAir = false;
};

// The moisture entry of humidity `kind` whose humidity ratio at dry bulb t
// and pressure p is W gr/lb as a rating reads it back: of the values that
// give W exactly, the one with the fewest digits, which is the one typed;
// or, when none does, the nearest above. The decimal its box shows, which
// the case holds as heldMoisture. Every kind's humidity ratio rises with
// its value.
double moistureGiving(float t, float p, double W, std::int16_t kind);

// A moisture entry as the case holds it: a dew point or wet bulb in single
// precision.
double heldMoisture(double moisture, std::int16_t kind);

// The text of a moisture box for `moisture` of humidity `kind`: dew points
// and wet bulbs are kept in single precision, so theirs is the float's.
std::string moistureText(double moisture, std::int16_t kind);

// Limits the outdoor and return moisture entries (Moa, Mra) for the chosen
// humidity input, warns and shows the corrected entries, and sets their SI
// figures (MoaSI, MraSI; zero where no SI box shows them).
SaturatedEntries CheckInputs(const Work& work);

// Takes outdoor or return air drier than `least` gr/lb at its entry raised
// to the first tenth whose air is not drier, warns and shows the entry.
void CheckLeastGrains(const Work& work, double least);

// Sets supersaturated outdoor or return air just below saturation, warns and
// shows the corrected entries in the engineer's units; so too the `entered`
// streams where their corrected entry left them well below saturation.
void CheckSaturation(const Work& work, SaturatedEntries entered = {});

// Marks and warns of leaving supply air that would be supersaturated (at its
// own or the barometric pressure), as a mix of two nearly saturated streams
// is.
void CheckSupplySaturation(const Work& work);

// Marks and warns of leaving exhaust air that would frost; above freezing
// it marks condensation instead.
void CheckFrost(const Work& work);

}  // namespace ModCalc
