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
  show(chart_, kChartWindowName);
}

void ViewWindows::showComparison() {
  show(compare_, kCompareWindowName);
}

void ViewWindows::showCodeCheck() {
  show(codeCheck_, kCodeCheckWindowName);
}

template <typename Window>
void ViewWindows::show(QPointer<Window>& window, const QString& name) {
  if (window == nullptr) {
    window = new Window(desktop_->program, &desktop_->mainWindow);
    desktop_->addHelpKey(*window, name.toStdString());
  }
  window->refresh();
  raise(*window);
}

void ViewWindows::showAnnual() {
  if (annual_ == nullptr) {
    annual_ = new AnnualWindow(desktop_->program, &desktop_->mainWindow);
    desktop_->addHelpKey(*annual_, kAnnualWindowName.toStdString());
  }
  annual_->refresh();
  raise(*annual_);
}

void ViewWindows::caseReplaced() {
  refreshLater();
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
    if (codeCheck_ != nullptr && codeCheck_->isVisible()) {
      codeCheck_->refresh();
    }
  });
}

}  // namespace ktr
