#pragma once

// Keeps the air states the calculation works with physically possible, and
// tells the engineer whenever an entry had to be changed.

#include "engine/Engine.h"

namespace ModCalc {

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
