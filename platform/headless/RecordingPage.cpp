#include "platform/headless/RecordingPage.h"

namespace platform {

namespace {

// A page handed out whose record stays with the device after the caller
// drops it.
class SharedRecordingPage final : public Page {
 public:
  explicit SharedRecordingPage(std::shared_ptr<RecordingPage> page) : page_(std::move(page)) {}
  void setFont(const Font& font) override { page_->setFont(font); }
  const Font& font() const override { return page_->font(); }
  double charWidth() const override { return page_->charWidth(); }
  double lineHeight() const override { return page_->lineHeight(); }
  double textWidth(std::string_view text) const override { return page_->textWidth(text); }
  double printableWidth() const override { return page_->printableWidth(); }
  void text(double x, double y, std::string_view text) override { page_->text(x, y, text); }
  void picture(std::string_view name, double x, double y, double width, double height) override {
    page_->picture(name, x, y, width, height);
  }
  void pictureWithout(std::string_view name, std::string_view leftOut, double x, double y,
                      double width, double height) override {
    page_->pictureWithout(name, leftOut, x, y, width, height);
  }
  void line(double x1, double y1, double x2, double y2) override { page_->line(x1, y1, x2, y2); }
  void newPage() override { page_->newPage(); }
  void finish() override { page_->finish(); }

 private:
  std::shared_ptr<RecordingPage> page_;
};

}  // namespace

double RecordingPage::textWidth(std::string_view text) const {
  return static_cast<double>(text.size()) * charWidth();
}

void RecordingPage::text(double x, double y, std::string_view text) {
  items_.push_back({PageItem::Kind::Text, x, y, std::string(text), font_, 0, 0, ""});
}

void RecordingPage::picture(std::string_view name, double x, double y, double width,
                            double height) {
  pictureWithout(name, "", x, y, width, height);
}

void RecordingPage::pictureWithout(std::string_view name, std::string_view leftOut, double x,
                                   double y, double width, double height) {
  items_.push_back({PageItem::Kind::Picture, x, y, std::string(name), font_, width, height,
                    std::string(leftOut)});
}

void RecordingPage::line(double x1, double y1, double x2, double y2) {
  items_.push_back({PageItem::Kind::Line, x1, y1, "", font_, x2, y2, ""});
}

void RecordingPage::newPage() {
  items_.push_back({PageItem::Kind::NewPage, 0, 0, "", font_, 0, 0, ""});
}

std::unique_ptr<Page> RecordingPageDevice::give() {
  if (fail) {
    throw PageError("The printer is not ready.");
  }
  auto page = std::make_shared<RecordingPage>();
  pages.push_back(page);
  return std::make_unique<SharedRecordingPage>(std::move(page));
}

std::unique_ptr<Page> RecordingPageDevice::printerPage() {
  return give();
}

std::unique_ptr<Page> RecordingPageDevice::pdfPage(const std::string& path,
                                                   const std::string& title) {
  pdfPaths.push_back(path);
  pdfTitles.push_back(title);
  return give();
}

}  // namespace platform
