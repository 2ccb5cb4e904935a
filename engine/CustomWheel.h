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

}  // namespace ModCalc
