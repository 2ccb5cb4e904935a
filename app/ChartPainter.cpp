#include "app/ChartPainter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainterPath>
#include <QSvgGenerator>
#include <QtMath>
#include <algorithm>
#include <cmath>

#include "platform/FileWrite.h"
#include "platform/NumberText.h"

namespace ktr {

namespace {

const QColor kSaturationColor(0, 70, 160);
const QColor kRelHumColor(110, 150, 200);
const QColor kWetBulbColor(180, 120, 60);
const QColor kGridColor(225, 225, 225);
const QColor kFrostColor(200, 225, 255, 120);
const QColor kSupplyColor(200, 30, 30);
const QColor kExhaustColor(30, 120, 30);

QPointF pixel(const ui::PsychChart& chart, const ui::PlotArea& area, ui::ChartPoint p) {
  const ui::ChartPoint at = ui::toPixel(chart, area, p);
  return {at.x, at.y};
}

QPainterPath pathOf(const ui::PsychChart& chart, const ui::PlotArea& area,
                    const ui::ChartCurve& curve) {
  QPainterPath path;
  for (std::size_t k = 0; k < curve.size(); ++k) {
    const QPointF p = pixel(chart, area, curve[k]);
    k == 0 ? path.moveTo(p) : path.lineTo(p);
  }
  return path;
}

QString number(double value) {
  return QString::fromStdString(platform::formatNumber(value, "##0"));
}

void drawArrow(QPainter& painter, QPointF from, QPointF to, const QColor& color) {
  painter.setPen(QPen(color, 2.2));
  painter.drawLine(from, to);
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  constexpr double kHead = 12;
  const QPointF left = to - QPointF(kHead * std::cos(angle - 0.4), kHead * std::sin(angle - 0.4));
  const QPointF right = to - QPointF(kHead * std::cos(angle + 0.4), kHead * std::sin(angle + 0.4));
  painter.setBrush(color);
  painter.drawPolygon(QPolygonF({to, left, right}));
}

void drawGrid(QPainter& painter, const ui::PsychChart& chart, const ui::PlotArea& area) {
  const QFontMetricsF metrics(painter.font());
  for (double x = chart.xMin; x <= chart.xMax + 1e-9; x += chart.xStep) {
    const QPointF bottom = pixel(chart, area, {x, 0});
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(bottom, pixel(chart, area, {x, chart.yMax}));
    painter.setPen(Qt::black);
    const QString text = number(x);
    painter.drawText(QPointF(bottom.x() - metrics.horizontalAdvance(text) / 2,
                             bottom.y() + metrics.height() + 2),
                     text);
  }
  for (double y = 0; y <= chart.yMax + 1e-9; y += chart.yStep) {
    const QPointF right = pixel(chart, area, {chart.xMax, y});
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(pixel(chart, area, {chart.xMin, y}), right);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(right.x() + 6, right.y() + metrics.ascent() / 2), number(y));
  }
}

void drawCurves(QPainter& painter, const ui::PsychChart& chart, const ui::PlotArea& area) {
  painter.setBrush(Qt::NoBrush);
  for (const ui::LabelledCurve& line : chart.wetBulb) {
    painter.setPen(QPen(kWetBulbColor, 0.9, Qt::DashLine));
    painter.drawPath(pathOf(chart, area, line.points));
    // The label sits just above the line's start on the saturation curve.
    painter.setPen(kWetBulbColor);
    const QPointF start = pixel(chart, area, line.points.front());
    painter.drawText(start + QPointF(-30, -4), QString::fromStdString(line.label));
  }
  for (const ui::LabelledCurve& line : chart.relativeHumidity) {
    painter.setPen(QPen(kRelHumColor, 1));
    painter.drawPath(pathOf(chart, area, line.points));
    // The label inside the plot where the curve leaves it, at the top or on
    // the right.
    painter.setPen(kRelHumColor);
    const QString label = QString::fromStdString(line.label);
    const QPointF end = pixel(chart, area, line.points.back());
    const double width = QFontMetricsF(painter.font()).horizontalAdvance(label);
    painter.drawText(QPointF(end.x() - width - 3, std::max(end.y() - 4, area.top + 13)), label);
  }
  painter.setPen(QPen(kSaturationColor, 2.2));
  painter.drawPath(pathOf(chart, area, chart.saturation));
}

void drawStates(QPainter& painter, const ui::PsychChart& chart, const ui::PlotArea& area) {
  const auto at = [&](std::size_t k) { return pixel(chart, area, chart.states[k].at); };
  drawArrow(painter, at(0), at(1), kSupplyColor);
  drawArrow(painter, at(2), at(3), kExhaustColor);
  QFont bold = painter.font();
  bold.setBold(true);
  painter.setFont(bold);
  for (std::size_t k = 0; k < chart.states.size(); ++k) {
    const QColor color = k < 2 ? kSupplyColor : kExhaustColor;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(color);
    painter.drawEllipse(at(k), 5, 5);
    painter.setPen(color);
    painter.drawText(at(k) + QPointF(8, k % 2 == 0 ? -8 : 16),
                     QString::fromStdString(chart.states[k].name));
  }
}

}  // namespace

