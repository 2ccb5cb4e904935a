// The main window's printed report (File Print, File Export PDF): one page
// that reads like an engineering data sheet.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "platform/NumberText.h"
#include "platform/PageCursor.h"
#include "ui/Windows.h"
#include "ui/main/CodeCheckCase.h"
#include "units/Units.h"

namespace ui {

namespace {

// Character columns of the page's blocks.
constexpr int kTableColumn = 18;
constexpr int kLeftLabels = 65;
constexpr int kLeftValues = 89;
constexpr int kRightLabels = 103;
constexpr int kRightValues = 126;
// The stream table's figures fill one print zone each from this column on.
constexpr int kFirstFigureColumn = 36;
constexpr std::size_t kFigureColumns = 7;
constexpr int kZoneColumns = 14;

// Where the code check block starts, a share of the printable width: clear
// of the cassette's descriptions.
constexpr double kCodeCheckLeft = 0.62;

struct CompanyLine {
  int column;
  const char* text;
};

// Our maker's and our private-label customer's blocks. Neither address
// exists; 555-01xx numbers are never given out.
constexpr CompanyLine kMaker[] = {
    {27, "Kestrix Air Systems · 4100 Imaginary Parkway · Nowhere Falls, ZZ 00000"},
    {34, "Telephone 555-0142  ·  Fax 555-0143  ·  Service 555-0144"},
    {55, "www.kestrix.example.com"},
};
constexpr CompanyLine kPrivateLabel[] = {
    {21, "Brisklen Ventilation Products  ·  77 Fictional Lane  ·  Noplace, ZZ 00000"},
    {40, "Telephone 555-0160  ·  Fax 555-0161"},
    {40, "Toll free 555-0170  ·  Fax 555-0171"},
};

constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

// Today with the month written out ("9 December 2026"), which no reader
// takes for another day; SOURCE_DATE_EPOCH, when set, fixes the day so a
// report can be made again byte for byte.
std::string reportDate() {
  std::time_t now = std::time(nullptr);
  if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
    now = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
  }
  std::tm day{};
  if (std::getenv("SOURCE_DATE_EPOCH") != nullptr) {
    gmtime_r(&now, &day);
  } else {
    localtime_r(&now, &day);
  }
  return std::to_string(day.tm_mday) + " " + kMonths[day.tm_mon] + " " +
         std::to_string(day.tm_year + 1900);
}

std::string variantText(const platform::Variant& value) {
  if (const auto* text = std::get_if<std::string>(&value)) {
    return *text;
  }
  if (const auto* number = std::get_if<double>(&value)) {
    return platform::decimalText(*number);
  }
  return "";
}

// Figures set one under another with their decimal points in line (a whole
// number ends where the points stand), so a minus sign or a wider figure
// never pushes the digits out of their places.
class FigureColumn {
 public:
  FigureColumn(const platform::Page& page, const std::vector<std::string>& figures) : page_(page) {
    for (const std::string& figure : figures) {
      const std::size_t point = figure.find(platform::numberLocale().decimalPoint);
      whole_ = std::max(whole_, page.textWidth(figure.substr(0, point)));
      fraction_ = std::max(fraction_,
                           point == std::string::npos ? 0.0 : page.textWidth(figure.substr(point)));
    }
  }
  double width() const { return whole_ + fraction_; }

  // A figure of the column whose widest figure starts at `left`.
  void print(platform::Page& page, double left, double y, const std::string& figure) const {
    const std::size_t point = figure.find(platform::numberLocale().decimalPoint);
    page.text(left + whole_ - page_.textWidth(figure.substr(0, point)), y, figure);
  }

