#pragma once

// The standard rating conditions catalogues quote, typed into the inputs as
// an engineer would type them (in the units and humidity kind the inputs
// dialog shows), then calculated.

#include <optional>
#include <string_view>

namespace ui {

class Windows;

enum class RatingSeason { Summer, Winter };

// "summer" or "winter"; nothing for any other word.
std::optional<RatingSeason> ratingSeason(std::string_view word);

// Outdoor and return air at dry bulb and wet bulb (°F), balanced flow at sea
// level; returns whether the calculation finished.
bool applyRatingConditions(Windows& windows, RatingSeason season);

}  // namespace ui
