#pragma once

// Draws the psychrometric chart on any QPainter (a window, a PNG image, an
// SVG file), so the desktop window and ktr-calc --chart show one picture.

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <vector>

#include "ui/main/PsychChart.h"

namespace ktr {

// The picture's size when none is asked for, in pixels.
inline constexpr int kChartWidth = 960;
inline constexpr int kChartHeight = 680;

// The plot area (inside the axes) of a chart drawn into `bounds`.
ui::PlotArea chartPlotArea(const QRectF& bounds);

// One text of the chart and the rectangle it fills, in the picture's pixels.
struct ChartLabel {
  QString text;
  QRectF rect;
  QColor color;
  bool bold = false;
};

// Every text in and around the plot of a chart drawn into `bounds`: the
// states, the scales, the frost mark, the relative humidity and wet-bulb
// lines. Each takes the first of a few places where it covers no label
// placed before it, no state point and no process line; one that fits
// nowhere is left out. Needs a QGuiApplication for the font's measures.
std::vector<ChartLabel> chartLabels(const QRectF& bounds, const ui::PsychChart& chart);

// Draws the chart with the labels chartLabels places.
void paintChart(QPainter& painter, const QRectF& bounds, const ui::PsychChart& chart);

// Writes the chart as SVG or PNG by the path's extension (.svg, .png);
// returns the problem, empty when written.
QString writeChart(const QString& path, const ui::PsychChart& chart);

}  // namespace ktr
