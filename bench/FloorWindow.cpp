// The floor the desktop program's start-up is measured against: a bare
// QMainWindow that ends once it has been painted, as ktr --quit-when-shown
// does.

#include <QApplication>
#include <QMainWindow>

#include "app/QuitWhenPainted.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QMainWindow window;
  ktr::QuitWhenPainted quitter;
  window.installEventFilter(&quitter);
  window.show();
  return QApplication::exec();
}
