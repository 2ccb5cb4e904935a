#pragma once

// A printed page, addressed in inches from the top-left corner of the
// printable area, and the devices that give one: the printer and PDF files.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform {

struct Font {
  std::string face = "arial";
  float size = 10;  // points
  bool bold = false;
  bool italic = false;
  bool underline = false;

  bool operator==(const Font&) const = default;
};

class Page {
 public:
  virtual ~Page() = default;

  virtual void setFont(const Font& font) = 0;
  virtual const Font& font() const = 0;
  // Measures of the current font, inches: the width of one character
  // column (tab columns and print zones count in it) and the height of one
  // line.
  virtual double charWidth() const = 0;
  virtual double lineHeight() const = 0;
  virtual double textWidth(std::string_view text) const = 0;
  // Inches across the printable area, which text must not run past.
  virtual double printableWidth() const = 0;

  // Text whose top-left corner is at (x, y).
  virtual void text(double x, double y, std::string_view text) = 0;
  // A picture of the program's own (a name from the picture folder, without
  // its extension) scaled into the box.
  virtual void picture(std::string_view name, double x, double y, double width, double height) = 0;
  // The same picture without its element whose id is `leftOut`, and what
  // that element holds.
  virtual void pictureWithout(std::string_view name, std::string_view leftOut, double x, double y,
                              double width, double height) = 0;
  virtual void line(double x1, double y1, double x2, double y2) = 0;

  // Ends the page drawn so far and starts the next; what follows is drawn
  // on it, from its top-left corner.
  virtual void newPage() = 0;

  // Ends the document: the page goes to the printer or the file is written.
  // Throws PageError when it cannot.
  virtual void finish() = 0;
};

// A page could not be started or finished; the text says why.
struct PageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class PageDevice {
 public:
  virtual ~PageDevice() = default;
  // A page on the printer the print dialog chose, or in a one-page PDF file
  // at `path` whose document title is `title`. Throws PageError when it
  // cannot start.
  virtual std::unique_ptr<Page> printerPage() = 0;
  virtual std::unique_ptr<Page> pdfPage(const std::string& path, const std::string& title) = 0;
};

}  // namespace platform
