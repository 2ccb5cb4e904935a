#pragma once

// The start-up window: sets the edition and the SI flow unit, shows the
// version and, by titling the main window, starts it.

#include "platform/Controls.h"
#include "ui/Window.h"

namespace ui {

class frmQuorvaneSplash final : public Window {
 public:
  explicit frmQuorvaneSplash(Windows& windows);

  // "Go", a click on the title or any key: the splash goes, the main window
  // shows.
  void dismiss();

  platform::Frame Frame1{"Frame1"};
  platform::PictureBox picLogo0{"picLogo0", "logo-standard"};
  platform::PictureBox picLogo1{"picLogo1", "logo-private"};
  platform::Label lblCompanyProduct{"lblCompanyProduct", "Thermarotor Selection Program"};
  platform::Label Label1{"Label1", "Calculation Software"};
  platform::Label LblVersion{"LblVersion"};
  platform::Label lblInternalUse{"lblInternalUse", "INTERNAL USE VERSION"};
  platform::CommandButton Command1{"Command1", "Go"};

 protected:
  void Form_Load() override;
};

}  // namespace ui
