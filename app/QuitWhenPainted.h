#pragma once

// Ends the program once the window it watches has been painted: the end of
// a start-up as a person sees it, for ktr --quit-when-shown and the bare
// window the benchmark measures it against.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

namespace ktr {

class QuitWhenPainted final : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
    }
    return false;
  }
};

}  // namespace ktr
