#include "platform/Command.h"

#include <exception>

#include "platform/Controls.h"

namespace platform {

void runCommand(MessageBox& messages, const std::function<void()>& command) {
  try {
    // Closed before a box shows, so the box appears over repainted windows.
    DeferNotifications deferred;
    command();
  } catch (const std::exception& error) {
    messages.show(error.what(), "Error", MessageIcon::Critical);
  } catch (...) {
    messages.show("The command failed for an unknown reason.", "Error", MessageIcon::Critical);
  }
}

}  // namespace platform
