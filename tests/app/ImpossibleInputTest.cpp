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
       "Error: Enter a number from -148 to 392 °F for the return air dry bulb.\n"},
      {{},
       {"txtToa=-460", "--settings-ok"},
       "Error: Enter a number from -148 to 392 °F for the outdoor air dry bulb.\n"},
      {{"--si-toggle", "--settings-ok"},
       {"txtToaSI=250", "--calc"},
       "Error: Enter a number from -100 to 200 °C for the outdoor air dry bulb.\n"},
      {{},
       {"txtElev=30000", "--settings-ok"},
       "Error: The elevation is too high: the barometric pressure there would not be above "
       "zero.\n"},
      {{"--si-toggle", "--settings-ok"},
       {"txtToaSI=abc", "--calc"},
       "Error: Enter a number for the outdoor air dry bulb.\n"},
      {{"--si-toggle", "--settings-ok"},
       {"txtMoaSI=x", "--calc"},
       "Error: Enter a number for the outdoor air moisture.\n"},
      {{"optMoistIn(0)=1", "--settings-ok"},
       {"txtMoa=-1e308", "--calc"},
       "Error: Enter a number from -148 to 392 °F for the outdoor air moisture.\n"},
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

}  // namespace
