#include "ui/main/frmWheel.h"

#include <array>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/Calculate.h"
#include "engine/Catalog.h"
#include "engine/CustomWheel.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Windows.h"

namespace ui {

namespace {

// The window's design size, twips.
constexpr int kDesignWidth = 11400;
constexpr int kDesignHeight = 8200;

constexpr const char* kHelpFile = "KTR.hlp";

// Pure blue and pure red, the season label's colours.
constexpr platform::Rgb kWinterColor{0, 0, 255};
constexpr platform::Rgb kSummerColor{255, 0, 0};

// Face velocities above this many standard fpm raise the warning.
constexpr float kHighFaceVelocity = 1250;

// The frost speed loop: a wheel slower than this is no longer a sensible
// answer, and 0.9^50 of any catalog speed is far below it anyway.
constexpr float kLowestFrostSpeed = 1;
constexpr int kMaxFrostPasses = 50;

// The number an actual-volume Variant holds; one not yet written shows as 0.
// Calculate writes only numbers into these lists.
double variantNumber(const platform::Variant& value) {
  const double* number = std::get_if<double>(&value);
  return number != nullptr ? *number : 0;
}

// A box's number as start-up reads it; a box without one counts as 0 (the
// boxes hold their design-time numbers at start-up, so this is a guard).
float boxNumber(const platform::TextBox& box) {
  return platform::parseNumber<float>(box.text()).value_or(0.0F);
}

// A window position as an Integer takes it; a value outside the Integer
// range has no place on any screen, so it gives `fallback`.
std::int16_t position(double value, std::int16_t fallback) {
  return platform::toInteger16(value).value_or(fallback);
}

}  // namespace

frmWheel::frmWheel(Windows& windows) : Window("frmWheel", windows) {
  // The caption is the splash window's to set.
  resize(kDesignWidth, kDesignHeight);

  add(tbToolBar);
  add(fmeOutdoor, lblToa, lblWoa, LblH[0], lblVoa, lblAcfmO, lblVelO);
  add(fmeSupply, lblTsa, lblWsa, LblH[2], lblVsa, lblAcfmS);
  add(fmeReturn, lblTra, lblWra, LblH[1], lblVra, lblAcfmR);
  add(fmeExhaust, lblTea);
  fields().main.registerIn(*this);  // lblEunbalT, lblFlute, lblFrost, cmdFrostSpeed, lblWea
  add(LblH[3], lblVea, lblAcfmE, lblVelE);
  add(lblFDB, lblHum, lblHum1, LblHum2, LblEnth, lblSCFM);
  add(Label6, Label7, Label8, Label9, Label12, lblFPM1, lblFPM2);
  add(fmeSpeed, lblWheelSpeed);
  add(fmePurge, lblVPurge, lblAcfmP, lblPurgeAngle, Label3);
  add(Frame5, lblHeatS, lblHeatL, lblHeatT, lblEunbalS, lblEunbalL);
  add(lblDPs, lblDPr, lbldWh, lblInWC, lbllbh);
  add(HiVelocity, lblSeason, lblModel, lblTitle, frmFlute);
  add(picWheel, picSmallLogo0, picSmallLogo1, picARILogo);
  add(mnufile, mnuFileOpen, mnuFileClose, mnuFileSave, mnuFilebar0, mnuFilePrint, mnuFilebar1,
      mnuFileExit);
  add(mnuedit, mnuEditCopy, mnuEditSettings, mnuEditInputs, mnuEditSecurity);
  add(mnuView, mnuViewToolbar);
  add(Help, mnuAbout, mnuHelpContents);
  mnufile.add(mnuFileOpen, mnuFileClose, mnuFileSave, mnuFilebar0, mnuFilePrint, mnuFilebar1,
              mnuFileExit);
  mnuedit.add(mnuEditCopy, mnuEditSettings, mnuEditInputs, mnuEditSecurity);
  mnuView.add(mnuViewToolbar);
  Help.add(mnuAbout, mnuHelpContents);

  // Design time: the warning and the actual volumes appear with the first
  // results (FillCaptions).
  HiVelocity.setVisible(false);
  for (Label* label : {&lblAcfmO, &lblAcfmS, &lblAcfmR, &lblAcfmE, &lblAcfmP}) {
    label->setVisible(false);
  }

  tbToolBar.addButton({"Open", "", "Open File", "Open"});
  tbToolBar.addButton({"Save", "", "Save to File", "Save"});
  tbToolBar.addSeparator();
  tbToolBar.addButton({"Print", "", "Print", "Print"});
  tbToolBar.addSeparator();
  tbToolBar.addButton({"Copy", "", "Copy", "Copy"});
  tbToolBar.addButton({"Settings", "", "Settings", ""});
  tbToolBar.addButton({"Help", "", "Help", "Help"});
  tbToolBar.addButton({"Inputs", "", "Input Variables", "Enter"});
  tbToolBar.onButtonClick = [this](const ToolButton& button) { tbToolBar_ButtonClick(button); };

  mnuViewToolbar.setChecked(true);

  // File Open, Save and Print and Edit Copy come with the
  // project file, the report and the clipboard summary; until then their
  // menu items have no handler, like File Close, the separators and the
  // top-level menus, which have no action at all.
  mnuFileExit.onClick = [this] { mnuFileExit_Click(); };
  mnuEditSettings.onClick = [this] { mnuEditSettings_Click(); };
  mnuEditInputs.onClick = [this] { mnuEditInputs_Click(); };
  mnuEditSecurity.onClick = [this] { mnuEditSecurity_Click(); };
  mnuViewToolbar.onClick = [this] { mnuViewToolbar_Click(); };
  mnuAbout.onClick = [this] { mnuAbout_Click(); };
  mnuHelpContents.onClick = [this] { mnuHelpContents_Click(); };
  fields().main.cmdFrostSpeed.onClick = [this] { cmdFrostSpeed_Click(); };
}

void frmWheel::Form_Load() {
  ModCalc::CalcState& s = state();
  ModCalc::DialogFields& f = fields();
  platform::SettingsStore& store = ports().settings;

  // 1. The centred position.
  const Screen& screen = ports().screen;
  const std::int16_t centredLeft = position((screen.width - width()) / 2.0, 0);
  const std::int16_t centredTop = position((screen.height - height()) / 2.0, 0);

  // 2. The stored position; a text without a number reads as 0.
  const auto stored = [&store](const char* key, std::int16_t centred) {
    const std::string text = store.value(kApplication, kSection, key, std::to_string(centred));
    return position(platform::parseNumber<double>(text).value_or(0.0), centred);
  };
  const std::int16_t left = stored("MainLeft", centredLeft);
  const std::int16_t top = stored("MainTop", centredTop);
  move(left, top);

  // 3. The help file is named where help is shown (ShowHelpContents). The
  // edition's logo.
  picSmallLogo0.setVisible(s.PrivateLabel == 0);
  picSmallLogo1.setVisible(s.PrivateLabel == 1);

  // 4. The flute frame follows the override dialog's two flute check boxes.
  w_.overrides.load();
  frmFlute.setVisible(f.overrides.FluteOverride.value() == 1 ||
                      f.overrides.chkFluteDisplay.value() == 1);

  // 5.
  s.ElevFt = 0;
  s.ModelSelected = 0;

  // 6. Start values from the dialogs' boxes.
  w_.overrides.load();
  w_.inputs.load();
  s.ElOverride = boxNumber(f.overrides.txtELOR);
  s.EsOverride = boxNumber(f.overrides.txtESOR);
  s.PurgeAngleEntered = boxNumber(f.inputs.txtPurgeAngle);
  s.WheelRpmEntered = boxNumber(f.inputs.txtWheelSpeed);

  // 7.
  s.MatrixFactor = 0.757F;

  // 8. The catalog, and with it OverridePassword; without it the program
  // cannot run.
  if (const std::optional<std::string> problem =
          ModCalc::LoadCatalog(engine(), ports().catalogCandidates)) {
    throw StartupError(*problem);
  }

  // 9. A stored password that matches in any letter case unlocks the
  // override functions.
  const std::string password = store.value(kApplication, kSection, "Password", "");
  if (platform::formatText(password, "<") == platform::formatText(s.OverridePassword, "<")) {
    addOverrideButton();
    mnuEditSecurity.setVisible(false);
  }

  // 10. English units, humidity entered as wet bulb.
  s.SIUnits = 0;
  s.MoistInOption = 2;
  s.MoistInKind = 2;

  // 11.
  w_.settings.load();
  s.ElevFt = boxNumber(f.settings.txtElev);
  s.Patm = modPsych::AtmPressure(s.ElevFt);

  // 12. No calculation runs at start-up.
  w_.settings.confirmWithoutCalculation();

  // 13. The custom wheel from the override dialog's boxes.
  ModCalc::AutoSelect(engine());
}

void frmWheel::addOverrideButton() {
  if (tbToolBar.find("Override") == nullptr) {
    tbToolBar.addButton({"Override", "", "", "Override"});
  }
}

void frmWheel::Form_Unload() {
  platform::SettingsStore& store = ports().settings;
  if (w_.inputs.windowState() == platform::WindowState::Normal) {
    store.setValue(kApplication, kSection, "InputsLeft", std::to_string(w_.inputs.left()));
    store.setValue(kApplication, kSection, "InputsTop", std::to_string(w_.inputs.top()));
  }
  // Every other loaded window, the last created first.
  const std::vector<platform::Form*> windows = w_.all();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
    if (*it != this && (*it)->loaded()) {
      (*it)->unload();
    }
  }
  if (windowState() == platform::WindowState::Minimized) {
    return;
  }
  store.setValue(kApplication, kSection, "MainLeft", std::to_string(left()));
  store.setValue(kApplication, kSection, "MainTop", std::to_string(top()));
}