 private:
  const platform::Page& page_;
  double whole_ = 0;
  double fraction_ = 0;
};

// A row of a two-column block: a label and the figure beside it.
struct Row {
  std::string label;
  std::string value;
};

void printBlock(platform::PageCursor& cursor, double y, int labelColumn, int valueColumn,
                const std::vector<Row>& rows) {
  platform::Page& page = cursor.page();
  std::vector<std::string> figures;
  for (const Row& row : rows) {
    figures.push_back(row.value);
  }
  const FigureColumn column(page, figures);
  cursor.moveTo(0, y);
  for (const Row& row : rows) {
    cursor.tab(valueColumn);
    const double left = cursor.x();
    cursor.tab(labelColumn);
    cursor.print(row.label);
    if (!row.value.empty()) {
      column.print(page, left, cursor.y(), row.value);
    }
    cursor.newLine();
  }
}

// The drive motor in horsepower or kilowatts. Catalogs and custom wheels
// write it as a decimal or a fraction ("1/4"); any other text is printed as
// it stands.
std::string motorText(const std::string& hp, bool si) {
  std::optional<double> number = platform::parseInvariant<double>(hp);
  if (const std::size_t slash = hp.find('/'); !number && slash != std::string::npos) {
    const auto numerator = platform::parseInvariant<double>(hp.substr(0, slash));
    const auto denominator = platform::parseInvariant<double>(hp.substr(slash + 1));
    if (numerator && denominator && *denominator != 0) {
      number = *numerator / *denominator;
    }
  }
  if (!number) {
    return hp;
  }
  if (!si) {
    return hp.find('/') != std::string::npos ? hp : platform::formatNumber(*number, "0.0##");
  }
  return platform::formatNumber(*number * units::kKilowattsPerHorsepower, "0.0##");
}

// The wheel picture is drawn 0.01 in to its unit: its wheel's centre, the
// rim of its media and the edge of its hub, in inches from the picture's
// corner.
constexpr double kWheelLeft = 0.5;
constexpr double kWheelTop = 2.8;
constexpr double kWheelCentreX = 1.55;
constexpr double kWheelCentreY = 1.09;
constexpr double kRimRadius = 0.58;
constexpr double kHubRadius = 0.10;
constexpr int kMostSpokesDrawn = 72;  // more would fill the media solid

// The model's spokes, equally spaced from the top, hub to rim.
void drawSpokes(platform::Page& page, int count) {
  const int drawn = std::min(count, kMostSpokesDrawn);
  for (int k = 0; k < drawn; ++k) {
    const double angle = 2 * std::numbers::pi * k / drawn;
    const double dx = std::sin(angle);
    const double dy = -std::cos(angle);
    const double cx = kWheelLeft + kWheelCentreX;
    const double cy = kWheelTop + kWheelCentreY;
    page.line(cx + kHubRadius * dx, cy + kHubRadius * dy, cx + kRimRadius * dx,
              cy + kRimRadius * dy);
  }
}

// Text cut at the end with "…" so that it is at most `width` inches wide.
std::string elided(const platform::Page& page, const std::string& text, double width) {
  if (page.textWidth(text) <= width) {
    return text;
  }
  std::string kept = text;
  while (!kept.empty() && page.textWidth(kept + "…") > width) {
    // A whole UTF-8 character at a time: its continuation bytes, then its lead.
    unsigned char removed = 0;
    do {
      removed = static_cast<unsigned char>(kept.back());
      kept.pop_back();
    } while (!kept.empty() && (removed & 0xC0) == 0x80);
  }
  return kept + "…";
}

}  // namespace

