#pragma once

#include "platform/MessageBox.h"

namespace platform::qt {

// A modal QMessageBox over the active window, with the icon asked for and OK.
class QtMessageBox final : public MessageBox {
 public:
  void show(std::string_view text, std::string_view title, MessageIcon icon) override;
};

}  // namespace platform::qt
