#include "ui/main/PsychChart.h"

#include <algorithm>
#include <cmath>

#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ui {

namespace {

// Curves are sampled this finely (°F), enough for a smooth line at any
// scale the window is shown at.
constexpr double kSampleStep = 0.5;

// The smallest of 1, 2 and 5 times a power of ten not below `atLeast` (and
// not below 1: the humidity scale shows whole numbers).
double roundStep(double atLeast) {
  double decade = 1;
  for (; decade < 1e6; decade *= 10) {
    for (const double step : {1.0, 2.0, 5.0}) {
      if (step * decade >= atLeast) {
        return step * decade;
      }
    }
  }
  return decade;
}

double grainsOf(double fahrenheit, double relHum, double p) {
  return modPsych::HumRatioFromVapor(relHum * modPsych::SatPressure(fahrenheit), p) *
         units::kGrainsPerPound;
}

class Builder {
 public:
  Builder(const ModCalc::CalcState& s, PsychChart& chart) : s_(s), c_(chart) {}

  void build() {
    c_.si = s_.SIUnits == 1;
    // Only a finished calculation sets the exhaust volume.
    c_.calculated = s_.Vea > 0;
    c_.pressure = s_.Patm > 0 ? s_.Patm : modPsych::AtmPressure(0);
    ranges();
    c_.xTitle = c_.si ? "Dry bulb, °C" : "Dry bulb, °F";
    c_.yTitle = c_.si ? "Humidity ratio, g/kg" : "Humidity ratio, gr/lb";
    c_.title =
        "Barometric pressure " +
        (c_.si
             ? platform::formatNumber(c_.pressure * units::kPascalsPerPsi / 1000, "##0.0") + " kPa"
             : platform::formatNumber(c_.pressure, "#0.000") + " psia");
    c_.saturation = curve(1);
    for (int percent = 10; percent <= 90; percent += 10) {
      c_.relativeHumidity.push_back({std::to_string(percent) + " %", curve(percent / 100.0)});
    }
    wetBulbLines();
    const char* names[] = {"Outdoor", "Supply", "Return", "Exhaust"};
    const double t[] = {s_.Toa, s_.Tsa, s_.Tra, s_.Tea};
    const double w[] = {s_.Woa, s_.Wsa, s_.Wra, s_.Wea};
    for (std::size_t k = 0; k < 4; ++k) {
      c_.states[k] = {names[k], point(t[k], w[k])};
    }
    // The season follows the outdoor air, as the main window's does.
    c_.frostRegion = s_.Toa < 50;
    c_.freezing = x(units::kFreezingFahrenheit);
  }

 private:
  double x(double fahrenheit) const { return c_.si ? units::celsius(fahrenheit) : fahrenheit; }
  double y(double grains) const {
    return c_.si ? grains / units::kGrainsPerGramPerKilogram : grains;
  }
  double fahrenheitOf(double shown) const { return c_.si ? units::fahrenheit(shown) : shown; }
  ChartPoint point(double fahrenheit, double grains) const { return {x(fahrenheit), y(grains)}; }

  // Axes that fit the case: one grid step beyond the warmest and coldest air
  // (at least six steps across, so the curves keep their shape), and the
  // humidity from zero to a round value above the wettest air, with room for
  // its label. Before any calculation the chart shows the usual span.
  void ranges() {
    c_.xStep = c_.si ? 5 : 10;
    double low = c_.si ? -5.0 : 20.0;
    double high = c_.si ? 40.0 : 105.0;
    double top = c_.si ? 30.0 : 200.0;
    if (c_.calculated) {
      const double temps[] = {s_.Toa, s_.Tsa, s_.Tra, s_.Tea};
      const double grains[] = {s_.Woa, s_.Wsa, s_.Wra, s_.Wea};
      low = x(*std::min_element(std::begin(temps), std::end(temps))) - c_.xStep;
      high = x(*std::max_element(std::begin(temps), std::end(temps))) + c_.xStep;
      const double missing = 6 * c_.xStep - (high - low);
      if (missing > 0) {
        low -= missing / 2;
        high += missing / 2;
      }
      top = std::max(y(*std::max_element(std::begin(grains), std::end(grains))) * 1.15, 5.0);
    }
    c_.xMin = std::floor(low / c_.xStep) * c_.xStep;
    c_.xMax = std::ceil(high / c_.xStep) * c_.xStep;
    c_.yStep = roundStep(top / 8);
    c_.yMax = std::ceil(top / c_.yStep) * c_.yStep;
  }

  // The curve of one relative humidity across the chart, cut where it leaves
  // the top.
  ChartCurve curve(double relHum) const {
    ChartCurve points;
    for (double f = fahrenheitOf(c_.xMin);; f += kSampleStep) {
      const double shown = std::min(f, fahrenheitOf(c_.xMax));
      const ChartPoint p = point(shown, grainsOf(shown, relHum, c_.pressure));
      if (p.y > c_.yMax) {
        points.push_back(cutAtTop(points.empty() ? p : points.back(), p));
        break;
      }
      points.push_back(p);
      if (shown >= fahrenheitOf(c_.xMax)) {
        break;
      }
    }
    return points;
  }

  ChartPoint cutAtTop(ChartPoint a, ChartPoint b) const {
    if (b.y == a.y) {
      return b;
    }
    const double f = (c_.yMax - a.y) / (b.y - a.y);
    return {a.x + f * (b.x - a.x), c_.yMax};
  }

  // A wet-bulb line runs from the saturation curve at its own temperature
  // down and to the right until the air would be bone dry.
  void wetBulbLines() {
    const double step = 5;
    for (double wb = std::ceil(c_.xMin / step) * step; wb <= c_.xMax; wb += step) {
      const double tStar = fahrenheitOf(wb);
      if (y(modPsych::SatGrains(tStar, c_.pressure)) > c_.yMax) {
        break;
      }
      ChartCurve points;
      for (double f = tStar;; f += kSampleStep) {
        const double shown = std::min(f, fahrenheitOf(c_.xMax));
        const double grains =
            modPsych::HumRatioFromWetBulb(shown, tStar, c_.pressure) * units::kGrainsPerPound;
        if (grains <= 0) {
          points.push_back(point(shown, 0));
          break;
        }
        points.push_back(point(shown, grains));
        if (shown >= fahrenheitOf(c_.xMax)) {
          break;
        }
      }
      c_.wetBulb.push_back({platform::formatNumber(wb, "##0") + (c_.si ? " °C" : " °F"), points});
    }
  }

  const ModCalc::CalcState& s_;
  PsychChart& c_;
};

}  // namespace

PsychChart psychChart(const ModCalc::CalcState& state) {
  PsychChart chart;
  Builder(state, chart).build();
  return chart;
}

ChartPoint toPixel(const PsychChart& chart, const PlotArea& area, ChartPoint p) {
  return {area.left + (p.x - chart.xMin) / (chart.xMax - chart.xMin) * area.width,
          area.top + area.height - p.y / chart.yMax * area.height};
}

}  // namespace ui
