#pragma once

// The monthly bars of a year: heating and cooling recovered and the fan
// energy added, in the psychrometric chart's look, on any QPainter.

#include <QPainter>
#include <QRectF>
#include <QString>
#include <array>

namespace ktr {

struct AnnualBars {
  QString title;  // the right-hand heading: model and weather
  QString unit;   // of every bar
  std::array<double, 12> heating{};
  std::array<double, 12> cooling{};
  std::array<double, 12> fan{};
};

void paintAnnualChart(QPainter& painter, const QRectF& bounds, const AnnualBars& bars);

}  // namespace ktr
