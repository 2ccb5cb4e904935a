#pragma once

#include <ostream>

#include "platform/MessageBox.h"

namespace platform::qt {

// A modal QMessageBox over the active window, with the icon asked for and OK.
class QtMessageBox final : public MessageBox {
 public:
  void show(std::string_view text, std::string_view title, MessageIcon icon) override;
  // Save is the default button, Esc cancels.
  SaveAnswer askSave(std::string_view text, std::string_view title) override;

  // With no person to answer (offscreen, or a run that quits by itself) a
  // box would wait forever: its "TITLE: TEXT" goes to `log` instead, and
  // OK is taken as pressed. A save question is answered Cancel: Save would
  // wait on a file dialog, Discard would lose the case.
  void answerUnattended(std::ostream& log) { unattended_ = &log; }

 private:
  std::ostream* unattended_ = nullptr;
};

}  // namespace platform::qt
