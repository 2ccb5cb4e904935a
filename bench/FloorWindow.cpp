// The floor the desktop program's start-up is measured against: a bare
// QMainWindow that ends once it has been painted, as ktr --quit-when-shown
// does.

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

namespace {

class QuitWhenPainted final : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    return false;
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  QuitWhenPainted quitter;
  window.installEventFilter(&quitter);
  window.show();
  return QApplication::exec();
}
