// Random cases over the full range of every box, English and SI, every
// option, the custom wheel and frost speed, through the same actions as
// ktr-calc: no crash, no field without a value, no box or caption showing
// "NaN" or "Infinity", every rated air state one that air can have, and a
// calculation that stops leaves the case exactly as it was. Seeded and repeatable:
// KTR_PROPERTY_SEED and KTR_PROPERTY_CASES choose the run, and a failure prints its seed and its
// actions.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "RandomCases.h"
#include "app/Actions.h"
#include "app/Program.h"
#include "app/UsageError.h"
#include "engine/CalcStateFields.h"
#include "platform/ControlSnapshot.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"

namespace {

using ktr::testing::fromEnvironment;
using ktr::testing::joined;

class CaseMaker {
 public:
  explicit CaseMaker(std::uint64_t seed) : rng_(seed) {}

  std::vector<std::string> actions() {
    std::vector<std::string> a;
    const bool si = chance(0.35);
    if (si) {
      a.push_back("--si-toggle");
      if (chance(0.3)) {
        a.push_back("--si-flow-toggle");
      }
    }
    a.push_back(pick({"optOutdoor=1", "optSupply=1", "optOutdoorActual=1", "optSupplyActual=1"}));
    const int option = si ? pick({4, 5, 6, 3}) : pick({0, 1, 2, 3});
    a.push_back("optMoistIn(" + std::to_string(option) + ")=1");
    if (chance(0.5)) {
      a.push_back("KSRSel=1");
    }
    // Each box's usual values, then its whole accepted range (and a little
    // past it, where the refusal is what is checked).
    a.push_back("txtElev=" + (si ? number(0, 2500, -460, 4600) : number(0, 8000, -1510, 15100)));
    for (const char* box : {"txtPoa=", "txtPra="}) {
      a.push_back(box + (si ? number(-750, 750, -5000, 5000) : number(-3, 3, -20.1, 20.1)));
    }
    a.push_back("--settings-ok");
    const std::string suffix = si ? "SI" : "";
    a.push_back("txtToa" + suffix + "=" +
                (si ? number(-35, 45, -52, 72) : number(-30, 110, -61, 161)));
    a.push_back("txtTra" + suffix + "=" +
                (si ? number(15, 30, -52, 72) : number(60, 85, -61, 161)));
    a.push_back("txtMoa" + suffix + "=" + moisture(option));
    a.push_back("txtMra" + suffix + "=" + moisture(option));
    a.push_back((si ? "txtVSI=" : "txtV=") + number(200, 60000, -10, 80000));
    a.push_back((si ? "txtVraSI=" : "txtVra=") + number(200, 60000, -10, 80000));
    if (chance(0.3)) {
      a.push_back("chkSpeed=1");
      a.push_back("txtWheelSpeed=" + number(5, 60, -5, 80));
    }
    if (chance(0.3)) {
      a.push_back("chkPurgeAngle=1");
      a.push_back("txtPurgeAngle=" + number(0, 15, -30, 400));
    }
    if (chance(0.25)) {
      a.insert(a.end(), {"--password", "KestrelWing", "chkAutoSelect=1"});
      a.push_back("txtWheelDiam=" + number(20, 150, -10, 1010));
      a.push_back("txtWheelDepth=" + number(4, 10, -2, 1010));
      a.push_back("txtHubDiam=" + number(2, 8, -2, 20));
      a.push_back("txtSpokes=" + number(4, 12, -2, 20));
      if (chance(0.5)) {
        a.push_back("chkSensible=1");
        a.push_back("txtESOR=" + number(50, 85, -20, 120));
      }
      if (chance(0.5)) {
        a.push_back("chkLatent=1");
        a.push_back("txtELOR=" + number(40, 80, -20, 120));
      }
      a.push_back("--override-ok");
    }
    return a;
  }