void frmWheel::tbToolBar_ButtonClick(const ToolButton& button) {
  // An error in a toolbar command ends it quietly.
  try {
    // Keys are compared case-sensitively in the order "Open", "Save", "Copy",
    // "Settings", "Print", "Help", "Inputs", "Override". "Open", "Save",
    // "Copy" and "Print" come with the project file, the report and the
    // clipboard summary, and do nothing yet.
    const std::string& key = button.key;
    if (key == "Settings") {
      w_.settings.show();
    } else if (key == "Help") {
      ShowHelpContents();
    } else if (key == "Inputs") {
      w_.inputs.show();
    } else if (key == "Override") {
      w_.overrides.show();
    }
  } catch (const std::exception&) {
    // Ignored: the handler ends normally.
  }
}

void frmWheel::mnuFileExit_Click() {
  Form_Unload();
  hide();
}

void frmWheel::mnuEditSettings_Click() {
  w_.settings.show();
}

void frmWheel::mnuEditInputs_Click() {
  w_.inputs.show();
}

void frmWheel::mnuEditSecurity_Click() {
  w_.password.show();
}

void frmWheel::mnuViewToolbar_Click() {
  mnuViewToolbar.setChecked(!mnuViewToolbar.checked());
  tbToolBar.setVisible(mnuViewToolbar.checked());
}

