#pragma once

// What every window of the program shares: its place among the others, the
// engine it presents, and the platform's ports.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/Form.h"
#include "platform/HelpViewer.h"
#include "platform/MessageBox.h"
#include "platform/NoPorts.h"
#include "platform/Page.h"
#include "platform/PrintDialog.h"
#include "platform/SettingsStore.h"
#include "ui/Engine.h"
#include "ui/Views.h"

namespace ModCalc {
struct CatalogFile;
}  // namespace ModCalc

namespace ui {

// The per-user settings all live here.
inline constexpr const char* kApplication = "KTR";
inline constexpr const char* kSection = "Startup";

// The program's version: major, minor, revision, the build's project
// version, so the splash, About and the report say what the package says.
inline constexpr int kVersionMajor = KTR_VERSION_MAJOR;
inline constexpr int kVersionMinor = KTR_VERSION_MINOR;
inline constexpr int kVersionRevision = KTR_VERSION_PATCH;
// "Version 6.0.0".
std::string versionText();

// The help file, and the page of it F1 opens over each window: by the
// form's name, or "chart", "compare" and "annual" for the drawn views. Any other
// window opens the contents.
inline constexpr const char* kHelpFile = "KTR.hlp";
inline constexpr std::pair<std::string_view, std::string_view> kHelpPages[] = {
    {"frmWheel", "results.html"},         {"frmInputs", "inputs.html"},
    {"frmSettings", "settings.html"},     {"frmOverride", "override.html"},
    {"dlgPassword", "override.html"},     {"chart", "more.html#chart"},
    {"compare", "more.html#compare"},     {"annual", "more.html#annual"},
    {"codecheck", "more.html#codecheck"},
};
std::string_view helpPage(std::string_view window);

// The screen's size in twips, for centring the main window.
struct Screen {
  int width = 0;
  int height = 0;
};

// What the windows reach the platform through. Build it with designated
// initialisers: the ports after `help` have stand-ins (cancelled dialogs, no
// printer, no clipboard), so a front end names only those it has.
struct Ports {
  platform::MessageBox& messages;
  platform::SettingsStore& settings;
  platform::HelpViewer& help;
  Screen screen;
  // Where the catalog is looked for, in order.
  std::vector<std::filesystem::path> catalogCandidates;
  // A catalog read beforehand, used instead of reading a candidate.
  const ModCalc::CatalogFile* catalogRead = nullptr;
  platform::FileDialogs& files = platform::noFileDialogs();
  platform::PrintDialog& printDialog = platform::noPrintDialog();
  platform::PageDevice& pages = platform::noPageDevice();
  platform::Clipboard& clipboard = platform::noClipboard();
  Views& views = noViews();
};

// The program cannot start (its catalog is missing or malformed).
struct StartupError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Windows;

class Window : public platform::Form {
 public:
  Window(std::string name, Windows& windows) : Form(std::move(name)), w_(windows) {}

 protected:
  ModCalc::Engine& engine() const;
  ModCalc::CalcState& state() const;
  ModCalc::DialogFields& fields() const;
  const Ports& ports() const;

  Windows& w_;
};

}  // namespace ui
