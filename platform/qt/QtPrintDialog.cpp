#include "platform/qt/QtPrintDialog.h"

#include <QApplication>
#include <QPrintDialog>

namespace platform::qt {

std::optional<int> QtPrintDialog::copies() {
  QPrinter& printer = pages_.printer();
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const int copies = printer.copyCount();
  printer.setCopyCount(1);
  return copies;
}

}  // namespace platform::qt
