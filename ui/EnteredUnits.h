#pragma once

// The entered quantities whose unit follows the units system in force.
//
// The case keeps them in single precision in English units. A number typed
// in SI units is read in double precision and converted once, so that every
// value the case can hold has a text in SI units that gives it back.

#include <cstdint>
#include <string>

#include "platform/NumberText.h"
#include "units/Units.h"

namespace ModCalc {

// A static pressure typed in pascals or in inches of water, in both units.
inline void setStaticPressure(double typed, bool pascals, float& inWC, float& pa) {
  if (pascals) {
    pa = static_cast<float>(typed);
    inWC = static_cast<float>(typed / units::kPascalsPerInchOfWater);
  } else {
    inWC = static_cast<float>(typed);
    pa = static_cast<float>(inWC * units::kPascalsPerInchOfWater);
  }
}

// The site elevation in feet from the elevation box's number, which is in
// metres in SI units.
inline float elevationFeet(double typed, std::int16_t siUnits) {
  return static_cast<float>(siUnits == 1 ? typed * units::kFeetPerMetre : typed);
}

// The text of a static pressure box that reads back as `inWC`.
inline std::string staticPressureText(float inWC, bool pascals) {
  if (!pascals) {
    return platform::tidyText(inWC);
  }
  return platform::tidiestTextReadingBack(inWC * units::kPascalsPerInchOfWater, [inWC](double pa) {
    float backInWC = 0;
    float backPa = 0;
    setStaticPressure(pa, true, backInWC, backPa);
    return backInWC == inWC;
  });
}

// The text of the elevation box that reads back as `feet`.
inline std::string elevationText(float feet, std::int16_t siUnits) {
  if (siUnits != 1) {
    return platform::tidyText(feet);
  }
  return platform::tidiestTextReadingBack(feet / units::kFeetPerMetre, [feet](double metres) {
    return elevationFeet(metres, 1) == feet;
  });
}

}  // namespace ModCalc
