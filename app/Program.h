#pragma once

// The program object: owns the calculation state, the catalog, the dialog
// fields, the engine and every window, over the ports its front end gives it
// (the desktop's dialogs and settings, or the command line's).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/Engine.h"
#include "ui/Windows.h"

namespace ktr {

class Program {
 public:
  explicit Program(ui::Ports ports);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start-up: the splash loads, and with it the main window and the hidden
  // dialogs; the catalog is read. Returns why the program cannot start.
  std::optional<std::string> start();

  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  ModCalc::Engine engine;
  ui::Windows windows;
};

}  // namespace ktr
