#pragma once

#include <QPrinter>

#include "platform/PrintDialog.h"

class QWidget;

namespace platform::qt {

// QPrintDialog on the printer the pages go to. The copies are printed one
// page at a time, so the printer itself is set to one copy.
class QtPrintDialog final : public PrintDialog {
 public:
  QtPrintDialog(QPrinter& printer, QWidget* parent) : printer_(printer), parent_(parent) {}
  std::optional<int> copies() override;

 private:
  QPrinter& printer_;
  QWidget* parent_;
};

}  // namespace platform::qt