ui::PlotArea chartPlotArea(const QRectF& bounds) {
  // Room for the title above, the dry-bulb scale below, the humidity scale on
  // the right (where a psychrometric chart keeps it).
  constexpr double kLeft = 30;
  constexpr double kTop = 48;
  constexpr double kRight = 80;
  constexpr double kBottom = 56;
  return {bounds.left() + kLeft, bounds.top() + kTop, bounds.width() - kLeft - kRight,
          bounds.height() - kTop - kBottom};
}

void paintChart(QPainter& painter, const QRectF& bounds, const ui::PsychChart& chart) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(bounds, Qt::white);
  QFont font = painter.font();
  font.setPixelSize(12);
  painter.setFont(font);
  const ui::PlotArea area = chartPlotArea(bounds);
  const QRectF plot(area.left, area.top, area.width, area.height);
  painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
  if (chart.frostRegion && chart.freezing > chart.xMin) {
    // Below freezing and under the saturation curve: where frost can form.
    ui::ChartCurve region;
    for (const ui::ChartPoint& p : chart.saturation) {
      if (p.x <= chart.freezing) {
        region.push_back(p);
      }
    }
    region.push_back({chart.freezing, region.empty() ? 0 : region.back().y});
    region.push_back({chart.freezing, 0});
    region.push_back({chart.xMin, 0});
    QPainterPath frost = pathOf(chart, area, region);
    frost.closeSubpath();
    painter.fillPath(frost, kFrostColor);
    painter.setPen(kSaturationColor);
    painter.drawText(pixel(chart, area, {chart.xMin, 0}) + QPointF(6, -8), QStringLiteral("Frost"));
  }
  painter.setClipping(false);
  drawGrid(painter, chart, area);
  painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
  drawCurves(painter, chart, area);
  painter.setClipping(false);
  if (chart.calculated) {
    drawStates(painter, chart, area);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(plot);
  font.setBold(false);
  painter.setFont(font);
  painter.drawText(QRectF(area.left, bounds.bottom() - 24, area.width, 20), Qt::AlignCenter,
                   QString::fromStdString(chart.xTitle));
  painter.save();
  painter.translate(bounds.right() - 14, area.top + area.height / 2);
  painter.rotate(90);
  painter.drawText(QRectF(-area.height / 2, -10, area.height, 20), Qt::AlignCenter,
                   QString::fromStdString(chart.yTitle));
  painter.restore();
  font.setPixelSize(15);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRectF(area.left, bounds.top() + 6, area.width, 22), Qt::AlignLeft,
                   QStringLiteral("Psychrometric chart"));
  font.setPixelSize(12);
  font.setBold(false);
  painter.setFont(font);
  painter.drawText(QRectF(area.left, bounds.top() + 6, area.width, 22), Qt::AlignRight,
                   chart.calculated ? QString::fromStdString(chart.title)
                                    : QStringLiteral("No case has been calculated yet."));
  painter.restore();
}

QString writeChart(const QString& path, const ui::PsychChart& chart) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != "svg" && suffix != "png") {
    return "The chart's file name must end in .svg or .png: " + path;
  }
  // Drawn in memory, then written as one file: a failure leaves nothing half
  // drawn and what the path names is handled as every saved file is.
  const QRectF bounds(0, 0, kChartWidth, kChartHeight);
  QBuffer drawn;
  drawn.open(QIODevice::WriteOnly);
  if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&drawn);
    svg.setSize(QSize(kChartWidth, kChartHeight));
    svg.setViewBox(bounds);
    svg.setTitle(QStringLiteral("Psychrometric chart"));
    QPainter painter(&svg);
    paintChart(painter, bounds, chart);
  } else {
    QImage image(kChartWidth, kChartHeight, QImage::Format_ARGB32);
    {
      QPainter painter(&image);
      paintChart(painter, bounds, chart);
    }
    if (!image.save(&drawn, "PNG")) {
      return "The chart could not be drawn as a PNG image.";
    }
  }
  const QByteArray& bytes = drawn.data();
  if (const auto problem = platform::writeFileAtomically(
          path.toStdString(),
          std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    return "The chart could not be written to " + path + ": " + QString::fromStdString(*problem) +
           ".";
  }
  return {};
}

}  // namespace ktr
