#include <cstdlib>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/headless/RecordingPage.h"
#include "tests/ui/UiFixture.h"

namespace ui::testing {
namespace {

using platform::PageItem;

// The recording page's measures: a column is half an em, a line 1.15 em.
double column(int n, double points) {
  return (n - 1) * points / 72 / 2;
}
double lines(double count, double points) {
  return count * points / 72 * 1.15;
}

class ReportTest : public UiTest {
 protected:
  ReportTest() {
    windows.inputs.cmdCalc.click();
    if (const char* all = std::getenv("LC_ALL")) {
      localeBefore_ = all;
    }
    ::setenv("SOURCE_DATE_EPOCH", "1700000000", 1);
    ::setenv("LC_ALL", "C", 1);
  }
  ~ReportTest() override {
    ::unsetenv("SOURCE_DATE_EPOCH");
    if (localeBefore_) {
      ::setenv("LC_ALL", localeBefore_->c_str(), 1);
    } else {
      ::unsetenv("LC_ALL");
    }
  }

  platform::RecordingPage print() {
    platform::RecordingPage page;
    windows.main.Printout(page);
    return page;
  }

  std::optional<std::string> localeBefore_;

  static std::optional<PageItem> find(const platform::RecordingPage& page,
                                      const std::string& text) {
    for (const PageItem& item : page.items()) {
      if (item.text == text) {
        return item;
      }
    }
    return std::nullopt;
  }

