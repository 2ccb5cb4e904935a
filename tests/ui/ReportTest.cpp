#include <algorithm>
#include <cmath>
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
      {"14 November 2023", column(29, 10), dateLine, 10, true, false, false},
      {"Model Number: KTR KW24-4", column(57, 12), model, 12, true, false, false},
      {"Wheel Parameters", column(65, 9), block, 9, false, false, false},
      {"   Wheel Diam., in.", column(65, 9), block + lines(1, 9), 9, false, false, false},
      {"   Drive Motor, HP", column(65, 9), block + lines(10, 9), 9, false, false, false},
      {"Energy Conserved, BTU/h", column(65, 9), block + lines(15, 9), 9, false, false, false},
      {"Face Velocity, sfpm", column(103, 9), block, 9, false, false, false},
      {"   OA Static", column(103, 9), block + lines(5, 9), 9, false, false, false},
      {"Effectiveness (Efficiency)", column(103, 9), block + lines(10, 9), 9, false, false, false},
      {"(Elevation: 0 ft. above Sea Level)", column(18, 9), table + lines(8, 9), 9, false, false,
       false},
      {"WHEEL", column(18, 9), 7.2, 9, false, false, true},
      {"        WHEEL:", column(18, 9), 7.2 + lines(2, 9), 9, false, false, false},
      {"Unitary rotor design with 4 spokes equally spaced", column(43, 9), 7.2 + lines(2, 9), 9,
       false, false, false},
      {"with molecular sieve desiccant", column(43, 9), 7.2 + lines(5, 9), 9, false, false, false},
      {"CASSETTE", column(18, 9), 7.2 + lines(8, 9), 9, false, false, true},
      {"Contact brush seals", column(43, 9), 7.2 + lines(12, 9), 9, false, false, false},
      {"www.kestrix.example.com", column(55, 10), 9.5 + lines(2, 10), 10, true, true, false},
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
  EXPECT_FALSE(find(page, "Frost: the exhaust is supersaturated below freezing."));
  std::vector<std::tuple<std::string, double, double, double, double>> pictures;
  for (const PageItem& item : page.items()) {
    if (item.kind == PageItem::Kind::Picture) {
      pictures.emplace_back(item.text, item.x, item.y, item.width, item.height);
    }
  }
  EXPECT_EQ(pictures, (std::vector<std::tuple<std::string, double, double, double, double>>{
                          {"logo0", 0.78, 0.5, 3, 0.4},
                          {"wheel", 0.5, 2.8, 3.1, 2.3},
                          {"badge", 5, 0.5, 2.01, 1.07}}));
  EXPECT_TRUE(page.finished());
}

// Where a figure's decimal point stands (a whole number's right edge).
double point(const PageItem& item) {
  const std::size_t digits = std::min(item.text.find('.'), item.text.size());
  return item.x + static_cast<double>(digits) * item.font.size / 72 / 2;
}
double right(const PageItem& item) {
  return item.x + static_cast<double>(item.text.size()) * item.font.size / 72 / 2;
}

