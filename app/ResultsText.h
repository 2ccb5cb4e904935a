#pragma once

// The main window's results as plain text, laid out as the window groups
// them, for a terminal.

#include <string>

#include "ui/main/frmWheel.h"

namespace ktr {

std::string resultsText(const ui::frmWheel& main);

}  // namespace ktr
