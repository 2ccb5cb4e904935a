#include "engine/Bounds.h"

#include <string>

#include "platform/NumberText.h"

namespace ModCalc {

namespace {

std::string bound(double value) {
  return platform::decimalText(static_cast<float>(value));
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
      range = "from " + bound(*bounds.low) +
              (bounds.highIncluded ? " to " : " up to, but not including, ") + bound(*bounds.high);
    } else {
      range = "greater than " + bound(*bounds.low) +
              (bounds.highIncluded ? " and at most " : " and less than ") + bound(*bounds.high);
    }
  } else if (bounds.low) {
    range =
        bounds.lowIncluded ? bound(*bounds.low) + " or more" : "greater than " + bound(*bounds.low);
  } else if (bounds.high) {
    range =
        bounds.highIncluded ? bound(*bounds.high) + " or less" : "less than " + bound(*bounds.high);
  }
  if (!bounds.unit.empty()) {
    range += (bounds.unit == "%" ? "" : " ") + std::string(bounds.unit);
  }
  return std::string(bounds.whole ? "Enter a whole number " : "Enter a number ") + range + " for " +
         std::string(what) + ".";
}

}  // namespace ModCalc
