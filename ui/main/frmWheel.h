#pragma once

// The main window: the results of the last calculation, the menus and the
// toolbar, start-up and closing. Start-up and the commands live in
// frmWheel.cpp, the results display in frmWheelResults.cpp, the frost speed
// loop in FrostSpeed.cpp.

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "platform/ControlSnapshot.h"
#include "platform/Controls.h"
#include "platform/Page.h"
#include "ui/Window.h"
#include "ui/main/AnnualRecord.h"
#include "ui/main/ResultTexts.h"

namespace ui {

using platform::CommandButton;
using platform::Frame;
using platform::Label;
using platform::Menu;
using platform::MenuItem;
using platform::PictureBox;
using platform::ToolBar;
using platform::ToolButton;

class frmWheel final : public Window {
 public:
  explicit frmWheel(Windows& windows);

  // Reruns the calculation at falling wheel speeds until the exhaust air no
  // longer frosts.
  void cmdFrostSpeed_Click();
  // The results of the last calculation as this window shows them.
  ResultTexts shownResults() const;
  // Every result, from the calculation state.
  void FillCaptions();
  // The state's inputs back into the inputs and settings dialogs' boxes.
  void FillText();
  // What draws the pages a report carries after its own, each on a page of
  // its own; empty: none.
  using ReportPages = std::function<void(platform::Page&)>;
  // The pages the report carries after its own as the program has them (the
  // annual page, when the engineer asks for it), made before the report
  // starts: a platform::PageError says why they cannot be. Unset: none.
  std::function<ReportPages()> reportPages;
  // The report of the current case, then `more`, ending the document.
  void Printout(platform::Page& page, const ReportPages& more = {});

  // Whether the results shown are those of the case in the boxes: there
  // are results, and nothing has changed since they were calculated.
  bool resultsUpToDate() const;
  // Every output (save, print, report, copy, chart, comparison) describes
  // the case on screen, calculated: results that are not up to date are
  // first calculated as the Calculate button does. False when that
  // calculation stopped; its message has been shown.
  bool calculateForOutput();

  // File Open, Save, Save As, Print and Export PDF, and Edit Copy; each
  // asks its dialog first (the command line answers them itself). Save
  // writes to the project's own file once it has one.
  void mnuFileOpen_Click();
  void mnuFileSave_Click();
  void mnuFileSaveAs_Click();
  // File Close: back to the start-up case.
  void mnuFileClose_Click();
  void mnuFilePrint_Click();
  void mnuFileExportPdf_Click();
  void mnuEditCopy_Click();
  // The commands once a path is chosen; each shows its own message and says
  // whether it did its work.
  bool openProjectFile(const std::string& path);
  bool saveProjectFile(const std::string& path);
  // Told the path of each project file opened or saved (File > Recent).
  std::function<void(const std::string&)> onProjectFile;
  // The annual energy's weather and operation as the project holds them;
  // none while they are the built-in year and the defaults.
  std::optional<AnnualRecord> annualRecord;
  bool exportPdf(const std::string& path);
  // The report with the pages `more` makes instead of reportPages'.
  bool exportPdf(const std::string& path, const std::function<ReportPages()>& more);

  // Whether the case in the boxes differs from the one last opened or saved
  // (for a new case, from start-up).
  bool caseModified() const;
  // Puts the title bar's modified mark in line with caseModified().
  void refreshModified();
  // The boxes, check boxes, options and model list that make up the case.
  std::vector<platform::Control*> caseControls() const;
  // Before a command that would lose unsaved changes: asks Save, Discard or
  // Cancel. True when the command may go on (saved, discarded, or nothing
  // to lose).
  bool mayLoseCase();
  // The clipboard summary's text, as Edit Copy puts it there.
  std::string summaryText() const;

  void Form_Unload();
  void tbToolBar_ButtonClick(const ToolButton& button);
  void mnuFileExit_Click();
  void mnuEditSettings_Click();
  void mnuEditInputs_Click();
  void mnuEditSecurity_Click();
  void mnuViewToolbar_Click();
  void mnuAbout_Click();
  void mnuHelpContents_Click();

