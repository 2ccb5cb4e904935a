#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"

namespace {

struct CalcRun {
  int status;
  std::string out;
  std::string err;
};

CalcRun run(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = ktr::runKtrCalc(args, out, err);
  return {status, out.str(), err.str()};
}

TEST(KtrCalcPsych, PrintsEveryDigitOfTheResult) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } rows[] = {
      {{"psych", "AtmPressure", "0"}, "14.696\n"},
      {{"psych", "Enthalpy", "75", "0"}, "18\n"},
      {{"psych", "MoistToGrains", "75", "120", "14.696", "3"}, "120\n"},
      {{"psych", "GrainsToMoist", "75", "0.007", "14.696", "5"}, "9.9999999999999995e-07\n"},
      // The humidity ratio as DewPoint left it comes second.
      {{"psych", "DewPoint", "0", "14.696"}, "-61.798377990722656\n0.10010000000000001\n"},
      {{"psych", "HumRatioFromVapor", "0.2", "14.696"}, "0.0085814017802476883\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[1]);
    const CalcRun r = run(row.args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, row.out);
    EXPECT_EQ(r.err, "");
  }
}

TEST(KtrCalcPsych, NegativeArgumentsAreNumbersNotOptions) {
  const CalcRun r = run({"psych", "SatPressure", "-.5e1"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.substr(0, 6), "0.0141");
}

TEST(KtrCalcPsych, RangeMessagesGoToStandardError) {
  const CalcRun r = run({"psych", "MoistToGrains", "75", "600", "14.696", "3"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "600\n");
  EXPECT_EQ(r.err,
            "Error: Input variable is out of range, check to see if units are consistent with "
            "input value.\n");
}

TEST(KtrCalcPsych, UsageErrorsAreOneLineWithStatusTwo) {
  const std::vector<std::string> rows[] = {
      {"psych", "Saturation", "70"},
      {"psych", "SatPressure"},
      {"psych", "SatPressure", "70", "80"},
      {"psych", "SatPressure", "seventy"},
      {"psych", "MoistToGrains", "75", "50", "14.696", "4.5"},
      {"psych", "MoistToGrains", "75", "50", "14.696", "9"},  // no such kind
      {"psych", "SatPressure", "1e308"},                      // no finite result
      {"psych", "SpecificVolume", "75", "50", "0"},
      {"psych"},
      {"unknown"},
  };
  for (const auto& args : rows) {
    SCOPED_TRACE(args.empty() ? "(none)" : args.back());
    const CalcRun r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    ASSERT_FALSE(r.err.empty());
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
}

// The clipboard summary keeps its 28 lines and one cell per tab whatever the
// title holds, and --json never shows the override password.
TEST(KtrCalcOutputs, TheTitleCannotBreakTheSummaryNorTheJsonShowThePassword) {
  const CalcRun summary = run({"txtTitle=Line one\nline\ttwo\r", "--copy", "-"});
  ASSERT_EQ(summary.status, 0) << summary.err;
  EXPECT_EQ(std::count(summary.out.begin(), summary.out.end(), '\n'), 28);
  EXPECT_TRUE(summary.out.starts_with("Line one line two \nModel: ")) << summary.out;

  const CalcRun dump = run({"--password", "kestrelwing", "--json"});
  ASSERT_EQ(dump.status, 0) << dump.err;
  EXPECT_EQ(dump.out.find("estrel"), std::string::npos);
  EXPECT_NE(dump.out.find("\"txtPassword\": {\n      \"text\": \"(hidden)\""), std::string::npos);
}

// An argument outside the range where the function means something is a
// usage error naming it and the range, not a result.
TEST(KtrCalcPsych, ArgumentsOutsideTheirRangeAreRefusedByName) {
  const struct {
    std::vector<std::string> args;
    const char* err;
  } rows[] = {
      {{"psych", "SatPressure", "1e5"},
       "Enter a number from -148 to 392 °F for the argument t of SatPressure."},
      {{"psych", "SatPressure", "-148.5"},
       "Enter a number from -148 to 392 °F for the argument t of SatPressure."},
      {{"psych", "RelHumFraction", "75", "-1000", "14.696"},
       "Enter a number from 0 to 7000 gr/lb for the argument W of RelHumFraction."},
      {{"psych", "WetBulb", "75", "50", "0"},
       "Enter a number greater than 0 and at most 1000 psia for the argument p of WetBulb."},
      {{"psych", "HumRatioFromVapor", "14.696", "14.696"},
       "Enter a number from 0 up to, but not including, 14.696 psia for the argument pw of "
       "HumRatioFromVapor."},
      {{"psych", "HumRatioFromWetBulb", "75", "400", "14.696"},
       "Enter a number from -148 to 392 °F for the argument tStar of HumRatioFromWetBulb."},
      {{"psych", "AtmPressure", "1e15"},
       "Enter a number from -1500 to 15000 ft for the argument z of AtmPressure."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args[1]);
    const CalcRun r = run(row.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(row.err), std::string::npos) << r.err;
  }
}

TEST(KtrCalcPsych, HelpNamesEveryFunction) {
  const CalcRun r = run({"psych", "--help"});
  EXPECT_EQ(r.status, 0);
  for (const char* name : {"SatPressure", "HumRatioFromVapor", "MoistToGrains", "GrainsToMoist",
                           "RelHumFraction", "SpecificVolume", "DewPoint", "Enthalpy",
                           "HumRatioFromWetBulb", "WetBulb", "AtmPressure"}) {
    EXPECT_NE(r.out.find(name), std::string::npos) << name;
  }
}

}  // namespace
