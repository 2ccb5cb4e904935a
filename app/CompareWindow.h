#pragma once

// View > Compare Models: every model rated for the case in a sortable
// table; double-click or Enter on a row selects that model for the case as
// the inputs dialog's model list does, and calculates.

#include <QLabel>
#include <QMainWindow>
#include <QTableWidget>
#include <vector>

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

 private:
  void select(int row);
  void exportCsv();

  Program& program_;
  std::vector<ui::ModelRating> ratings_;
  QLabel* note_;
  QTableWidget* table_;
};

}  // namespace ktr