 private:
  bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  template <typename T>
  T pick(std::initializer_list<T> values) {
    std::uniform_int_distribution<std::size_t> index(0, values.size() - 1);
    return *(values.begin() + index(rng_));
  }
  std::string pick(std::initializer_list<const char*> values) { return pick<const char*>(values); }
  // Mostly a value an engineer would type, sometimes anywhere in (or past)
  // the box's range, rarely far outside it or no number at all.
  std::string number(double usualLow, double usualHigh, double low, double high) {
    const double roll = std::uniform_real_distribution<double>(0, 1)(rng_);
    if (roll < 0.02) {
      return pick({"", "abc", "1e308", "-1e308", "NaN", "1,2,3"});
    }
    if (roll < 0.04) {
      return std::to_string(std::uniform_real_distribution<double>(-1e6, 1e6)(rng_));
    }
    const bool usual = roll < 0.8;
    const double value = std::uniform_real_distribution<double>(usual ? usualLow : low,
                                                                usual ? usualHigh : high)(rng_);
    std::ostringstream text;
    text.precision(chance(0.5) ? 3 : 6);
    text << value;
    return text.str();
  }

  // A moisture entry in the kind of humidity option `option`.
  std::string moisture(int option) {
    switch (option) {
      case 0:
      case 1:
        return number(-20, 80, -61, 161);  // dew point or wet bulb, °F
      case 2:
        return number(5, 150, -50, 400);  // gr/lb
      case 4:
      case 5:
        return number(-25, 25, -52, 72);  // °C
      case 6:
        return number(1, 20, -10, 60);  // g/kg
      default:
        return number(5, 95, -20, 150);  // % RH
    }
  }

