#pragma once

// The monthly bars of a year: heating and cooling recovered and the fan
// energy added, in the psychrometric chart's look, on any QPainter.

#include <QPainter>
#include <QRectF>
#include <QString>
#include <array>

#include "engine/Annual.h"

namespace ktr {

struct AnnualBars {
  QString title;  // the right-hand heading: model and weather
  QString unit;   // of every bar
  std::array<double, 12> heating{};
  std::array<double, 12> cooling{};
  std::array<double, 12> fan{};
};

// The bars of `year` in the energy unit shown, the fans' too.
AnnualBars annualBars(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op, bool si,
                      const QString& title);

void paintAnnualChart(QPainter& painter, const QRectF& bounds, const AnnualBars& bars);

}  // namespace ktr
