#include "app/KtrCalc.h"

#include "app/Actions.h"
#include "app/Batch.h"
#include "app/CatalogLocations.h"
#include "app/OffscreenPages.h"
#include "app/Program.h"
#include "app/PsychCommand.h"
#include "app/UsageError.h"
#include "engine/Catalog.h"
#include "platform/FileWrite.h"
#include "platform/Twips.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"

namespace ktr {

namespace {

constexpr int kCannotStart = 1;
constexpr int kUsageError = 2;
constexpr int kFileActionFailed = 3;

int runWindows(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Plan plan = readPlan(args);
  if (plan.help) {
    out << helpText();
    return 0;
  }
  platform::HeadlessMessageBox messages(err);
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::MemoryClipboard clipboard;
  OffscreenPages pages;
  Program program(ui::Ports{
      .messages = messages,
      .settings = settings,
      .help = help,
      .screen = headlessScreen(),
      .catalogCandidates = plan.catalog ? std::vector<std::filesystem::path>{*plan.catalog}
                                        : catalogCandidates(ModCalc::CatalogFileName(0)),
      .pages = pages,
      .clipboard = clipboard});
  const std::vector<Step> steps = planSteps(plan, program);
  if (const auto problem = program.start()) {
    err << "ktr-calc: " << *problem << '\n';
    return kCannotStart;
  }
  program.windows.splash.dismiss();
  Session session{out, messages, clipboard};
  bool allDone = true;
  for (const Step& step : steps) {
    allDone = step(program, session) && allDone;
  }
  return allDone ? 0 : kFileActionFailed;
}

int runCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (!args.empty() && args.front() == "psych") {
      return runPsychCommand(args, out, err);
    }
    if (!args.empty() && args.front() == "batch") {
      return runBatchCommand({args.begin() + 1, args.end()}, out, err);
    }
    if (!args.empty() && (args.front() == "--help" || args.front() == "-h")) {
      out << helpText() << batchHelpText();
      return 0;
    }
    return runWindows(args, out, err);
  } catch (const UsageError& e) {
    err << "ktr-calc: " << e.what() << '\n';
    return kUsageError;
  }
}

}  // namespace

ui::Screen headlessScreen() {
  // A 1280 x 1024 screen at 96 dots per inch, for centring.
  return {platform::pixelsToTwips(1280, 96), platform::pixelsToTwips(1024, 96)};
}

int runKtrCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const int status = runCommand(args, out, err);
  // Results that never arrived are no success, however the run went.
  if (const auto problem = platform::streamProblem(out)) {
    err << "ktr-calc: standard output could not be written: " << *problem << '\n';
    return status == 0 ? kFileActionFailed : status;
  }
  return status;
}

}  // namespace ktr
