#pragma once

// Line printing on a page: a current position, tab columns and 14-column
// print zones in the current font's character width, and line feeds of the
// current font's height.

#include <string_view>

#include "platform/Page.h"

namespace platform {

class PageCursor {
 public:
  explicit PageCursor(Page& page) : page_(page) {}

  Page& page() { return page_; }

  // Inches across and down; the left edge of a line is where a line feed
  // returns to.
  void moveTo(double x, double y);
  double x() const { return x_; }
  double y() const { return y_; }

  // To column `column` (1 is the left edge), counted from the left edge.
  void tab(int column);
  // To the start of the next print zone (columns 1, 15, 29, ...).
  void nextZone();
  // Text at the current position; the position moves past it.
  void print(std::string_view text);
  // Text in the current zone, then on to the next zone.
  void zone(std::string_view text);
  // Back to the left edge, one line of the current font down.
  void newLine();

 private:
  Page& page_;
  double x_ = 0;
  double y_ = 0;
};

}  // namespace platform
