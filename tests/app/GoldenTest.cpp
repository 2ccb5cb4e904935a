// End-to-end cases pinned field by field: each tests/golden/NAME.args holds
// the ktr-calc actions of one case (one per line, # starts a comment), and
// NAME.json what `ktr-calc ... --json` gave for it when it was last
// regenerated on purpose (`make golden`). A changed number fails here and a
// regenerated file shows up in review.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "GoldenCases.h"
#include "app/KtrCalc.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

// Float fields carry about seven significant digits; one part in a million
// lets a compiler reorder float arithmetic but catches any changed constant.
constexpr double kRelativeTolerance = 1e-6;
constexpr double kAbsoluteTolerance = 1e-9;

// Menus and toolbar are window furniture, not results: they may be
// rearranged without moving a figure, so the pinned view leaves them out.
bool isFurniture(const std::string& control) {
  return control.starts_with("mnu") || control == "Help" || control == "tbToolBar";
}

ordered_json pinnedView(const ordered_json& full) {
  ordered_json view = {{"state", full.at("state")},
                       {"catalog", full.at("catalog")},
                       {"messages", full.at("messages")},
                       {"controls", ordered_json::object()}};
  for (const auto& [name, control] : full.at("controls").items()) {
    if (!isFurniture(name)) {
      view["controls"][name] = control;
    }
  }
  return view;
}

ordered_json runCase(const fs::path& argsFile, int& status) {
  std::vector<std::string> args = golden::readArgs(argsFile);
  args.insert(args.begin(), {"--catalog", KTR_SOURCE_DIR "/resources/ktrmodel6.csv"});
  args.push_back("--json");
  std::ostringstream out;
  std::ostringstream err;
  status = ktr::runKtrCalc(args, out, err);
  return pinnedView(ordered_json::parse(out.str()));
}

void compare(const ordered_json& expected, const ordered_json& actual, const std::string& where) {
  if (expected.is_number() && actual.is_number()) {
    const double e = expected.get<double>();
    const double a = actual.get<double>();
    const double allowed =
        kRelativeTolerance * std::max(std::fabs(e), std::fabs(a)) + kAbsoluteTolerance;
    EXPECT_LE(std::fabs(e - a), allowed) << where << ": expected " << e << ", got " << a;
    return;
  }
  if (expected.type() != actual.type()) {
    ADD_FAILURE() << where << ": expected " << expected.dump() << ", got " << actual.dump();
    return;
  }
  if (expected.is_object()) {
    for (const auto& [key, value] : expected.items()) {
      if (!actual.contains(key)) {
        ADD_FAILURE() << where << "." << key << " is missing";
        continue;
      }
      compare(value, actual.at(key), where + "." + key);
    }
    for (const auto& [key, value] : actual.items()) {
      EXPECT_TRUE(expected.contains(key)) << where << "." << key << " is new";
    }
    return;
  }
  if (expected.is_array()) {
    if (expected.size() != actual.size()) {
      ADD_FAILURE() << where << ": expected " << expected.dump() << ", got " << actual.dump();
      return;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
      compare(expected[i], actual[i], where + "[" + std::to_string(i) + "]");
    }
    return;
  }
  EXPECT_EQ(expected, actual) << where;
}

TEST(Golden, EveryCaseGivesItsPinnedResults) {
  const bool update = std::getenv("KTR_GOLDEN_UPDATE") != nullptr;
  const std::vector<fs::path> cases = golden::cases();
  ASSERT_GE(cases.size(), 10U) << "golden cases not found in " << golden::kDir;
  for (const fs::path& argsFile : cases) {
    const std::string name = argsFile.stem().string();
    SCOPED_TRACE(name);
    int status = -1;
    const ordered_json actual = runCase(argsFile, status);
    EXPECT_EQ(status, 0);
    fs::path goldenFile = argsFile;
    goldenFile.replace_extension(".json");
    if (update) {
      std::ofstream(goldenFile) << actual.dump(1) << '\n';
      continue;
    }
    std::ifstream in(goldenFile);
    ASSERT_TRUE(in) << goldenFile << " is missing: run make golden";
    compare(ordered_json::parse(in), actual, name);
  }
}

// The start-up case over the shipped weather year, pinned as
// tests/golden/annual/default-year.json.
TEST(Golden, DefaultCaseOverTheShippedYear) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = ktr::runKtrCalc(
      {"--catalog", KTR_SOURCE_DIR "/resources/ktrmodel6.csv", "--weather",
       KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw",
       "--annual-json", "-"},
      out, err);
  ASSERT_EQ(status, 0) << err.str();
  const ordered_json actual = ordered_json::parse(out.str());
  const fs::path goldenFile = golden::kDir / "annual" / "default-year.json";
  if (std::getenv("KTR_GOLDEN_UPDATE") != nullptr) {
    std::ofstream(goldenFile) << actual.dump(1) << '\n';
    return;
  }
  std::ifstream in(goldenFile);
  ASSERT_TRUE(in) << goldenFile << " is missing: run make golden";
  compare(ordered_json::parse(in), actual, "annual");
}

// A few figures of the outdoor-dewpoint case reckoned by hand from its
// leaving states, with textbook constants rather than the program's code.
TEST(Golden, FiguresAgreeWithAHandReckoning) {
  int status = -1;
  const ordered_json state = runCase(golden::kDir / "outdoor-dewpoint.args", status).at("state");
  const auto near = [&state](const char* field, double expected) {
    const double actual = state.at(field).get<double>();
    EXPECT_NEAR(actual, expected, 5e-4 * std::fabs(expected)) << field;
  };
  // Outdoor enthalpy, ASHRAE h = 0.240 t + W (1061 + 0.444 t) with
  // W = 122.229 / 7000 = 0.0174613 lb/lb at 95 F:
  // 22.800 + 0.0174613 x 1103.18 = 42.063 Btu/lb.
  near("Hoa", 42.063);
  // Supply mass flow: 3883.45 scfm / 13.333 ft3/lb = 291.26 lb/min.
  near("MassSa", 291.26);
  // Sensible heat: (95 - 83.049) F x 0.24 Btu/lb.F x 291.26 lb/min x 60
  // = 11.951 x 0.24 x 17475.6 = 50,124 Btu/h.
  near("HeatS", 50124);
  // Total heat: (42.063 - 33.798) Btu/lb x 17475.6 lb/h = 144,436 Btu/h.
  near("HeatT", 144436);
  // Water: (122.229 - 88.412) gr/lb / 7000 gr/lb x 17475.6 lb/h = 84.42 lb/h.
  near("WaterRecovered", 84.42);
  // Latent heat is what the total leaves over the sensible.
  near("HeatL", 144436 - 50124);

  // The custom wheel's face area, ft²: the annulus of a 48 in wheel with a
  // 5 in hub, less a quarter-inch strip across the diameter for the spokes:
  // ((48/24)² - (5/24)²) x 3.1415 - 0.25/12 x 48 = 3.956597 x 3.1415 - 1
  // = 11.42965.
  const ordered_json custom = runCase(golden::kDir / "custom-wheel-row.args", status).at("catalog");
  EXPECT_NEAR(custom.at("ModelFaceArea").get<double>(), 11.42965, 1e-5);
}

}  // namespace
