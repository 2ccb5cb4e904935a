#include "platform/PageCursor.h"

#include <cmath>

namespace platform {

namespace {
constexpr int kZoneColumns = 14;
}  // namespace

void PageCursor::moveTo(double x, double y) {
  x_ = x;
  y_ = y;
}

void PageCursor::tab(int column) {
  x_ = (column - 1) * page_.charWidth();
}

void PageCursor::nextZone() {
  const double zoneWidth = kZoneColumns * page_.charWidth();
  // A position a hair short of a zone start counts as at it, so rounding in
  // the font metrics never skips a whole zone.
  x_ = (std::floor(x_ / zoneWidth + 1e-9) + 1) * zoneWidth;
}

void PageCursor::print(std::string_view text) {
  if (!text.empty()) {
    page_.text(x_, y_, text);
  }
  x_ += page_.textWidth(text);
}

void PageCursor::zone(std::string_view text) {
  print(text);
  nextZone();
}

void PageCursor::newLine() {
  x_ = 0;
  y_ += page_.lineHeight();
}

}  // namespace platform
