#pragma once

// The desktop's chart, comparison and annual energy windows, made when first shown and
// kept up to date after every calculation.

#include <QPointer>

#include "app/AnnualWindow.h"
#include "app/ChartWindow.h"
#include "app/CodeCheckWindow.h"
#include "app/CompareWindow.h"
#include "ui/Views.h"

namespace ktr {

class Desktop;

class ViewWindows final : public ui::Views {
 public:
  // Follows `desktop`'s calculations from now on; the windows belong to its
  // main window.
  void attach(Desktop& desktop);

  void showChart() override;
  void showComparison() override;
  void showAnnual() override;
  void showCodeCheck() override;
  void caseReplaced() override;

 private:
  // After the command that calculated has ended, so that a table row that
  // asked for the calculation is not replaced under its own event.
  void refreshLater();
  // Makes the window when first shown, brings it up to date and raises it.
  template <typename Window>
  void show(QPointer<Window>& window, const QString& name);

  Desktop* desktop_ = nullptr;
  QPointer<ChartWindow> chart_;
  QPointer<CompareWindow> compare_;
  QPointer<AnnualWindow> annual_;
  QPointer<CodeCheckWindow> codeCheck_;
  bool refreshPending_ = false;
};

}  // namespace ktr