  std::mt19937_64 rng_;
};

// The state as text, to see that a stopped calculation left it alone.
std::string stateText(const ModCalc::CalcState& state) {
  std::ostringstream text;
  text.precision(17);
  ModCalc::forEachField(state, [&text](const char* name, const auto& value) {
    using Field = std::decay_t<decltype(value)>;
    text << name << '=';
    if constexpr (std::is_arithmetic_v<Field> || std::is_same_v<Field, std::string>) {
      text << value;
    } else if constexpr (std::is_enum_v<Field>) {
      text << static_cast<int>(value);
    } else if constexpr (std::is_same_v<Field, std::array<platform::Variant, 5>>) {
      for (const platform::Variant& element : value) {
        if (const double* number = std::get_if<double>(&element)) {
          text << *number << ',';
        }
      }
    }
    text << ';';
  });
  return text.str();
}

std::string nonFiniteField(const ModCalc::CalcState& state) {
  std::string bad;
  ModCalc::forEachField(state, [&bad](const char* name, const auto& value) {
    using Field = std::decay_t<decltype(value)>;
    if constexpr (std::is_floating_point_v<Field>) {
      if (!std::isfinite(value) && bad.empty()) {
        bad = name;
      }
    }
  });
  return bad;
}

// What a rated case shows that no air can be: a state without water or
// above saturation, or a leaving state outside the two entering ones. The
// one exemption is a leaving state the program marks as supersaturated
// (between two nearly saturated streams the wheel's mix is beyond
// saturation): the supply's relative humidity marked as condensing, the
// exhaust's likewise or its frost shown.
std::string physicalFault(const ktr::Program& program) {
  const ModCalc::CalcState& s = program.state;
  const ModCalc::MainFields& main = program.fields.main;
  const platform::Rgb condensing{128, 255, 255};
  const struct {
    const char* name;
    double t, w;
    bool mayBeSupersaturated;
  } states[] = {{"outdoor", s.Toa, s.Woa, false},
                {"supply", s.Tsa, s.Wsa, main.lblWsa[2].backColor() == condensing},
                {"return", s.Tra, s.Wra, false},
                {"exhaust", s.Tea, s.Wea,
                 main.lblFrost.visible() || main.lblWea[2].backColor() == condensing}};
  for (const auto& air : states) {
    if (!(air.w > 0)) {
      return std::string(air.name) + " air holds " + std::to_string(air.w) + " gr/lb";
    }
    // As the results show it, at the barometric pressure.
    const double rh = modPsych::RelHumFraction(air.t, air.w, s.Patm);
    if (rh > 1 && !air.mayBeSupersaturated) {
      return std::string(air.name) + " air shows " + std::to_string(100 * rh) + " %RH";
    }
  }
  // The float fields keep about seven digits.
  const auto between = [](double x, double a, double b) {
    const double slack = 1e-6 * (std::fabs(a) + std::fabs(b)) + 1e-4;
    return x >= std::min(a, b) - slack && x <= std::max(a, b) + slack;
  };
  const struct {
    const char* name;
    double leaving, outdoor, ret;
  } leaving[] = {{"Tsa", s.Tsa, s.Toa, s.Tra},
                 {"Wsa", s.Wsa, s.Woa, s.Wra},
                 {"Tea", s.Tea, s.Toa, s.Tra},
                 {"Wea", s.Wea, s.Woa, s.Wra}};
  for (const auto& l : leaving) {
    if (!between(l.leaving, l.outdoor, l.ret)) {
      return std::string(l.name) + " " + std::to_string(l.leaving) + " is not between " +
             std::to_string(l.outdoor) + " and " + std::to_string(l.ret);
    }
  }
  return "";
}

// Taken on its own, not from the calculation's journal, so a change the
// journal missed still shows.
std::vector<platform::Control*> everyControl(ktr::Program& program) {
  std::vector<platform::Control*> controls;
  for (const platform::Form* form : program.windows.all()) {
    controls.insert(controls.end(), form->controls().begin(), form->controls().end());
  }
  return controls;
}

TEST(Property, RandomCasesStayFiniteAndStoppedRunsChangeNothing) {
  const unsigned long seed = fromEnvironment("KTR_PROPERTY_SEED", 20261208);
  const unsigned long cases = fromEnvironment("KTR_PROPERTY_CASES", 10000);
  int stopped = 0;
  for (unsigned long n = 0; n < cases; ++n) {
    const std::uint64_t caseSeed = seed + n;
    const std::vector<std::string> actions = CaseMaker(caseSeed).actions();
    std::ostringstream ignored;
    platform::HeadlessMessageBox messages(ignored);
    platform::MemorySettingsStore settings;
    platform::RecordingHelpViewer help;
    ktr::Program program(
        ui::Ports{.messages = messages,
                  .settings = settings,
                  .help = help,
                  .screen = {19200, 15360},
                  .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"}});
    ASSERT_FALSE(program.start());
    platform::MemoryClipboard clipboard;
    ktr::Session session{ignored, messages, clipboard};
    const auto failed = [&](const std::string& what) {
      ADD_FAILURE() << what << "\n  seed " << caseSeed << ", actions:" << joined(actions);
    };
    try {
      for (const ktr::Step& step : ktr::planSteps(ktr::readPlan(actions), program)) {
        try {
          step(program, session);
        } catch (const ktr::UsageError&) {
          // A control that this case's settings leave disabled: skipped.
        }
      }
    } catch (const ktr::UsageError& error) {
      failed(std::string("the actions were refused: ") + error.what());
      return;
    }

    const std::string before = stateText(program.state);
    const platform::ControlSnapshot shownBefore(everyControl(program));
    const bool calculated = ModCalc::Calculate(program.engine);
    if (const std::string bad = nonFiniteField(program.state); !bad.empty()) {
      return failed(bad + " has no value");
    }
    // What the engineer typed may read "NaN"; nothing the program writes may.
    if (const platform::Control* shown = platform::showsNoNumber(shownBefore.changed())) {
      return failed(shown->name() + " shows no number");
    }
    if (const std::string fault = calculated ? physicalFault(program) : ""; !fault.empty()) {
      return failed(fault);
    }
    if (calculated && program.fields.main.cmdFrostSpeed.visible()) {
      // The frost speed loop recalculates at lower speeds.
      const platform::ControlSnapshot beforeFrost(everyControl(program));
      program.windows.main.cmdFrostSpeed_Click();
      if (const std::string bad = nonFiniteField(program.state); !bad.empty()) {
        return failed(bad + " has no value after the frost speed loop");
      }
      if (const platform::Control* shown = platform::showsNoNumber(beforeFrost.changed())) {
        return failed(shown->name() + " shows no number after the frost speed loop");
      }
      if (const std::string fault = physicalFault(program); !fault.empty()) {
        return failed(fault + " after the frost speed loop");
      }
    }
    if (!calculated) {
      ++stopped;
      if (stateText(program.state) != before) {
        return failed("a stopped calculation changed the state");
      }
      if (const auto changed = shownBefore.changed(); !changed.empty()) {
        return failed("a stopped calculation changed " + changed.front()->name());
      }
    }
  }
  // The generator reaches both outcomes in good number.
  EXPECT_GT(stopped, static_cast<int>(cases / 20));
  EXPECT_LT(stopped, static_cast<int>(cases * 9 / 10));
}

}  // namespace
