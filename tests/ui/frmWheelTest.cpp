// The main window: start-up and closing, its menus and toolbar,
// the results display and the frost speed control.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "engine/CustomWheel.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "tests/ui/UiFixture.h"
#include "ui/Calculate.h"

namespace ui::testing {
namespace {

using platform::Label;
using platform::Rgb;
using platform::ToolButton;
using platform::WindowState;

constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kRed{255, 0, 0};

std::string stored(const platform::SettingsStore& store, const char* key) {
  return store.value(kApplication, kSection, key, "<missing>");
}

struct Shown {
  const Label* label;
  const char* caption;
};

void expectCaptions(const std::vector<Shown>& rows) {
  for (const Shown& row : rows) {
    EXPECT_EQ(row.label->caption(), row.caption) << row.label->name();
  }
}

// ---------------------------------------------------------------------------
// Results display

class FillCaptionsTest : public UiTest {
 protected:
  FillCaptionsTest() {
    // Moist-air values that every psychrometric function takes without a
    // range message.
    state.Patm = 14.696;
    state.PoaAbs = 14.8F;
    state.PraAbs = 14.7F;
    state.Woa = state.Wsa = state.Wra = state.Wea = 60;
  }
  frmWheel& main = windows.main;
};

TEST_F(FillCaptionsTest, EnglishUnitsUseTheEnglishPatterns) {
  state.SIUnits = 0;
  state.ProjectTitle = "Clinic AHU-2";
  state.VelOa = 812.4F;   // "#,###"
  state.VelEa = 1001.6F;  // rounds up
  state.Vea = 10250.4F;   // "###,###"
  state.Tea = 0.5F;       // shown with its leading zero
  state.Vsa = 9800;
  state.Tsa = 61.25F;  // half away from zero
  state.Vra = 0;       // "###,###" shows nothing for zero
  state.Tra = 72;
  state.Voa = 10000;
  state.Toa = 95;
  state.WaterRecovered = 3.125F;  // "##0.00"
  state.dPs = 0.5F;               // "0.#0"
  state.dPr = 1.25F;
  state.Vpurge = 0;  // "###,##0" shows the digit 0
  state.HeatS = 123456.4;
  state.HeatL = 1234567.6;
  state.HeatT = -1000;
  state.AcfmList = {10500.6, 9900.2, platform::Variant{}, 11000.0, 250.0};
  state.SIFlowList = {1.0, 2.0, 3.0, 4.0, 5.0};  // not shown in English units
  state.PurgeAngle = 3.25F;                      // "##0.0"
  state.WheelRpm = 20;
  state.EunbalS = 0.685;
  state.EunbalL = 0.6;
  state.EunbalT = 0.7125;

  main.FillCaptions();

  EXPECT_EQ(main.lblTitle.caption(), "Clinic AHU-2");
  expectCaptions({
      {&main.lblVelO, "812"},
      {&main.lblVelE, "1,002"},
      {&main.lblVea, "10,250"},
      {&main.lblTea, "0.5"},
      {&main.lblVsa, "9,800"},
      {&main.lblTsa, "61.3"},
      {&main.lblVra, ""},
      {&main.lblTra, "72.0"},
      {&main.lblVoa, "10,000"},
      {&main.lblToa, "95.0"},
      {&main.lbldWh, "3.13"},
      {&main.lblDPs, "0.50"},
      {&main.lblDPr, "1.25"},
      {&main.lblVPurge, "0"},
      {&main.lblHeatS, "123,456"},
      {&main.lblHeatL, "1,234,568"},
      {&main.lblHeatT, "-1,000"},
      {&main.lblAcfmO, "10,501"},
      {&main.lblAcfmS, "9,900"},
      {&main.lblAcfmR, ""},
      {&main.lblAcfmE, "11,000"},
      {&main.lblAcfmP, "250"},
      {&main.lblPurgeAngle, "3.3"},
      {&main.lblWheelSpeed, "20 RPM"},
      {&main.lblEunbalS, "68.5%"},
      {&main.lblEunbalL, "60.0%"},
      {&fields.main.lblEunbalT, "71.3%"},
  });
  for (const Label* label :
       {&main.lblAcfmO, &main.lblAcfmS, &main.lblAcfmR, &main.lblAcfmE, &main.lblAcfmP}) {
    EXPECT_TRUE(label->visible()) << label->name();
  }
}

TEST_F(FillCaptionsTest, SIUnitsConvertEveryValue) {
  state.SIUnits = 1;
  ASSERT_FLOAT_EQ(state.SIFlowFactor, 0.58851F);  // m3/h, as the splash set it
  state.VelOa = 1000;                             // 5.08 m/s
  state.VelEa = 100;                              // below 1 m/s: "0.51"
  state.Vea = 10000;                              // 16,991.98 m3/h
  state.Tea = 32;                                 // 0 °C
  state.Vsa = 5885.1F;
  state.Tsa = -4;  // -20 °C
  state.Vra = 0;
  state.Tra = 72;  // 22.22 °C
  state.Voa = 1000;
  state.Toa = 95;
  state.WaterRecovered = 11;  // 5 kg/h
  state.dPs = 1;              // 249 Pa
  state.dPr = 0.5F;
  state.Vpurge = 0;
  state.HeatS = 1000000;  // 292.8 kW
  state.HeatL = -1000;    // -0.29 kW, with its leading zero
  state.HeatT = 10000000;
  state.AcfmList = {9.0, 9.0, 9.0, 9.0, 9.0};  // not shown in SI units
  state.SIFlowList = {1000.4, 16991.98, platform::Variant{}, 0.0, 42.5};
  state.WheelRpm = 20;
  state.EunbalS = 0.685;

  main.FillCaptions();

  expectCaptions({
      {&main.lblVelO, "5.08"},
      {&main.lblVelE, "0.51"},
      {&main.lblVea, "16,992"},
      {&main.lblTea, "0.0"},
      {&main.lblVsa, "10,000"},
      {&main.lblTsa, "-20.0"},
      {&main.lblVra, ""},
      {&main.lblTra, "22.2"},
      {&main.lblVoa, "1,699"},
      {&main.lblToa, "35.0"},
      {&main.lbldWh, "5.00"},
      {&main.lblDPs, "249.0"},
      {&main.lblDPr, "124.5"},
      {&main.lblVPurge, "0"},
      {&main.lblHeatS, "292.80"},
      {&main.lblHeatL, "-0.29"},
      {&main.lblHeatT, "2,928.00"},
      {&main.lblAcfmO, "1,000"},
      {&main.lblAcfmS, "16,992"},
      {&main.lblAcfmR, ""},
      {&main.lblAcfmE, ""},
      {&main.lblAcfmP, "43"},
      {&main.lblWheelSpeed, "20 RPM"},
      {&main.lblEunbalS, "68.5%"},
  });
  EXPECT_TRUE(main.lblAcfmP.visible());
}

TEST_F(FillCaptionsTest, FaceVelocityWarningAboveTwelveHundredFiftyInEitherUnits) {
  struct Row {
    std::int16_t siUnits;
    float velOa, velEa;
    bool shown;
  };
  for (const Row& row : std::vector<Row>{
           {0, 1250, 1250, false},
           {0, 1250.1F, 1250, true},
           {0, 1250, 1250.1F, true},
           {0, 400, 600, false},
           {1, 1250, 1250, false},
           {1, 1250.1F, 1250, true},
       }) {
    state.SIUnits = row.siUnits;
    state.VelOa = row.velOa;
    state.VelEa = row.velEa;
    main.FillCaptions();
    EXPECT_EQ(main.HiVelocity.visible(), row.shown)
        << row.siUnits << " " << row.velOa << " " << row.velEa;
  }
}

TEST_F(FillCaptionsTest, SeasonIsSummerInRedFromFiftyDegrees) {
  struct Row {
    float toa;
    const char* season;
    Rgb color;
  };
  for (const Row& row : std::vector<Row>{{50, "Summer", kRed},
                                         {49.9F, "Winter", kBlue},
                                         {95, "Summer", kRed},
                                         {-20, "Winter", kBlue}}) {
    state.Toa = row.toa;
    main.FillCaptions();
    EXPECT_EQ(main.lblSeason.caption(), row.season) << row.toa;
    EXPECT_EQ(main.lblSeason.foreColor(), row.color) << row.toa;
  }
}

TEST_F(FillCaptionsTest, ModelLabelFollowsTheWheelLineAndTheEdition) {
  state.ModelNameSel = "KW36-4";
  main.FillCaptions();
  EXPECT_EQ(main.lblModel.caption(), "Model: KTR KW36-4");

  fields.settings.KSRSel.select();
  main.FillCaptions();
  EXPECT_EQ(main.lblModel.caption(), "Model: KSR KW36-4");

  state.PrivateLabel = 1;
  main.FillCaptions();
  EXPECT_EQ(main.lblModel.caption(), "Unit: KW36-4");
  fields.settings.KTRSel.select();
  main.FillCaptions();
  EXPECT_EQ(main.lblModel.caption(), "Unit: KW36-4");
}

TEST_F(FillCaptionsTest, DisablesTheCalculateButton) {
  windows.inputs.cmdCalc.setEnabled(true);
  main.FillCaptions();
  EXPECT_FALSE(windows.inputs.cmdCalc.enabled());
}

// The expected values come from the property functions themselves (checked
// against ASHRAE in tests/psych); what is checked here is which stream, which
// pressure, which output measure and which conversion goes to which label.
class StreamCaptionsTest : public FillCaptionsTest {
 protected:
  StreamCaptionsTest() {
    state.Toa = 95;
    state.Woa = 99;
    state.Hoa = 38.5;
    state.Tsa = 80;
    state.Wsa = 80;
    state.Hsa = 32.25;
    state.Tra = 75;
    state.Wra = 65;
    state.Hra = 28.1;
    state.Tea = 88;
    state.Wea = 85;
    state.Hea = 35.75;
    // Different enough from Patm for the wet bulb to tell them apart.
    state.PoaAbs = 12.5F;
    state.PraAbs = 16.5F;
  }

