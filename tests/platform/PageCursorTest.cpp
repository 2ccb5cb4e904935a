#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PageCursor.h"
#include "platform/headless/RecordingPage.h"

namespace platform {
namespace {

// At 14.4 points a recording page's column is 0.1 in, so column n starts at
// (n - 1) / 10 in and a print zone is 1.4 in wide.
TEST(PageCursor, TabsAndZonesCountInCharacterColumns) {
  RecordingPage page;
  page.setFont(Font{"arial", 14.4F});
  PageCursor cursor(page);
  const struct {
    const char* name;
    std::vector<const char*> cells;  // after tab(18), each ends with a zone move
    std::vector<double> xs;          // where each non-empty cell stands
  } rows[] = {
      {"empty cells are zone moves alone", {"", "", "Volume", "Volume"}, {4.2, 5.6}},
      {"a cell running into the next zone skips it", {"123456789012345", "x"}, {1.7, 4.2}},
      {"a cell ending on a zone start still moves on", {"abcdefghijk", "y"}, {1.7, 4.2}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    RecordingPage fresh;
    fresh.setFont(page.font());
    PageCursor line(fresh);
    line.moveTo(0, 1);
    line.tab(18);
    for (const char* cell : row.cells) {
      line.zone(cell);
    }
    std::vector<double> xs;
    for (const PageItem& item : fresh.items()) {
      xs.push_back(item.x);
    }
    ASSERT_EQ(xs.size(), row.xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
      EXPECT_NEAR(xs[i], row.xs[i], 1e-6) << i;
    }
  }
  cursor.moveTo(0.5, 2);
  cursor.print("ab");
  EXPECT_NEAR(cursor.x(), 0.7, 1e-6);
  cursor.newLine();
  EXPECT_NEAR(cursor.x(), 0, 1e-12) << "a line feed returns to the left edge";
  EXPECT_NEAR(cursor.y(), 2 + 14.4 / 72 * 1.15, 1e-6);
}

}  // namespace
}  // namespace platform