TEST_F(ReportTest, FiguresKeepTheirDecimalPointsInLineAndHeadingsCentred) {
  // A winter case: negative temperatures, enthalpies and energies.
  fields.inputs.txtToa.setText("-10");
  fields.inputs.txtMoa.setText("-12");
  windows.inputs.cmdCalc.click();
  for (const bool si : {false, true}) {
    SCOPED_TRACE(si ? "SI" : "English");
    if (si) {
      windows.settings.cmdSIUnits.click();
      windows.settings.cmdSettingsOK.click();
    }
    const platform::RecordingPage page = print();
    // The two blocks: every figure's point in one place, the widest figure
    // at the value column.
    for (const auto& [from, to] : {std::pair{89, 103}, std::pair{126, 160}}) {
      std::vector<PageItem> figures;
      for (const PageItem& item : page.items()) {
        if (item.y > 2.6 && item.y < 5.7 && item.x > column(from, 9) - 1e-9 &&
            item.x < column(to, 9)) {
          figures.push_back(item);
        }
      }
      ASSERT_GE(figures.size(), 9U) << from;
      double left = figures[0].x;
      for (const PageItem& figure : figures) {
        EXPECT_NEAR(point(figure), point(figures[0]), 1e-9) << figure.text;
        left = std::min(left, figure.x);
      }
      EXPECT_NEAR(left, column(from, 9), 1e-9) << from;
    }
    // The stream table: seven columns of four figures under centred headings.
    const double table = 5.8;
    const auto row = [&](double line) {
      std::vector<PageItem> cells;
      for (const PageItem& item : page.items()) {
        if (item.kind == PageItem::Kind::Text &&
            std::abs(item.y - (table + lines(line, 9))) < 1e-9 && item.x > column(30, 9)) {
          cells.push_back(item);
        }
      }
      std::sort(cells.begin(), cells.end(),
                [](const PageItem& a, const PageItem& b) { return a.x < b.x; });
      return cells;
    };
    const std::vector<PageItem> units = row(1);
    ASSERT_EQ(units.size(), 7U);
    std::vector<std::vector<PageItem>> rows;
    for (int line = 3; line <= 6; ++line) {
      rows.push_back(row(line));
      ASSERT_EQ(rows.back().size(), 7U) << line;
    }
    double tableRight = 0;
    for (std::size_t k = 0; k < 7; ++k) {
      double left = rows[0][k].x;
      double rightEdge = 0;
      for (const auto& cells : rows) {
        EXPECT_NEAR(point(cells[k]), point(rows[0][k]), 1e-9) << cells[k].text;
        left = std::min(left, cells[k].x);
        rightEdge = std::max(rightEdge, right(cells[k]));
      }
      EXPECT_NEAR((units[k].x + right(units[k])) / 2, (left + rightEdge) / 2, 1e-9)
          << units[k].text;
      tableRight = std::max({tableRight, rightEdge, right(units[k])});
    }
    EXPECT_EQ(rows[0][2].text, si ? "-23.3" : "-10.0");
    EXPECT_TRUE(find(page, "Frost: the exhaust is supersaturated below freezing."));
    // The rule spans the table and no further.
    bool ruled = false;
    for (const PageItem& item : page.items()) {
      if (item.kind == PageItem::Kind::Line && item.y == 6.12) {
        EXPECT_NEAR(item.x, column(18, 9), 1e-9);
        EXPECT_NEAR(item.width, tableRight, 1e-9);
        ruled = true;
      }
    }
    EXPECT_TRUE(ruled);
  }
}

TEST_F(ReportTest, LongTitlesAreCutToThePrintableWidth) {
  const double column10 = 10.0 / 72 / 2;
  for (const std::string& title : {std::string("North wing"), "Süd " + std::string(200, 'x')}) {
    fields.inputs.txtTitle.setText(title);
    windows.inputs.cmdCalc.click();
    const platform::RecordingPage page = print();
    const auto label = std::find_if(page.items().begin(), page.items().end(),
                                    [](const PageItem& item) { return item.text == "Title:"; });
    ASSERT_NE(label + 1, page.items().end());
    const PageItem& printed = *(label + 1);
    EXPECT_LE(right(printed), page.printableWidth() + 1e-9);
    if (title.size() < 20) {
      EXPECT_EQ(printed.text, title);
    } else {
      EXPECT_TRUE(printed.text.starts_with("Süd xxx") && printed.text.ends_with("…"))
          << printed.text;
      EXPECT_GT(right(printed), page.printableWidth() - 2 * column10) << "cut no more than needed";
    }
  }
}

