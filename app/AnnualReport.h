#pragma once

// The year on one printed page: what was rated, the summary, the monthly
// bars, the months' table and the operation assumed.

#include <QPainter>
#include <QRectF>
#include <QString>

#include "engine/Annual.h"
#include "engine/Weather.h"

namespace ktr {

struct AnnualReport {
  QString projectTitle;
  QString weatherName;  // the file, or the built-in year
  const ModCalc::AnnualResult& year;
  const ModCalc::Weather& weather;
  const ModCalc::OperationModel& op;
  bool si = false;
};

// Draws the page into `page`, in pixels at 96 per inch.
void paintAnnualReport(QPainter& painter, const QRectF& page, const AnnualReport& report);

// Writes the page as a one-page PDF at `path`; the problem, empty when
// written.
QString writeAnnualReport(const QString& path, const AnnualReport& report);

}  // namespace ktr
