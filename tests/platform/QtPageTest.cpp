#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/qt/QtPage.h"

namespace platform::qt {
namespace {

namespace fs = std::filesystem;

class QtPageTest : public ::testing::Test {
 protected:
  fs::path pdf = fs::temp_directory_path() / ("ktr-page-" + std::to_string(::getpid()) + ".pdf");
  ~QtPageTest() override { fs::remove(pdf); }
  QtPageDevice device;
};

// "arial" is drawn in Liberation Sans, whose advances are Arial's: a
// character column is Arial's frequency-weighted average of 904/2048 em
// (the value Arial's own font tables give), a space 569/2048 em.
TEST_F(QtPageTest, ArialColumnsHaveArialsWidths) {
  auto page = device.pdfPage(pdf.string(), "North wing");
  const struct {
    float size;
    bool bold;
    double columnEm;
  } rows[] = {{9, false, 904.0 / 2048}, {12, false, 904.0 / 2048}, {10, true, 983.0 / 2048}};
  for (const auto& row : rows) {
    page->setFont(Font{"arial", row.size, row.bold});
    EXPECT_NEAR(page->charWidth(), row.columnEm * row.size / 72, 0.01 * row.size / 72)
        << row.size << (row.bold ? " bold" : "");
  }
  page->setFont(Font{"arial", 10});
  EXPECT_NEAR(page->textWidth("    "), 4 * 569.0 / 2048 * 10 / 72, 1e-3);
  EXPECT_NEAR(page->printableWidth(), 8.5 - 2 * 0.25, 1e-3) << "letter inside its margins";
  page->text(1, 1, "Thermarotor");
  page->picture("wheel", 0.5, 2.8, 3.1, 2.3);
  page->line(1.05, 6.12, 7.6, 6.12);
  page->finish();
  std::ifstream file(pdf, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  EXPECT_TRUE(bytes.str().starts_with("%PDF-"));
  EXPECT_NE(bytes.str().find("LiberationSans"), std::string::npos) << "the font embedded";
}

TEST_F(QtPageTest, ProblemsAreReportedNotDrawn) {
  EXPECT_THROW(
      device.pdfPage((fs::temp_directory_path() / "no-such-folder" / "a.pdf").string(), ""),
      PageError);
  auto page = device.pdfPage(pdf.string(), "North wing");
  EXPECT_THROW(page->picture("no-such-picture", 0, 0, 1, 1), PageError);
  EXPECT_THROW(page->pictureWithout("no-such-picture", "spokes", 0, 0, 1, 1), PageError);
  EXPECT_NO_THROW(page->pictureWithout("wheel", "spokes", 0, 0, 1, 1));
  EXPECT_NO_THROW(page->pictureWithout("wheel", "no-such-element", 0, 0, 1, 1));
  page->finish();
}

}  // namespace
}  // namespace platform::qt
