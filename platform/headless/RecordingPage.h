#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Page.h"

namespace platform {

// One thing drawn on a recording page.
struct PageItem {
  enum class Kind { Text, Picture, Line, NewPage };
  Kind kind = Kind::Text;
  double x = 0;
  double y = 0;
  std::string text;  // the text, or the picture's name
  Font font;         // of a text
  double width = 0;  // a picture's size, or a line's far end
  double height = 0;
  std::string leftOut;  // the element a picture is drawn without
};

// A page that keeps what is drawn on it, for tests and the command line. Its
// font measures are fixed fractions of the point size (a character column
// half an em, a line 1.15 em), so positions are easy to reckon.
class RecordingPage final : public Page {
 public:
  void setFont(const Font& font) override { font_ = font; }
  const Font& font() const override { return font_; }
  double charWidth() const override { return font_.size / 72.0 / 2; }
  double lineHeight() const override { return font_.size / 72.0 * 1.15; }
  double textWidth(std::string_view text) const override;
  // A letter page inside quarter-inch margins.
  double printableWidth() const override { return 8.0; }

  void text(double x, double y, std::string_view text) override;
  void picture(std::string_view name, double x, double y, double width, double height) override;
  void pictureWithout(std::string_view name, std::string_view leftOut, double x, double y,
                      double width, double height) override;
  void line(double x1, double y1, double x2, double y2) override;
  void newPage() override;
  void finish() override { finished_ = true; }

  const std::vector<PageItem>& items() const { return items_; }
  bool finished() const { return finished_; }

 private:
  Font font_;
  std::vector<PageItem> items_;
  bool finished_ = false;
};

// Gives recording pages and keeps every one it gave; or, when told to fail,
// refuses to start one as a printer without paper would.
class RecordingPageDevice final : public PageDevice {
 public:
  std::unique_ptr<Page> printerPage() override;
  std::unique_ptr<Page> pdfPage(const std::string& path, const std::string& title) override;

  bool fail = false;
  // Every page given, in order, and the PDF paths and titles asked for.
  std::vector<std::shared_ptr<RecordingPage>> pages;
  std::vector<std::string> pdfPaths;
  std::vector<std::string> pdfTitles;

 private:
  std::unique_ptr<Page> give();
};

}  // namespace platform
