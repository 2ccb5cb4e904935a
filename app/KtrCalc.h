#pragma once

// The headless front end `ktr-calc`, as a function so tests can run it in
// the process: arguments without the program name, results on `out`,
// messages and usage errors on `err`; returns the exit status (0 done,
// 1 could not start, 2 usage error, 3 a file action failed or `out` could
// not be written). `out` is flushed before it returns.

#include <ostream>
#include <string>
#include <vector>

#include "ui/Window.h"

namespace ktr {

// The screen the headless windows are centred on.
ui::Screen headlessScreen();

int runKtrCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ktr