  // Edit Rating Conditions Summer and Winter, View Psychrometric Chart and
  // Compare Models.
  void mnuEditRatingSummer_Click();
  void mnuEditRatingWinter_Click();
  void mnuViewChart_Click();
  void mnuViewCompare_Click();
  void mnuViewAnnual_Click();
  // View Code Check: the case against the energy code.
  void mnuViewCodeCheck_Click();

  // Adds the "Override" toolbar button unless it is there already.
  void addOverrideButton();

  // Air streams: dry bulb, humidity (0 wet bulb or dew point, 1 humidity
  // ratio, 2 relative humidity), standard and actual volume, face velocity.
  // The enthalpy array is 0 outdoor, 1 return, 2 supply, 3 exhaust.
  Frame fmeOutdoor{"fmeOutdoor", "Outdoor Air"};
  Frame fmeSupply{"fmeSupply", "Supply Air"};
  Frame fmeReturn{"fmeReturn", "Return Air"};
  Frame fmeExhaust{"fmeExhaust", "Exhaust Air"};
  Label lblToa{"lblToa"};
  Label lblTsa{"lblTsa"};
  Label lblTra{"lblTra"};
  Label lblTea{"lblTea"};
  std::array<Label, 3> lblWoa = platform::controlArray<Label, 3>("lblWoa");
  std::array<Label, 3> lblWra = platform::controlArray<Label, 3>("lblWra");
  // lblWsa and lblWea belong to the engine's fields: the saturation checks
  // colour them.
  std::array<Label, 4> LblH = platform::controlArray<Label, 4>("LblH");
  Label lblVoa{"lblVoa"};
  Label lblVsa{"lblVsa"};
  Label lblVra{"lblVra"};
  Label lblVea{"lblVea"};
  Label lblAcfmO{"lblAcfmO"};
  Label lblAcfmS{"lblAcfmS"};
  Label lblAcfmR{"lblAcfmR"};
  Label lblAcfmE{"lblAcfmE"};
  Label lblVelO{"lblVelO"};
  Label lblVelE{"lblVelE"};

  // Unit words, one per stream (0 outdoor, 1 supply, 2 return, 3 exhaust).
  std::array<Label, 4> lblFDB = platform::controlArray<Label, 4>("lblFDB", "°F DB");
  std::array<Label, 4> lblHum = platform::controlArray<Label, 4>("lblHum", "°F WB");
  std::array<Label, 4> lblHum1 = platform::controlArray<Label, 4>("lblHum1", "gr/lb");
  std::array<Label, 4> LblHum2 = platform::controlArray<Label, 4>("LblHum2", "%, RH");
  std::array<Label, 4> LblEnth = platform::controlArray<Label, 4>("LblEnth", "BTU/lb");
  std::array<Label, 4> lblSCFM = platform::controlArray<Label, 4>("lblSCFM", "scfm");
  // Actual-volume units of the outdoor, supply, return, exhaust and purge
  // rows.
  Label Label6{"Label6", "acfm"};
  Label Label7{"Label7", "acfm"};
  Label Label8{"Label8", "acfm"};
  Label Label9{"Label9", "acfm"};
  Label Label12{"Label12", "acfm"};
  // Face-velocity units of the outdoor and exhaust frames.
  Label lblFPM1{"lblFPM(1)", "sfpm"};
  Label lblFPM2{"lblFPM(2)", "sfpm"};

  Frame fmeSpeed{"fmeSpeed", "Wheel Speed"};
  Label lblWheelSpeed{"lblWheelSpeed"};
  Frame fmePurge{"fmePurge", "Purge"};
  Label lblVPurge{"lblVPurge"};
  Label lblAcfmP{"lblAcfmP"};
  Label lblPurgeAngle{"lblPurgeAngle"};
  Label Label3{"Label3", "scfm"};  // the purge volume's unit

  Frame Frame5{"Frame5", std::string(21, ' ') + "E" + std::string(10, ' ') + "BTU/H"};
  Label lblHeatS{"lblHeatS"};
  Label lblHeatL{"lblHeatL"};
  Label lblHeatT{"lblHeatT"};
  Label lblEunbalS{"lblEunbalS"};
  Label lblEunbalL{"lblEunbalL"};
  // lblEunbalT belongs to the engine's fields.

