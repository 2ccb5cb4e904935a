#pragma once

// The page device of ktr-calc: PDF files drawn by Qt with no display. The Qt
// application it needs is made on the first page, on the "offscreen"
// platform unless QT_QPA_PLATFORM names another.

#include <memory>

#include "platform/Page.h"

class QGuiApplication;

namespace platform::qt {
class QtPageDevice;
}

namespace ktr {

class OffscreenPages final : public platform::PageDevice {
 public:
  OffscreenPages();
  ~OffscreenPages() override;

  std::unique_ptr<platform::Page> printerPage() override;
  std::unique_ptr<platform::Page> pdfPage(const std::string& path,
                                          const std::string& title) override;
  // Makes the Qt application that drawing needs, unless there is one.
  void ensureApplication();

 private:
  std::unique_ptr<QGuiApplication> application_;
  std::unique_ptr<platform::qt::QtPageDevice> device_;
};

}  // namespace ktr
