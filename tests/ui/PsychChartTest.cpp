#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ranges>
#include <string>

#include "UiFixture.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/main/PsychChart.h"

namespace ui::testing {
namespace {

// The plot area of the chart at its default picture size.
constexpr PlotArea kArea{30, 48, 850, 576};

// The curve's pixel height at pixel column x, between its samples.
double curveYAt(const PsychChart& chart, const ChartCurve& curve, double x) {
  for (std::size_t k = 1; k < curve.size(); ++k) {
    const ChartPoint a = toPixel(chart, kArea, curve[k - 1]);
    const ChartPoint b = toPixel(chart, kArea, curve[k]);
    if (a.x <= x && x <= b.x) {
      return a.y + (x - a.x) / (b.x - a.x) * (b.y - a.y);
    }
  }
  ADD_FAILURE() << "no sample around pixel column " << x;
  return 0;
}

class PsychChartTest : public UiTest {
 protected:
  PsychChart calculated() {
    windows.inputs.cmdCalc_Click();
    return psychChart(state);
  }
};

TEST_F(PsychChartTest, SaturationCurvePassesThroughHandbookSaturationPressures) {
  // Before any calculation the chart spans every temperature below.
  const PsychChart chart = psychChart(state);
  ASSERT_EQ(chart.pressure, 14.696);
  // ASHRAE Handbook—Fundamentals ch. 1 Table 3 (°F, psia), the values the
  // moist-air tests hold; humidity ratio by eq. 22.
  const struct {
    double t, pws;
  } rows[] = {{23, 0.058268}, {32, 0.088640}, {41, 0.12656}, {70, 0.36328}, {77, 0.45973}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    const double grains = 0.621945 * row.pws / (chart.pressure - row.pws) * 7000;
    const ChartPoint expected = toPixel(chart, kArea, {row.t, grains});
    EXPECT_NEAR(curveYAt(chart, chart.saturation, expected.x), expected.y, 1.0);
  }
}

TEST_F(PsychChartTest, StatesSitAtTheirDryBulbAndHumidityRatioInTheUnitsShown) {
  for (const bool si : {false, true}) {
    SCOPED_TRACE(si ? "SI" : "English");
    if (si) {
      windows.settings.cmdSIUnits.click();
      windows.settings.cmdSettingsOK.click();
    }
    const PsychChart chart = calculated();
    const double t[] = {state.Toa, state.Tsa, state.Tra, state.Tea};
    const double w[] = {state.Woa, state.Wsa, state.Wra, state.Wea};
    const char* names[] = {"Outdoor", "Supply", "Return", "Exhaust"};
    for (std::size_t k = 0; k < 4; ++k) {
      SCOPED_TRACE(names[k]);
      EXPECT_EQ(chart.states[k].name, names[k]);
      EXPECT_NEAR(chart.states[k].at.x, si ? (t[k] - 32) / 1.8 : t[k], 1e-4);
      EXPECT_NEAR(chart.states[k].at.y, si ? w[k] / 7 : w[k], 1e-4);
      const ChartPoint at = toPixel(chart, kArea, chart.states[k].at);
      EXPECT_TRUE(at.x > kArea.left && at.x < kArea.left + kArea.width) << at.x;
      EXPECT_TRUE(at.y > kArea.top && at.y < kArea.top + kArea.height) << at.y;
    }
    EXPECT_EQ(chart.xTitle, si ? "Dry bulb, °C" : "Dry bulb, °F");
  }
}

TEST_F(PsychChartTest, EveryPointOfAWetBulbLineHasThatWetBulb) {
  const PsychChart chart = calculated();
  ASSERT_FALSE(chart.wetBulb.empty());
  for (const LabelledCurve& line : chart.wetBulb) {
    SCOPED_TRACE(line.label);
    const double wetBulb = std::stod(line.label);
    const ChartPoint middle = line.points[line.points.size() / 2];
    if (middle.y <= 1) {
      continue;  // bone dry: the wet bulb is not defined there
    }
    double grains = middle.y;
    EXPECT_NEAR(modPsych::WetBulb(middle.x, grains, chart.pressure), wetBulb, 0.05);
  }
}

TEST_F(PsychChartTest, RelativeHumidityCurvesLieBelowSaturationInOrder) {
  const PsychChart chart = calculated();
  ASSERT_EQ(chart.relativeHumidity.size(), 9U);
  EXPECT_EQ(chart.relativeHumidity.front().label, "10 %");
  const double x = toPixel(chart, kArea, {50, 0}).x;
  double below = curveYAt(chart, chart.saturation, x);
  for (const LabelledCurve& curve : chart.relativeHumidity | std::views::reverse) {
    const double y = curveYAt(chart, curve.points, x);
    EXPECT_GT(y, below) << curve.label;
    below = y;
  }
}

TEST_F(PsychChartTest, AxesFitTheCaseInBothUnits) {
  const struct {
    const char *outdoor, *wetBulb;
  } cases[] = {{"95", "78"}, {"10", "8"}, {"-20", "-21"}};
  for (const bool si : {false, true}) {
    if (si) {
      windows.settings.cmdSIUnits.click();
      windows.settings.cmdSettingsOK.click();
    }
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.outdoor) + (si ? " SI" : ""));
      fields.inputs.txtToa.setText(
          si ? platform::formatNumber((std::stod(c.outdoor) - 32) / 1.8, "##0.0") : c.outdoor);
      fields.inputs.txtMoa.setText(
          si ? platform::formatNumber((std::stod(c.wetBulb) - 32) / 1.8, "##0.0") : c.wetBulb);
      const PsychChart chart = calculated();
      double wettest = 0;
      for (const ChartState& s : chart.states) {
        wettest = std::max(wettest, s.at.y);
        // Clear of the frame, so its label and marker fit.
        EXPECT_GT(s.at.x - chart.xMin, 0.05 * (chart.xMax - chart.xMin)) << s.name;
        EXPECT_GT(chart.xMax - s.at.x, 0.05 * (chart.xMax - chart.xMin)) << s.name;
      }
      // From zero to a round value above the wettest air, which is not
      // squeezed into the bottom of the chart.
      EXPECT_GT(chart.yMax, wettest);
      EXPECT_GT(wettest, chart.yMax / 2);
      EXPECT_EQ(std::fmod(chart.yMax, chart.yStep), 0);
    }
  }
}

TEST_F(PsychChartTest, MarksTheFrostRegionInWinterOnly) {
  EXPECT_FALSE(calculated().frostRegion);
  fields.inputs.txtToa.setText("10");
  fields.inputs.txtMoa.setText("8");
  const PsychChart winter = calculated();
  EXPECT_TRUE(winter.frostRegion);
  EXPECT_EQ(winter.freezing, 32);
  EXPECT_LE(winter.xMin, 0);
}

}  // namespace
}  // namespace ui::testing
