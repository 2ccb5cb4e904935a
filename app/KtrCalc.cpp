#include "app/KtrCalc.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <variant>

#include "app/CatalogLocations.h"
#include "app/ControlNames.h"
#include "app/Program.h"
#include "app/ProgramJson.h"
#include "app/ResultsText.h"
#include "engine/Catalog.h"
#include "platform/NumberText.h"
#include "platform/Overloaded.h"
#include "platform/Twips.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "psych/modPsych.h"

namespace ktr {

namespace {

constexpr int kCannotStart = 1;
constexpr int kUsageError = 2;

// A bad argument on the command line; its text is the one-line message.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

double numberArgument(const std::string& text) {
  if (const auto value = platform::parseInvariant<double>(text)) {
    return *value;
  }
  throw UsageError("not a number: '" + text + "'");
}

std::int16_t kindArgument(const std::string& text) {
  std::int16_t kind = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, kind);
  if (ec != std::errc() || ptr != end) {
    throw UsageError("not a moisture kind (a whole number): '" + text + "'");
  }
  return kind;
}

// Every digit a double holds, so a result can be compared bit for bit.
std::string fullPrecision(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

struct PsychFunction {
  std::string arguments;  // for the usage message
  std::size_t count;
  // Returns the lines to print.
  std::function<std::vector<double>(const std::vector<std::string>&, platform::MessageBox&)> call;
};

const std::map<std::string, PsychFunction, std::less<>>& psychFunctions() {
  using Args = const std::vector<std::string>&;
  using Messages = platform::MessageBox&;
  auto n = numberArgument;
  static const std::map<std::string, PsychFunction, std::less<>> functions{
      {"SatPressure",
       {"t", 1,
        [=](Args a, Messages) -> std::vector<double> { return {modPsych::SatPressure(n(a[0]))}; }}},
      {"HumRatioFromVapor",
       {"pw p", 2,
        [=](Args a, Messages) -> std::vector<double> {
          return {modPsych::HumRatioFromVapor(n(a[0]), n(a[1]))};
        }}},
      {"MoistToGrains",
       {"t p value kind", 4,
        [=](Args a, Messages m) -> std::vector<double> {
          return {modPsych::MoistToGrains(n(a[0]), n(a[1]), n(a[2]), kindArgument(a[3]), m)};
        }}},
      {"GrainsToMoist",
       {"t p W kind", 4,
        [=](Args a, Messages) -> std::vector<double> {
          double w = n(a[2]);
          return {modPsych::GrainsToMoist(n(a[0]), n(a[1]), w, kindArgument(a[3]))};
        }}},
      {"RelHumFraction",
       {"p W t", 3,
        [=](Args a, Messages) -> std::vector<double> {
          return {modPsych::RelHumFraction(n(a[0]), n(a[1]), n(a[2]))};
        }}},
      {"SpecificVolume",
       {"p W t", 3,
        [=](Args a, Messages) -> std::vector<double> {
          return {modPsych::SpecificVolume(n(a[0]), n(a[1]), n(a[2]))};
        }}},
      {"DewPoint",
       {"W p", 2,
        [=](Args a, Messages) -> std::vector<double> {
          double w = n(a[0]);
          const double dewPoint = modPsych::DewPoint(w, n(a[1]));
          return {dewPoint, w};
        }}},
      {"Enthalpy",
       {"t W", 2,
        [=](Args a, Messages) -> std::vector<double> {
          return {modPsych::Enthalpy(n(a[0]), n(a[1]))};
        }}},
      {"HumRatioFromWetBulb",
       {"t tStar p", 3,
        [=](Args a, Messages) -> std::vector<double> {
          return {modPsych::HumRatioFromWetBulb(n(a[0]), n(a[1]), n(a[2]))};
        }}},
      {"WetBulb",
       {"t W p", 3,
        [=](Args a, Messages) -> std::vector<double> {
          double w = n(a[1]);
          return {modPsych::WetBulb(n(a[0]), w, n(a[2]))};
        }}},
      {"AtmPressure",
       {"z", 1,
        [=](Args a, Messages) -> std::vector<double> { return {modPsych::AtmPressure(n(a[0]))}; }}},
  };
  return functions;
}

std::string psychHelp() {
  std::string help =
      "Calls one moist-air function and prints its result with 17 significant digits\n"
      "(DewPoint prints the humidity ratio as it left it on a second line).\n"
      "Units: °F, psia, grains/lb, percent, ft. Kinds: 1 dew point, 2 wet bulb,\n"
      "3 grains/lb, 4 %RH, 5 lb/lb.\n\nFunctions:\n";
  for (const auto& [name, function] : psychFunctions()) {
    help += "  " + name + " " + function.arguments + "\n";
  }
  return help + "\nExample: ktr-calc psych WetBulb 75 64.65 14.696\n";
}

int runPsych(const std::string& name, const std::vector<std::string>& args, std::ostream& out,
             std::ostream& err) {
  const auto found = psychFunctions().find(name);
  if (found == psychFunctions().end()) {
    throw UsageError("unknown moist-air function '" + name + "' (see ktr-calc psych --help)");
  }
  const PsychFunction& function = found->second;
  if (args.size() != function.count) {
    throw UsageError("usage: ktr-calc psych " + name + " " + function.arguments);
  }
  platform::HeadlessMessageBox messages(err);
  for (const double value : function.call(args, messages)) {
    out << fullPrecision(value) << '\n';
  }
  return 0;
}

int runPsychCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CLI::App app{"ktr-calc psych: calls one moist-air property function.", "ktr-calc psych"};
  app.footer(psychHelp());
  std::string function;
  app.add_option("function", function, "the function's name")->required();
  // Everything after the name is the function's arguments, negative numbers
  // included.
  app.prefix_command();
  std::vector<std::string> reversed(args.rbegin(), args.rend() - 1);
  try {
    app.parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << app.help();
    return 0;
  } catch (const CLI::ParseError& e) {
    throw UsageError(e.what());
  }
  return runPsych(function, app.remaining(), out, err);
}

const char* const kHelp = R"(ktr-calc: selects and rates energy recovery wheels without a display.

Usage:
  ktr-calc [--catalog PATH] [ACTION...]
  ktr-calc psych FUNCTION ARG...      (see ktr-calc psych --help)

The program starts as the desktop program does (every window loads, the
catalog is read, no calculation runs) with an empty settings store. The
actions are then carried out left to right, as a person would use the
windows:

