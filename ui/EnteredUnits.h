#pragma once

// The entered quantities whose unit follows the units system in force.

#include <cstdint>

#include "units/Units.h"

namespace ModCalc {

// A static pressure typed in pascals or in inches of water, in both units.
inline void setStaticPressure(float typed, bool pascals, float& inWC, float& pa) {
  if (pascals) {
    pa = typed;
    inWC = static_cast<float>(pa / units::kPascalsPerInchOfWater);
  } else {
    inWC = typed;
    pa = static_cast<float>(inWC * units::kPascalsPerInchOfWater);
  }
}

// The site elevation in feet from the elevation box's number, which is in
// metres in SI units.
inline float elevationFeet(float typed, std::int16_t siUnits) {
  return siUnits == 1 ? static_cast<float>(typed * units::kFeetPerMetre) : typed;
}

}  // namespace ModCalc
