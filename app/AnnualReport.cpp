#include "app/AnnualReport.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <string_view>

#include "app/AnnualChart.h"
#include "app/AnnualOutputs.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"

namespace ktr {

namespace {

constexpr int kDotsPerInch = 96;
constexpr double kMargin = 48;  // half an inch

QFont pageFont(int pixels, bool bold) {
  QFont font;
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// The months' table: a heading row, 12 months and the year in bold.
double paintTable(QPainter& painter, const QRectF& area, const AnnualReport& r) {
  const std::size_t columns = std::size(kAnnualColumns);
  const double first = 76;
  const double width = (area.width() - first) / static_cast<double>(columns);
  const double rowHeight = 16;
  const double headHeight = 44;
  painter.setFont(pageFont(10, true));
  const std::vector<AnnualFigure> units = annualFigures(r.year.year, r.op, r.si);
  for (std::size_t k = 0; k < columns; ++k) {
    const QRectF cell(area.left() + first + width * static_cast<double>(k), area.top(), width,
                      headHeight);
    painter.drawText(cell.adjusted(2, 0, -2, 0),
                     Qt::AlignRight | Qt::AlignBottom | Qt::TextWordWrap,
                     QString(kAnnualColumns[k].heading) + ", " +
                         QString::fromStdString(annualFigure(units, kAnnualColumns[k].key).unit));
  }
  double y = area.top() + headHeight + 4;
  painter.drawLine(QPointF(area.left(), y - 2), QPointF(area.right(), y - 2));
  for (int row = 0; row < 13; ++row) {
    const bool total = row == 12;
    painter.setFont(pageFont(10, total));
    const ModCalc::EnergyTotals& t =
        total ? r.year.year : r.year.months[static_cast<std::size_t>(row)];
    painter.drawText(QRectF(area.left(), y, first, rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     total ? QStringLiteral("Year") : QString(kMonthNames[row]));
    const std::vector<AnnualFigure> figures = annualFigures(t, r.op, r.si);
    for (std::size_t k = 0; k < columns; ++k) {
      const QRectF cell(area.left() + first + width * static_cast<double>(k), y, width, rowHeight);
      painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                       QString::fromStdString(platform::formatNumber(
                           annualFigure(figures, kAnnualColumns[k].key).value, "#,##0")));
    }
    y += rowHeight;
    if (row == 11) {
      painter.drawLine(QPointF(area.left(), y + 1), QPointF(area.right(), y + 1));
      y += 3;
    }
  }
  return y;
}

}  // namespace

void paintAnnualReport(QPainter& painter, const QRectF& page, const AnnualReport& r) {
  painter.save();
  painter.fillRect(page, Qt::white);
  const QRectF area = page.adjusted(kMargin, kMargin, -kMargin, -kMargin);
  painter.setPen(Qt::black);
  painter.setFont(pageFont(20, true));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), 28), Qt::AlignLeft,
                   QStringLiteral("Annual energy"));
  painter.setFont(pageFont(12, false));
  painter.drawText(QRectF(area.left(), area.top(), area.width(), 28), Qt::AlignRight,
                   r.projectTitle);
  double y = area.top() + 36;
  const auto paragraph = [&](const QString& text, int pixels) {
    painter.setFont(pageFont(pixels, false));
    const QRectF box(area.left(), y, area.width(), 400);
    const QRectF used = painter.boundingRect(box, Qt::TextWordWrap, text);
    painter.drawText(box, Qt::TextWordWrap, text);
    y += used.height() + 10;
  };
  paragraph(QString::fromStdString(annualSummary(r.year, r.weather, r.op, r.si)), 12);
  const QRectF chart(area.left(), y, area.width(), 360);
  paintAnnualChart(
      painter, chart,
      annualBars(r.year, r.op, r.si, QString::fromStdString(r.year.model) + " · " + r.weatherName));
  y = paintTable(painter, QRectF(area.left(), chart.bottom() + 12, area.width(), 0), r) + 14;
  paragraph("Operation: " + QString::fromStdString(operationText(r.op, r.si)), 10);
  painter.restore();
}

QString writeAnnualReport(const QString& path, const AnnualReport& report) {
  // Drawn in memory, then written as one file, as every saved file is.
  QBuffer drawn;
  drawn.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&drawn);
    writer.setResolution(kDotsPerInch);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("KTR wheel selection"));
    writer.setTitle(QStringLiteral("Annual energy"));
    QPainter painter(&writer);
    paintAnnualReport(painter, QRectF(writer.pageLayout().fullRectPixels(kDotsPerInch)), report);
  }
  const QByteArray& bytes = drawn.data();
  if (const auto problem = platform::writeFileAtomically(
          path.toStdString(),
          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    return "The annual report could not be written to " + path + ": " +
           QString::fromStdString(*problem) + ".";
  }
  return {};
}

}  // namespace ktr
