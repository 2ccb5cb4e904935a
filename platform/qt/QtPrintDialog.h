#pragma once

#include "platform/PrintDialog.h"
#include "platform/qt/QtPage.h"

namespace platform::qt {

// QPrintDialog on the printer the pages go to. The copies are printed one
// page at a time, so the printer itself is set to one copy.
class QtPrintDialog final : public PrintDialog {
 public:
  explicit QtPrintDialog(QtPageDevice& pages) : pages_(pages) {}
  std::optional<int> copies() override;

 private:
  QtPageDevice& pages_;
};

}  // namespace platform::qt
