#pragma once

// The actions of `ktr-calc`: one table that both reads the command line and
// writes the --help text.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "app/ControlNames.h"
#include "app/Program.h"
#include "engine/ClimateZone.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"

namespace ktr {

// What the actions work with besides the program.
struct Session {
  Session(std::ostream& out, platform::HeadlessMessageBox& messages,
          platform::MemoryClipboard& clipboard)
      : out(out), messages(messages), clipboard(clipboard) {}

  std::ostream& out;
  platform::HeadlessMessageBox& messages;
  platform::MemoryClipboard& clipboard;
  std::string weatherPath;  // --weather; empty for the built-in year
  // The zone --weather suggested to --code-check when no --zone was given,
  // or why it could suggest none.
  std::optional<std::variant<ModCalc::ZoneSuggestion, std::string>> zoneSuggestion;
};

// One step of a run; false when a file action failed (its message has been
// shown), which makes the exit status 3.
using Step = std::function<bool(Program&, Session&)>;

struct Plan {
  std::optional<std::string> catalog;
  // The steps as typed: an action's flag and its argument, or NAME=VALUE.
  struct Typed {
    std::string action;
    std::string argument;
  };
  std::vector<Typed> steps;
  // Flags that print at the end, in the table's order.
  std::vector<std::string> atEnd;
  // --help anywhere: the help text, and nothing else.
  bool help = false;
};

// Reads the command line (without the program name). Throws UsageError.
Plan readPlan(const std::vector<std::string>& args);

// The plan's steps for this program: control names are checked against its
// windows (a wrong one throws UsageError), and --calc is implied before the
// first file output, or at the end, when no action calculates.
std::vector<Step> planSteps(const Plan& plan, Program& program);
// The same with the program's controls named beforehand (namedControls of
// its windows), for a run that plans many times over one program.
std::vector<Step> planSteps(const Plan& plan, const std::vector<NamedControl>& controls);

// The --help text.
std::string helpText();

}  // namespace ktr
