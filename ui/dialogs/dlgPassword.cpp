#include "ui/dialogs/dlgPassword.h"

#include "platform/NumberText.h"
#include "ui/Windows.h"

namespace ui {

dlgPassword::dlgPassword(Windows& windows) : Window("dlgPassword", windows) {
  setCaption("Security");
  add(Label2, Label1, txtPassword, OKButton, CancelButton);
  OKButton.onClick = [this] { OKButton_Click(); };
  CancelButton.onClick = [this] { CancelButton_Click(); };
}

void dlgPassword::OKButton_Click() {
  const std::string& password = state().OverridePassword;
  if (platform::formatText(txtPassword.text(), "<") == platform::formatText(password, "<")) {
    w_.main.addOverrideButton();
    // Written under "startup" and read at start-up under "Startup": the
    // stores fold section names, so both spellings reach the same key.
    ports().settings.setValue(kApplication, "startup", "Password", password);
  }
  hide();
}

void dlgPassword::CancelButton_Click() {
  hide();
}

}  // namespace ui
