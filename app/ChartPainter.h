#pragma once

// Draws the psychrometric chart on any QPainter (a window, a PNG image, an
// SVG file), so the desktop window and ktr-calc --chart show one picture.

#include <QPainter>
#include <QRectF>
#include <QString>

#include "ui/main/PsychChart.h"

namespace ktr {

// The picture's size when none is asked for, in pixels.
inline constexpr int kChartWidth = 960;
inline constexpr int kChartHeight = 680;

// The plot area (inside the axes) of a chart drawn into `bounds`.
ui::PlotArea chartPlotArea(const QRectF& bounds);

void paintChart(QPainter& painter, const QRectF& bounds, const ui::PsychChart& chart);

// Writes the chart as SVG or PNG by the path's extension (.svg, .png);
// returns the problem, empty when written.
QString writeChart(const QString& path, const ui::PsychChart& chart);

}  // namespace ktr
