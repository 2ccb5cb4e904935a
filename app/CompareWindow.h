#pragma once

// View > Compare Models: every model rated for the case in a sortable
// table; double-click or Enter on a row selects that model for the case as
// the inputs dialog's model list does, and calculates. When the project's
// annual energy names a weather file, each model's year is rated too, off
// the window's thread, into the cost, energy and payback columns.

#include <QFutureWatcher>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QTableWidget>
#include <string>
#include <variant>
#include <vector>

#include "app/AnnualOutputs.h"
#include "app/Program.h"
#include "ui/main/ModelComparison.h"

namespace ktr {

// The window's object name, and the name of its screenshot.
inline const QString kCompareWindowName = QStringLiteral("compare");

class CompareWindow final : public QMainWindow {
 public:
  CompareWindow(Program& program, QWidget* parent);

  // Rates every model for the case as it is now.
  void refresh();

  QSize sizeHint() const override { return {1240, 600}; }

 protected:
  bool event(QEvent* event) override;

 private:
  using YearsRead = std::variant<ComparedYears, std::string>;

  void select(int row);
  void exportCsv();
  // Starts rating every model's year over the project's weather file, when
  // it names one; the columns fill when it is done.
  void rateYears();
  void showYears(const YearsRead& read);
  // The ratings' note, and a line on the year when `year` is not empty.
  void setNote(const QString& year);

  Program& program_;
  std::vector<ui::ModelRating> ratings_;
  // The years of the ratings' models, once rated for the table shown.
  std::optional<ComparedYears> years_;
  // The project's annual energy the years are rated under (none: not rated).
  std::optional<ui::AnnualRecord> yearsFor_;
  QLabel* note_;
  QProgressBar* busy_;
  QTableWidget* table_;
  QFutureWatcher<YearsRead> yearsWatcher_;
};

}  // namespace ktr