// The block appears once the engineer has set up a check, beside the
// cassette and clear of its descriptions, and within the page.
TEST_F(ReportTest, CodeCheckBlockOnlyOnceTheCheckIsSetUp) {
  EXPECT_FALSE(find(print(), "ENERGY CODE (ASHRAE 90.1-2019)"));
  for (const ModCalc::EnergyCode code :
       {ModCalc::EnergyCode::Ashrae901_2019, ModCalc::EnergyCode::Eu1253_2014}) {
    windows.codeCheck.emplace().code = code;
    const platform::RecordingPage page = print();
    const std::string heading = "ENERGY CODE (" + std::string(ModCalc::energyCodeTitle(code)) + ")";
    const auto head = find(page, heading);
    ASSERT_TRUE(head) << heading;
    EXPECT_TRUE(head->font.underline);
    EXPECT_EQ(head->y, find(page, "CASSETTE")->y);
    const auto verdict = std::find_if(page.items().begin(), page.items().end(), [](const auto& i) {
      return i.text.starts_with("Verdict: ");
    });
    ASSERT_NE(verdict, page.items().end());
    EXPECT_TRUE(verdict->font.bold);
    EXPECT_NEAR(verdict->y - head->y, lines(4, 9), 1e-9) << "five lines";
    for (const PageItem& item : page.items()) {
      if (item.y >= head->y && item.y <= verdict->y) {
        EXPECT_LE(right(item), page.printableWidth() + 1e-9) << item.text;
        if (item.x < head->x) {
          EXPECT_LT(right(item), head->x) << item.text << " runs into the block";
        }
      }
    }
  }
}

TEST_F(ReportTest, TheWheelShowsTheModelsSpokes) {
  for (const int spokes : {4, 6, 3, 0, 1000}) {
    catalog.SpokeCount[static_cast<std::size_t>(state.ModelIndex)] =
        static_cast<std::int16_t>(spokes);
    const platform::RecordingPage page = print();
    int drawn = 0;
    for (const PageItem& item : page.items()) {
      if (item.kind == PageItem::Kind::Picture && item.text == "wheel") {
        EXPECT_EQ(item.leftOut, "spokes") << "the picture's own spokes left out";
      }
      if (item.kind == PageItem::Kind::Line && item.y != 6.12) {
        ++drawn;
        // Hub to rim, inside the picture.
        EXPECT_NEAR(std::hypot(item.width - item.x, item.height - item.y), 0.48, 1e-9);
        for (const auto& [x, y] : {std::pair{item.x, item.y}, std::pair{item.width, item.height}}) {
          EXPECT_TRUE(x > 0.5 && x < 3.6 && y > 2.8 && y < 5.1) << x << ", " << y;
        }
      }
    }
    EXPECT_EQ(drawn, std::min(spokes, 72)) << spokes;
  }
}

TEST_F(ReportTest, DriveMotorInHorsepowerOrKilowatts) {
  const struct {
    const char* hp;
    bool si;
    const char* printed;
  } rows[] = {{"1.5", false, "1.5"},  {"1.5", true, "1.119"}, {"1/4", false, "1/4"},
              {"1/4", true, "0.186"}, {"1/0", true, "1/0"},   {"special", true, "special"}};
  const double motorLine = 2.6 + lines(10, 9);
  for (const auto& row : rows) {
    catalog.MotorHP[static_cast<std::size_t>(state.ModelIndex)] = row.hp;
    state.SIUnits = row.si ? 1 : 0;
    const platform::RecordingPage page = print();
    std::string printed;
    for (const PageItem& item : page.items()) {
      if (std::abs(item.y - motorLine) < 1e-9 && item.x > column(80, 9) &&
          item.x < column(103, 9)) {
        printed = item.text;
      }
    }
    EXPECT_EQ(printed, row.printed) << row.hp << (row.si ? " SI" : "");
  }
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
  // The motor entered for the custom wheel, or "Custom" when none was.
  EXPECT_NEAR(std::get<1>(place(page, "1/3")), block + lines(10, 9), 1e-9);
  const auto customs = [](const platform::RecordingPage& printed) {
    std::vector<double> x;
    for (const PageItem& item : printed.items()) {
      if (item.text == "Custom") {
        x.push_back(item.x);
      }
    }
    return x;
  };
  EXPECT_EQ(customs(page), (std::vector<double>{column(43, 9), column(43, 9)}));
  EXPECT_TRUE(find(page, "Model Number: KTR Custom 364"));
  catalog.MotorHP[0] = "";
  EXPECT_EQ(customs(print()).size(), 3U);
}

