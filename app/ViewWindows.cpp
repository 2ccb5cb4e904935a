#include "app/ViewWindows.h"

#include <QTimer>

#include "app/Desktop.h"

namespace ktr {

namespace {

void raise(QWidget& window) {
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace

void ViewWindows::attach(Desktop& desktop) {
  desktop_ = &desktop;
  std::function<void()> redraw = desktop.program.engine.redraw;
  desktop.program.engine.redraw = [this, redraw] {
    redraw();
    refreshLater();
  };
}

void ViewWindows::showChart() {
  if (chart_ == nullptr) {
    chart_ = new ChartWindow(desktop_->program, &desktop_->mainWindow);
    desktop_->addHelpKey(*chart_, kChartWindowName.toStdString());
  }
  chart_->refresh();
  raise(*chart_);
}

void ViewWindows::showComparison() {
  if (compare_ == nullptr) {
    compare_ = new CompareWindow(desktop_->program, &desktop_->mainWindow);
    desktop_->addHelpKey(*compare_, kCompareWindowName.toStdString());
  }
  compare_->refresh();
  raise(*compare_);
}

void ViewWindows::showAnnual() {
  if (annual_ == nullptr) {
    annual_ = new AnnualWindow(desktop_->program, &desktop_->mainWindow);
    desktop_->addHelpKey(*annual_, kAnnualWindowName.toStdString());
  }
  annual_->refresh();
  raise(*annual_);
}

void ViewWindows::refreshLater() {
  if (refreshPending_) {
    return;
  }
  refreshPending_ = true;
  QTimer::singleShot(0, &desktop_->mainWindow, [this] {
    refreshPending_ = false;
    if (chart_ != nullptr && chart_->isVisible()) {
      chart_->refresh();
    }
    if (compare_ != nullptr && compare_->isVisible()) {
      compare_->refresh();
    }
    if (annual_ != nullptr && annual_->isVisible()) {
      annual_->refresh();
    }
  });
}

}  // namespace ktr
