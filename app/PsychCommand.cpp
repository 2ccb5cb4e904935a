#include "app/PsychCommand.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>

#include "app/UsageError.h"
#include "engine/Bounds.h"
#include "platform/NumberText.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "psych/modPsych.h"

namespace ktr {

namespace {

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
  if (ec != std::errc() || ptr != end || kind < modPsych::kDewPoint ||
      kind > modPsych::kPoundsPerPound) {
    throw UsageError("not a moisture kind (1 dew point, 2 wet bulb, 3 gr/lb, 4 %RH, 5 lb/lb): '" +
                     text + "'");
  }
  return kind;
}

// The range in which each argument gives a result that means something:
// the saturation-pressure correlations (ASHRAE Handbook—Fundamentals,
// chapter 1, eqs. 5 and 6) hold from -148 to 392 °F, a humidity ratio is at
// least no water and at most a pound per pound, air has a pressure, and the
// elevation fit covers the program's sites. A vapour pressure is below the
// total pressure p, checked once p is known.
std::optional<ModCalc::Bounds> argumentBounds(std::string_view name, double p) {
  static constexpr ModCalc::Bounds kTemperature{.low = -148, .high = 392, .unit = "°F"};
  if (name == "t" || name == "tStar") {
    return kTemperature;
  }
  if (name == "W") {
    return ModCalc::Bounds{.low = 0, .high = 7000, .unit = "gr/lb"};
  }
  if (name == "p") {
    return ModCalc::Bounds{.low = 0, .high = 1000, .lowIncluded = false, .unit = "psia"};
  }
  if (name == "pw") {
    return ModCalc::Bounds{.low = 0, .high = p, .highIncluded = false, .unit = "psia"};
  }
  if (name == "z") {
    return ModCalc::limits::kElevationFeet;
  }
  return std::nullopt;
}

// Refuses an argument outside its range, naming it and the range.
void checkArguments(const std::string& function, const std::string& names,
                    const std::vector<std::string>& args) {
  std::istringstream words(names);
  std::vector<std::string> argumentNames{std::istream_iterator<std::string>(words), {}};
  double p = 0;
  for (std::size_t i = 0; i < argumentNames.size(); ++i) {
    if (argumentNames[i] == "p") {
      p = numberArgument(args[i]);
    }
  }
  for (std::size_t i = 0; i < argumentNames.size(); ++i) {
    if (const auto bounds = argumentBounds(argumentNames[i], p);
        bounds && !ModCalc::withinBounds(numberArgument(args[i]), *bounds)) {
      throw UsageError(
          ModCalc::boundsMessage("the argument " + argumentNames[i] + " of " + function, *bounds));
    }
  }
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
       {"t value p kind", 4,
        [=](Args a, Messages m) -> std::vector<double> {
          const std::int16_t kind = kindArgument(a[3]);
          if (!modPsych::MoistureInRange(n(a[0]), n(a[1]), kind)) {
            m.show(modPsych::kRangeMessage, "Error", platform::MessageIcon::Exclamation);
          }
          return {modPsych::MoistToGrains(n(a[0]), n(a[1]), n(a[2]), kind)};
        }}},
      {"GrainsToMoist",
       {"t W p kind", 4,
        [=](Args a, Messages) -> std::vector<double> {
          double w = n(a[1]);
          return {modPsych::GrainsToMoist(n(a[0]), w, n(a[2]), kindArgument(a[3]))};
        }}},
      {"RelHumFraction",
       {"t W p", 3,
        [=](Args a, Messages) -> std::vector<double> {
          return {modPsych::RelHumFraction(n(a[0]), n(a[1]), n(a[2]))};
        }}},
      {"SpecificVolume",
       {"t W p", 3,
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
      "3 grains/lb, 4 %RH, 5 lb/lb. Ranges (outside them an argument is refused):\n"
      "t and tStar -148 to 392 °F, W 0 to 7000 gr/lb, p above 0 up to 1000 psia,\n"
      "pw from 0 to below p, z -1500 to 15000 ft.\n\nFunctions:\n";
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
  checkArguments(name, function.arguments, args);
  platform::HeadlessMessageBox messages(err);
  const std::vector<double> values = function.call(args, messages);
  for (const double value : values) {
    if (!std::isfinite(value)) {
      throw UsageError(name + " has no finite result for these arguments");
    }
  }
  for (const double value : values) {
    out << fullPrecision(value) << '\n';
  }
  return 0;
}

}  // namespace

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

}  // namespace ktr
