#include "platform/NoPorts.h"

namespace platform {

namespace {

class CancelledFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openPath(std::string_view, std::string_view) override { return {}; }
  std::optional<std::string> savePath(std::string_view, std::string_view) override { return {}; }
};

class CancelledPrintDialog final : public PrintDialog {
 public:
  std::optional<int> copies() override { return {}; }
};

class NoPageDevice final : public PageDevice {
 public:
  std::unique_ptr<Page> printerPage() override { throw PageError("No printer is available."); }
  std::unique_ptr<Page> pdfPage(const std::string&, const std::string&) override {
    throw PageError("PDF files cannot be made here.");
  }
};

class NoClipboard final : public Clipboard {
 public:
  void clear() override {}
  void setText(std::string_view) override {}
};

}  // namespace

FileDialogs& noFileDialogs() {
  static CancelledFileDialogs dialogs;
  return dialogs;
}

PrintDialog& noPrintDialog() {
  static CancelledPrintDialog dialog;
  return dialog;
}

PageDevice& noPageDevice() {
  static NoPageDevice device;
  return device;
}

Clipboard& noClipboard() {
  static NoClipboard clipboard;
  return clipboard;
}

}  // namespace platform
