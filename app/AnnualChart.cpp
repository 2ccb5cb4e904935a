#include "app/AnnualChart.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "app/AnnualOutputs.h"
#include "platform/NumberText.h"

namespace ktr {

namespace {

const QColor kHeatingColor(200, 30, 30);
const QColor kCoolingColor(0, 70, 160);
const QColor kFanColor(110, 110, 110);
const QColor kGridColor(225, 225, 225);

QFont chartFont(int pixels, bool bold) {
  QFont font;
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

// A round step giving about five grid lines up to `top`.
double gridStep(double top) {
  const double rough = top / 5;
  const double power = std::pow(10, std::floor(std::log10(rough)));
  for (const double m : {1.0, 2.0, 2.5, 5.0}) {
    if (m * power >= rough) {
      return m * power;
    }
  }
  return 10 * power;
}

}  // namespace

AnnualBars annualBars(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op, bool si,
                      const QString& title) {
  AnnualBars bars;
  bars.title = title;
  bars.unit = QString::fromStdString(
      annualFigure(annualFigures(year.year, op, si), "heating_recovered").unit);
  const double fanToBars = si ? 1 : ModCalc::kBtuPerKWh / 1000;
  for (std::size_t m = 0; m < 12; ++m) {
    const std::vector<AnnualFigure> month = annualFigures(year.months[m], op, si);
    bars.heating[m] = annualFigure(month, "heating_recovered").value;
    bars.cooling[m] = annualFigure(month, "cooling_recovered").value;
    bars.fan[m] = annualFigure(month, "fan_energy").value * fanToBars;
  }
  return bars;
}

void paintAnnualChart(QPainter& painter, const QRectF& bounds, const AnnualBars& bars) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(bounds, Qt::white);
  const QFont font = chartFont(12, false);
  const QFontMetricsF metrics(font);
  double top = 0;
  for (std::size_t m = 0; m < 12; ++m) {
    top = std::max({top, bars.heating[m], bars.cooling[m], bars.fan[m]});
  }
  const double step = gridStep(top > 0 ? top : 1);
  top = std::ceil((top > 0 ? top : 1) / step) * step;
  const QString widest = QString::fromStdString(platform::formatNumber(top, "#,##0"));
  const double left = bounds.left() + 16 + metrics.horizontalAdvance(widest) + 8;
  const QRectF plot(left, bounds.top() + 48, bounds.right() - 20 - left, bounds.height() - 48 - 56);
  const auto yOf = [&](double v) { return plot.bottom() - v / top * plot.height(); };

  painter.setFont(font);
  for (double v = 0; v <= top + step / 2; v += step) {
    const double y = yOf(v);
    painter.setPen(QPen(kGridColor, 1));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(bounds.left(), y - 10, left - bounds.left() - 6, 20),
                     Qt::AlignRight | Qt::AlignVCenter,
                     QString::fromStdString(platform::formatNumber(v, "#,##0")));
  }
  const double slot = plot.width() / 12;
  const double bar = slot * 0.8 / 3;
  const std::array<std::pair<const std::array<double, 12>*, QColor>, 3> series = {
      {{&bars.heating, kHeatingColor}, {&bars.cooling, kCoolingColor}, {&bars.fan, kFanColor}}};
  for (std::size_t m = 0; m < 12; ++m) {
    const double x0 = plot.left() + slot * static_cast<double>(m) + slot * 0.1;
    for (std::size_t k = 0; k < series.size(); ++k) {
      const double v = (*series[k].first)[m];
      const double y = yOf(std::max(v, 0.0));
      painter.fillRect(QRectF(x0 + bar * static_cast<double>(k), y, bar, plot.bottom() - y),
                       series[k].second);
    }
    painter.setPen(Qt::black);
    painter.drawText(
        QRectF(plot.left() + slot * static_cast<double>(m), plot.bottom() + 4, slot, 18),
        Qt::AlignCenter, kMonthAbbreviations[m]);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(plot);

  // The legend under the months, and the unit.
  double x = plot.left();
  const double legendY = plot.bottom() + 28;
  const std::pair<QString, QColor> legend[] = {{QStringLiteral("Heating recovered"), kHeatingColor},
                                               {QStringLiteral("Cooling recovered"), kCoolingColor},
                                               {QStringLiteral("Fan energy added"), kFanColor}};
  for (const auto& [text, color] : legend) {
    painter.fillRect(QRectF(x, legendY + 4, 12, 12), color);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(x + 18, legendY + 4 + metrics.ascent() - 1), text);
    x += 18 + metrics.horizontalAdvance(text) + 24;
  }
  painter.drawText(QRectF(plot.left(), legendY, plot.width(), 20),
                   Qt::AlignRight | Qt::AlignVCenter, "Energy per month, " + bars.unit);
  painter.setFont(chartFont(15, true));
  painter.drawText(QRectF(plot.left(), bounds.top() + 6, plot.width(), 22), Qt::AlignLeft,
                   QStringLiteral("Energy by month"));
  painter.setFont(font);
  painter.drawText(QRectF(plot.left(), bounds.top() + 6, plot.width(), 22), Qt::AlignRight,
                   bars.title);
  painter.restore();
}

}  // namespace ktr