TEST_F(ReportTest, SIUnitsConvertTheFiguresAndTheMotor) {
  catalog.MotorHP[static_cast<std::size_t>(state.ModelIndex)] = "1.5";
  const platform::RecordingPage english = print();
  EXPECT_TRUE(find(english, "1.5"));
  windows.settings.cmdSIUnits.click();
  windows.settings.cmdSettingsOK.click();
  const platform::RecordingPage page = print();
  for (const char* text :
       {"   Wheel Diam., cm.", "61.0", "   Purge Vol., m3/hr", "   Drive Motor, kW", "1.119",
        "Energy Conserved, kW", "Face Velocity, m/sec", "Pressures, Pascals", "498", "std. m3/hr",
        "act. m3/hr", "°C DB", "kjoule/kg", "(Elevation: 0 meters above Sea Level)"}) {
    EXPECT_TRUE(find(page, text)) << text;
  }
  // Every effectiveness with one decimal, as in English units.
  const double block = 2.6;
  for (const int line : {11, 12, 13}) {
    const int decimals = 1;
    bool seen = false;
    for (const PageItem& item : page.items()) {
      if (item.x > column(126, 9) - 1e-9 && std::abs(item.y - (block + lines(line, 9))) < 1e-9) {
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
  fields.inputs.txtTitle.setText("North wing");
  windows.inputs.cmdCalc.click();
  EXPECT_TRUE(windows.main.exportPdf("/tmp/north.pdf"));
  EXPECT_EQ(pages.pdfTitles, (std::vector<std::string>{"KTR wheel rating", "North wing"}));
  EXPECT_EQ(files.asked, std::vector<std::string>{"Export PDF|PDF Files (*.pdf)|*.pdf"});
  pages.fail = true;
  EXPECT_FALSE(windows.main.exportPdf("/tmp/other.pdf"));
  EXPECT_EQ(texts(), std::vector<std::string>{
                         "Export PDF: The report could not be written to /tmp/other.pdf: The "
                         "printer is not ready."});
}

// The pages the program adds come after the report's own, on a page of
// their own; pages that cannot be made stop the report before a page is
// asked for.
TEST_F(ReportTest, AddedPagesFollowTheReportOrStopIt) {
  windows.main.reportPages = [] {
    return [](platform::Page& page) { page.text(1, 1, "The year"); };
  };
  ASSERT_TRUE(windows.main.exportPdf("/tmp/two.pdf"));
  const auto& items = pages.pages.back()->items();
  ASSERT_GE(items.size(), 2U);
  EXPECT_EQ(items[items.size() - 2].kind, PageItem::Kind::NewPage);
  EXPECT_EQ(items.back().text, "The year");
  EXPECT_TRUE(pages.pages.back()->finished());
  EXPECT_TRUE(windows.main.exportPdf("/tmp/one.pdf", {}));
  EXPECT_EQ(pages.pages.back()->items().back().kind, PageItem::Kind::Text);
  EXPECT_NE(pages.pages.back()->items().back().text, "The year");

  windows.main.reportPages = []() -> frmWheel::ReportPages {
    throw platform::PageError("The annual page: no weather.");
  };
  EXPECT_FALSE(windows.main.exportPdf("/tmp/none.pdf"));
  EXPECT_EQ(pages.pdfPaths.back(), "/tmp/one.pdf");
  printDialog.answer = 1;
  windows.main.mnuFilePrint.click();
  EXPECT_EQ(pages.pages.size(), 2U) << "nothing printed";
  EXPECT_EQ(texts(), (std::vector<std::string>{
                         "Export PDF: The report could not be written to /tmp/none.pdf: The "
                         "annual page: no weather.",
                         "Print: The annual page: no weather."}));
}

}  // namespace
}  // namespace ui::testing