void frmWheel::Printout(platform::Page& page, const ReportPages& more) {
  const ModCalc::CalcState& s = state();
  const ModCalc::ModelCatalog& c = engine().catalog;
  const std::size_t sel = static_cast<std::size_t>(s.ModelIndex);
  const ResultTexts r = shownResults();
  const bool si = r.display.si;
  const bool totalEnergy = r.display.totalEnergy;
  const bool maker = s.PrivateLabel == 0;
  const auto fmt = [](double value, const char* pattern) {
    return platform::formatNumber(value, pattern);
  };
  platform::PageCursor cursor(page);
  platform::Font font;
  const auto setFont = [&](float size, bool bold, bool italic = false, bool underline = false) {
    font.size = size;
    font.bold = bold;
    font.italic = italic;
    font.underline = underline;
    page.setFont(font);
  };

  // Pictures.
  if (maker) {
    page.picture("logo0", 0.78, 0.5, 3, 0.4);
  } else {
    page.picture("logo1", 1.28, 0.5, 2, 0.6);
  }
  page.pictureWithout("wheel", "spokes", kWheelLeft, kWheelTop, 3.1, 2.3);
  drawSpokes(page, c.SpokeCount[sel]);
  if (maker && totalEnergy) {
    page.picture("badge", 5, 0.5, 2.01, 1.07);
  }

  // The streams around the wheel.
  page.setFont(font);
  const std::pair<const char*, std::pair<double, double>> names[] = {{"Supply", {0.7, 3.0}},
                                                                     {"Outdoor", {2.5, 3.0}},
                                                                     {"Return", {0.7, 4.6}},
                                                                     {"Exhaust", {2.5, 4.6}}};
  for (const auto& [name, at] : names) {
    cursor.moveTo(at.first, at.second);
    cursor.print(name);
  }

  // Heading.
  setFont(12, true);
  const std::string season = r.season + " Operation";
  if (maker) {
    cursor.moveTo(0, 0.9);
    cursor.tab(16);
    cursor.print(totalEnergy ? "Thermarotor" : "Calorotor");
  } else {
    cursor.moveTo(0, 1.2);
    cursor.tab(12);
    cursor.print("Rotary Energy Recovery Ventilator");
  }
  cursor.newLine();
  cursor.tab(20);
  cursor.print(season);
  cursor.newLine();

  // Title, date and model.
  cursor.moveTo(0, 1.8);
  setFont(10, true);
  cursor.tab(12);
  cursor.zone("Title:");
  cursor.print(elided(page, s.ProjectTitle, page.printableWidth() - cursor.x()));
  cursor.newLine();
  cursor.tab(12);
  cursor.zone("Date:  ");
  cursor.print(reportDate());
  cursor.newLine();
  setFont(12, true);
  if (maker) {
    cursor.newLine();
    cursor.tab(57);
    cursor.print(std::string("Model Number: ") + (totalEnergy ? "KTR " : "KSR ") + s.ModelNameSel);
    cursor.newLine();
  } else {
    cursor.tab(57);
    cursor.print("Unit Model: " + s.ModelNameSel);
    cursor.newLine();
    cursor.tab(57);
    cursor.print("Wheel Model: '" + variantText(c.BearingText[sel]));
    cursor.newLine();
  }

  // Wheel, cassette and energy.
  setFont(9, false);
  const double length = si ? units::kCentimetresPerInch : 1;
  const char* lengthUnit = si ? "cm." : "in.";
  const bool litres = s.SIFlowUnit == 1;
  const std::string motor =
      s.ModelIndex == 0 && c.MotorHP[0].empty() ? "Custom" : motorText(c.MotorHP[sel], si);
  const char* heatPattern = si ? "#,##0.00" : "##,###,###";
  const auto dimension = [&](float inches, const char* pattern) {
    return fmt(inches * length, pattern);
  };
  printBlock(
      cursor, 2.6, kLeftLabels, kLeftValues,
      {{"Wheel Parameters", ""},
       {std::string("   Wheel Diam., ") + lengthUnit, dimension(c.WheelDiam[sel], "###.0")},
       {std::string("   Wheel Depth, ") + lengthUnit, dimension(c.WheelDepth[sel], "#.0")},
       {"   Purge Angle, °", fmt(r.purgeAngle.value, "#0.0")},
       {si ? (litres ? "   Purge Vol., l/sec" : "   Purge Vol., m3/hr") : "   Purge Vol., scfm",
        fmt(r.purgeVolume.value, "##,##0")},
       {"   Wheel Speed, RPM", r.wheelSpeed.text()},
       {"   ", ""},
       {"   ", ""},
       {"", ""},
       {"Cassette Parameters", ""},
       {si ? "   Drive Motor, kW" : "   Drive Motor, HP", motor},
       {std::string("   Height, ") + lengthUnit, dimension(c.CasHeight[sel], "###.0")},
       {std::string("   Width, ") + lengthUnit, dimension(c.CasWidth[sel], "###.0")},
       {std::string("   Depth, ") + lengthUnit, dimension(c.CasDepth[sel], "###.0")},
       {"", ""},
       {si ? "Energy Conserved, kW" : "Energy Conserved, BTU/h", ""},
       {"   Sensible", fmt(r.heatSensible.value, heatPattern)},
       {"   Latent", fmt(r.heatLatent.value, heatPattern)},
       {"   Total", fmt(r.heatTotal.value, heatPattern)},
       {"", ""},
       {si ? "Water Recovered, kg/h" : "Water Recovered, lb/h", r.waterRecovered.text()}});

  // Velocities, pressures and effectiveness.
  const char* velocityPattern = si ? "#,##0.00" : "###,###";
  const char* pressurePattern = si ? "###0" : "#0.00";
  const auto staticPressure = [&](float inWC) {
    // A float product, as the main window's pressure drops are.
    const auto pascals = static_cast<float>(units::kPascalsPerInchOfWater);
    return fmt(si ? inWC * pascals : inWC, pressurePattern);
  };
  printBlock(cursor, 2.6, kRightLabels, kRightValues,
             {{si ? "Face Velocity, m/sec" : "Face Velocity, sfpm", ""},
              {"   Supply Side", fmt(r.velocityOutdoor.value, velocityPattern)},
              {"   Exhaust Side", fmt(r.velocityExhaust.value, velocityPattern)},
              {r.velocityTooHigh ? "Exceeds Design Guidelines" : "", ""},
              {si ? "Pressures, Pascals" : "Pressures, in. w.c.", ""},
              {"   OA Static", staticPressure(s.PoaInWC)},
              {"   RA Static", staticPressure(s.PraInWC)},
              {"   Supply Delta P", fmt(r.dpSupply.shown, pressurePattern)},
              {"   Exhaust Delta P", fmt(r.dpExhaust.shown, pressurePattern)},
              {"", ""},
              {"Effectiveness (Efficiency)", ""},
              {"   Sensible, %", fmt(100 * r.eSensible.value, "#0.0")},
              {"   Latent, %", fmt(100 * r.eLatent.value, "#0.0")},
              {"   Total, %", fmt(100 * r.eTotal.value, "#0.0")}});

  // The four air streams: the names, then seven columns of figures, each
  // column centred under its headings in its print zone.
  const std::string flowWord = litres ? "l/sec" : "m3/hr";
  const std::array<std::array<std::string, 2>, kFigureColumns> headings{{
      {"Volume", si ? "std. " + flowWord : "scfm"},
      {"Volume", si ? "act. " + flowWord : "acfm"},
      {"", si ? "°C DB" : "°F DB"},
      {"", r.units.humidity},
      {"", r.units.ratio},
      {"", "RH%"},
      {"Enthalpy", si ? "kjoule/kg" : "BTU / lb"},
  }};
  std::array<std::vector<std::string>, kFigureColumns> figures;
  for (const StreamTexts& row : r.streams) {
    const std::string cells[kFigureColumns] = {row.standardVolume.text(),
                                               row.actualVolume.text(),
                                               row.dryBulb.text(),
                                               row.humidity.text(),
                                               row.ratio.text(),
                                               row.relativeHumidity.text(),
                                               fmt(row.enthalpy.value, "#0.00")};
    for (std::size_t column = 0; column < kFigureColumns; ++column) {
      figures[column].push_back(cells[column]);
    }
  }
  const double top = 5.8;
  const double line = page.lineHeight();
  const double zone = kZoneColumns * page.charWidth();
  cursor.moveTo(0, top);
  cursor.tab(kTableColumn);
  const double tableLeft = cursor.x();
  cursor.tab(kFirstFigureColumn);
  double tableRight = tableLeft;
  for (std::size_t column = 0; column < kFigureColumns; ++column) {
    const double centre = cursor.x() + (static_cast<double>(column) + 0.5) * zone;
    for (std::size_t row = 0; row < 2; ++row) {
      const double width = page.textWidth(headings[column][row]);
      page.text(centre - width / 2, top + static_cast<double>(row) * line, headings[column][row]);
      tableRight = std::max(tableRight, centre + width / 2);
    }
    const FigureColumn figureColumn(page, figures[column]);
    const double left = centre - figureColumn.width() / 2;
    for (std::size_t row = 0; row < r.streams.size(); ++row) {
      figureColumn.print(page, left, top + static_cast<double>(row + 3) * line,
                         figures[column][row]);
    }
    tableRight = std::max(tableRight, left + figureColumn.width());
  }
  for (std::size_t row = 0; row < r.streams.size(); ++row) {
    page.text(tableLeft, top + static_cast<double>(row + 3) * line, r.streams[row].name);
  }
  cursor.moveTo(0, top + 8 * line);
  cursor.tab(kTableColumn);
  cursor.print(si ? "(Elevation: " + platform::decimalText(s.ElevFt * units::kMetresPerFoot) +
                        " meters above Sea Level)"
                  : "(Elevation: " + platform::decimalText(s.ElevFt) + " ft. above Sea Level)");
  page.line(tableLeft, 6.12, tableRight, 6.12);
  if (r.frost) {
    // An exhaust RH above 100 % needs its reason beside it.
    cursor.tab(kFirstFigureColumn + 2 * kZoneColumns);
    setFont(9, true);
    cursor.print("Frost: the exhaust is supersaturated below freezing.");
    setFont(9, false);
  }

  // The wheel and cassette described in words, as a purchase order quotes them.
  cursor.moveTo(0, 7.2);
  const auto heading = [&](const char* text) {
    setFont(9, false, false, true);
    cursor.tab(kTableColumn);
    cursor.print(text);
    setFont(9, false);
    cursor.newLine();
    cursor.newLine();
  };
  double textColumn = 0;  // where the last description began
  const auto describe = [&](const char* label, const std::string& text) {
    cursor.tab(kTableColumn);
    cursor.zone(label);
    textColumn = cursor.x();
    cursor.print(text);
    cursor.newLine();
  };
  const bool custom = s.ModelIndex == 0;
  heading("WHEEL");
  describe("        WHEEL:", "Unitary rotor design with " + std::to_string(c.SpokeCount[sel]) +
                                 " spokes equally spaced");
  describe("  ", "");
  if (totalEnergy) {
    describe(
        "        MEDIA:",
        "Total energy transfer type (sensible and latent), corrugated synthetic fibrous matrix");
    // The sentence goes on under itself.
    cursor.moveTo(textColumn, cursor.y());
    cursor.print("with molecular sieve desiccant");
    cursor.newLine();
  } else {
    describe("        MEDIA:",
             "Sensible energy transfer type (sensible only), corrugated synthetic fibrous matrix");
  }
  describe("  ", "");
  cursor.newLine();
  const double cassetteTop = cursor.y();
  heading("CASSETTE");
  describe("        FRAME:", custom ? "Custom" : c.FrameText[sel]);
  describe("        BEARINGS:", custom ? "Custom" : variantText(c.BearingText[sel]));
  describe("        AIR SEALS:", "Contact brush seals");
  describe("        PURGE:", "Adjustable Purge");
  describe("        DRIVE:", "Perimeter driven belt drive");

  // The energy code check beside the cassette, once the engineer has set one up.
  if (w_.codeCheck) {
    const double left = page.printableWidth() * kCodeCheckLeft;
    const std::vector<std::string> lines =
        codeCheckReportLines(checkCase(engine(), *w_.codeCheck), *w_.codeCheck);
    for (std::size_t k = 0; k < lines.size(); ++k) {
      setFont(9, k + 1 == lines.size(), false, k == 0);
      page.text(left, cassetteTop + static_cast<double>(k) * page.lineHeight(),
                elided(page, lines[k], page.printableWidth() - left));
    }
    setFont(9, false);
  }

  // Company block and version.
  cursor.moveTo(0, 9.5);
  setFont(10, true, true);
  for (const CompanyLine& line : maker ? kMaker : kPrivateLabel) {
    cursor.tab(line.column);
    cursor.print(line.text);
    cursor.newLine();
  }
  // The version keeps to the right margin, clear of the company block.
  setFont(8, true);
  const std::string version = versionText();
  page.text(page.printableWidth() - page.textWidth(version), 10.2, version);
  if (more) {
    page.newPage();
    more(page);
  }
  page.finish();
}

