#include "engine/Bounds.h"

#include <cmath>
#include <string>

#include "platform/NumberText.h"

namespace ModCalc {

namespace {

// A bound with a long expansion (an SI bound converted from an English one)
// is rounded inward to two decimals: every number the message offers is
// taken.
std::string bound(double value, bool low) {
  if (std::fabs(value * 1000 - std::round(value * 1000)) < 1e-6) {
    return platform::decimalText(static_cast<float>(value));
  }
  const double inward = low ? std::ceil(value * 100) : std::floor(value * 100);
  return platform::decimalText(static_cast<float>(inward / 100 + 0.0));  // no "-0"
}

}  // namespace

bool withinBounds(double value, const Bounds& bounds) {
  if (bounds.low && (bounds.lowIncluded ? value < *bounds.low : value <= *bounds.low)) {
    return false;
  }
  if (bounds.high && (bounds.highIncluded ? value > *bounds.high : value >= *bounds.high)) {
    return false;
  }
  return value == value;  // NaN is in no range
}

std::string boundsMessage(std::string_view what, const Bounds& bounds) {
  std::string range;
  if (bounds.low && bounds.high) {
    if (bounds.lowIncluded) {
      range = "from " + bound(*bounds.low, true) +
              (bounds.highIncluded ? " to " : " up to, but not including, ") +
              bound(*bounds.high, false);
    } else {
      range = "greater than " + bound(*bounds.low, true) +
              (bounds.highIncluded ? " and at most " : " and less than ") +
              bound(*bounds.high, false);
    }
  } else if (bounds.low) {
    range = bounds.lowIncluded ? bound(*bounds.low, true) + " or more"
                               : "greater than " + bound(*bounds.low, true);
  } else if (bounds.high) {
    range = bounds.highIncluded ? bound(*bounds.high, false) + " or less"
                                : "less than " + bound(*bounds.high, false);
  }
  if (!bounds.unit.empty()) {
    range += (bounds.unit == "%" ? "" : " ") + std::string(bounds.unit);
  }
  return std::string(bounds.whole ? "Enter a whole number " : "Enter a number ") + range + " for " +
         std::string(what) + ".";
}

}  // namespace ModCalc