  --catalog PATH     (first only) the catalog file to use instead of looking
                     for ktrmodel6.csv in the current directory, the installed
                     data folder and beside the program
  NAME=VALUE         set a control of any window: a text box gets VALUE as its
                     whole text (its change behaviour runs), a check box 0 or 1,
                     an option button is selected by 1, lstWheel=TEXT selects
                     that model. Arrays are written optMoistIn(2); a name on
                     several windows is written WINDOW.NAME, e.g.
                     frmWheel.lblSCFM(0)
  --settings-ok      press OK in the settings window
  --calc             press Calculate in the inputs window
  --override-ok      press OK in the override window
  --si-toggle        press "Click to Change to/from SI Units"
  --si-flow-toggle   press "Click to Change SI Flow to/from m3/hr to l/sec"
  --frost-speed      press "Frost Speed Control"
  --password TEXT    type TEXT in the password window and press OK
  --json             at the end, print the state, the custom wheel's catalog
                     row, every control and the messages as one JSON object
  --results          at the end, print the main window's results as text

When no action calculates, --calc is implied at the end. Every message box
is answered OK and printed on stderr as "TITLE: TEXT".

Exit status: 0 done, 1 the program could not start (catalog missing or
malformed), 2 usage error.

Example: a 2000 cfm outdoor-air case at 1000 ft, wet bulb entry, as JSON:
  ktr-calc optOutdoor=1 txtElev=1000 --settings-ok txtV=2000 txtVra=2000 --calc --json
)";

using Action = std::function<void(Program&)>;

struct Plan {
  std::optional<std::string> catalog;
  std::vector<std::string> steps;  // as typed, checked against the windows
  bool calculates = false;
  bool json = false;
  bool results = false;
};

Plan readPlan(const std::vector<std::string>& args) {
  Plan plan;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "--catalog") {
      if (i != 0) {
        throw UsageError("--catalog must come first");
      }
      if (!hasValue) {
        throw UsageError("--catalog needs a path");
      }
      plan.catalog = args[++i];
    } else if (arg == "--json") {
      plan.json = true;
    } else if (arg == "--results") {
      plan.results = true;
    } else if (arg == "--password") {
      if (!hasValue) {
        throw UsageError("--password needs the text to type");
      }
      plan.steps.push_back(arg);
      plan.steps.push_back(args[++i]);
    } else if (arg == "--settings-ok" || arg == "--calc" || arg == "--override-ok" ||
               arg == "--frost-speed") {
      plan.calculates = true;
      plan.steps.push_back(arg);
    } else if (arg == "--si-toggle" || arg == "--si-flow-toggle") {
      plan.steps.push_back(arg);
    } else if (arg.starts_with("-") || arg.find('=') == std::string::npos) {
      throw UsageError("unknown option or action '" + arg + "' (see ktr-calc --help)");
    } else {
      plan.steps.push_back(arg);
    }
  }
  return plan;
}