void frmWheel::mnuAbout_Click() {
  ports().messages.show(versionText(), "Kestrix", platform::MessageIcon::Information);
}

void frmWheel::mnuHelpContents_Click() {
  ShowHelpContents();
}

void frmWheel::ShowHelpContents() {
  // Contents, then finder: the help opens on its Help Topics window.
  ports().help.showContents(kHelpFile);
}

void frmWheel::MoistFillCap() {
  ModCalc::CalcState& s = state();
  const ModCalc::SettingsFields& settings = fields().settings;
  const bool si = s.SIUnits == 1;
  const bool wetBulb = si ? settings.optOUTWBSI.value() : settings.optOutWB.value();
  const auto shown = [](double value) { return platform::formatNumber(value, "###.0"); };
  const auto temperature = [si](double f) { return si ? (f - 32) / 1.8 : f; };

  struct Stream {
    double t;
    // The state's own humidity ratio, gr/lb: the dew point raises one of
    // zero or less, as it always has.
    double& w;
    double h;  // Btu/lb
    double p;  // the stream's absolute pressure, psia
    std::array<Label, 3>& humidity;
    Label& enthalpy;
  };
  const Stream streams[] = {
      {s.Toa, s.Woa, s.Hoa, s.PoaAbs, lblWoa, LblH[0]},
      {s.Tsa, s.Wsa, s.Hsa, s.PoaAbs, lblWsa, LblH[2]},
      {s.Tra, s.Wra, s.Hra, s.PraAbs, lblWra, LblH[1]},
      {s.Tea, s.Wea, s.Hea, s.PraAbs, fields().main.lblWea, LblH[3]},
  };
  for (const Stream& stream : streams) {
    stream.humidity[1].setCaption(shown(si ? stream.w / 7 : stream.w));
    stream.enthalpy.setCaption(shown(si ? stream.h * 2.326 - 17.86 : stream.h));
    const double wetBulbOrDewPoint = wetBulb ? modPsych::WetBulb(stream.t, stream.w, stream.p)
                                             : modPsych::DewPoint(stream.w, s.Patm);
    stream.humidity[0].setCaption(shown(temperature(wetBulbOrDewPoint)));
    stream.humidity[2].setCaption(
        shown(100 * modPsych::RelHumFraction(s.Patm, stream.w, stream.t)));
  }
}