void frmWheel::mnuFilePrint_Click() {
  if (!calculateForOutput()) {
    return;
  }
  // A cancelled dialog prints nothing and says nothing.
  const auto copies = ports().printDialog.copies();
  if (!copies) {
    return;
  }
  try {
    // Made before anything is printed: a report that cannot be whole is not
    // printed in part.
    const ReportPages more = reportPages ? reportPages() : ReportPages{};
    for (int copy = 1; copy <= *copies; ++copy) {
      Printout(*ports().pages.printerPage(), more);
    }
  } catch (const platform::PageError& error) {
    ports().messages.show(error.what(), "Print", platform::MessageIcon::Exclamation);
  }
}

void frmWheel::mnuFileExportPdf_Click() {
  const auto path = ports().files.savePath("Export PDF", "PDF Files (*.pdf)|*.pdf");
  if (path && !path->empty()) {
    exportPdf(*path);
  }
}

bool frmWheel::exportPdf(const std::string& path) {
  return exportPdf(path, reportPages);
}

bool frmWheel::exportPdf(const std::string& path, const std::function<ReportPages()>& more) {
  if (!calculateForOutput()) {
    return false;
  }
  try {
    const ReportPages pages = more ? more() : ReportPages{};
    const std::string& title = state().ProjectTitle;
    Printout(*ports().pages.pdfPage(path, title.empty() ? "KTR wheel rating" : title), pages);
    return true;
  } catch (const platform::PageError& error) {
    ports().messages.show("The report could not be written to " + path + ": " + error.what(),
                          "Export PDF", platform::MessageIcon::Exclamation);
    return false;
  }
}

}  // namespace ui
