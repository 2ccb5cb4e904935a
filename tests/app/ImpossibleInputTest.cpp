// Entries no air or wheel can have stop the calculation with a message that
// names the box and its range, and the case as it was stays on screen.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"

namespace {

using nlohmann::json;

struct CalcRun {
  std::string err;
  json result;
};

CalcRun run(std::vector<std::string> args) {
  args.insert(args.begin(), {"--catalog", KTR_SOURCE_DIR "/resources/ktrmodel6.csv", "--calc"});
  args.push_back("--json");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(ktr::runKtrCalc(args, out, err), 0);
  return {err.str(), json::parse(out.str())};
}

TEST(ImpossibleInput, IsRefusedByNameAndChangesNothing) {
  const struct {
    std::vector<std::string> setup;  // a case calculated before the bad entry
    std::vector<std::string> bad;
    const char* message;
  } rows[] = {
      {{},
       {"txtTra=1000", "--calc"},
       "Error: Enter a number from -60 to 160 °F for the return air dry bulb.\n"},
      {{},
       {"txtToa=-460", "--settings-ok"},
       "Error: Enter a number from -60 to 160 °F for the outdoor air dry bulb.\n"},
      {{"--si-toggle", "--settings-ok"},
       {"txtToaSI=250", "--calc"},
       "Error: Enter a number from -51.11 to 71.11 °C for the outdoor air dry bulb.\n"},
      {{},
       {"txtElev=30000", "--settings-ok"},
       "Error: Enter a number from -1500 to 15000 ft for the elevation.\n"},
      {{},
       {"txtElev=1e15", "--settings-ok"},
       "Error: Enter a number from -1500 to 15000 ft for the elevation.\n"},
      {{},
       {"txtPoa=1e6", "--settings-ok"},
       "Error: Enter a number from -20 to 20 in. w.c. for the outdoor air static pressure.\n"},
      {{"--si-toggle"},
       {"txtToaSI=1e308", "--calc"},
       "Error: Enter a number from -51.11 to 71.11 °C for the outdoor air dry bulb.\n"},
      {{"--password", "KestrelWing", "chkAutoSelect=1"},
       {"txtWheelDiam=1e20", "--override-ok"},
       "Error: Enter a number greater than 0 and at most 5000 in for the custom wheel's "
       "diameter.\n"},
      {{"--si-toggle", "--settings-ok"},
       {"txtToaSI=abc", "--calc"},
       "Error: Enter a number for the outdoor air dry bulb.\n"},
      {{"--si-toggle", "--settings-ok"},
       {"txtMoaSI=x", "--calc"},
       "Error: Enter a number for the outdoor air moisture.\n"},
      {{"optMoistIn(0)=1", "--settings-ok"},
       {"txtMoa=-1e308", "--calc"},
       "Error: Enter a number from -60 to 160 °F for the outdoor air moisture.\n"},
      {{},
       {"chkSpeed=1", "txtWheelSpeed=-1", "--calc"},
       "Error: Enter a number greater than 0 rpm for the wheel speed.\n"},
      {{},
       {"chkPurgeAngle=1", "txtPurgeAngle=-10", "--calc"},
       "Error: Enter a number from 0 up to, but not including, 360 degrees for the purge "
       "angle.\n"},
      {{"--password", "KestrelWing", "chkSensible=1"},
       {"txtESOR=150", "--override-ok"},
       "Error: Enter a number from 0 up to, but not including, 100% for the sensible "
       "effectiveness override.\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.bad.front());
    const CalcRun before = run(row.setup);
    std::vector<std::string> args = row.setup;
    args.insert(args.end(), row.bad.begin(), row.bad.end());
    const CalcRun after = run(args);
    EXPECT_EQ(after.err, before.err + row.message);
    EXPECT_EQ(after.result["state"], before.result["state"]) << "a refused entry changes nothing";
    EXPECT_EQ(after.result["controls"]["lblTsa"], before.result["controls"]["lblTsa"]);
  }
}

// Each range as the boxes take it, in both unit systems: the bound itself
// is taken, a step beyond it is refused with the range.
TEST(ImpossibleInput, EachBoundIsTakenAndAStepBeyondIsRefused) {
  const std::vector<std::string> si = {"--si-toggle"};
  const std::vector<std::string> custom = {"--password", "KestrelWing", "chkAutoSelect=1"};
  const struct {
    std::vector<std::string> setup;
    std::string box;
    const char* at;
    const char* beyond;
    std::string message;
  } rows[] = {
      {{}, "txtToa", "-60", "-60.1", "from -60 to 160 °F for the outdoor air dry bulb"},
      {{}, "txtTra", "160", "160.1", "from -60 to 160 °F for the return air dry bulb"},
      {si, "txtToaSI", "-51.11", "-51.12", "from -51.11 to 71.11 °C for the outdoor air dry bulb"},
      {si, "txtTraSI", "71.11", "71.12", "from -51.11 to 71.11 °C for the return air dry bulb"},
      {{"optMoistIn(0)=1", "--settings-ok"},
       "txtMoa",
       "-60",
       "-61",
       "from -60 to 160 °F for the outdoor air moisture"},
      {{"--si-toggle", "optMoistIn(4)=1", "--settings-ok"},
       "txtMraSI",
       "-51.11",
       "-52",
       "from -51.11 to 71.11 °C for the return air moisture"},
      {{}, "txtElev", "15000", "15001", "from -1500 to 15000 ft for the elevation"},
      {si, "txtElev", "-457.17", "-457.18", "from -457.17 to 4571.77 m for the elevation"},
      {{}, "txtPoa", "-20", "-20.5", "from -20 to 20 in. w.c. for the outdoor air static pressure"},
      {si, "txtPoa", "4980", "4981", "from -4980 to 4980 Pa for the outdoor air static pressure"},
      {{},
       "txtPra",
       "19.5",
       "19.6",
       "from -20 to 19.5 in. w.c. for the return air static pressure"},
      {si, "txtPra", "4855.5", "4855.6",
       "from -4980 to 4855.5 Pa for the return air static pressure"},
      {{}, "txtVra", "1", "0", "greater than 0 for the return air volume"},
      {{}, "txtV", "1", "-5", "greater than 0 for the supply air volume"},
      {{"optOutdoor=1", "--settings-ok"},
       "txtV",
       "1",
       "0",
       "greater than 0 for the outdoor air volume"},
      {si, "txtVSI", "1", "-1", "greater than 0 for the supply air volume"},
      {custom, "txtWheelDepth", "5000", "5000.5",
       "greater than 0 and at most 5000 in for the custom wheel's depth"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.box + "=" + row.beyond);
    const auto entered = [&row, &custom](const char* value) {
      std::vector<std::string> args = row.setup;
      args.push_back(row.box + "=" + value);
      // Each box is confirmed as a person would: the settings dialog's boxes by
      // its OK, the override dialog's by its OK, the inputs by Calculate.
      const bool setting = row.box == "txtElev" || row.box == "txtPoa" || row.box == "txtPra";
      args.push_back(row.setup == custom ? "--override-ok" : setting ? "--settings-ok" : "--calc");
      return run(args).err;
    };
    EXPECT_EQ(entered(row.at).find("Enter a number"), std::string::npos) << entered(row.at);
    const std::string refused = "Error: Enter a number " + row.message + ".\n";
    const std::string err = entered(row.beyond);
    ASSERT_GE(err.size(), refused.size()) << err;
    EXPECT_EQ(err.substr(err.size() - refused.size()), refused);
  }
}

// A case at the edge of a range switches units both ways: each SI range is
// the same quantity as its English one.
TEST(ImpossibleInput, ACaseAtABoundSwitchesUnits) {
  const struct {
    std::vector<std::string> entries;
    const char* siBox;
    const char* siText;
  } rows[] = {
      {{"txtTra=160"}, "txtTraSI", "71.1"},
      {{"txtElev=15000"}, "txtElev", "4571.777"},
      {{"txtElev=-1500"}, "txtElev", "-457.1777"},
      {{"txtPoa=19.5", "txtPra=19.5"}, "txtPra", "4855.5"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.entries.front());
    std::vector<std::string> args = row.entries;
    args.insert(args.end(), {"--settings-ok", "--si-toggle", "--settings-ok"});
    const CalcRun si = run(args);
    EXPECT_EQ(si.err.find("Error"), std::string::npos) << si.err;
    EXPECT_EQ(si.result["state"]["SIUnits"], 1);
    EXPECT_EQ(si.result["controls"][row.siBox]["text"], row.siText);
    args.insert(args.end(), {"--si-toggle", "--settings-ok"});
    const CalcRun back = run(args);
    EXPECT_EQ(back.err.find("Error"), std::string::npos) << back.err;
    EXPECT_EQ(back.result["state"]["SIUnits"], 0);
  }
}

// The calculation raises the outdoor static pressure to half an inch above
// the return's; at the top of the return's range that is still an entry
// the next calculation takes.
TEST(ImpossibleInput, TheRaisedOutdoorPressureStaysInRange) {
  const CalcRun r = run({"txtPoa=-20", "txtPra=19.5", "--settings-ok", "--settings-ok"});
  EXPECT_EQ(r.err,
            "Warning: Outdoor air pressure must be larger than return air. Pressure will be "
            "increased \n");
  EXPECT_EQ(r.result["state"]["PoaInWC"], 20.0);
}

}  // namespace
