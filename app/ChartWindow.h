#pragma once

// View > Psychrometric Chart: the last calculation on the chart, redrawn
// after every calculation, with PNG and SVG export in its File menu.

#include <QMainWindow>

#include "app/Program.h"
#include "ui/main/PsychChart.h"

namespace ktr {

// The window's object name, and the name of its screenshot.
inline const QString kChartWindowName = QStringLiteral("chart");

class ChartWindow final : public QMainWindow {
 public:
  ChartWindow(Program& program, QWidget* parent);

  // The chart of the state as it is now.
  void refresh();

 private:
  class View;

  void exportAs(const QString& kind, const QString& suffix);

  Program& program_;
  ui::PsychChart chart_;
  View* view_;
};

}  // namespace ktr
