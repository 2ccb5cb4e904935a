// One program put back after each case must be indistinguishable from a
// freshly started one: batch rating relies on it for every row.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/Actions.h"
#include "app/KtrCalc.h"
#include "app/Program.h"
#include "app/ProgramJson.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"

namespace {

namespace fs = std::filesystem;

// The pinned cases' actions: between them they touch the password, the
// override dialog, the frost speed loop, both unit systems, every option and
// a calculation that stops.
struct Case {
  std::string name;
  std::vector<std::string> args;
};

std::vector<Case> goldenCases() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(KTR_SOURCE_DIR "/tests/golden")) {
    if (entry.path().extension() == ".args") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<Case> cases;
  for (const fs::path& file : files) {
    std::ifstream in(file);
    std::vector<std::string> args;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && !line.starts_with('#')) {
        args.push_back(line);
      }
    }
    cases.push_back({file.stem().string(), args});
  }
  return cases;
}

TEST(StartupState, EveryCaseIsPutBackToTheProgramAsItStarted) {
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::MemoryClipboard clipboard;
  ktr::Program program(ui::Ports{.messages = messages,
                                 .settings = settings,
                                 .help = help,
                                 .screen = ktr::headlessScreen(),
                                 .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"},
                                 .clipboard = clipboard});
  ASSERT_FALSE(program.start());
  program.windows.splash.dismiss();
  const auto started = ktr::programJson(program, {}).dump(1);
  const ktr::StartupState startup(program);
  std::ostringstream discarded;
  ktr::Session session{discarded, messages, clipboard};
  const auto cases = goldenCases();
  ASSERT_GE(cases.size(), 10U);
  // Twice over, so that each case also follows every other.
  for (int round = 0; round < 2; ++round) {
    for (const auto& [name, args] : cases) {
      SCOPED_TRACE(name);
      {
        const ktr::StartupState::Case fresh(program, startup);
        for (const ktr::Step& step : ktr::planSteps(ktr::readPlan(args), program)) {
          step(program, session);
        }
      }
      ASSERT_EQ(ktr::programJson(program, {}).dump(1), started);
    }
  }
}

}  // namespace
