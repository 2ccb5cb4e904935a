#pragma once

// The custom wheel: catalog row 0, described by the override dialog.

#include "engine/Case.h"

namespace ModCalc {

// Names the wheel after its diameter and depth and sizes its face.
void sizeCustomWheel(CustomWheel& wheel);

// The custom wheel as catalog row 0 holds it.
CustomWheel customWheelOf(const ModelCatalog& catalog);

// Puts the wheel into catalog row 0.
void storeCustomWheel(const CustomWheel& wheel, ModelCatalog& catalog);

// The custom wheel's first estimate of its purge volume, cfm, from its depth
// and face area. A project file does not keep it, so Open works it out again.
float customPurgeEstimate(float depthIn, float faceAreaFt2, float matrixFactor);

}  // namespace ModCalc
