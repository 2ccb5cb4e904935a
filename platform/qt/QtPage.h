#pragma once

// The page port on Qt: QPainter on a QPrinter (File Print) or a QPdfWriter
// (File Export PDF, ktr-calc --report). Pictures are the program's own SVGs,
// compiled in; the face "arial" is drawn in Liberation Sans, which has the
// same metrics.

#include <QPainter>
#include <QPrinter>
#include <memory>

#include "platform/Page.h"

namespace platform::qt {

// A page this device gives, for drawing Qt's own way: its painter, whose
// origin is the printable area's top-left corner, and its dots per inch.
class PaintedPage : public Page {
 public:
  virtual QPainter& painter() = 0;
  virtual double dotsPerInch() const = 0;
};

class QtPageDevice final : public PageDevice {
 public:
  QtPageDevice();
  ~QtPageDevice() override;

  std::unique_ptr<Page> printerPage() override;
  std::unique_ptr<Page> pdfPage(const std::string& path, const std::string& title) override;

  // The printer the print dialog sets up and printer pages go to, made on
  // first use (a PDF needs none).
  QPrinter& printer();

 private:
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace platform::qt
