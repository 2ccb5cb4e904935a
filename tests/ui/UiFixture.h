#pragma once

// The program's windows over the shipped catalog, with in-memory ports, as
// the desktop program starts them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "platform/headless/RecordingPage.h"
#include "ui/Windows.h"

namespace ui::testing {

// A screen of 1280 x 1024 pixels at 15 twips a pixel.
inline constexpr Screen kScreen{19200, 15360};

struct Program {
  Program() = default;
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Start-up as the desktop program runs it: the splash loads (and with it
  // the main window and the hidden dialogs), then the user dismisses it.
  void start() {
    windows.splash.load();
    windows.splash.dismiss();
  }

  // The messages shown, as "TITLE: TEXT".
  std::vector<std::string> texts() const {
    std::vector<std::string> result;
    for (const platform::Message& m : messages.messages()) {
      result.push_back(m.title + ": " + m.text);
    }
    return result;
  }

  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::HeadlessFileDialogs files;
  platform::HeadlessPrintDialog printDialog;
  platform::RecordingPageDevice pages;
  platform::MemoryClipboard clipboard;
  ModCalc::Engine engine{state, catalog, fields, messages, {}};
  Windows windows{engine, Ports{.messages = messages,
                                .settings = settings,
                                .help = help,
                                .screen = kScreen,
                                .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"},
                                .files = files,
                                .printDialog = printDialog,
                                .pages = pages,
                                .clipboard = clipboard}};
};

// A started program.
class UiTest : public ::testing::Test, public Program {
 protected:
  UiTest() { start(); }
};

}  // namespace ui::testing
