// Random valid cases, as an engineer types them (English and SI, both SI
// flow units, every humidity input and flow basis, the custom wheel,
// entries to two decimals, now and then a moisture the rating corrects):
// saved and opened in a fresh program, and switched to the other units and
// back, each gives back the same case and the same figures, and every box
// shows a tidy text, with a period or a comma decimal point. Seeded and
// repeatable: KTR_ROUND_TRIP_SEED and KTR_ROUND_TRIP_CASES choose the run; a
// failure prints its seed and actions.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <filesystem>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "RandomCases.h"
#include "app/Actions.h"
#include "app/Program.h"
#include "engine/CalcStateFields.h"
#include "platform/NumberText.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace {

using ktr::testing::fromEnvironment;
using ktr::testing::joined;

class ValidCaseMaker {
 public:
  explicit ValidCaseMaker(std::uint64_t seed) : rng_(seed) {}

  std::vector<std::string> actions() {
    std::vector<std::string> a;
    const bool si = chance(0.5);
    const bool litres = chance(0.5);
    if (si) {
      a.push_back("--si-toggle");
    }
    if (litres) {
      a.push_back("--si-flow-toggle");
    }
    const int basis = pick(4);
    a.push_back(std::string(kBases[basis]) + "=1");
    // Dew point, wet bulb, humidity ratio, relative humidity.
    const int kind = pick(4) + 1;
    a.push_back("optMoistIn(" + std::to_string(si && kind != 4 ? kind + 3 : kind - 1) + ")=1");
    if (chance(0.3)) {
      a.push_back("KSRSel=1");
    }
    const double elevationFt = uniform(-500, 8000);
    const double poaInWC = uniform(-1, 3);
    const double praInWC = poaInWC - uniform(0.1, 2);
    a.push_back("txtElev=" + twoDecimals(si ? elevationFt / units::kFeetPerMetre : elevationFt));
    const double pa = units::kPascalsPerInchOfWater;
    a.push_back("txtPoa=" + twoDecimals(si ? poaInWC * pa : poaInWC));
    a.push_back("txtPra=" + twoDecimals(si ? praInWC * pa : praInWC));
    a.push_back("--settings-ok");

    const std::string suffix = si ? "SI=" : "=";
    const double toa = uniform(-20, 105);
    const double tra = uniform(60, 85);
    a.push_back("txtToa" + suffix + temperature(toa, si));
    a.push_back("txtTra" + suffix + temperature(tra, si));
    const double p = modPsych::AtmPressure(elevationFt);
    a.push_back("txtMoa" + suffix + moisture(kind, toa, p, si));
    a.push_back("txtMra" + suffix + moisture(kind, tra, p, si));
    const double volume = uniform(1500, 30000);
    const double factor = litres ? units::kCfmPerLitrePerSecond : units::kCfmPerCubicMetrePerHour;
    a.push_back("txtV" + suffix + twoDecimals(si ? volume / factor : volume));
    const double returnVolume = volume * uniform(0.7, 1.1);
    a.push_back("txtVra" + suffix + twoDecimals(si ? returnVolume / factor : returnVolume));
    if (chance(0.3)) {
      a.push_back("chkSpeed=1");
      a.push_back("txtWheelSpeed=" + twoDecimals(uniform(10, 50)));
    }
    if (chance(0.3)) {
      a.push_back("chkPurgeAngle=1");
      a.push_back("txtPurgeAngle=" + twoDecimals(uniform(1, 10)));
    }
    if (chance(0.2)) {
      const double diameter = uniform(30, 120);
      a.insert(a.end(), {"--password", "KestrelWing", "chkAutoSelect=1"});
      a.push_back("txtWheelDiam=" + twoDecimals(diameter));
      a.push_back("txtWheelDepth=" + twoDecimals(uniform(4, 10)));
      a.push_back("txtHubDiam=" + twoDecimals(uniform(3, 8)));
      a.push_back("txtCasHeight=" + twoDecimals(diameter + uniform(2, 8)));
      a.push_back("txtCasWidth=" + twoDecimals(diameter + uniform(2, 8)));
      if (chance(0.5)) {
        a.push_back("chkSensible=1");
        a.push_back("txtESOR=" + twoDecimals(uniform(50, 85)));
      }
      a.push_back("--override-ok");
    }
    return a;
  }

 private:
  static constexpr const char* kBases[] = {"optOutdoor", "optSupply", "optOutdoorActual",
                                           "optSupplyActual"};

