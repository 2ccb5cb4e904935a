#include <nlohmann/json.hpp>

#include "tests/app/KtrCalcFixture.h"

namespace {

// The verdicts for the shipped catalog, pinned: a change in any figure or
// threshold shows here.
TEST(KtrCalcCodeCheck, PrintsTheVerdictsAndTheFiguresBehindThem) {
  const CalcRun ashrae = runWithCatalog(
      {"txtV=2000", "txtVra=2000", "--zone", "4A", "--outdoor-air-percent", "45", "--code-check"});
  EXPECT_EQ(ashrae.status, 0) << ashrae.err;
  EXPECT_EQ(ashrae.out,
            "Standard: ASHRAE 90.1-2019 §6.5.6.1, climate zone 4A, under 8,000 h a year, 45% "
            "outdoor air\n"
            "Wheel KW28-4: 1,921 scfm outdoor air; supply fan 4,270 cfm\n"
            "Energy recovery not required: Table 6.5.6.1-1 (under 8,000 h), zones 0A, 1A, 2A, 3A, "
            "4A, 5A, 6A, ≥ 40 and < 50 % outdoor air: ≥ 4,500 cfm\n"
            "ERR at cooling design (outdoor 95/78 °F, return 75/63 °F dry/wet bulb): 57.0% "
            "against at least 50%: pass\n"
            "ERR at heating design (outdoor 0/-1 °F, return 70/58 °F dry/wet bulb): 57.3% "
            "against at least 50%: pass\n"
            "Verdict: PASS\n");

  const CalcRun eu =
      runWithCatalog({"txtV=4000", "txtVra=4000", "--standard", "eu-1253-2014", "--code-check"});
  EXPECT_EQ(eu.status, 0) << eu.err;
  EXPECT_EQ(eu.out,
            "Standard: EU 1253/2014 from 2018, non-residential bidirectional unit\n"
            "Wheel KW39-4: nominal flow 1.813 m³/s (3,842 scfm)\n"
            "Thermal efficiency (EN 308: dry, balanced, 20 K): 61.2% against at least 73%: fail\n"
            "SFPint (wheel pressure drops, fan efficiency 60%): 1,210 W/(m³/s) against at most "
            "828 W/(m³/s) (Medium and fine filter): fail\n"
            "Verdict: FAIL\n");
}

TEST(KtrCalcCodeCheck, JsonCarriesTheCheckAsNumbersAndNulls) {
  const CalcRun run = runWithCatalog({"txtV=9000", "txtVra=9000", "--zone", "7", "--hours-8000",
                                      "--outdoor-air-percent", "30", "--code-check", "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  ASSERT_TRUE(json.contains("state")) << "the whole program, with the check added";
  const auto& check = json.at("code_check");
  EXPECT_EQ(check.at("standard"), "ashrae-90.1-2019");
  EXPECT_EQ(check.at("zone"), "7");
  EXPECT_EQ(check.at("required"), true);
  EXPECT_TRUE(check.at("err_cooling").is_null()) << "cooling recovery is exempt in zone 7";
  EXPECT_GT(check.at("err_heating").get<double>(), 0.4);
  EXPECT_LT(check.at("err_heating").get<double>(), 1);
  EXPECT_TRUE(check.at("thermal_efficiency").is_null());
  EXPECT_TRUE(check.at("sfp_int").is_null());
  EXPECT_TRUE(check.at("sfp_int_limit").is_null());
  EXPECT_EQ(check.at("pass"), check.at("err_heating").get<double>() >= 0.5);
  EXPECT_TRUE(check.at("reasons").is_array());
  EXPECT_FALSE(check.at("reasons").empty());
}

TEST(KtrCalcCodeCheck, WrongSettingsAreUsageErrors) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--standard", "ashrae-90.1-2016", "--code-check"},
           {"--zone", "5D", "--code-check"},
           {"--outdoor-air-percent", "150", "--code-check"},
           {"--outdoor-air-percent", "many", "--code-check"},
       }) {
    const CalcRun run = runWithCatalog(args);
    EXPECT_EQ(run.status, 2) << args[0];
    EXPECT_NE(run.err.find(args[0]), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

}  // namespace
