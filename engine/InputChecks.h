#pragma once

// Keeps the air states the calculation works with physically possible, and
// tells the engineer whenever an entry had to be changed.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/Engine.h"

namespace ModCalc {

// The SI display value of a moisture held in the engine's units (°F or
// gr/lb) for humidity input `option`: °C for the SI dew point and wet bulb,
// g/kg for the SI humidity ratio, the relative humidity itself in SI units;
// nothing where the SI box does not show it.
std::optional<double> moistureSI(double moisture, std::int16_t option, std::int16_t siUnits);

// The numbers of the air entries and the site, read from the boxes the
// engineer types in (the SI twins in SI units) before anything changes.
// A number outside its range (engine/Bounds.h) stops with a message naming
// the box.
struct AirEntries {
  float toa;
  float tra;
  double moa;  // in the humidity kind of `option`, engine units
  double mra;
  // As typed: ft and in. w.c., single precision; or m and Pa in SI units,
  // double precision until converted.
  double elevation;
  double poa;
  double pra;
};
AirEntries readAirEntries(const DialogFields& fields, std::int16_t option, std::int16_t siUnits);

// An entry with an SI twin: the engineer types in the twin of the units in
// force, so that box is the one checked and named; the value is the
// English box's, which the twin keeps converted.
template <typename T>
T readEntry(const TextBox& box, const TextBox& boxSI, bool si, std::string_view what,
            const std::optional<Bounds>& bounds) {
  const TextBox& typed = si ? boxSI : box;
  if (bounds) {
    readNumber<double>(typed, what, *bounds);
  } else {
    readNumber<double>(typed, what);
  }
  return readNumber<T>(box, what);
}

// Which streams' dew point or wet bulb entries CheckInputs set below the
// dry bulb as supersaturated.
struct SaturatedEntries {
  bool outdoor = false;
  bool returnAir = false;
};

// The text of a moisture box for `moisture` of humidity `kind`: dew points
// and wet bulbs are kept in single precision, so theirs is the float's.
std::string moistureText(double moisture, std::int16_t kind);

// Limits the outdoor and return moisture entries (Moa, Mra) for the chosen
// humidity input, warns and rewrites the entry boxes.
SaturatedEntries CheckInputs(Engine& engine);

// Sets supersaturated outdoor or return air just below saturation, warns and
// rewrites the entry boxes in the engineer's units; so too the `entered`
// streams where their corrected entry left them well below saturation.
void CheckSaturation(Engine& engine, SaturatedEntries entered = {});

// Warns once per spell when the leaving supply air would be supersaturated
// (at its own or the barometric pressure), as a mix of two nearly saturated
// streams is, and marks its relative humidity.
void CheckSupplySaturation(Engine& engine);

// Warns once per frost spell when the leaving exhaust air would frost, and
// shows the frost indication; above freezing it marks condensation instead.
void CheckFrost(Engine& engine);

}  // namespace ModCalc