void frmWheel::FillCaptions() {
  const ModCalc::CalcState& s = state();
  const bool si = s.SIUnits == 1;
  const auto put = [](Label& label, double value, const char* pattern) {
    label.setCaption(platform::formatNumber(value, pattern));
  };

  // 1.
  MoistFillCap();
  // 2.
  lblTitle.setCaption(s.ProjectTitle);

  // 3. Streams, velocities, purge, energy and pressure drops.
  if (!si) {
    put(lblVelO, s.VelOa, "####");
    put(lblVelE, s.VelEa, "####");
    put(lblVea, s.Vea, "###,###");
    put(lblTea, s.Tea, "###.0");
    put(lblVsa, s.Vsa, "###,###");
    put(lblTsa, s.Tsa, "###.0");
    put(lblVra, s.Vra, "###,###");
    put(lblTra, s.Tra, "###.0");
    put(lblVoa, s.Voa, "###,###");
    put(lblToa, s.Toa, "###.0");
    put(lbldWh, s.WaterRecovered, "##0.00");
    put(lblDPs, s.dPs, "0.#0");
    put(lblDPr, s.dPr, "0.#0");
    put(lblVPurge, s.Vpurge, "###,##0");
    put(lblHeatS, s.HeatS, "#,###,###");
    put(lblHeatL, s.HeatL, "#,###,###");
    put(lblHeatT, s.HeatT, "#,###,###");
  } else {
    // Single by Single stays Single, as the flow factor divisions always did.
    const float flow = s.SIFlowFactor;
    put(lblVelO, s.VelOa * 0.3048 / 60, "##.00");
    put(lblVelE, s.VelEa * 0.3048 / 60, "##.00");
    put(lblVea, s.Vea / flow, "###,###");
    put(lblTea, (s.Tea - 32) / 1.8, "###.0");
    put(lblVsa, s.Vsa / flow, "###,###");
    put(lblTsa, (s.Tsa - 32) / 1.8, "###.0");
    put(lblVra, s.Vra / flow, "###,###");
    put(lblTra, (s.Tra - 32) / 1.8, "###.0");
    put(lblVoa, s.Voa / flow, "###,###");
    put(lblToa, (s.Toa - 32) / 1.8, "###.0");
    put(lbldWh, s.WaterRecovered / 2.2, "##0.00");
    put(lblDPs, s.dPs * 249, "##0.0");
    put(lblDPr, s.dPr * 249, "##0.0");
    put(lblVPurge, s.Vpurge / flow, "###,##0");
    put(lblHeatS, s.HeatS * 0.0002928, "#,###.00");
    put(lblHeatL, s.HeatL * 0.0002928, "#,###.00");
    put(lblHeatT, s.HeatT * 0.0002928, "#,###.00");
  }
  const auto& actual = si ? s.SIFlowList : s.AcfmList;
  Label* const actualLabels[] = {&lblAcfmO, &lblAcfmS, &lblAcfmR, &lblAcfmE, &lblAcfmP};
  for (std::size_t k = 0; k < 5; ++k) {
    put(*actualLabels[k], variantNumber(actual[k]), "###,###");
  }
  for (Label* label : actualLabels) {
    label->setVisible(true);
  }

  // 4. Without unit conversion.
  put(lblPurgeAngle, s.PurgeAngle, "##0.0");
  lblWheelSpeed.setCaption(platform::formatNumber(s.WheelRpm, "##") + " RPM");
  put(lblEunbalS, s.EunbalS, "#0.0%");
  put(lblEunbalL, s.EunbalL, "#0.0%");
  put(fields().main.lblEunbalT, s.EunbalT, "#0.0%");

  // 5. Standard face velocities in either unit system.
  HiVelocity.setVisible(s.VelOa > kHighFaceVelocity || s.VelEa > kHighFaceVelocity);

  // 6.
  if (s.Toa < 50) {
    lblSeason.setCaption("Winter");
    lblSeason.setForeColor(kWinterColor);
  } else {
    lblSeason.setCaption("Summer");
    lblSeason.setForeColor(kSummerColor);
  }

  // 7.
  const ModCalc::SettingsFields& settings = fields().settings;
  if (s.PrivateLabel == 0 && settings.KTRSel.value()) {
    lblModel.setCaption("Model: KTR " + s.ModelNameSel);
  }
  if (s.PrivateLabel == 0 && settings.KSRSel.value()) {
    lblModel.setCaption("Model: KSR " + s.ModelNameSel);
  }
  if (s.PrivateLabel == 1) {
    lblModel.setCaption("Unit: " + s.ModelNameSel);
  }

  // 8. Enabled again when an input changes.
  w_.inputs.cmdCalc.setEnabled(false);
}

void frmWheel::cmdFrostSpeed_Click() {
  ModCalc::InputsFields& in = fields().inputs;
  const ModCalc::CalcState& s = state();
  // The next calculations take the typed wheel speed.
  in.chkSpeed.setValue(1);
  for (int pass = 0;; ++pass) {
    const double next = 0.9 * s.WheelRpm;
    if (pass == kMaxFrostPasses || next < kLowestFrostSpeed) {
      engine().warn("Frost persists at the lowest wheel speed; the last calculation is shown.");
      return;
    }
    in.txtWheelSpeed.setText(platform::decimalText(next));
    // A run that stopped has shown why.
    if (!ModCalc::Calculate(engine())) {
      return;
    }
    if (!fields().main.lblFrost.visible()) {
      return;
    }
  }
}

}  // namespace ui
