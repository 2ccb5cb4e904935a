#include "app/AnnualReport.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPdfWriter>
#include <memory>
#include <string_view>

#include "app/AnnualChart.h"
#include "app/AnnualOutputs.h"
#include "app/Program.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "platform/qt/QtPage.h"
#include "ui/Calculate.h"

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

QString weatherName(const std::string& path) {
  return path.empty() ? QStringLiteral("Built-in typical year")
                      : QFileInfo(QString::fromStdString(path)).fileName();
}

bool appendsAnnualPage(const platform::SettingsStore& settings) {
  return settings.value(ui::kApplication, "Report", "AnnualPage", "0") == "1";
}

void setAppendsAnnualPage(platform::SettingsStore& settings, bool append) {
  settings.setValue(ui::kApplication, "Report", "AnnualPage", append ? "1" : "0");
}

ui::frmWheel::ReportPages annualReportPage(Program& program, const std::string& weatherPath,
                                           const ModCalc::OperationModel& op) {
  // What the page shows, kept until the report is drawn.
  struct Year {
    ModCalc::Weather weather;
    ModCalc::AnnualResult year;
    ModCalc::OperationModel op;
  };
  auto read = readWeather(weatherPath);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    throw platform::PageError("The annual page: " + *problem);
  }
  auto kept = std::make_shared<Year>(Year{std::get<ModCalc::Weather>(std::move(read)), {}, op});
  try {
    kept->year =
        ModCalc::rateYear(ModCalc::readCase(program.engine), kept->weather, op, program.catalog);
  } catch (const ModCalc::CalcError& error) {
    kept->year.error = error.what();
  }
  if (kept->year.error) {
    throw platform::PageError("The annual page: " + *kept->year.error);
  }
  kept->year.hours = {};  // the page shows months and the year
  const AnnualReport report{.projectTitle = QString::fromStdString(program.state.ProjectTitle),
                            .weatherName = weatherName(weatherPath),
                            .year = kept->year,
                            .weather = kept->weather,
                            .op = kept->op,
                            .si = program.state.SIUnits == 1};
  return [kept, report](platform::Page& page) {
    auto* painted = dynamic_cast<platform::qt::PaintedPage*>(&page);
    if (painted == nullptr) {
      throw platform::PageError("The annual page is drawn on a printer or a PDF only.");
    }
    QPainter& painter = painted->painter();
    const auto* device = dynamic_cast<const QPagedPaintDevice*>(painter.device());
    const int dpi = qRound(painted->dotsPerInch());
    // The whole sheet in the painter's frame, whose origin is the printable
    // area's corner, at the page's 96 pixels an inch.
    const QPageLayout layout = device->pageLayout();
    const double scale = painted->dotsPerInch() / kDotsPerInch;
    const QRectF sheet = QRectF(layout.fullRectPixels(dpi))
                             .translated(-QPointF(layout.paintRectPixels(dpi).topLeft()));
    painter.save();
    painter.scale(scale, scale);
    paintAnnualReport(painter, QRectF(sheet.topLeft() / scale, sheet.size() / scale), report);
    painter.restore();
  };
}

ui::frmWheel::ReportPages chosenReportPages(Program& program) {
  const std::optional<ui::AnnualRecord>& record = program.windows.main.annualRecord;
  if (!record || record->weatherPath.empty() ||
      !appendsAnnualPage(program.windows.ports.settings)) {
    return {};
  }
  return annualReportPage(program, record->weatherPath, record->op);
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
