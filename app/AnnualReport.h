#pragma once

// The year on one printed page: what was rated, the summary, the monthly
// bars, the months' table and the operation assumed.

#include <QPainter>
#include <QRectF>
#include <QString>

#include "engine/Annual.h"
#include "engine/Weather.h"
#include "platform/SettingsStore.h"
#include "ui/main/frmWheel.h"

namespace ktr {

class Program;

struct AnnualReport {
  QString projectTitle;
  QString weatherName;  // the file, or the built-in year
  const ModCalc::AnnualResult& year;
  const ModCalc::Weather& weather;
  const ModCalc::OperationModel& op;
  bool si = false;
};

// The weather at `path` as the page names it: the file's name, or the
// built-in year when `path` is empty.
QString weatherName(const std::string& path);

// Draws the page into `page`, in pixels at 96 per inch.
void paintAnnualReport(QPainter& painter, const QRectF& page, const AnnualReport& report);

// Whether the printed report carries the annual page after its own when
// the project names a weather file: the engineer's choice, kept with the
// program's settings.
bool appendsAnnualPage(const platform::SettingsStore& settings);
void setAppendsAnnualPage(platform::SettingsStore& settings, bool append);

// The annual page of the program's case over the weather at `weatherPath`
// (empty: the built-in year) under `op`, as the report's page after its
// own; throws platform::PageError when the weather cannot be read or the
// year rated.
ui::frmWheel::ReportPages annualReportPage(Program& program, const std::string& weatherPath,
                                           const ModCalc::OperationModel& op);

// The pages the program's report carries after its own: the annual page
// when the engineer asks for it and the project names a weather file.
ui::frmWheel::ReportPages chosenReportPages(Program& program);

// Writes the page as a one-page PDF at `path`; the problem, empty when
// written.
QString writeAnnualReport(const QString& path, const AnnualReport& report);

}  // namespace ktr
