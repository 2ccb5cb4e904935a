// The main window's File Open and File Save, and FillText.

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>

#include "engine/CustomWheel.h"
#include "engine/InputChecks.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"
#include "ui/EnteredUnits.h"
#include "ui/Windows.h"
#include "ui/main/CaseFields.h"
#include "ui/main/ProjectFile.h"
#include "units/Units.h"

namespace ui {

namespace {

// A project is a few hundred bytes; more is no project.
constexpr std::size_t kMostProjectBytes = std::size_t{1} << 20;

}  // namespace

void frmWheel::mnuFileOpen_Click() {
  if (!mayLoseCase()) {
    return;
  }
  const auto path = ports().files.openPath("Open", kProjectFilter);
  if (path && !path->empty()) {
    openProjectFile(*path);
  }
}

bool frmWheel::openProjectFile(const std::string& path) {
  if (!OpenProject(path)) {
    return false;
  }
  ModCalc::CalcState& s = state();
  lblTitle.setCaption(s.ProjectTitle);
  w_.settings.ChangeUnits();
  // The box writes of the open are no edits: they keep the stored model.
  FillText();
  s.ModelSelected = 1;
  w_.settings.FillWheelInputsCaptions();
  // The caption step wrote the moisture boxes to one decimal; the final
  // calculation reads the stored values.
  FillText();
  s.ModelSelected = 1;
  // The project's entries stay in the boxes either way; results that could
  // not be calculated for them are not passed off as theirs.
  const bool calculated = ModCalc::Calculate(engine());
  if (calculated) {
    FillCaptions();
    FillText();
    s.ModelSelected = 1;
    w_.inputs.resultsApplied();
  } else {
    w_.inputs.ChangeStatus();
  }
  caseSaved(path);
  if (onProjectFile) {
    onProjectFile(path);
  }
  return calculated;
}

bool frmWheel::OpenProject(const std::string& path) {
  const auto failed = [&](const std::string& why) {
    ports().messages.show(
        "The project file " + path + " cannot be opened: " + why + ". Nothing was changed.", "Open",
        platform::MessageIcon::Exclamation);
    return false;
  };
  const auto read = platform::readFileBounded(path, kMostProjectBytes);
  if (const auto* refused = std::get_if<platform::ReadRefusal>(&read)) {
    const std::string why = platform::refusalText(*refused, "project file");
    return failed(refused->kind == platform::ReadRefusal::Kind::System ? why : "it " + why);
  }
  auto parsed = parseProject(std::get<std::string>(read), state().ModelCount);
  if (const std::string* problem = std::get_if<std::string>(&parsed)) {
    return failed(*problem);
  }
  const Project& p = std::get<Project>(parsed);
  annualRecord = p.annual;

  ModCalc::CalcState& s = state();
  restoreProject(p, s, engine().catalog);
  // The stored model is used as it stands, without the selection that
  // would estimate a custom wheel's purge.
  engine().catalog.ModelPurgeCfm[0] = ModCalc::customPurgeEstimate(
      engine().catalog.WheelDepth[0], engine().catalog.ModelFaceArea[0], s.MatrixFactor);
  ModCalc::DialogFields& f = fields();

  for (std::size_t i = 0; i < p.ProjectSwitches.size(); ++i) {
    restoreSwitch(caseSwitches()[i], p.ProjectSwitches[i], f);
  }
  f.settings.optMoistIn[static_cast<std::size_t>(s.MoistInOption - 1)].select();
  s.PoaPa = static_cast<float>(s.PoaInWC * units::kPascalsPerInchOfWater);
  s.PraPa = static_cast<float>(s.PraInWC * units::kPascalsPerInchOfWater);
  s.ModelSelected = 1;
  // The calculation takes the model selected in the inputs dialog's list, so
  // the list shows the stored one, on its own when the list lacks it.
  platform::ListBox& list = f.inputs.lstWheel;
  const std::string& model = engine().catalog.ModelName[static_cast<std::size_t>(s.ModelIndex)];
  const auto listed = std::find(list.items().begin(), list.items().end(), model);
  if (listed == list.items().end()) {
    list.clear();
    list.addItem(model);
    list.setListIndex(0);
  } else {
    list.setListIndex(static_cast<int>(listed - list.items().begin()));
  }

  // The file keeps the humidity ratios; the boxes take the moisture in the
  // chosen kind at the pressures the calculation will read it back at.
  s.Patm = modPsych::AtmPressure(s.ElevFt);
  const auto pressure = [&s](float inWC) { return static_cast<float>(inWC / 27.708 + s.Patm); };
  const auto stored = [&s](float t, float p, double W) {
    return ModCalc::heldMoisture(ModCalc::moistureGiving(t, p, W, s.MoistInKind), s.MoistInKind);
  };
  s.Moa = stored(s.Toa, pressure(s.PoaInWC), s.Woa);
  s.Mra = stored(s.Tra, pressure(s.PraInWC), s.Wra);
  if (const auto outdoor = ModCalc::moistureSI(s.Moa, s.MoistInOption, s.SIUnits)) {
    s.MoaSI = *outdoor;
    s.MraSI = *ModCalc::moistureSI(s.Mra, s.MoistInOption, s.SIUnits);
  }

  // Calculate takes the title, the wheel speed, the purge angle and the
  // custom wheel from the dialogs' boxes; FillText writes the others.
  for (const CaseField& field : caseFields()) {
    if (platform::TextBox* box = boxOf(field.box, f); box != nullptr && !field.refilled) {
      box->setText(boxText(field, s, engine().catalog));
    }
  }
  ModCalc::OverrideFields& o = f.overrides;

  // A file without a code check leaves the one set up, as it leaves the
  // later settings.
  if (p.codeCheck) {
    w_.codeCheck = p.codeCheck;
  }
  if (const auto& x = p.extras) {
    o.FluteOverride.setValue(x->FluteOverride);
    (x->FluteSize == 45 ? o.Flute45 : x->FluteSize == 94 ? o.Flute94 : o.Flute62).select();
    o.chkFluteDisplay.setValue(x->chkFluteDisplay);
    o.ListSelect.setValue(x->ListSelect);
    if (x->SIFlowUnit != s.SIFlowUnit) {
      w_.settings.cmdSIUnitType_Click();
    }
  }
  return true;
}

void frmWheel::mnuFileSave_Click() {
  if (projectPath_.empty()) {
    mnuFileSaveAs_Click();
  } else {
    saveProjectFile(projectPath_);
  }
}

void frmWheel::mnuFileSaveAs_Click() {
  const auto path = ports().files.savePath("Save As", kProjectFilter);
  if (path && !path->empty()) {
    saveProjectFile(*path);
  }
}

bool frmWheel::saveProjectFile(const std::string& path) {
  if (!calculateForOutput() || !SaveProject(path)) {
    return false;
  }
  caseSaved(path);
  if (onProjectFile) {
    onProjectFile(path);
  }
  return true;
}

bool frmWheel::SaveProject(const std::string& path) {
  const ModCalc::CalcState& s = state();
  const ModCalc::ModelCatalog& c = engine().catalog;
  const ModCalc::DialogFields& f = fields();
  Project p;
  storeProject(p, s, c);
  for (std::size_t i = 0; i < p.ProjectSwitches.size(); ++i) {
    p.ProjectSwitches[i] = switchValue(caseSwitches()[i], f);
  }
  const ModCalc::OverrideFields& o = f.overrides;
  p.extras = ProjectExtras{o.FluteOverride.value(),
                           static_cast<std::int16_t>(o.Flute45.value()   ? 45
                                                     : o.Flute94.value() ? 94
                                                                         : 62),
                           o.chkFluteDisplay.value(), o.ListSelect.value(), s.SIFlowUnit};
  p.annual = annualRecord;

  p.codeCheck = w_.codeCheck;

  if (const auto reason = platform::writeFileAtomically(path, projectText(p))) {
    ports().messages.show("The project could not be saved to " + path + ": " + *reason + ".",
                          "Save", platform::MessageIcon::Exclamation);
    return false;
  }
  return true;
}

void frmWheel::FillText() {
  ModCalc::CalcState& s = state();
  for (const CaseField& field : caseFields()) {
    platform::TextBox* box = boxOf(field.box, fields());
    if (box != nullptr && field.refilled && (!field.entered || field.entered(s.FlowBasis))) {
      box->setText(boxText(field, s, engine().catalog));
    }
  }
  if (s.SIUnits != 1) {
    return;
  }
  if (s.MoistInOption == 7) {
    s.MoaSI = s.Moa / units::kGrainsPerGramPerKilogram;
    s.MraSI = s.Mra / units::kGrainsPerGramPerKilogram;
  } else if (s.MoistInOption > 4) {
    s.MoaSI = units::celsius(s.Moa);
    s.MraSI = units::celsius(s.Mra);
  }
  w_.inputs.ShowSIBoxes();
}

}  // namespace ui
