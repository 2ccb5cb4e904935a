#include <algorithm>
#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace ui::testing {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

class SummaryTextTest : public UiTest {
 protected:
  SummaryTextTest() { windows.inputs.cmdCalc.click(); }
  frmWheel& main = windows.main;
};

TEST_F(SummaryTextTest, TwentyEightLinesOnTheClipboardEvenWithoutATitle) {
  clipboard.text = "earlier";
  main.mnuEditCopy.click();
  const std::string text = clipboard.text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 28);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  const std::vector<std::string> lines = linesOf(text);
  ASSERT_EQ(lines.size(), 28U);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "Model: KW24-4");
  EXPECT_EQ(lines[3], "Wheel Parameters\t\t\tFace Velocity, sfpm");
  EXPECT_EQ(lines[4], "Wheel Diameter, in.\t24\t\tSupply Side\t" + main.lblVelO.caption());
  EXPECT_EQ(lines[5], "Wheel Depth, in.\t4\t\tExhaust Side\t" + main.lblVelE.caption());
  EXPECT_EQ(lines[6], "Purge Angle, degrees\t" + main.lblPurgeAngle.caption());
  EXPECT_EQ(lines[8], "Wheel Speed, RPM\t60\t\tOA Static\t2.00");
  EXPECT_EQ(lines[9], "Hub diameter, in.\t3.5\t\tRA Static\t0.00");
  EXPECT_EQ(lines[12], "Drive Motor, HP\t1/4");
  EXPECT_EQ(lines[17], "\t\tE Bal.\tE Unbal.\tBTU/h");
  EXPECT_EQ(lines[20].substr(0, 20), "Total Exchange\t\tn/a\t");
  EXPECT_EQ(lines[21], "Water Recovered, lb/h\t" + main.lbldWh.caption());
  EXPECT_EQ(lines[22], "\tVolume\tVolume\t\t\t\t\tEnthalpy");
  EXPECT_EQ(lines[23], "\tscfm\tacfm\t°F DB\t°F WB\tgr/lb\tRH%\tBTU / lb");
  EXPECT_EQ(lines[24], "Outdoor\t1,005\t1,072\t95.0\t75.0\t97.8\t39.6\t38.21");
  for (const auto& [line, name] :
       {std::pair{25, "Supply\t"}, std::pair{26, "Return\t"}, std::pair{27, "Exhaust\t"}}) {
    EXPECT_TRUE(lines[line].starts_with(name)) << lines[line];
    EXPECT_EQ(std::count(lines[line].begin(), lines[line].end(), '\t'), 7) << lines[line];
  }
}

TEST_F(SummaryTextTest, SIUnitsGiveTheEnglishTextOfTheSameCase) {
  const std::string english = main.summaryText();
  windows.settings.cmdSIUnits.click();
  main.FillCaptions();
  const std::string velocity = main.lblVelE.caption();
  ASSERT_NE(velocity.find('.'), std::string::npos) << "the window shows m/s";
  EXPECT_EQ(main.summaryText(), english);
  EXPECT_EQ(main.lblVelE.caption(), velocity) << "the window keeps its SI figures";
  EXPECT_TRUE(fields.settings.optOUTWBSI.value());
  EXPECT_EQ(state.SIUnits, 1);
}

TEST_F(SummaryTextTest, CustomWheelTakesItsDimensionsFromEntryZero) {
  fields.overrides.chkAutoSelect.setValue(1);
  windows.overrides.cmdOROK.click();
  const std::vector<std::string> lines = linesOf(main.summaryText());
  EXPECT_EQ(lines[1], "Model: Custom 364");
  EXPECT_TRUE(lines[4].starts_with("Wheel Diameter, in.\t36\t\t"));
  EXPECT_TRUE(lines[9].starts_with("Hub diameter, in.\t4.5\t\t"));
  EXPECT_EQ(lines[12], "Drive Motor, HP\t1/3");
  EXPECT_EQ(lines[13], "Height, in.\t42");
  EXPECT_EQ(lines[15], "Depth, in.\t6.5");
}

}  // namespace
}  // namespace ui::testing
