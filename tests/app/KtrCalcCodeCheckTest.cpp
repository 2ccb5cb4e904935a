#include <fstream>
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

const std::string kShipped =
    KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw";

// --weather without --zone: the zone the weather suggests is checked, and
// said so; --zone keeps the engineer's.
TEST(KtrCalcCodeCheck, WeatherSuggestsTheZoneWhenNoneIsGiven) {
  const std::vector<std::string> air = {"txtV=2000", "txtVra=2000", "--weather", kShipped};
  auto args = air;
  args.insert(args.end(), {"--outdoor-air-percent", "45", "--code-check"});
  const CalcRun suggested = runWithCatalog(args);
  ASSERT_EQ(suggested.status, 0) << suggested.err;
  EXPECT_EQ(suggested.out.substr(0, suggested.out.find("Wheel ")),
            "Suggested: 5A (HDD18 3,430, CDD10 1,743 from " + kShipped +
                "); the zone checked (give --zone to check another)\n"
                "A is assumed (no precipitation on record): pick B if the site is dry.\n"
                "Standard: ASHRAE 90.1-2019 §6.5.6.1, climate zone 5A, under 8,000 h a year, 45% "
                "outdoor air\n");

  args = air;
  args.insert(args.end(), {"--zone", "4C", "--code-check"});
  const CalcRun given = runWithCatalog(args);
  ASSERT_EQ(given.status, 0) << given.err;
  EXPECT_EQ(given.out.rfind("Standard: ASHRAE 90.1-2019 §6.5.6.1, climate zone 4C", 0), 0U)
      << given.out;

  args = air;
  args.insert(args.end(), {"--code-check", "--json"});
  const auto json = nlohmann::json::parse(runWithCatalog(args).out).at("code_check");
  EXPECT_EQ(json.at("zone"), "5A");
  const auto& zone = json.at("zone_suggested");
  EXPECT_EQ(zone.at("zone"), "5A");
  EXPECT_EQ(zone.at("weather"), kShipped);
  EXPECT_NEAR(zone.at("hdd18").get<double>(), 3430.04, 0.01);
  EXPECT_NEAR(zone.at("cdd10").get<double>(), 1743.38, 0.01);
  EXPECT_EQ(zone.at("moisture_from_weather"), false);

  args = air;
  args.insert(args.end(), {"--zone", "4C", "--code-check", "--json"});
  EXPECT_TRUE(nlohmann::json::parse(runWithCatalog(args).out)
                  .at("code_check")
                  .at("zone_suggested")
                  .is_null());
}

class KtrCalcCodeCheckFiles : public TempFolderTest {
 protected:
  KtrCalcCodeCheckFiles() : TempFolderTest("ktr_codecheck_") {}
};

// Two days of weather suggest nothing: the run says so and checks 5A.
TEST_F(KtrCalcCodeCheckFiles, AShortYearSuggestsNoZone) {
  std::string text = "month,day,hour,dry_bulb_c,rh\n";
  for (int hour = 1; hour <= 48; ++hour) {
    text += "7," + std::to_string(1 + (hour - 1) / 24) + "," + std::to_string((hour - 1) % 24 + 1) +
            ",25,50\n";
  }
  const std::string csv = path("two-days.csv");
  std::ofstream(csv) << text;
  const CalcRun run =
      runWithCatalog({"txtV=2000", "txtVra=2000", "--weather", csv, "--code-check"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.rfind("No climate zone suggested from " + csv +
                              ": the weather covers 2 days; a climate zone needs a whole year; "
                              "zone 5A is checked.\n",
                          0),
            0U)
      << run.out;
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
