#pragma once

// Keeps the air states the calculation works with physically possible, and
// tells the engineer whenever an entry had to be changed.

#include <cstdint>
#include <optional>

#include "engine/Engine.h"

namespace ModCalc {

// The SI display value of a moisture held in the engine's units (°F or
// gr/lb) for humidity input `option`: °C for the SI dew point and wet bulb,
// g/kg for the SI humidity ratio, the relative humidity itself in SI units;
// nothing where the SI box does not show it.
std::optional<double> moistureSI(double moisture, std::int16_t option, std::int16_t siUnits);

// Limits the outdoor and return moisture entries (Moa, Mra) for the chosen
// humidity input, warns and rewrites the entry boxes.
void CheckInputs(Engine& engine);

// Sets supersaturated outdoor or return air just below saturation, warns and
// rewrites the entry boxes in the engineer's units.
void CheckSaturation(Engine& engine);

// Warns once per frost spell when the leaving exhaust air would frost, and
// shows the frost indication; above freezing it marks condensation instead.
void CheckFrost(Engine& engine);

}  // namespace ModCalc
