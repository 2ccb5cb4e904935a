// The main window's printed report (File Print, File Export PDF): one page
// that reads like an engineering data sheet.

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>
#include <string>
#include <vector>

#include "platform/NumberText.h"
#include "platform/PageCursor.h"
#include "psych/modPsych.h"
#include "ui/Windows.h"
#include "units/Units.h"

namespace ui {

namespace {

// Character columns of the page's blocks.
constexpr int kTableColumn = 18;
constexpr int kLeftLabels = 65;
constexpr int kLeftValues = 89;
constexpr int kRightLabels = 103;
constexpr int kRightValues = 126;

constexpr float kHighFaceVelocity = 1250;  // sfpm

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

// Today in the user's short date form; SOURCE_DATE_EPOCH, when set, fixes
// the day so a report can be made again byte for byte.
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
  std::ostringstream text;
  try {
    text.imbue(std::locale(""));
  } catch (const std::runtime_error&) {
    // An environment naming a locale that is not installed: the C form.
  }
  text << std::put_time(&day, "%x");
  return text.str();
}

double variantNumber(const platform::Variant& value) {
  const double* number = std::get_if<double>(&value);
  return number != nullptr ? *number : 0;
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

// A row of a two-column block: a label and the value beside it.
struct Row {
  std::string label;
  std::string value;
};

void printBlock(platform::PageCursor& cursor, double y, int labelColumn, int valueColumn,
                const std::vector<Row>& rows) {
  cursor.moveTo(0, y);
  for (const Row& row : rows) {
    cursor.tab(labelColumn);
    cursor.print(row.label);
    cursor.tab(valueColumn);
    cursor.print(row.value);
    cursor.newLine();
  }
}

void printZones(platform::PageCursor& cursor, const std::vector<std::string>& cells) {
  cursor.tab(kTableColumn);
  for (const std::string& cell : cells) {
    cursor.zone(cell);
  }
  cursor.newLine();
}

}  // namespace

void frmWheel::Printout(platform::Page& page) {
  const ModCalc::CalcState& s = state();
  const ModCalc::ModelCatalog& c = engine().catalog;
  const ModCalc::SettingsFields& settings = fields().settings;
  const std::size_t sel = static_cast<std::size_t>(s.ModelIndex);
  const bool si = s.SIUnits == 1;
  const bool totalEnergy = settings.KTRSel.value();
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
  page.picture("wheel", 0.5, 2.8, 3.1, 2.3);
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
  const std::string season = lblSeason.caption() + " Operation";
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
  cursor.print(s.ProjectTitle);
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
  std::string motor = "Custom";
  if (s.ModelIndex != 0) {
    const std::string& hp = c.MotorHP[sel];
    const auto number = platform::parseInvariant<double>(hp);
    motor = number ? fmt(si ? *number * units::kKilowattsPerHorsepower : *number, "0.0##") : hp;
  }
  const char* heatPattern = si ? "#,###.00" : "##,###,###";
  const double heat = si ? units::kKilowattsPerBtuPerHour : 1;
  const auto dimension = [&](float inches, const char* pattern) {
    return fmt(inches * length, pattern);
  };
  printBlock(
      cursor, 2.6, kLeftLabels, kLeftValues,
      {{"Wheel Parameters", ""},
       {std::string("   Wheel Diam., ") + lengthUnit, dimension(c.WheelDiam[sel], "###.0")},
       {std::string("   Wheel Depth, ") + lengthUnit, dimension(c.WheelDepth[sel], "#.0")},
       {"   Purge Angle, °", fmt(s.PurgeAngle, "#0.0")},
       {si ? (litres ? "   Purge Vol., l/sec" : "   Purge Vol., m3/hr") : "   Purge Vol., scfm",
        fmt(si ? s.Vpurge / s.SIFlowFactor : s.Vpurge, "##,##0")},
       {"   Wheel Speed, RPM", fmt(s.WheelRpm, "##")},
       {"   ", ""},
       {"   ", ""},
       {"", ""},
       {"Cassette Parameters", ""},
       {si ? "   Drive Motor, kw" : "   Drive Motor, HP", motor},
       {std::string("   Height, ") + lengthUnit, dimension(c.CasHeight[sel], "###.0")},
       {std::string("   Width, ") + lengthUnit, dimension(c.CasWidth[sel], "###.0")},
       {std::string("   Depth, ") + lengthUnit, dimension(c.CasDepth[sel], "###.0")},
       {"", ""},
       {si ? "Energy Conserved, kw" : "Energy Conserved, BTU/h", ""},
       {"   Sensible", fmt(s.HeatS * heat, heatPattern)},
       {"   Latent", fmt(s.HeatL * heat, heatPattern)},
       {"   Total", fmt(s.HeatT * heat, heatPattern)}});

  // Velocities, pressures and effectiveness.
  const bool tooFast = s.VelOa > kHighFaceVelocity || s.VelEa > kHighFaceVelocity;
  const auto velocity = [&](float fpm) {
    return si ? fmt(fpm * units::kMetresPerFoot / units::kMinutesPerHour, "#,###.00")
              : fmt(fpm, "###,###");
  };
  const auto pressure = [&](float inWC) {
    // A float product, rounded as the main window's pressure labels are.
    const auto pascals = static_cast<float>(units::kPascalsPerInchOfWater);
    return si ? fmt(inWC * pascals, "###0.") : fmt(inWC, "#0.00");
  };
  printBlock(cursor, 2.6, kRightLabels, kRightValues,
             {{si ? "Face Velocity, m/sec" : "Face Velocity, sfpm", ""},
              {"   Supply Side", velocity(s.VelOa)},
              {"   Exhaust Side", velocity(s.VelEa)},
              {tooFast ? "Exceeds Design Guidelines" : "", ""},
              {si ? "Pressures, Pascals" : "Pressures, in. WC", ""},
              {"   OA Static", pressure(s.PoaInWC)},
              {"   RA Static", pressure(s.PraInWC)},
              {"   Supply Delta P", pressure(s.dPs)},
              {"   Exhaust Delta P", pressure(s.dPr)},
              {"", ""},
              {"Effectiveness (Efficiency)", ""},
              {"   Sensible, %", fmt(100 * s.EunbalS, "#0.0")},
              {"   Latent, %", fmt(100 * s.EunbalL, "#0.0")},
              {"   Total, %", fmt(100 * s.EunbalT, si ? "#0.00" : "#0.0")}});

  // The four air streams.
  cursor.moveTo(0, 5.8);
  printZones(cursor, {"", "", "Volume", "Volume", "", "", "", "", "Enthalpy"});
  const std::string flowWord = litres ? "l/sec" : "m3/hr";
  printZones(cursor,
             {"", "", si ? "std. " + flowWord + " " : "  scfm ", si ? "act." + flowWord : " acfm ",
              si ? "°C DB" : "°F DB", lblHum[0].caption(), lblHum1[0].caption(), " RH% ",
              si ? "kjoule/kg" : "BTU / lb"});
  cursor.newLine();
  const auto& actual = si ? s.SIFlowList : s.AcfmList;
  const auto enthalpy = [&](double h) {
    return fmt(si ? units::kilojoulesPerKilogram(h) : h, "##.00");
  };
  const struct {
    const char* name;
    const Label& volume;
    const Label& dryBulb;
    const std::array<Label, 3>& humidity;
    double h;
  } streams[] = {
      {"Outdoor", lblVoa, lblToa, lblWoa, s.Hoa},
      {"Supply", lblVsa, lblTsa, fields().main.lblWsa, s.Hsa},
      {"Return", lblVra, lblTra, lblWra, s.Hra},
      {"Exhaust", lblVea, lblTea, fields().main.lblWea, modPsych::Enthalpy(s.Tea, s.Wea)},
  };
  for (std::size_t k = 0; k < std::size(streams); ++k) {
    const auto& row = streams[k];
    printZones(cursor,
               {row.name, "", row.volume.caption(), fmt(variantNumber(actual[k]), "###,###"),
                row.dryBulb.caption(), row.humidity[0].caption(), row.humidity[1].caption(),
                row.humidity[2].caption(), enthalpy(row.h)});
  }
  cursor.newLine();
  cursor.tab(kTableColumn);
  cursor.print(si ? "(Elevation: " + platform::decimalText(s.ElevFt * units::kMetresPerFoot) +
                        " meters above Sea Level)"
                  : "(Elevation: " + platform::decimalText(s.ElevFt) + " ft. above Sea Level)");
  page.line(1.05, 6.12, 7.6, 6.12);

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
                                 " spokes equally spaced,");
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
  heading("CASSETTE");
  describe("        FRAME:", custom ? " CUSTOM " : c.FrameText[sel]);
  describe("        BEARINGS:", custom ? " CUSTOM" : variantText(c.BearingText[sel]));
  describe("        AIR SEALS:", "Contact brush seals");
  describe("        PURGE:", "Adjustable Purge");
  describe("        DRIVE:", "Perimeter driven belt drive");

  // Company block and version.
  cursor.moveTo(0, 9.5);
  setFont(10, true, true);
  for (const CompanyLine& line : maker ? kMaker : kPrivateLabel) {
    cursor.tab(line.column);
    cursor.print(line.text);
    cursor.newLine();
  }
  cursor.moveTo(6, 9.9);
  setFont(8, true);
  cursor.print(versionText());
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
    for (int copy = 1; copy <= *copies; ++copy) {
      Printout(*ports().pages.printerPage());
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
  if (!calculateForOutput()) {
    return false;
  }
  try {
    Printout(*ports().pages.pdfPage(path));
    return true;
  } catch (const platform::PageError& error) {
    ports().messages.show("The report could not be written to " + path + ": " + error.what(),
                          "Export PDF", platform::MessageIcon::Exclamation);
    return false;
  }
}

}  // namespace ui
