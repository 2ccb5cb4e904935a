#pragma once

// The custom wheel: catalog row 0, built from the override dialog's boxes.

#include "engine/Engine.h"

namespace ModCalc {

// Builds row 0 from the override dialog's wheel and cassette boxes and the
// inputs dialog's wheel speed, and takes the two effectiveness overrides into
// the state. When a box holds no number it says which, and leaves row 0 and
// the state as they were; returns whether it built the wheel.
bool AutoSelect(Engine& engine);

// Row 0's first estimate of its purge volume, cfm, from its depth and face
// area. A project file does not keep it, so Open works it out again.
float customPurgeEstimate(const ModelCatalog& catalog, float matrixFactor);

}  // namespace ModCalc
