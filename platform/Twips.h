#pragma once

// Window positions and sizes are kept in twips (1/1440 inch), the unit the
// per-user settings store them in; screens count pixels. This is the one
// place that converts between them.

#include <cmath>

namespace platform {

inline constexpr int kTwipsPerInch = 1440;

// `dotsPerInch` is the screen's logical resolution (96 on most desktops,
// which makes 15 twips a pixel).
inline int twipsToPixels(int twips, double dotsPerInch) {
  return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

inline int pixelsToTwips(int pixels, double dotsPerInch) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

}  // namespace platform
