#pragma once

// All the program's windows, created once and kept for the whole run.

#include <optional>
#include <vector>

#include "engine/CodeCheck.h"
#include "ui/dialogs/dlgPassword.h"
#include "ui/dialogs/frmInputs.h"
#include "ui/dialogs/frmOverride.h"
#include "ui/dialogs/frmQuorvaneSplash.h"
#include "ui/dialogs/frmSettings.h"
#include "ui/main/frmWheel.h"

namespace ui {

class Windows {
 public:
  // Makes the main window's FillCaptions the engine's redraw.
  Windows(ModCalc::Engine& engine, Ports ports);
  Windows(const Windows&) = delete;
  Windows& operator=(const Windows&) = delete;

  ModCalc::Engine& engine;
  Ports ports;

  frmQuorvaneSplash splash;
  frmWheel main;
  frmInputs inputs;
  frmSettings settings;
  frmOverride overrides;
  dlgPassword password;

  // What the case is checked against for the energy code: none until the
  // engineer opens Code Check (or a project that has its record), and then
  // shown on the report and saved with the project.
  std::optional<ModCalc::CodeCheckInputs> codeCheck;

  // In the order they were created.
  std::vector<platform::Form*> all();
};

}  // namespace ui
