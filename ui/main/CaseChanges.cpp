// The main window's unsaved changes: the modified mark, the question before
// a command would lose them, and File Close.

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "engine/Catalog.h"
#include "platform/Overloaded.h"
#include "ui/Windows.h"
#include "ui/main/AnnualRecord.h"
#include "ui/main/CodeCheckRecord.h"

namespace ui {

std::vector<platform::Control*> frmWheel::caseControls() const {
  std::vector<platform::Control*> result;
  for (const platform::Form* form : {static_cast<const platform::Form*>(&w_.inputs),
                                     static_cast<const platform::Form*>(&w_.settings),
                                     static_cast<const platform::Form*>(&w_.overrides)}) {
    for (platform::Control* control : form->controls()) {
      const bool entry = std::visit(platform::Overloaded{
                                        [](const platform::TextBox*) { return true; },
                                        [](const platform::CheckBox*) { return true; },
                                        [](const platform::OptionButton*) { return true; },
                                        [](const platform::ListBox*) { return true; },
                                        [](const auto*) { return false; },
                                    },
                                    std::as_const(*control).ref());
      if (entry) {
        result.push_back(control);
      }
    }
  }
  return result;
}

std::string frmWheel::caseText() const {
  std::string text;
  for (const platform::Control* control : caseControls()) {
    text += control->name();
    text += '=';
    std::visit(platform::Overloaded{
                   [&text](const platform::TextBox* box) { text += box->text(); },
                   [&text](const platform::CheckBox* box) { text += std::to_string(box->value()); },
                   [&text](const platform::OptionButton* o) { text += o->value() ? '1' : '0'; },
                   [&text](const platform::ListBox* list) { text += list->text(); },
                   [](const auto*) {},
               },
               control->ref());
    // No entry holds a line break (a box's text is one line).
    text += '\n';
  }
  // The year's operation and the code check are saved with the case too.
  const auto items = [&text](const char* name, const std::vector<std::string>& record) {
    text += name;
    for (const std::string& item : record) {
      text += '=' + item;
    }
    text += '\n';
  };
  if (annualRecord) {
    items("annual", annualRecordNumbers(*annualRecord));
    text += annualRecord->weatherPath + '\n';
  }
  if (w_.codeCheck) {
    items("codecheck", codeCheckRecord(*w_.codeCheck));
  }
  return text;
}

bool frmWheel::caseModified() const {
  return caseText() != savedCase_;
}

void frmWheel::refreshModified() {
  setModified(caseModified());
}

void frmWheel::caseSaved(std::string path) {
  projectPath_ = std::move(path);
  savedCase_ = caseText();
  setModified(false);
}

bool frmWheel::mayLoseCase() {
  if (!caseModified()) {
    return true;
  }
  const std::string name = projectPath_.empty() ? std::string("the new case") : projectPath_;
  switch (ports().messages.askSave("Save the changes to " + name + "?", "Unsaved changes")) {
    case platform::SaveAnswer::Save:
      // A save not made (its dialog cancelled, the file not written) keeps
      // the case, as Cancel does.
      mnuFileSave_Click();
      return !caseModified();
    case platform::SaveAnswer::Discard:
      return true;
    case platform::SaveAnswer::Cancel:
      break;
  }
  return false;
}

void frmWheel::mnuFileClose_Click() {
  if (!mayLoseCase()) {
    return;
  }
  {
    // Held: a handler would act on a case half put back.
    const platform::HoldHandlers held;
    startupControls_.restore();
  }
  state() = startupState_;
  ModCalc::CopyCatalogRow(engine().catalog, startupCatalog_, 0);
  annualRecord.reset();
  caseSaved("");
  ports().views.caseReplaced();
}

}  // namespace ui
