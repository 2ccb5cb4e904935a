#pragma once

// The psychrometric chart of the last calculation as plain geometry: dry
// bulb across, humidity ratio up, at the case's barometric pressure, in the
// units the program shows (°F and gr/lb, or °C and g/kg). Every curve comes
// from the program's moist-air functions; a painter only draws it.

#include <array>
#include <string>
#include <vector>

#include "engine/CalcState.h"

namespace ui {

struct ChartPoint {
  double x;  // dry bulb, °F or °C
  double y;  // humidity ratio, gr/lb or g/kg
};

using ChartCurve = std::vector<ChartPoint>;

struct LabelledCurve {
  std::string label;  // "50 %", "65 °F"
  ChartCurve points;
};

struct ChartState {
  std::string name;  // "Outdoor", "Supply", "Return", "Exhaust"
  ChartPoint at;
};

struct PsychChart {
  bool si = false;
  double pressure = 0;  // psia
  double xMin = 0;
  double xMax = 0;
  double yMax = 0;   // the y axis starts at zero
  double xStep = 0;  // grid spacing
  double yStep = 0;
  std::string xTitle;
  std::string yTitle;
  std::string title;
  ChartCurve saturation;
  std::vector<LabelledCurve> relativeHumidity;  // 10 % to 90 %
  std::vector<LabelledCurve> wetBulb;           // every 5 degrees
  std::array<ChartState, 4> states;             // outdoor, supply, return, exhaust
  // False before any case has been calculated: the chart is then drawn at
  // sea level with no states.
  bool calculated = false;
  // Winter: the air below freezing, where the exhaust air can frost, is
  // marked from the chart's left edge up to this dry bulb.
  bool frostRegion = false;
  double freezing = 0;
};

// The chart of the state's last calculation.
PsychChart psychChart(const ModCalc::CalcState& state);

// Where a chart point lands in a plot area `width` by `height` pixels whose
// top left corner is (left, top); y grows downwards.
struct PlotArea {
  double left;
  double top;
  double width;
  double height;
};
ChartPoint toPixel(const PsychChart& chart, const PlotArea& area, ChartPoint p);

}  // namespace ui
