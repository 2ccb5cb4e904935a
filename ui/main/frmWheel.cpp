#include "ui/main/frmWheel.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/Catalog.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"
#include "ui/Windows.h"
#include "units/Units.h"

namespace ui {

namespace {

// The window's design size, twips.
constexpr int kDesignWidth = 11400;
constexpr int kDesignHeight = 8200;

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

bool frmWheel::resultsUpToDate() const {
  // Batch shows no results, and so always calculates afresh.
  const ModCalc::ResultStatus& status = state().Status;
  return status.current && status.shown;
}

bool frmWheel::calculateForOutput() {
  if (!resultsUpToDate()) {
    w_.inputs.cmdCalc_Click();
  }
  return resultsUpToDate();
}

frmWheel::frmWheel(Windows& windows) : Window("frmWheel", windows) {
  // The caption is the splash window's to set.
  resize(kDesignWidth, kDesignHeight);

  add(tbToolBar);
  add(fmeOutdoor, lblToa, lblWoa, LblH[0], lblVoa, lblAcfmO, lblVelO);
  add(fmeSupply, lblTsa, fields().main.lblWsa, LblH[2], lblVsa, lblAcfmS);
  add(fmeReturn, lblTra, lblWra, LblH[1], lblVra, lblAcfmR);
  add(fmeExhaust, lblTea);
  fields().main.registerIn(*this);  // lblEunbalT, lblFlute, lblFrost, cmdFrostSpeed, lblWea
  frmFlute.holds(fields().main.lblFlute);
  add(LblH[3], lblVea, lblAcfmE, lblVelE);
  add(lblFDB, lblHum, lblHum1, LblHum2, LblEnth, lblSCFM);
  add(Label6, Label7, Label8, Label9, Label12, lblFPM1, lblFPM2);
  add(fmeSpeed, lblWheelSpeed);
  add(fmePurge, lblVPurge, lblAcfmP, lblPurgeAngle, Label3);
  add(Frame5, lblHeatS, lblHeatL, lblHeatT, lblEunbalS, lblEunbalL);
  add(lblDPs, lblDPr, lbldWh, lblInWC, lbllbh);
  add(HiVelocity, lblSeason, lblModel, lblTitle, frmFlute);
  add(picWheel, picSmallLogo0, picSmallLogo1, picARILogo);
  add(mnufile, mnuFileOpen, mnuFileClose, mnuFileSave, mnuFileSaveAs, mnuFilebar0, mnuFilePrint,
      mnuFileExportPdf, mnuFilebar1, mnuFileExit);
  add(mnuedit, mnuEditCopy, mnuEditSettings, mnuEditInputs, mnuEditSecurity);
  add(mnuView, mnuViewToolbar);
  add(Help, mnuAbout, mnuHelpContents);
  add(mnuEditRating, mnuEditRatingSummer, mnuEditRatingWinter, mnuViewChart, mnuViewCompare,
      mnuViewAnnual, mnuViewCodeCheck);
  mnufile.add(mnuFileOpen, mnuFileClose, mnuFileSave, mnuFileSaveAs, mnuFilebar0, mnuFilePrint,
              mnuFileExportPdf, mnuFilebar1, mnuFileExit);
  mnuedit.add(mnuEditCopy, mnuEditSettings, mnuEditInputs, mnuEditSecurity);
  mnuView.add(mnuViewToolbar);
  Help.add(mnuAbout, mnuHelpContents);
  mnuEditRating.add(mnuEditRatingSummer, mnuEditRatingWinter);
  mnuView.add(mnuViewChart, mnuViewCompare, mnuViewAnnual, mnuViewCodeCheck);

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

  // The separators and the top-level menus have no action.
  mnuFileOpen.onClick = [this] { mnuFileOpen_Click(); };
  mnuFileClose.onClick = [this] { mnuFileClose_Click(); };
  mnuFileSave.onClick = [this] { mnuFileSave_Click(); };
  mnuFileSaveAs.onClick = [this] { mnuFileSaveAs_Click(); };
  mnuFilePrint.onClick = [this] { mnuFilePrint_Click(); };
  mnuFileExportPdf.onClick = [this] { mnuFileExportPdf_Click(); };
  mnuEditCopy.onClick = [this] { mnuEditCopy_Click(); };
  mnuFileExit.onClick = [this] { mnuFileExit_Click(); };
  mnuEditSettings.onClick = [this] { mnuEditSettings_Click(); };
  mnuEditInputs.onClick = [this] { mnuEditInputs_Click(); };
  mnuEditSecurity.onClick = [this] { mnuEditSecurity_Click(); };
  mnuViewToolbar.onClick = [this] { mnuViewToolbar_Click(); };
  mnuAbout.onClick = [this] { mnuAbout_Click(); };
  mnuHelpContents.onClick = [this] { mnuHelpContents_Click(); };
  fields().main.cmdFrostSpeed.onClick = [this] { cmdFrostSpeed_Click(); };
  mnuEditRatingSummer.onClick = [this] { mnuEditRatingSummer_Click(); };
  mnuEditRatingWinter.onClick = [this] { mnuEditRatingWinter_Click(); };
  mnuViewChart.onClick = [this] { mnuViewChart_Click(); };
  mnuViewCompare.onClick = [this] { mnuViewCompare_Click(); };
  mnuViewAnnual.onClick = [this] { mnuViewAnnual_Click(); };
  mnuViewCodeCheck.onClick = [this] { mnuViewCodeCheck_Click(); };
}

void frmWheel::Form_Load() {
  ModCalc::CalcState& s = state();
  ModCalc::DialogFields& f = fields();
  platform::SettingsStore& store = ports().settings;

  // Where the window opens: centred, unless the engineer left it elsewhere.
  const Screen& screen = ports().screen;
  const std::int16_t centredLeft = position((screen.width - width()) / 2.0, 0);
  const std::int16_t centredTop = position((screen.height - height()) / 2.0, 0);

  // The stored position; a text without a number reads as 0.
  const auto stored = [&store](const char* key, std::int16_t centred) {
    const std::string text = store.value(kApplication, kSection, key, std::to_string(centred));
    return position(platform::parseNumber<double>(text).value_or(0.0), centred);
  };
  const std::int16_t left = stored("MainLeft", centredLeft);
  const std::int16_t top = stored("MainTop", centredTop);
  move(left, top);

  // The edition's logo. (The help file is named where help is shown, in
  // ShowHelpContents.)
  picSmallLogo0.setVisible(s.PrivateLabel == 0);
  picSmallLogo1.setVisible(s.PrivateLabel == 1);

  // The flute frame follows the override dialog's two flute check boxes.
  w_.overrides.load();
  frmFlute.setVisible(fluteSizeShown(f.overrides));

  // Sea level and a model still to be selected until the settings say more.
  s.ElevFt = 0;
  s.ModelSelected = 0;

  // Start values from the dialogs' boxes.
  w_.overrides.load();
  w_.inputs.load();
  s.ElOverride = boxNumber(f.overrides.txtELOR);
  s.EsOverride = boxNumber(f.overrides.txtESOR);
  s.PurgeAngleEntered = boxNumber(f.inputs.txtPurgeAngle);
  s.WheelRpmEntered = boxNumber(f.inputs.txtWheelSpeed);

  // The fraction of the wheel's volume that is media, for every model.
  s.MatrixFactor = 0.757F;

  // The catalog, and with it OverridePassword; without it the program
  // cannot run.
  if (const std::optional<std::string> problem =
          ports().catalogRead != nullptr
              ? ModCalc::UseCatalog(engine(), *ports().catalogRead)
              : ModCalc::LoadCatalog(engine(), ports().catalogCandidates)) {
    throw StartupError(*problem);
  }

  // A stored password that matches in any letter case unlocks the
  // override functions.
  const std::string password = store.value(kApplication, kSection, "Password", "");
  if (platform::formatText(password, "<") == platform::formatText(s.OverridePassword, "<")) {
    addOverrideButton();
    mnuEditSecurity.setVisible(false);
  }

  // English units, humidity entered as wet bulb.
  s.SIUnits = 0;
  s.MoistInOption = 2;
  s.MoistInKind = 2;

  // The barometric pressure of the elevation the settings dialog starts with.
  w_.settings.load();
  s.ElevFt = boxNumber(f.settings.txtElev);
  s.Patm = modPsych::AtmPressure(s.ElevFt);

  // No calculation runs at start-up: the window opens empty.
  w_.settings.confirmWithoutCalculation();

  // The custom wheel from the override dialog's boxes.
  ModCalc::AutoSelect(engine());

  // The start-up case, for File Close and as the new case nothing changed.
  std::vector<platform::Control*> shown;
  for (const platform::Form* form : std::initializer_list<const platform::Form*>{
           this, &w_.inputs, &w_.settings, &w_.overrides}) {
    // Menus and the toolbar follow the password, not the case.
    for (platform::Control* control : form->controls()) {
      const platform::ControlRef ref = control->ref();
      if (!std::holds_alternative<platform::ToolBar*>(ref) &&
          !std::holds_alternative<platform::Menu*>(ref) &&
          !std::holds_alternative<platform::MenuItem*>(ref)) {
        shown.push_back(control);
      }
    }
  }
  startupControls_ = platform::ControlSnapshot(shown);
  startupState_ = s;
  startupCatalog_ = engine().catalog;
  caseSaved("");
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
  // Keys are compared case-sensitively. An error is not ignored: it reaches
  // the command guard the toolbar runs under, which shows it.
  const std::string& key = button.key;
  if (key == "Open") {
    mnuFileOpen_Click();
  } else if (key == "Save") {
    mnuFileSave_Click();
  } else if (key == "Copy") {
    mnuEditCopy_Click();
  } else if (key == "Settings") {
    w_.settings.showDialog();
  } else if (key == "Print") {
    mnuFilePrint_Click();
  } else if (key == "Help") {
    ShowHelpContents();
  } else if (key == "Inputs") {
    w_.inputs.show();
  } else if (key == "Override") {
    w_.overrides.show();
  }
}

void frmWheel::mnuFileExit_Click() {
  if (!mayLoseCase()) {
    return;
  }
  Form_Unload();
  hide();
}

void frmWheel::mnuEditSettings_Click() {
  w_.settings.showDialog();
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
  ports().help.showPage(kHelpFile, "index.html");
}

}  // namespace ui
