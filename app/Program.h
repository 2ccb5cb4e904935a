#pragma once

// The program object: owns the calculation state, the catalog, the dialog
// fields, the engine and every window, over the ports its front end gives it
// (the desktop's dialogs and settings, or the command line's).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/ControlSnapshot.h"
#include "ui/Engine.h"
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

  // A window's output command: the results brought up to date as Save does
  // them, as one command of the user's; false when the calculation stopped.
  bool calculateForOutput();

  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  ModCalc::Engine engine;
  ui::Windows windows;
};

// What a started program holds before its first case, so that one program
// takes case after case as if each were typed into a freshly started one:
// starting a program costs more than rating a case.
class StartupState {
 public:
  explicit StartupState(const Program& started);

  // One case: what it changes (any control, the state, the custom wheel's
  // catalog row) is put back as start-up left it when the case closes,
  // running no handler.
  class Case {
   public:
    Case(Program& program, const StartupState& startup) : program_(program), startup_(startup) {}
    ~Case();
    Case(const Case&) = delete;
    Case& operator=(const Case&) = delete;

   private:
    Program& program_;
    const StartupState& startup_;
    platform::ControlJournal controls_;
  };

 private:
  ModCalc::CalcState state_;
  ModCalc::ModelCatalog catalog_;
};

}  // namespace ktr