  bool chance(double p) { return uniform(0, 1) < p; }
  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  double uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(rng_);
  }
  // Typed as its tidy text, so that every box starts tidy.
  static std::string twoDecimals(double value) {
    std::ostringstream text;
    text.setf(std::ios::fixed);
    text.precision(2);
    text << value;
    return platform::tidyText(
        *platform::parseNumber<double>(text.str(), platform::NumberLocale::english()));
  }
  static std::string temperature(double fahrenheit, bool si) {
    return twoDecimals(si ? units::celsius(fahrenheit) : fahrenheit);
  }
  // Air from 10 % to 90 % relative humidity, in the kind's measure; now and
  // then an entry the rating corrects instead.
  std::string moisture(int kind, double t, double p, bool si) {
    if (chance(0.08)) {
      return correctedMoisture(kind, t, si);
    }
    // Below the 200 gr/lb (30 g/kg) the program holds air to.
    double grains =
        std::min(modPsych::MoistToGrains(t, uniform(10, 90), p, modPsych::kRelHum), 190.0);
    const double value = modPsych::GrainsToMoist(t, grains, p, static_cast<std::int16_t>(kind));
    if (!si || kind == modPsych::kRelHum) {
      return twoDecimals(value);
    }
    return twoDecimals(kind == modPsych::kGrains ? value / units::kGrainsPerGramPerKilogram
                                                 : units::celsius(value));
  }

  // Zero; at or above the dry bulb (or beyond the humidity limits); or air
  // drier than the rating takes, as a wet bulb far below the dry bulb is.
  std::string correctedMoisture(int kind, double t, bool si) {
    const bool temperature = kind == modPsych::kDewPoint || kind == modPsych::kWetBulb;
    switch (pick(3)) {
      case 0:
        return "0";
      case 1:
        if (temperature) {
          return this->temperature(t + uniform(0, 10), si);
        }
        // Not beyond 30 g/kg: that limit is 210 gr/lb, the English one 200.
        return kind == modPsych::kRelHum ? "100" : si ? "0" : "250";
      default:
        if (temperature) {
          return this->temperature(std::max(t - 70, -60.0), si);
        }
        return kind == modPsych::kRelHum ? "0.1" : "0";
    }
  }

  std::mt19937_64 rng_;
};

// A state field's value as the comparison sees it.
using FieldValue = std::variant<long long, float, double, std::string, std::vector<double>>;

std::vector<std::pair<std::string, FieldValue>> fields(const ModCalc::CalcState& state) {
  std::vector<std::pair<std::string, FieldValue>> values;
  ModCalc::forEachField(state, [&values](const char* name, const auto& field) {
    using Field = std::decay_t<decltype(field)>;
    if constexpr (std::is_same_v<Field, float> || std::is_same_v<Field, double> ||
                  std::is_same_v<Field, std::string>) {
      values.emplace_back(name, field);
    } else if constexpr (std::is_integral_v<Field> || std::is_enum_v<Field>) {
      values.emplace_back(name, static_cast<long long>(field));
    } else if constexpr (std::is_same_v<Field, std::array<platform::Variant, 5>>) {
      std::vector<double> numbers;
      for (const platform::Variant& element : field) {
        const double* number = std::get_if<double>(&element);
        numbers.push_back(number != nullptr ? *number : NAN);
      }
      values.emplace_back(name, numbers);
    }
  });
  return values;
}

bool near(double x, double y) {
  return x == y || std::fabs(x - y) <= 1e-9 * std::max(std::fabs(x), std::fabs(y)) ||
         (std::isnan(x) && std::isnan(y));
}

struct SameValue {
  bool operator()(float x, float y) const {
    return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y);
  }
  bool operator()(double x, double y) const { return near(x, y); }
  bool operator()(const std::vector<double>& x, const std::vector<double>& y) const {
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), near);
  }
  template <typename T>
  bool operator()(const T& x, const T& y) const {
    return x == y;
  }
  template <typename T, typename U>
  bool operator()(const T&, const U&) const {
    return false;
  }
};

std::string shown(const FieldValue& value) {
  std::ostringstream text;
  text.precision(17);
  std::visit(
      [&text](const auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::vector<double>>) {
          for (const double x : v) {
            text << x << ' ';
          }
        } else {
          text << v;
        }
      },
      value);
  return text.str();
}

// The first field in which two states differ: float fields bit for bit,
// doubles (and the volume lists) within 1e-9 of their size. `skip` names
// fields that follow the units in force rather than the case.
std::string difference(const ModCalc::CalcState& a, const ModCalc::CalcState& b,
                       const std::set<std::string>& skip = {}) {
  const auto x = fields(a);
  const auto y = fields(b);
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (!skip.contains(x[i].first) && !std::visit(SameValue{}, x[i].second, y[i].second)) {
      return x[i].first + " " + shown(x[i].second) + " became " + shown(y[i].second);
    }
  }
  return "";
}