  // Where a text stands, in inches, with its font size and emphasis.
  static auto place(const platform::RecordingPage& page, const std::string& text) {
    const auto item = find(page, text);
    EXPECT_TRUE(item.has_value()) << text;
    const PageItem found = item.value_or(PageItem{});
    return std::make_tuple(found.x, found.y, found.font.size, found.font.bold, found.font.italic,
                           found.font.underline);
  }
};

TEST_F(ReportTest, EnglishPageStandsWhereTheColumnsPutIt) {
  fields.inputs.txtTitle.setText("North wing");
  windows.inputs.cmdCalc.click();
  const platform::RecordingPage page = print();
  const double dateLine = 1.8 + lines(1, 10);
  const double model = 1.8 + lines(2, 10) + lines(1, 12);
  const double block = 2.6;
  const double table = 5.8;
  const struct {
    const char* text;
    double x;
    double y;
    float size;
    bool bold;
    bool italic;
    bool underline;
  } rows[] = {
      {"Supply", 0.7, 3.0, 10, false, false, false},
      {"Exhaust", 2.5, 4.6, 10, false, false, false},
      {"Thermarotor", column(16, 12), 0.9, 12, true, false, false},
      {"Summer Operation", column(20, 12), 0.9 + lines(1, 12), 12, true, false, false},
      {"Title:", column(12, 10), 1.8, 10, true, false, false},
      {"North wing", column(29, 10), 1.8, 10, true, false, false},
      {"11/14/23", column(29, 10), dateLine, 10, true, false, false},
      {"Model Number: KTR KW24-4", column(57, 12), model, 12, true, false, false},
      {"Wheel Parameters", column(65, 9), block, 9, false, false, false},
      {"   Wheel Diam., in.", column(65, 9), block + lines(1, 9), 9, false, false, false},
      {"24.0", column(89, 9), block + lines(1, 9), 9, false, false, false},
      {"   Drive Motor, HP", column(65, 9), block + lines(10, 9), 9, false, false, false},
      {"1/4", column(89, 9), block + lines(10, 9), 9, false, false, false},
      {"Energy Conserved, BTU/h", column(65, 9), block + lines(15, 9), 9, false, false, false},
      {"Face Velocity, sfpm", column(103, 9), block, 9, false, false, false},
      {"   OA Static", column(103, 9), block + lines(5, 9), 9, false, false, false},
      {"2.00", column(126, 9), block + lines(5, 9), 9, false, false, false},
      {"Effectiveness (Efficiency)", column(103, 9), block + lines(10, 9), 9, false, false, false},
      {"Enthalpy", column(127, 9), table, 9, false, false, false},
      {"  scfm ", column(43, 9), table + lines(1, 9), 9, false, false, false},
      {"(Elevation: 0 ft. above Sea Level)", column(18, 9), table + lines(8, 9), 9, false, false,
       false},
      {"WHEEL", column(18, 9), 7.2, 9, false, false, true},
      {"        WHEEL:", column(18, 9), 7.2 + lines(2, 9), 9, false, false, false},
      {"Unitary rotor design with 4 spokes equally spaced,", column(43, 9), 7.2 + lines(2, 9), 9,
       false, false, false},
      {"with molecular sieve desiccant", column(43, 9), 7.2 + lines(5, 9), 9, false, false, false},
      {"CASSETTE", column(18, 9), 7.2 + lines(8, 9), 9, false, false, true},
      {"Contact brush seals", column(43, 9), 7.2 + lines(12, 9), 9, false, false, false},
      {"www.kestrix.example.com", column(55, 10), 9.5 + lines(2, 10), 10, true, true, false},
      {"Version 6.0.0", 6, 9.9, 8, true, false, false},
  };
  for (const auto& row : rows) {
    const auto [x, y, size, bold, italic, underline] = place(page, row.text);
    EXPECT_NEAR(x, row.x, 1e-9) << row.text;
    EXPECT_NEAR(y, row.y, 1e-9) << row.text;
    EXPECT_EQ(std::tie(size, bold, italic, underline),
              std::tie(row.size, row.bold, row.italic, row.underline))
        << row.text;
  }
  EXPECT_FALSE(find(page, "Exceeds Design Guidelines"));
  // The outdoor row: its cells start each print zone from the name on.
  std::vector<std::pair<std::string, double>> outdoor;
  for (const PageItem& item : page.items()) {
    if (std::abs(item.y - (table + lines(3, 9))) < 1e-9) {
      outdoor.emplace_back(item.text, item.x);
    }
  }
  EXPECT_EQ(outdoor, (std::vector<std::pair<std::string, double>>{{"Outdoor", column(18, 9)},
                                                                  {"1,005", column(43, 9)},
                                                                  {"1,072", column(57, 9)},
                                                                  {"95.0", column(71, 9)},
                                                                  {"75.0", column(85, 9)},
                                                                  {"97.8", column(99, 9)},
                                                                  {"39.6", column(113, 9)},
                                                                  {"38.21", column(127, 9)}}));
  std::vector<std::tuple<std::string, double, double, double, double>> pictures;
  for (const PageItem& item : page.items()) {
    if (item.kind == PageItem::Kind::Picture) {
      pictures.emplace_back(item.text, item.x, item.y, item.width, item.height);
    }
    if (item.kind == PageItem::Kind::Line) {
      EXPECT_EQ(std::tie(item.x, item.y, item.width, item.height),
                std::make_tuple(1.05, 6.12, 7.6, 6.12));
    }
  }
  EXPECT_EQ(pictures, (std::vector<std::tuple<std::string, double, double, double, double>>{
                          {"logo0", 0.78, 0.5, 3, 0.4},
                          {"wheel", 0.5, 2.8, 3.1, 2.3},
                          {"badge", 5, 0.5, 2.01, 1.07}}));
  EXPECT_TRUE(page.finished());
}

TEST_F(ReportTest, DesignGuidelineLineOnlyAboveTwelveHundredFiftyFeetAMinute) {
  const struct {
    float supply;
    float exhaust;
    bool exceeds;
  } rows[] = {{1250, 1250, false}, {1250.01F, 900, true}, {900, 1251, true}, {0, 0, false}};
  for (const auto& row : rows) {
    state.VelOa = row.supply;
    state.VelEa = row.exhaust;
    const platform::RecordingPage page = print();
    EXPECT_EQ(find(page, "Exceeds Design Guidelines").has_value(), row.exceeds) << row.supply;
  }
}

TEST_F(ReportTest, CustomWheelPrintsCustomForMotorFrameAndBearings) {
  fields.overrides.chkAutoSelect.setValue(1);
  windows.overrides.cmdOROK.click();
  ASSERT_EQ(state.ModelIndex, 0);
  const platform::RecordingPage page = print();
  const double block = 2.6;
  EXPECT_NEAR(std::get<1>(place(page, "Custom")), block + lines(10, 9), 1e-9);
  EXPECT_NEAR(std::get<0>(place(page, " CUSTOM ")), column(43, 9), 1e-9);
  EXPECT_NEAR(std::get<0>(place(page, " CUSTOM")), column(43, 9), 1e-9);
  EXPECT_TRUE(find(page, "Model Number: KTR Custom 364"));
}

TEST_F(ReportTest, SIUnitsConvertTheFiguresAndTheMotor) {
  catalog.MotorHP[static_cast<std::size_t>(state.ModelIndex)] = "1.5";
  const platform::RecordingPage english = print();
  EXPECT_TRUE(find(english, "1.5"));
  windows.settings.cmdSIUnits.click();
  windows.settings.cmdSettingsOK.click();
  const platform::RecordingPage page = print();
  for (const char* text :
       {"   Wheel Diam., cm.", "61.0", "   Purge Vol., m3/hr", "   Drive Motor, kw", "1.119",
        "Energy Conserved, kw", "Face Velocity, m/sec", "Pressures, Pascals", "498.", "std. m3/hr ",
        "act.m3/hr", "°C DB", "kjoule/kg", "(Elevation: 0 meters above Sea Level)"}) {
    EXPECT_TRUE(find(page, text)) << text;
  }
  // Total effectiveness with two decimals, sensible and latent with one.
  const double block = 2.6;
  for (const auto& [line, decimals] : {std::pair{11, 1}, std::pair{12, 1}, std::pair{13, 2}}) {
    bool seen = false;
    for (const PageItem& item : page.items()) {
      if (std::abs(item.x - column(126, 9)) < 1e-9 &&
          std::abs(item.y - (block + lines(line, 9))) < 1e-9) {
        EXPECT_EQ(item.text.size() - item.text.find('.') - 1, static_cast<std::size_t>(decimals))
            << item.text;
        seen = true;
      }
    }
    EXPECT_TRUE(seen) << line;
  }
}

TEST_F(ReportTest, PrivateLabelPrintsItsOwnHeadingAndNoSeal) {
  state.PrivateLabel = 1;
  const platform::RecordingPage page = print();
  EXPECT_NEAR(std::get<1>(place(page, "Rotary Energy Recovery Ventilator")), 1.2, 1e-9);
  EXPECT_NEAR(std::get<0>(place(page, "Rotary Energy Recovery Ventilator")), column(12, 12), 1e-9);
  EXPECT_TRUE(find(page, "Unit Model: KW24-4"));
  for (const PageItem& item : page.items()) {
    EXPECT_NE(item.text, "badge");
    EXPECT_NE(item.text, "logo0");
  }
  EXPECT_TRUE(find(page, "Telephone 555-0160  ·  Fax 555-0161"));
}

TEST_F(ReportTest, PrintRunsOncePerCopyAndACancelPrintsNothing) {
  printDialog.answer = 3;
  windows.main.mnuFilePrint.click();
  ASSERT_EQ(pages.pages.size(), 3U);
  for (const auto& page : pages.pages) {
    EXPECT_TRUE(page->finished());
    EXPECT_EQ(page->items().size(), pages.pages[0]->items().size());
  }
  printDialog.answer = std::nullopt;
  windows.main.tbToolBar_ButtonClick(*windows.main.tbToolBar.find("Print"));
  EXPECT_EQ(pages.pages.size(), 3U);
  EXPECT_TRUE(messages.messages().empty());

  printDialog.answer = 1;
  pages.fail = true;
  windows.main.mnuFilePrint.click();
  EXPECT_EQ(texts(), std::vector<std::string>{"Print: The printer is not ready."});
}

TEST_F(ReportTest, ExportPdfAsksForAPathAndReportsAFailure) {
  files.answer = "/tmp/case.pdf";
  windows.main.mnuFileExportPdf.click();
  EXPECT_EQ(pages.pdfPaths, std::vector<std::string>{"/tmp/case.pdf"});
  EXPECT_EQ(files.asked, std::vector<std::string>{"Export PDF|PDF Files (*.pdf)|*.pdf"});
  pages.fail = true;
  EXPECT_FALSE(windows.main.exportPdf("/tmp/other.pdf"));
  EXPECT_EQ(texts(), std::vector<std::string>{
                         "Export PDF: The report could not be written to /tmp/other.pdf: The "
                         "printer is not ready."});
}

}  // namespace
}  // namespace ui::testing