  static std::string f(double value) { return platform::formatNumber(value, "###.0"); }
  static double wetBulb(double t, double w, double p) { return modPsych::WetBulb(t, w, p); }
  double dewPoint(double w) const { return modPsych::DewPoint(w, state.Patm); }
  double rh(double t, double w) const { return 100 * modPsych::RelHumFraction(t, w, state.Patm); }
  static double celsius(double f) { return (f - 32) / 1.8; }
};

TEST_F(StreamCaptionsTest, EnglishWetBulbUsesEachStreamsPressure) {
  ASSERT_TRUE(fields.settings.optOutWB.value());
  main.FillCaptions();
  expectCaptions({
      {&main.lblWoa[0], f(wetBulb(95, 99, 12.5F)).c_str()},
      {&fields.main.lblWsa[0], f(wetBulb(80, 80, 12.5F)).c_str()},
      {&main.lblWra[0], f(wetBulb(75, 65, 16.5F)).c_str()},
      {&fields.main.lblWea[0], f(wetBulb(88, 85, 16.5F)).c_str()},
      {&main.lblWoa[1], "99.0"},
      {&fields.main.lblWsa[1], "80.0"},
      {&main.lblWra[1], "65.0"},
      {&fields.main.lblWea[1], "85.0"},
      {&main.lblWoa[2], f(rh(95, 99)).c_str()},
      {&fields.main.lblWea[2], f(rh(88, 85)).c_str()},
      {&main.LblH[0], "38.5"},  // outdoor
      {&main.LblH[1], "28.1"},  // return
      {&main.LblH[2], "32.3"},  // supply
      {&main.LblH[3], "35.8"},  // exhaust
  });
  EXPECT_NE(main.lblWoa[0].caption(), f(wetBulb(95, 99, state.Patm)));
}

TEST_F(StreamCaptionsTest, EnglishDewPointUsesTheBarometricPressure) {
  fields.settings.optOutDP.select();
  main.FillCaptions();
  EXPECT_EQ(main.lblWoa[0].caption(), f(dewPoint(99)));
  EXPECT_EQ(main.lblWra[0].caption(), f(dewPoint(65)));
}

TEST_F(StreamCaptionsTest, SIConvertsToCelsiusGramsAndKilojoules) {
  state.SIUnits = 1;
  fields.settings.optOUTWBSI.select();
  main.FillCaptions();
  expectCaptions({
      {&main.lblWoa[0], f(celsius(wetBulb(95, 99, 12.5F))).c_str()},
      {&fields.main.lblWea[0], f(celsius(wetBulb(88, 85, 16.5F))).c_str()},
      {&main.lblWoa[1], "14.1"},  // 99 / 7 g/kg
      {&main.lblWra[2], f(rh(75, 65)).c_str()},
      {&main.LblH[0], f(38.5 * 2.326 - 17.86).c_str()},
      {&main.LblH[3], f(35.75 * 2.326 - 17.86).c_str()},
  });

  fields.settings.optOUTDPSI.select();
  main.FillCaptions();
  EXPECT_EQ(fields.main.lblWsa[0].caption(), f(celsius(dewPoint(80))));

  // The English wet-bulb choice is no wet-bulb choice in SI units.
  fields.settings.optOutWB.select();
  main.FillCaptions();
  EXPECT_EQ(fields.main.lblWsa[0].caption(), f(celsius(dewPoint(80))));
}

TEST_F(StreamCaptionsTest, DewPointRaisesADryStreamsHumidityRatioForItsFiguresOnly) {
  // The relative humidity is then that of the raised humidity ratio.
  state.Wsa = -30;
  fields.settings.optOutDP.select();
  main.FillCaptions();
  EXPECT_EQ(state.Wsa, -30) << "showing the results changes nothing in the state";
  EXPECT_EQ(fields.main.lblWsa[1].caption(), "-30.0") << "written before the dew point";
  EXPECT_EQ(fields.main.lblWsa[2].caption(), "0.1");
}

// The words the presentation puts beside its figures (--results, the report,
// the summary) are those the settings write beside the window's figures.
TEST_F(UiTest, PresentedUnitsAreTheWindowsUnitLabels) {
  frmWheel& main = windows.main;
  frmSettings& settings = windows.settings;
  const struct {
    bool si;
    bool litres;
    platform::OptionButton* output;
    const char* enthalpy;
  } rows[] = {
      {false, false, &fields.settings.optOutWB, "BTU/lb"},
      {false, false, &fields.settings.optOutDP, "BTU/lb"},
      {true, false, &fields.settings.optOUTWBSI, "kJ/kg"},
      {true, true, &fields.settings.optOUTDPSI, "kJ/kg"},
      {true, true, &fields.settings.optOUTWBSI, "kJ/kg"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.output->name() + (row.litres ? " l/s" : ""));
    if ((state.SIUnits == 1) != row.si) {
      settings.cmdSIUnits.click();
    }
    if ((state.SIFlowUnit == 1) != row.litres) {
      settings.cmdSIUnitType.click();
    }
    row.output->select();
    settings.cmdSettingsOK.click();
    ASSERT_EQ(state.SIUnits == 1, row.si);
    ASSERT_EQ(state.SIFlowUnit == 1, row.litres);
    const ResultUnits units = main.shownResults().units;
    const std::string frame = main.Frame5.caption();
    const Shown rows[] = {
        {&main.lblFDB[1], units.dryBulb.c_str()},
        {&main.lblHum[2], units.humidity.c_str()},
        {&main.lblHum1[3], units.ratio.c_str()},
        {&main.LblHum2[0], units.relativeHumidity.c_str()},
        {&main.LblEnth[1], units.enthalpy.c_str()},
        {&main.lblSCFM[2], units.standardVolume.c_str()},
        {&main.Label3, units.standardVolume.c_str()},
        {&main.Label8, units.actualVolume.c_str()},
        {&main.lblFPM2, units.velocity.c_str()},
        {&main.lblInWC[1], units.pressure.c_str()},
        {&main.lbllbh[0], units.water.c_str()},
    };
    expectCaptions({std::begin(rows), std::end(rows)});
    EXPECT_EQ(frame.substr(frame.find_last_of(' ') + 1), units.energy);
    EXPECT_EQ(units.enthalpy, row.enthalpy);
  }
}

// ---------------------------------------------------------------------------
// Start-up

const std::vector<ToolButton> kDesignButtons = {
    {"Open", "", "Open File", "Open"},
    {"Save", "", "Save to File", "Save"},
    {"", "", "", "", true},
    {"Print", "", "Print", "Print"},
    {"", "", "", "", true},
    {"Copy", "", "Copy", "Copy"},
    {"Settings", "", "Settings", ""},
    {"Help", "", "Help", "Help"},
    {"Inputs", "", "Input Variables", "Enter"},
};
const ToolButton kOverrideButton{"Override", "", "", "Override"};

using StartupWithEmptyStore = UiTest;

TEST_F(StartupWithEmptyStore, OpensCentredAndLocked) {
  const frmWheel& main = windows.main;
  EXPECT_TRUE(main.visible());
  EXPECT_EQ(main.caption(), "Thermarotor Selection Program");
  EXPECT_EQ(main.left(), (19200 - main.width()) / 2);
  EXPECT_EQ(main.top(), (15360 - main.height()) / 2);
  EXPECT_EQ(main.tbToolBar.buttons(), kDesignButtons);
  EXPECT_EQ(main.tbToolBar.find("Override"), nullptr);
  EXPECT_TRUE(main.mnuEditSecurity.visible());
  EXPECT_TRUE(main.mnuViewToolbar.checked());
  EXPECT_TRUE(main.tbToolBar.visible());
  EXPECT_TRUE(main.picSmallLogo0.visible());
  EXPECT_FALSE(main.picSmallLogo1.visible());
  EXPECT_FALSE(main.frmFlute.visible());
  EXPECT_FALSE(main.HiVelocity.visible());
  EXPECT_TRUE(messages.messages().empty());
}

TEST(MainWindowStartup, UsesTheStoredPositionAndPassword) {
  Program p;
  p.settings.setValue("KTR", "Startup", "MainLeft", "1200");
  p.settings.setValue("KTR", "Startup", "MainTop", "600");
  // As the password dialog writes it: section spelt in lower case.
  p.settings.setValue("KTR", "startup", "Password", "kestrelWING");
  p.start();
  const frmWheel& main = p.windows.main;
  EXPECT_EQ(main.left(), 1200);
  EXPECT_EQ(main.top(), 600);
  EXPECT_EQ(main.tbToolBar.buttons().size(), kDesignButtons.size() + 1);
  ASSERT_NE(main.tbToolBar.find("Override"), nullptr);
  EXPECT_EQ(*main.tbToolBar.find("Override"), kOverrideButton);
  EXPECT_FALSE(main.mnuEditSecurity.visible());
}

TEST(MainWindowStartup, StoredPositionText) {
  struct Row {
    const char* left;  // nullptr: no stored value
    int expected;      // -1: centred
  };
  for (const Row& row : std::vector<Row>{
           {nullptr, -1},
           {"left", 0},       // no number
           {"", 0},           // no number either
           {"-300", -300},    // off the left edge, as the user left it
           {"1234.5", 1234},  // an Integer rounds half to even
           {"1235.5", 1236},
           {"99999", -1},  // outside the Integer range: centred
       }) {
    Program p;
    if (row.left != nullptr) {
      p.settings.setValue("KTR", "Startup", "MainLeft", row.left);
    }
    p.start();
    const frmWheel& main = p.windows.main;
    const int expected = row.expected == -1 ? (19200 - main.width()) / 2 : row.expected;
    EXPECT_EQ(main.left(), expected) << (row.left ? row.left : "missing");
    EXPECT_EQ(main.top(), (15360 - main.height()) / 2);
  }
}

TEST(MainWindowStartup, ShowsTheFluteFrameWhenTheOverrideDialogAsksForIt) {
  Program p;
  p.fields.overrides.chkFluteDisplay.setValue(1);
  p.start();
  EXPECT_TRUE(p.windows.main.frmFlute.visible());
}

// ---------------------------------------------------------------------------
// Closing

class ClosingTest : public UiTest {
 protected:
  ClosingTest() {
    windows.main.move(900, 450);
    windows.inputs.move(300, 200);
  }
};

TEST_F(ClosingTest, WritesBothPositionsAndUnloadsTheOtherWindows) {
  windows.inputs.show();
  windows.overrides.show();
  windows.main.Form_Unload();
  EXPECT_EQ(stored(settings, "MainLeft"), "900");
  EXPECT_EQ(stored(settings, "MainTop"), "450");
  EXPECT_EQ(stored(settings, "InputsLeft"), "300");
  EXPECT_EQ(stored(settings, "InputsTop"), "200");
  for (const platform::Form* window : windows.all()) {
    if (window != &windows.main) {
      EXPECT_FALSE(window->loaded()) << window->name();
      EXPECT_FALSE(window->visible()) << window->name();
    }
  }
  EXPECT_TRUE(windows.main.loaded());
}

TEST_F(ClosingTest, MinimisedMainWindowKeepsTheStoredPosition) {
  settings.setValue("KTR", "Startup", "MainLeft", "15");
  windows.main.setWindowState(WindowState::Minimized);
  windows.main.Form_Unload();
  EXPECT_EQ(stored(settings, "MainLeft"), "15");
  EXPECT_EQ(stored(settings, "MainTop"), "<missing>");
  EXPECT_EQ(stored(settings, "InputsLeft"), "300");
}

TEST_F(ClosingTest, InputsPositionOnlyWhenTheInputsDialogIsNormal) {
  for (const WindowState state : {WindowState::Minimized, WindowState::Maximized}) {
    windows.inputs.setWindowState(state);
    windows.main.Form_Unload();
    EXPECT_EQ(stored(settings, "InputsLeft"), "<missing>");
    EXPECT_EQ(stored(settings, "InputsTop"), "<missing>");
  }
}

// ---------------------------------------------------------------------------
// Menus and toolbar

using CommandsTest = UiTest;

TEST_F(CommandsTest, ViewToolbarTwiceReturnsToAVisibleToolbar) {
  frmWheel& main = windows.main;
  main.mnuViewToolbar.click();
  EXPECT_FALSE(main.mnuViewToolbar.checked());
  EXPECT_FALSE(main.tbToolBar.visible());
  main.mnuViewToolbar.click();
  EXPECT_TRUE(main.mnuViewToolbar.checked());
  EXPECT_TRUE(main.tbToolBar.visible());
}

TEST_F(CommandsTest, AboutShowsTheVersion) {
  windows.main.mnuAbout.click();
  ASSERT_EQ(messages.messages().size(), 1U);
  EXPECT_EQ(messages.messages()[0],
            (platform::Message{"Kestrix", "Version 6.0.0", platform::MessageIcon::Information}));
}

TEST_F(CommandsTest, HelpFromMenuAndToolbarOpensTheHelpFile) {
  windows.main.mnuHelpContents.click();
  windows.main.tbToolBar.click("Help");
  EXPECT_EQ(help.requests(),
            (std::vector<std::string>{"KTR.hlp|index.html", "KTR.hlp|index.html"}));
}

TEST_F(CommandsTest, ToolbarAndMenusShowTheDialogs) {
  frmWheel& main = windows.main;
  main.tbToolBar.click("Settings");
  EXPECT_TRUE(windows.settings.visible());
  main.tbToolBar.click("Inputs");
  EXPECT_TRUE(windows.inputs.visible());
  main.addOverrideButton();
  main.tbToolBar.click("Override");
  EXPECT_TRUE(windows.overrides.visible());
  main.mnuEditSecurity.click();
  EXPECT_TRUE(windows.password.visible());

  for (platform::Form* window : windows.all()) {
    if (window != &main) {
      window->hide();
    }
  }
  main.mnuEditSettings.click();
  EXPECT_TRUE(windows.settings.visible());
  main.mnuEditInputs.click();
  EXPECT_TRUE(windows.inputs.visible());
}

// The window's outputs describe the case in the boxes, calculated: an edit
// since the last calculation is calculated first, and a case that cannot be
// calculated gives no output at all.
TEST_F(CommandsTest, OutputsCalculateTheCaseOnScreenFirst) {
  frmWheel& main = windows.main;
  ModCalc::InputsFields& in = fields.inputs;
  const struct {
    const char* command;
    std::function<void()> run;
    std::function<bool()> produced;
  } rows[] = {
      {"Print", [&] { main.mnuFilePrint.click(); }, [&] { return !pages.pages.empty(); }},
      {"Export PDF",
       [&] {
         files.answer = "case.pdf";
         main.mnuFileExportPdf.click();
       },
       [&] { return !pages.pdfPaths.empty(); }},
      {"Copy", [&] { main.mnuEditCopy.click(); }, [&] { return !clipboard.text.empty(); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.command);
    pages.pages.clear();
    pages.pdfPaths.clear();
    clipboard.text.clear();
    messages.clear();
    in.txtV.setText("abc");
    row.run();
    EXPECT_FALSE(row.produced());
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Error: Enter a number for the supply air volume."}));
    EXPECT_TRUE(windows.inputs.cmdCalc.visible());

    in.txtV.setText("2500");
    in.txtVra.setText("2500");
    row.run();
    EXPECT_TRUE(row.produced());
    EXPECT_FALSE(windows.inputs.cmdCalc.visible());
    EXPECT_EQ(main.lblAcfmS.caption(), "2,500");
  }
}

TEST_F(CommandsTest, FileCloseAndUnknownKeysDoNothing) {
  frmWheel& main = windows.main;
  main.mnuFileClose.click();
  main.tbToolBar_ButtonClick({"open", "", "", ""});  // keys match case-sensitively
  main.tbToolBar_ButtonClick({"Nothing", "", "", ""});
  EXPECT_TRUE(main.visible());
  for (const platform::Form* window : windows.all()) {
    if (window != &main) {
      EXPECT_FALSE(window->visible()) << window->name();
    }
  }
  EXPECT_TRUE(messages.messages().empty());
  EXPECT_TRUE(help.requests().empty());
}

// The outputs take the indications and whether the results are up to date
// from the state; the window shows the same. Each step leaves both agreeing,
// through frost that comes and goes, a stopped run, the flute display
// switched and File Close.
TEST_F(CommandsTest, OutputsTakeTheIndicationsTheWindowShows) {
  frmWheel& main = windows.main;
  ModCalc::InputsFields& in = fields.inputs;
  const ModCalc::MainFields& shown = fields.main;
  const auto type = [&](const char* toa, const char* moa, const char* tra, const char* mra) {
    in.txtToa.setText(toa);
    in.txtMoa.setText(moa);  // wet bulb, °F
    in.txtTra.setText(tra);
    in.txtMra.setText(mra);
  };
  const auto typeWinter = [&] { type("-20", "-21", "72", "62"); };
  const auto typeSummer = [&] { type("95", "75", "75", "63"); };
  const auto calculate = [&] { windows.inputs.cmdCalc.click(); };
  const struct {
    const char* step;
    std::function<void()> run;
    bool upToDate;
    bool frost;
    bool flute;
  } rows[] = {
      {"start-up", [] {}, false, false, false},
      {"flute shown before any rating", [&] { fields.overrides.chkFluteDisplay.setValue(1); },
       false, false, false},
      {"winter typed", typeWinter, false, false, false},
      {"winter calculated", calculate, true, true, true},
      {"summer typed", typeSummer, false, true, true},
      {"summer calculated", calculate, true, false, true},
      {"winter typed again", typeWinter, false, false, true},
      {"winter calculated again", calculate, true, true, true},
      {"a volume that is no number", [&] { in.txtV.setText("abc"); }, false, true, true},
      {"stopped", calculate, false, true, true},
      {"flute hidden", [&] { fields.overrides.chkFluteDisplay.setValue(0); }, false, true, false},
      {"File Close",
       [&] {
         messages.saveAnswer = platform::SaveAnswer::Discard;
         main.mnuFileClose.click();
       },
       false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.step);
    row.run();
    const ResultTexts r = main.shownResults();
    EXPECT_EQ(main.resultsUpToDate(), row.upToDate);
    EXPECT_EQ(main.resultsUpToDate(), !windows.inputs.cmdCalc.visible() && main.lblAcfmO.visible());
    EXPECT_EQ(r.frost, row.frost);
    EXPECT_EQ(r.frost, shown.lblFrost.visible());
    EXPECT_EQ(r.flute.empty(), !row.flute);
    EXPECT_EQ(r.flute,
              shown.lblFlute.visible() && main.frmFlute.visible() ? shown.lblFlute.caption() : "");
    EXPECT_EQ(r.eTotalShown, shown.lblEunbalT.visible());
  }
}

// ---------------------------------------------------------------------------
// Frost speed control

class FrostSpeedTest : public UiTest {
 protected:
  // A winter case that frosts on the catalog's wheel at its catalog speed.
  FrostSpeedTest() {
    ModCalc::InputsFields& in = fields.inputs;
    in.txtToa.setText("-20");
    in.txtMoa.setText("-21");  // wet bulb, °F
    in.txtTra.setText("72");
    in.txtMra.setText("62");
    subscription_ = in.txtWheelSpeed.subscribe([this] {
      speeds.push_back(*platform::parseNumber<float>(fields.inputs.txtWheelSpeed.text()));
    });
  }

  // Effectiveness that no wheel speed changes: the frost stays.
  void fixEffectiveness() {
    ModCalc::OverrideFields& o = fields.overrides;
    o.chkSensible.setValue(1);
    o.chkLatent.setValue(1);
    o.txtESOR.setText("85");
    o.txtELOR.setText("85");
    ASSERT_TRUE(ModCalc::AutoSelect(engine));
  }

  void calculateWithFrost() {
    ASSERT_TRUE(ModCalc::Calculate(engine));
    ASSERT_TRUE(fields.main.lblFrost.visible());
    ASSERT_TRUE(fields.main.cmdFrostSpeed.visible());
    messages.clear();
    speeds.clear();
  }

  // Each written speed is the decimal text of 0.9 times the speed the pass
  // before ran at.
  void expectFallingSpeeds(float first) const {
    float previous = first;
    for (const float speed : speeds) {
      EXPECT_EQ(speed, platform::parseNumber<float>(platform::decimalText(0.9 * previous)));
      previous = speed;
    }
  }

  std::vector<float> speeds;

 private:
  platform::Subscription subscription_;
};

TEST_F(FrostSpeedTest, LowersTheSpeedUntilTheFrostClears) {
  calculateWithFrost();
  const float catalogSpeed = state.WheelRpm;
  ASSERT_EQ(catalogSpeed, 60);  // KW24-4
  fields.main.cmdFrostSpeed.click();
  EXPECT_EQ(fields.inputs.chkSpeed.value(), 1);
  EXPECT_FALSE(fields.main.lblFrost.visible());
  EXPECT_FALSE(fields.main.cmdFrostSpeed.visible());
  ASSERT_GT(speeds.size(), 1U);
  expectFallingSpeeds(catalogSpeed);
  EXPECT_EQ(state.WheelRpm, speeds.back());
  EXPECT_EQ(windows.main.lblWheelSpeed.caption(),
            platform::formatNumber(speeds.back(), "##") + " RPM");
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(FrostSpeedTest, StopsBelowOneRpmWhenTheFrostStays) {
  fixEffectiveness();
  calculateWithFrost();
  fields.main.cmdFrostSpeed.click();
  ASSERT_FALSE(speeds.empty());
  EXPECT_LT(speeds.size(), 50U);
  expectFallingSpeeds(60);
  EXPECT_GE(speeds.back(), 1);
  EXPECT_LT(static_cast<float>(0.9 * speeds.back()), 1);
  EXPECT_TRUE(fields.main.lblFrost.visible());
  EXPECT_EQ(texts(),
            (std::vector<std::string>{"Warning: Frost persists at the lowest wheel speed; the last "
                                      "calculation is shown."}));
  EXPECT_EQ(messages.messages()[0].icon, platform::MessageIcon::Exclamation);
}

TEST_F(FrostSpeedTest, StopsWhenACalculationCannotRun) {
  calculateWithFrost();
  fields.inputs.txtTra.setText("warm");
  fields.main.cmdFrostSpeed.click();
  EXPECT_EQ(speeds.size(), 1U);
  EXPECT_EQ(texts(),
            (std::vector<std::string>{"Error: Enter a number for the return air dry bulb."}));
}

}  // namespace
}  // namespace ui::testing
