#include "tests/ui/UiFixture.h"

namespace ui::testing {
namespace {

TEST(Startup, SplashSetsTheEditionAndStartsTheMainWindow) {
  Program p;
  p.windows.splash.load();
  EXPECT_EQ(p.state.PrivateLabel, 0);
  EXPECT_EQ(p.state.SIFlowUnit, 0);
  EXPECT_EQ(p.state.SIFlowFactor, 0.58851F);
  EXPECT_EQ(p.windows.splash.LblVersion.caption(), "Version 6.0.0");
  EXPECT_FALSE(p.windows.splash.lblInternalUse.visible());
  EXPECT_TRUE(p.windows.splash.picLogo0.visible());
  EXPECT_FALSE(p.windows.splash.picLogo1.visible());
  EXPECT_EQ(p.windows.main.caption(), "Thermarotor Selection Program");
  EXPECT_TRUE(p.windows.main.loaded()) << "titling the main window starts it";
  EXPECT_FALSE(p.windows.main.visible());
  EXPECT_EQ(p.state.ModelCount, 35);
  EXPECT_EQ(p.state.OverridePassword, "KestrelWing");
  EXPECT_TRUE(p.fields.inputs.lstWheel.items().empty()) << "no calculation at start-up";
  EXPECT_EQ(p.state.Tsa, 0);
  EXPECT_TRUE(p.texts().empty());

  p.windows.splash.Command1.click();
  EXPECT_TRUE(p.windows.main.visible());
  EXPECT_FALSE(p.windows.splash.visible());
}

TEST_F(UiTest, OverrideFramesFollowTheirCheckBoxes) {
  frmOverride& o = windows.overrides;
  ModCalc::OverrideFields& f = fields.overrides;
  const struct {
    platform::CheckBox* box;
    std::int16_t value;
    bool wheelFrames, mainFlute, dialogFlute;
  } rows[] = {
      {&f.chkAutoSelect, 1, true, false, false},   {&f.chkAutoSelect, 0, false, false, false},
      {&f.chkFluteDisplay, 1, false, true, false}, {&f.FluteOverride, 1, false, true, true},
      {&f.chkFluteDisplay, 0, false, true, true},  {&f.FluteOverride, 0, false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.box->name() + "=" + std::to_string(row.value));
    row.box->setValue(row.value);
    EXPECT_EQ(o.fmeWheel.visible(), row.wheelFrames);
    EXPECT_EQ(o.fmeCassette.visible(), row.wheelFrames);
    EXPECT_EQ(windows.main.frmFlute.visible(), row.mainFlute);
    EXPECT_EQ(o.fmeFlute.visible(), row.dialogFlute);
  }
}

TEST_F(UiTest, OverrideOkRebuildsTheCustomWheelAndRecalculates) {
  fields.overrides.chkAutoSelect.setValue(1);
  fields.overrides.txtWheelDiam.setText("48");
  windows.overrides.show();
  windows.overrides.cmdOROK.click();
  EXPECT_EQ(catalog.ModelName[0], "Custom 484");
  EXPECT_EQ(state.ModelNameSel, "Custom 484");
  EXPECT_EQ(state.ModelSelected, 1);
  EXPECT_FALSE(windows.overrides.visible());
  EXPECT_FALSE(windows.inputs.cmdCalc.visible());

  fields.overrides.txtHubDiam.setText("");
  windows.overrides.show();
  windows.overrides.cmdOROK.click();
  EXPECT_EQ(texts().back(), "Error: Enter a number for the custom wheel's hub diameter.");
  EXPECT_TRUE(windows.overrides.visible()) << "stays open for the box to be mended";

  // The hub's range ends at the wheel's diameter as typed.
  fields.overrides.txtHubDiam.setText("48");
  windows.overrides.cmdOROK.click();
  EXPECT_TRUE(texts().back().find("custom wheel's hub diameter") != std::string::npos &&
              texts().back().find("48") != std::string::npos)
      << texts().back();
  EXPECT_TRUE(windows.overrides.visible());
  fields.overrides.txtHubDiam.setText("47.5");
  windows.overrides.cmdOROK.click();
  EXPECT_FALSE(windows.overrides.visible());
}

TEST_F(UiTest, PasswordUnlocksOnceWhateverTheLetterCase) {
  const auto overrideButtons = [this] {
    return std::count_if(windows.main.tbToolBar.buttons().begin(),
                         windows.main.tbToolBar.buttons().end(),
                         [](const platform::ToolButton& b) { return b.key == "Override"; });
  };
  dlgPassword& dialog = windows.password;
  const struct {
    const char* typed;
    long buttons;
    const char* stored;
  } rows[] = {{"kestrelwing ", 0, ""},  // no trimming
              {"KESTRELWING", 1, "KestrelWing"},
              {"KestrelWing", 1, "KestrelWing"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    dialog.show();
    dialog.txtPassword.setText(row.typed);
    dialog.OKButton.click();
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(overrideButtons(), row.buttons);
    EXPECT_EQ(settings.value(kApplication, "STARTUP", "Password", ""), row.stored);
  }
  EXPECT_TRUE(messages.messages().empty()) << "a wrong password gives no message";
  dialog.show();
  dialog.CancelButton.click();
  EXPECT_FALSE(dialog.visible());
}

TEST(Startup, MissingCatalogStopsStartUp) {
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  ModCalc::Engine engine{state, catalog, fields, messages, {}};
  Windows windows{engine, Ports{.messages = messages,
                                .settings = settings,
                                .help = help,
                                .screen = kScreen,
                                .catalogCandidates = {"/nonexistent/ktrmodel6.csv"}}};
  EXPECT_THROW(windows.splash.load(), StartupError);
  EXPECT_EQ(state.ModelCount, 0);
}

}  // namespace
}  // namespace ui::testing
