#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "KtrCalcFixture.h"
#include "app/KtrCalc.h"

namespace {

CalcRun run(const std::vector<std::string>& args) {
  return runWithCatalog(args);
}

TEST(KtrCalcWindows, DefaultCaseAsJson) {
  const CalcRun r = run({"--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto json = nlohmann::json::parse(r.out);
  const auto& state = json["state"];
  EXPECT_EQ(state["ModelSelected"], 1);
  EXPECT_EQ(state["MatrixFactor"], 0.757) << "a float field shows its own digits";
  EXPECT_EQ(state["FlowBasis"], 4);
  EXPECT_TRUE(state["AcfmList"].is_array());
  EXPECT_EQ(state["AcfmList"].size(), 5u);
  EXPECT_EQ(json["catalog"]["ModelName"], "Custom 364");
  EXPECT_EQ(json["catalog"]["ModelCount"], 35);
  EXPECT_EQ(json["controls"]["txtV"]["text"], "1000");
  EXPECT_EQ(json["controls"]["frmInputs.lblSCFM(0)"]["caption"], "acfm");
  EXPECT_TRUE(json["controls"]["lstWheel"]["items"].is_array());
  EXPECT_FALSE(json["controls"]["lblWea(2)"].contains("backColor"))
      << "a dry exhaust keeps the window's background";
  EXPECT_TRUE(json["messages"].empty());
}

TEST(KtrCalcWindows, ActionsRunInOrderAndMessagesGoToStderr) {
  const CalcRun r = run({"optMoistIn(2)=1", "--settings-ok", "txtMoa=250", "--calc", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Warning: Outdoor air exceeded 200 gr/lb.  200 will be used.\n");
  const auto json = nlohmann::json::parse(r.out);
  EXPECT_EQ(json["state"]["MoistInOption"], 3);
  EXPECT_EQ(json["controls"]["txtMoa"]["text"], "200");
  EXPECT_EQ(json["messages"].size(), 1u);
  EXPECT_EQ(json["messages"][0]["title"], "Warning");
}

TEST(KtrCalcWindows, ClickingTheSelectedModelStillMarksTheCaseChanged) {
  const CalcRun r = run({"--calc", "lstWheel=KW24-4", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  EXPECT_EQ(json["controls"]["lstWheel"]["text"], "KW24-4");
  EXPECT_TRUE(json["controls"]["cmdCalc"]["visible"]);
}

TEST(KtrCalcWindows, UsageErrorsStopBeforeAnythingRuns) {
  const std::vector<std::string> rows[] = {
      {"txtNothing=1"},
      {"Label1=x"},
      {"chkSpeed=2"},
      {"KSRSel=0"},
      {"--bogus"},
      {"txtV"},
      {"--password"},
      {"--json", "--catalog", "x.csv"},
      {"--catalog", "--json"},
  };
  for (const auto& args : rows) {
    SCOPED_TRACE(args.front());
    const CalcRun r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
  }
}

TEST(KtrCalcWindows, WhatAPersonCannotDoIsAUsageError) {
  const struct {
    std::vector<std::string> args;
    std::string message;
  } rows[] = {
      {{"optMoistIn(6)=1"},
       "ktr-calc: 'optMoistIn(6)' cannot be set: it is disabled in its window\n"},
      {{"txtToaSI=30"}, "ktr-calc: 'txtToaSI' cannot be set: it is disabled in its window\n"},
      {{"--frost-speed"},
       "ktr-calc: --frost-speed: the \"Frost Speed Control\" button is hidden: the last "
       "calculation shows no frost\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.args.front());
    const CalcRun r = run(row.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, row.message);
  }
}

TEST(KtrCalcWindows, HelpAnywhereIsHelp) {
  const CalcRun r = run({"--calc", "--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.rfind("ktr-calc: selects and rates", 0), 0U);
}

TEST(KtrCalcWindows, MissingCatalogCannotStart) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = ktr::runKtrCalc({"--catalog", "/nonexistent/ktrmodel6.csv"}, out, err);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(err.str(), "ktr-calc: The wheel catalog /nonexistent/ktrmodel6.csv was not found.\n");
}

}  // namespace