  Label lblDPs{"lblDPs"};
  Label lblDPr{"lblDPr"};
  Label lbldWh{"lbldWh"};
  std::array<Label, 2> lblInWC = platform::controlArray<Label, 2>("lblInWC", "in. w.c.");
  std::array<Label, 1> lbllbh = platform::controlArray<Label, 1>("lbllbh", "lb H2O/h");

  Label HiVelocity{"HiVelocity", kVelocityTooHighText};
  Label lblSeason{"lblSeason"};
  Label lblModel{"lblModel"};
  Label lblTitle{"lblTitle"};
  Frame frmFlute{"frmFlute", "Flute Size"};

  PictureBox picWheel{"picWheel", "wheel"};
  PictureBox picSmallLogo0{"picSmallLogo0", "logo-standard"};
  PictureBox picSmallLogo1{"picSmallLogo1", "logo-private"};
  PictureBox picARILogo{"picARILogo", "certification"};

  ToolBar tbToolBar{"tbToolBar"};

  Menu mnufile{"mnufile", "&File"};
  MenuItem mnuFileOpen{"mnuFileOpen", "&Open"};
  MenuItem mnuFileClose{"mnuFileClose", "&Close"};
  MenuItem mnuFileSave{"mnuFileSave", "&Save"};
  MenuItem mnuFileSaveAs{"mnuFileSaveAs", "Save &As…"};
  MenuItem mnuFilebar0 = MenuItem::separator("mnuFilebar0");
  MenuItem mnuFilePrint{"mnuFilePrint", "&Print"};
  MenuItem mnuFileExportPdf{"mnuFileExportPdf", "Export P&DF…"};
  MenuItem mnuFilebar1 = MenuItem::separator("mnuFilebar1");
  MenuItem mnuFileExit{"mnuFileExit", "&Exit"};
  Menu mnuedit{"mnuedit", "&Edit"};
  MenuItem mnuEditCopy{"mnuEditCopy", "&Copy"};
  MenuItem mnuEditSettings{"mnuEditSettings", "&Settings"};
  MenuItem mnuEditInputs{"mnuEditInputs", "&Inputs"};
  MenuItem mnuEditSecurity{"mnuEditSecurity", "Sec&urity"};
  Menu mnuView{"mnuView", "&View"};
  MenuItem mnuViewToolbar{"mnuViewToolbar", "&Toolbar"};
  Menu mnuEditRating{"mnuEditRating", "&Rating Conditions"};
  MenuItem mnuEditRatingSummer{"mnuEditRatingSummer", "&Summer"};
  MenuItem mnuEditRatingWinter{"mnuEditRatingWinter", "&Winter"};
  MenuItem mnuViewChart{"mnuViewChart", "&Psychrometric Chart"};
  MenuItem mnuViewCompare{"mnuViewCompare", "&Compare Models"};
  MenuItem mnuViewAnnual{"mnuViewAnnual", "&Annual Energy"};
  MenuItem mnuViewCodeCheck{"mnuViewCodeCheck", "Code Chec&k"};
  Menu Help{"Help", "&Help"};
  MenuItem mnuAbout{"mnuAbout", "&About"};
  MenuItem mnuHelpContents{"mnuHelpContents", "Help &Contents"};

 protected:
  void Form_Load() override;

 private:
  void ShowHelpContents();
  bool SaveProject(const std::string& path);
  bool OpenProject(const std::string& path);
  void BuildSummaryText();
  // The case's contents as one text, to compare with the one saved.
  std::string caseText() const;
  // The case now shown is the one in `path` (empty: a new case).
  void caseSaved(std::string path);

  std::string savedCase_;
  std::string projectPath_;
  // What File Close goes back to: the windows, the state and the custom
  // wheel as start-up left them.
  platform::ControlSnapshot startupControls_;
  ModCalc::CalcState startupState_;
  ModCalc::ModelCatalog startupCatalog_;
};

}  // namespace ui
