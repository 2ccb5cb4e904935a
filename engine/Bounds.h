#pragma once

// Where every number of a case must lie, in one table: the boxes (read by
// Calculate and Settings OK), project files, schedule rows and ktr-calc all
// check against it, so a value refused in one place is refused everywhere
// with the same message. Each range is where every figure the program shows
// stays physically right.

#include <optional>
#include <string>
#include <string_view>

#include "units/Units.h"

namespace ModCalc {

// Where a number must lie, in the units its box shows. A bound left empty
// is open; `lowIncluded` false makes the low bound one the value must stay
// above (a volume, a size), `highIncluded` false makes the high bound one it
// must stay below (a 100 % effectiveness, a full turn of purge).
struct Bounds {
  std::optional<double> low{};
  std::optional<double> high{};
  bool lowIncluded = true;
  bool highIncluded = true;
  std::string_view unit{};  // appended to the bounds in the message, if any
  bool whole = false;       // a count: the message asks for a whole number
};

// "Enter a number from -60 to 160 °F for the outdoor air dry bulb."
std::string boundsMessage(std::string_view what, const Bounds& bounds);

bool withinBounds(double value, const Bounds& bounds);

namespace limits {

// Dry bulbs, and the dew points and wet bulbs entered: the air an
// air-handling unit sees. Beyond it the moist-air equations leave their
// range (above 212 °F water boils at sea level) and a saturated state at
// -67 °F holds less than the 0.1 gr/lb the calculation keeps as its
// driest air.
inline constexpr Bounds kFahrenheit{.low = -60, .high = 160, .unit = "°F"};

// Sites from below sea level to high mountains.
inline constexpr Bounds kElevationFeet{.low = -1500, .high = 15000, .unit = "ft"};

// Static pressures a duct system holds. The return side stops half an inch
// lower: the purge needs the outdoor side above it, and the calculation
// raises the outdoor pressure to half an inch above the return's, which
// must stay an entry the box takes.
inline constexpr Bounds kStaticInchesOfWater{.low = -20, .high = 20, .unit = "in. w.c."};
inline constexpr Bounds kReturnStaticInchesOfWater{.low = -20, .high = 19.5, .unit = "in. w.c."};

// The SI ranges are the same quantities, so that a case at the edge of its
// range switches units; their messages round the bounds inward.
inline constexpr Bounds kCelsius{.low = units::celsius(kFahrenheit.low.value()),
                                 .high = units::celsius(kFahrenheit.high.value()),
                                 .unit = "°C"};
inline constexpr Bounds kElevationMetres{.low = kElevationFeet.low.value() / units::kFeetPerMetre,
                                         .high = kElevationFeet.high.value() / units::kFeetPerMetre,
                                         .unit = "m"};
inline constexpr Bounds kStaticPascals{
    .low = kStaticInchesOfWater.low.value() * units::kPascalsPerInchOfWater,
    .high = kStaticInchesOfWater.high.value() * units::kPascalsPerInchOfWater,
    .unit = "Pa"};
inline constexpr Bounds kReturnStaticPascals{
    .low = kReturnStaticInchesOfWater.low.value() * units::kPascalsPerInchOfWater,
    .high = kReturnStaticInchesOfWater.high.value() * units::kPascalsPerInchOfWater,
    .unit = "Pa"};

// Both streams' volumes, in whatever flow unit the box shows.
inline constexpr Bounds kVolume{.low = 0, .lowIncluded = false};

// A humidity ratio a project file keeps: up to a pound of water per pound
// of dry air, above saturation at the hottest, thinnest air of the ranges
// above, so the calculation's own saturation check handles what is beyond.
inline constexpr Bounds kHumidityRatio{
    .low = 0, .high = 7000, .lowIncluded = false, .unit = "gr/lb"};

inline constexpr Bounds kWheelSpeed{.low = 0, .lowIncluded = false, .unit = "rpm"};
inline constexpr Bounds kPurgeAngle{
    .low = 0, .high = 360, .highIncluded = false, .unit = "degrees"};

inline constexpr Bounds kSpokes{.low = 1, .high = 32767, .whole = true};
// A custom wheel's and its cassette's sizes: far above the largest catalog
// wheel, and small enough that its face area and purge volume stay finite.
inline constexpr Bounds kWheelSize{.low = 0, .high = 5000, .lowIncluded = false, .unit = "in"};
// 100 % would leave the wheel's transfer units infinite.
inline constexpr Bounds kEffectiveness{.low = 0, .high = 100, .highIncluded = false, .unit = "%"};

}  // namespace limits

}  // namespace ModCalc
