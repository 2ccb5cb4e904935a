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
    // Start-up reads "Startup"; stores fold section names, so both meet.
    ports().settings.setValue(kApplication, "startup", "Password", password);
  }
  hide();
}

void dlgPassword::CancelButton_Click() {
  hide();
}

}  // namespace ui
