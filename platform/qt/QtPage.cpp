#include "platform/qt/QtPage.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include "platform/FileWrite.h"

namespace platform::qt {

namespace {

// The margin a printer cannot print in, kept on the PDF too so the page
// reads the same either way.
constexpr double kMarginInches = 0.25;

QString qtText(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString qtFace(const std::string& face) {
  return QString::fromStdString(face).compare("arial", Qt::CaseInsensitive) == 0
             ? QStringLiteral("Liberation Sans")
             : QString::fromStdString(face);
}

// The classic average character width: lower-case letters and the space
// weighted by their frequency in English text (the OS/2 font table's
// definition before version 3). Tab columns and print zones count in it;
// newer fonts store an average over all their glyphs instead, which is far
// wider and would push the right-hand columns off the page.
double averageCharWidth(const QFontMetricsF& metrics) {
  static constexpr int kWeights[26] = {64, 14, 27, 35, 100, 20, 14, 42, 63, 3,  6, 35, 20,
                                       56, 56, 17, 4,  49,  56, 71, 31, 10, 18, 3, 18, 2};
  static constexpr int kSpaceWeight = 166;
  double sum = kSpaceWeight * metrics.horizontalAdvance(QLatin1Char(' '));
  for (int i = 0; i < 26; ++i) {
    sum += kWeights[i] * metrics.horizontalAdvance(QLatin1Char(static_cast<char>('a' + i)));
  }
  return sum / 1000;
}

// An SVG document without the element whose id is `id` (none when empty).
QByteArray withoutElement(const QByteArray& svg, const QString& id) {
  if (id.isEmpty()) {
    return svg;
  }
  QXmlStreamReader reader(svg);
  QByteArray kept;
  QXmlStreamWriter writer(&kept);
  int skipped = 0;  // depth inside the element left out
  while (!reader.atEnd() && !reader.hasError()) {
    reader.readNext();
    if (skipped > 0) {
      skipped += reader.isStartElement() ? 1 : reader.isEndElement() ? -1 : 0;
    } else if (reader.isStartElement() && reader.attributes().value(QStringLiteral("id")) == id) {
      skipped = 1;
    } else {
      writer.writeCurrentToken(reader);
    }
  }
  return kept;
}

// A PDF is drawn in memory and written as one file when the page is done,
// so a full disk or a refused target never leaves a torn PDF behind.
struct PdfFile {
  explicit PdfFile(const std::string& path) : file(path) {}
  AtomicFileWriter file;
  QBuffer drawn;
};

class QtPage final : public PaintedPage {
 public:
  // Paints on `device`, which the page owns (a PDF writer) or not (the
  // printer, when `owned` is empty); a PDF goes to `pdf` when finished.
  QtPage(QPagedPaintDevice& device, std::unique_ptr<QPagedPaintDevice> owned,
         std::unique_ptr<PdfFile> pdf)
      : pdf_(std::move(pdf)),
        owned_(std::move(owned)),
        device_(device),
        dpi_(device.logicalDpiY()) {
    if (!painter_.begin(&device)) {
      throw PageError("The page could not be started.");
    }
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    setFont(font_);
  }
  QtPage(const QtPage&) = delete;
  QtPage& operator=(const QtPage&) = delete;
  ~QtPage() override {
    if (painter_.isActive()) {
      painter_.end();
    }
  }

  void setFont(const Font& font) override {
    font_ = font;
    QFont qfont(qtFace(font.face));
    qfont.setPointSizeF(font.size);
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    qfont.setUnderline(font.underline);
    painter_.setFont(qfont);
  }
  const Font& font() const override { return font_; }

  double charWidth() const override { return averageCharWidth(metrics()) / dpi_; }
  double lineHeight() const override { return metrics().height() / dpi_; }
  double textWidth(std::string_view text) const override {
    return metrics().horizontalAdvance(qtText(text)) / dpi_;
  }
  double printableWidth() const override { return painter_.device()->width() / dpi_; }

  void text(double x, double y, std::string_view text) override {
    painter_.drawText(QPointF(x * dpi_, y * dpi_ + metrics().ascent()), qtText(text));
  }

  void picture(std::string_view name, double x, double y, double width, double height) override {
    pictureWithout(name, "", x, y, width, height);
  }

  void pictureWithout(std::string_view name, std::string_view leftOut, double x, double y,
                      double width, double height) override {
    QFile file(QStringLiteral(":/pictures/%1.svg").arg(qtText(name)));
    QSvgRenderer svg(file.open(QIODevice::ReadOnly)
                         ? withoutElement(file.readAll(), qtText(leftOut))
                         : QByteArray());
    if (!svg.isValid()) {
      throw PageError("The picture \"" + std::string(name) + "\" is missing from the program.");
    }
    svg.render(&painter_, QRectF(x * dpi_, y * dpi_, width * dpi_, height * dpi_));
  }

  void line(double x1, double y1, double x2, double y2) override {
    painter_.save();
    painter_.setPen(QPen(Qt::black, 0.01 * dpi_));
    painter_.drawLine(QPointF(x1 * dpi_, y1 * dpi_), QPointF(x2 * dpi_, y2 * dpi_));
    painter_.restore();
  }

  void newPage() override {
    if (!device_.newPage()) {
      throw PageError("The next page could not be started.");
    }
  }

  QPainter& painter() override { return painter_; }
  double dotsPerInch() const override { return dpi_; }

  void finish() override {
    if (!painter_.end()) {
      throw PageError("The page could not be finished.");
    }
    if (pdf_) {
      const QByteArray& bytes = pdf_->drawn.data();
      pdf_->file.stream().write(bytes.constData(), bytes.size());
      if (const auto problem = pdf_->file.commit()) {
        throw PageError(*problem + ".");
      }
    }
  }

 private:
  QFontMetricsF metrics() const { return QFontMetricsF(painter_.font(), painter_.device()); }

  std::unique_ptr<PdfFile> pdf_;  // outlives the writer that draws into it
  std::unique_ptr<QPagedPaintDevice> owned_;
  QPagedPaintDevice& device_;
  QPainter painter_;
  double dpi_;
  Font font_;
};

QPageLayout letterPage() {
  return QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                     QMarginsF(kMarginInches, kMarginInches, kMarginInches, kMarginInches),
                     QPageLayout::Inch);
}

}  // namespace

QtPageDevice::QtPageDevice() = default;
QtPageDevice::~QtPageDevice() = default;

QPrinter& QtPageDevice::printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageLayout(letterPage());
  }
  return *printer_;
}

std::unique_ptr<Page> QtPageDevice::printerPage() {
  return std::make_unique<QtPage>(printer(), nullptr, nullptr);
}

std::unique_ptr<Page> QtPageDevice::pdfPage(const std::string& path, const std::string& title) {
  // The target is checked before anything is drawn.
  auto pdf = std::make_unique<PdfFile>(path);
  if (pdf->file.problem()) {
    throw PageError(*pdf->file.problem() + ".");
  }
  pdf->drawn.open(QIODevice::WriteOnly);
  auto writer = std::make_unique<QPdfWriter>(&pdf->drawn);
  writer->setResolution(1200);
  writer->setPageLayout(letterPage());
  writer->setCreator(QStringLiteral("KTR wheel selection"));
  writer->setTitle(QString::fromStdString(title));
  QPagedPaintDevice& device = *writer;
  return std::make_unique<QtPage>(device, std::move(writer), std::move(pdf));
}

}  // namespace platform::qt
