#pragma once

// Where a user's command (a menu item, a toolbar button, a button or an edit
// in a window) enters the program.

#include <functional>

#include "platform/MessageBox.h"

namespace platform {

// Runs `command` with view notifications deferred to its end, and turns an
// exception that escapes it into an "Error" box, so that no failure is lost
// or reaches the toolkit's event loop.
void runCommand(MessageBox& messages, const std::function<void()>& command);

}  // namespace platform
