#pragma once

#include "engine/Engine.h"

namespace ModCalc {

// Turns what the engineer entered in the dialogs into every result: reads
// the settings, inputs and override dialogs, conditions the air states,
// selects or takes the model, resolves the flow basis with the purge, runs
// the wheel model and the energy balance, writes the resolved volumes back
// and asks for a redraw. A run that cannot finish (a box without a number, a
// quantity with no value) shows why as an error and leaves every result and
// box as it was; it then returns false.
bool Calculate(Engine& engine);

}  // namespace ModCalc
