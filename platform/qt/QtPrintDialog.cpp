#include "platform/qt/QtPrintDialog.h"

#include <QPrintDialog>

namespace platform::qt {

std::optional<int> QtPrintDialog::copies() {
  QPrintDialog dialog(&printer_, parent_);
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const int copies = printer_.copyCount();
  printer_.setCopyCount(1);
  return copies;
}

}  // namespace platform::qt