// The first number box whose text is not the tidy text of its number, or
// that shows an exponent, as the noise of a conversion does ("-2.8e-14").
std::string untidyBox(ktr::Program& program) {
  for (const platform::Form* form : program.windows.all()) {
    for (const platform::Control* control : form->controls()) {
      const auto* box = dynamic_cast<const platform::TextBox*>(control);
      if (box == nullptr) {
        continue;
      }
      const auto number = platform::parseNumber<double>(box->text());
      if (number && (platform::tidyText(*number) != box->text() ||
                     box->text().find_first_of("eE") != std::string::npos)) {
        return box->name() + " shows \"" + box->text() + "\"";
      }
    }
  }
  return "";
}

struct Headless {
  std::ostringstream ignored;
  platform::HeadlessMessageBox messages{ignored};
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::MemoryClipboard clipboard;
  ktr::Program program{ui::Ports{.messages = messages,
                                 .settings = settings,
                                 .help = help,
                                 .screen = {19200, 15360},
                                 .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"}}};
  ktr::Session session{ignored, messages, clipboard};

  Headless() { EXPECT_FALSE(program.start()); }

  void run(const std::vector<std::string>& actions) {
    for (const ktr::Step& step : ktr::planSteps(ktr::readPlan(actions), program)) {
      step(program, session);
    }
  }
};

TEST(RoundTrip, SavedOpenedAndSwitchedCasesKeepEveryFigure) {
  const unsigned long seed = fromEnvironment("KTR_ROUND_TRIP_SEED", 20261209);
  const unsigned long cases = fromEnvironment("KTR_ROUND_TRIP_CASES", 2000);
  // In memory where there is such a folder: a save waits for the disk.
  const std::filesystem::path folder =
      std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : ::testing::TempDir();
  // The process id keeps two checkouts' runs from sharing the file.
  const std::filesystem::path path = folder / ("ktr-round-trip-" + std::to_string(::getpid()) +
                                               "-" + std::to_string(seed) + ".cse");
  int skipped = 0;
  struct EnglishAfterwards {
    ~EnglishAfterwards() { platform::setNumberLocale(platform::NumberLocale::english()); }
  } englishAfterwards;
  for (unsigned long n = 0; n < cases; ++n) {
    const std::uint64_t caseSeed = seed + n;
    // Every other case in a comma-decimal locale.
    platform::setNumberLocale(n % 2 == 0 ? platform::NumberLocale::english()
                                         : platform::NumberLocale{",", "."});
    const std::vector<std::string> actions = ValidCaseMaker(caseSeed).actions();
    const auto failed = [&](const std::string& what) {
      ADD_FAILURE() << what << "\n  seed " << caseSeed << ", actions:" << joined(actions);
    };
    Headless typed;
    typed.run(actions);
    ktr::Program& program = typed.program;
    // A case that cannot be rated is counted, not compared.
    if (!program.calculateForOutput()) {
      ++skipped;
      continue;
    }
    const ModCalc::CalcState rated = program.state;
    if (const std::string box = untidyBox(program); !box.empty()) {
      return failed(box + " once calculated");
    }

    ASSERT_TRUE(program.windows.main.saveProjectFile(path.string()));
    Headless opened;
    if (!opened.program.windows.main.openProjectFile(path.string())) {
      return failed("the saved case does not open: " + opened.messages.messages().front().text);
    }
    if (const std::string changed = difference(rated, opened.program.state); !changed.empty()) {
      return failed("reopened, " + changed);
    }
    if (const std::string box = untidyBox(opened.program); !box.empty()) {
      return failed("reopened, " + box);
    }

    // Switching units is a change of view: in the other units the figures
    // are the same, and back again so is everything else.
    // The pascals are those typed in SI units, those converted in English.
    const std::set<std::string> units{"SIUnits", "MoistInOption", "MoaSI",
                                      "MraSI",   "PoaPa",         "PraPa"};
    for (const bool back : {false, true}) {
      typed.run({"--si-toggle", "--settings-ok"});
      const std::string changed =
          difference(rated, program.state, back ? std::set<std::string>{} : units);
      if (!changed.empty()) {
        return failed(std::string(back ? "switched back, " : "switched, ") + changed);
      }
      if (const std::string box = untidyBox(program); !box.empty()) {
        return failed(std::string(back ? "switched back, " : "switched, ") + box);
      }
    }
    typed.run({"--si-flow-toggle", "--si-flow-toggle"});
    program.windows.inputs.cmdCalc_Click();
    if (const std::string changed = difference(rated, program.state); !changed.empty()) {
      return failed("the SI flow unit switched and back, " + changed);
    }
    if (const std::string box = untidyBox(program); !box.empty()) {
      return failed("the SI flow unit switched and back, " + box);
    }
  }
  std::filesystem::remove(path);
  // Valid entries: nearly every case rates as typed.
  EXPECT_LT(skipped, static_cast<int>(cases / 10));
}

}  // namespace
