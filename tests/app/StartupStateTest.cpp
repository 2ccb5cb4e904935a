// One program put back after each case must be indistinguishable from a
// freshly started one: batch rating relies on it for every row.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "GoldenCases.h"
#include "app/Actions.h"
#include "app/KtrCalc.h"
#include "app/Program.h"
#include "app/ProgramJson.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"

namespace {

// The pinned cases between them touch the password, the override dialog,
// the frost speed loop, both unit systems, every option and a calculation
// that stops.
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
  const auto cases = golden::cases();
  ASSERT_GE(cases.size(), 10U);
  // Twice over, so that each case also follows every other.
  for (int round = 0; round < 2; ++round) {
    for (const auto& file : cases) {
      SCOPED_TRACE(file.stem().string());
      const std::vector<std::string> args = golden::readArgs(file);
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
