#pragma once

// Ends the program once the window it watches has been painted: the end of
// a start-up as a person sees it, for ktr --quit-when-shown and the
// layout-only floor the benchmark measures it against.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace ktr {

// A start-up check needs no person watching: without a display it draws
// offscreen instead of failing to start, and with one it draws there.
inline void offscreenWithoutDisplay() {
  if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

class QuitWhenPainted final : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      // exit, not quit: quit would close the windows first, and closing the
      // main window saves its place, which a start-up check must not do.
      QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
    }
    return false;
  }
};

}  // namespace ktr
