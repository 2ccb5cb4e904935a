#include "app/OffscreenPages.h"

#include <QGuiApplication>
#include <cstdio>

#include "platform/qt/QtPage.h"

namespace ktr {

OffscreenPages::OffscreenPages() = default;
OffscreenPages::~OffscreenPages() = default;

std::unique_ptr<platform::Page> OffscreenPages::printerPage() {
  throw platform::PageError("ktr-calc prints no paper; --report writes the page as a PDF.");
}

void OffscreenPages::ensureApplication() {
  if (QGuiApplication::instance() == nullptr) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Qt keeps references to these for the application's life.
    static int argc = 1;
    static char name[] = "ktr-calc";
    static char* argv[] = {name, nullptr};
    // Qt's own notes (no runtime folder, and the like) are not the run's
    // messages, which stderr carries one per line.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
      if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "ktr-calc: %s\n", text.toLocal8Bit().constData());
      }
    });
    application_ = std::make_unique<QGuiApplication>(argc, argv);
  }
}

std::unique_ptr<platform::Page> OffscreenPages::pdfPage(const std::string& path,
                                                        const std::string& title) {
  ensureApplication();
  if (!device_) {
    device_ = std::make_unique<platform::qt::QtPageDevice>();
  }
  return device_->pdfPage(path, title);
}

}  // namespace ktr