// What NAME=VALUE does to the control it names; a wrong name or value is a
// usage error found before the program starts.
Action setControl(const std::vector<NamedControl>& controls, const std::string& assignment) {
  const std::size_t equals = assignment.find('=');
  const std::string name = assignment.substr(0, equals);
  const std::string value = assignment.substr(equals + 1);
  const Lookup found = findControl(controls, name);
  if (found.control == nullptr) {
    throw UsageError(found.problem);
  }
  return std::visit(
      platform::Overloaded{
          [&value](platform::TextBox* box) -> Action {
            return [box, value](Program&) { box->setText(value); };
          },
          [&value, &assignment](platform::CheckBox* box) -> Action {
            if (value != "0" && value != "1") {
              throw UsageError("a check box takes 0 or 1: '" + assignment + "'");
            }
            return [box, value](Program&) { box->setValue(value == "1" ? 1 : 0); };
          },
          [&value, &assignment](platform::OptionButton* option) -> Action {
            if (value != "1") {
              throw UsageError("an option button is selected with 1: '" + assignment + "'");
            }
            return [option](Program&) { option->select(); };
          },
          [&value, &name](platform::ListBox* list) -> Action {
            return [list, value, name](Program&) {
              const auto& items = list->items();
              const auto entry = std::find(items.begin(), items.end(), value);
              if (entry == items.end()) {
                throw UsageError(name + " has no entry '" + value + "'");
              }
              const int index = static_cast<int>(entry - items.begin());
              if (list->listIndex() == index) {
                list->click();
              } else {
                list->setListIndex(index);
              }
            };
          },
          [&name](auto*) -> Action {
            throw UsageError("'" + name + "' cannot be set: only text boxes, check boxes, " +
                             "option buttons and lists take a value");
          },
      },
      found.control->ref());
}

std::vector<Action> actions(const Plan& plan, Program& program) {
  const std::vector<NamedControl> controls = namedControls(program.windows.all());
  ui::Windows& w = program.windows;
  std::vector<Action> result;
  for (std::size_t i = 0; i < plan.steps.size(); ++i) {
    const std::string& step = plan.steps[i];
    if (step == "--settings-ok") {
      result.emplace_back([&w](Program&) { w.settings.cmdSettingsOK_Click(); });
    } else if (step == "--calc") {
      result.emplace_back([&w](Program&) { w.inputs.cmdCalc_Click(); });
    } else if (step == "--override-ok") {
      result.emplace_back([&w](Program&) { w.overrides.cmdOROK_Click(); });
    } else if (step == "--frost-speed") {
      result.emplace_back([&w](Program&) { w.main.cmdFrostSpeed_Click(); });
    } else if (step == "--si-toggle") {
      result.emplace_back([&w](Program&) { w.settings.cmdSIUnits_Click(); });
    } else if (step == "--si-flow-toggle") {
      result.emplace_back([&w](Program&) { w.settings.cmdSIUnitType_Click(); });
    } else if (step == "--password") {
      const std::string typed = plan.steps[++i];
      result.emplace_back([&w, typed](Program&) {
        w.password.txtPassword.setText(typed);
        w.password.OKButton_Click();
      });
    } else {
      result.push_back(setControl(controls, step));
    }
  }
  if (!plan.calculates) {
    result.emplace_back([&w](Program&) { w.inputs.cmdCalc_Click(); });
  }
  return result;
}

int runWindows(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const Plan plan = readPlan(args);
  platform::HeadlessMessageBox messages(err);
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  // A 1280 x 1024 screen at 96 dots per inch, for centring.
  const ui::Screen screen{platform::pixelsToTwips(1280, 96), platform::pixelsToTwips(1024, 96)};
  Program program(ui::Ports{messages, settings, help, screen,
                            plan.catalog ? std::vector<std::filesystem::path>{*plan.catalog}
                                         : catalogCandidates(ModCalc::CatalogFileName(0))});
  const std::vector<Action> steps = actions(plan, program);
  if (const auto problem = program.start()) {
    err << "ktr-calc: " << *problem << '\n';
    return kCannotStart;
  }
  program.windows.splash.dismiss();
  for (const Action& step : steps) {
    step(program);
  }
  if (plan.results) {
    out << resultsText(program.windows.main, program.fields.main);
  }
  if (plan.json) {
    out << programJson(program, messages.messages()).dump(2) << '\n';
  }
  return 0;
}

}  // namespace

int runKtrCalc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    if (!args.empty() && args.front() == "psych") {
      return runPsychCommand(args, out, err);
    }
    if (!args.empty() && (args.front() == "--help" || args.front() == "-h")) {
      out << kHelp;
      return 0;
    }
    return runWindows(args, out, err);
  } catch (const UsageError& e) {
    err << "ktr-calc: " << e.what() << '\n';
    return kUsageError;
  }
}

}  // namespace ktr
