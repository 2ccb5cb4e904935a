#pragma once

// The password dialog that unlocks the override functions for this run and
// every later one.

#include "platform/Controls.h"
#include "ui/Window.h"

namespace ui {

class dlgPassword final : public Window {
 public:
  explicit dlgPassword(Windows& windows);

  void OKButton_Click();
  void CancelButton_Click();

  platform::Label Label2{"Label2", "Enter Password for Override Capabilities"};
  platform::Label Label1{"Label1", "Password"};
  platform::TextBox txtPassword{"txtPassword"};
  platform::CommandButton OKButton{"OKButton", "OK"};
  platform::CommandButton CancelButton{"CancelButton", "Cancel"};
};

}  // namespace ui
