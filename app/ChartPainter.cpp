#include "app/ChartPainter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLineF>
#include <QPainterPath>
#include <QPolygonF>
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

QPolygonF polygonOf(const ui::PsychChart& chart, const ui::PlotArea& area,
                    const ui::ChartCurve& curve) {
  QPolygonF polygon;
  for (const ui::ChartPoint& p : curve) {
    polygon << pixel(chart, area, p);
  }
  return polygon;
}

QPainterPath pathOf(const ui::PsychChart& chart, const ui::PlotArea& area,
                    const ui::ChartCurve& curve) {
  QPainterPath path;
  path.addPolygon(polygonOf(chart, area, curve));
  return path;
}

QString number(double value) {
  return QString::fromStdString(platform::formatNumber(value, "##0"));
}

QFont chartFont(bool bold) {
  QFont font;
  font.setPixelSize(12);
  font.setBold(bold);
  return font;
}

// The point `distance` pixels along a polyline from its first point (its
// last point when the line is shorter).
QPointF along(const QPolygonF& line, double distance) {
  for (qsizetype k = 1; k < line.size(); ++k) {
    const QLineF piece(line[k - 1], line[k]);
    if (distance <= piece.length()) {
      return piece.pointAt(piece.length() > 0 ? distance / piece.length() : 0);
    }
    distance -= piece.length();
  }
  return line.isEmpty() ? QPointF() : line.back();
}

bool crosses(const QRectF& rect, const QLineF& line) {
  if (rect.contains(line.p1()) || rect.contains(line.p2())) {
    return true;
  }
  const QLineF edges[] = {{rect.topLeft(), rect.topRight()},
                          {rect.topRight(), rect.bottomRight()},
                          {rect.bottomRight(), rect.bottomLeft()},
                          {rect.bottomLeft(), rect.topLeft()}};
  return std::ranges::any_of(edges, [&line](const QLineF& edge) {
    return edge.intersects(line, nullptr) == QLineF::BoundedIntersection;
  });
}

// Gives each label the first of its candidate places that lies inside its
// region and keeps a gap to every label placed before it, every state point
// and both process lines.
class LabelPlacer {
 public:
  LabelPlacer(const ui::PsychChart& chart, const ui::PlotArea& area) {
    const QPolygonF saturation = polygonOf(chart, area, chart.saturation);
    for (qsizetype k = 1; k < saturation.size(); ++k) {
      saturation_.emplace_back(saturation[k - 1], saturation[k]);
    }
    if (!chart.calculated) {
      return;
    }
    for (const ui::ChartState& state : chart.states) {
      const QPointF at = pixel(chart, area, state.at);
      points_.emplace_back(at - QPointF(kMarker, kMarker), QSizeF(2 * kMarker, 2 * kMarker));
    }
    lines_.emplace_back(pixel(chart, area, chart.states[0].at),
                        pixel(chart, area, chart.states[1].at));
    lines_.emplace_back(pixel(chart, area, chart.states[2].at),
                        pixel(chart, area, chart.states[3].at));
  }

  static QSizeF size(const QString& text, bool bold) {
    const QFontMetricsF metrics(chartFont(bold));
    return {metrics.horizontalAdvance(text), metrics.height()};
  }

  // `corners` are the candidate top left corners, best first. The labels of
  // lines keep off the heavy saturation curve as well; a state's name may
  // cross it to stay beside its point.
  void place(const QString& text, const QColor& color, bool bold,
             const std::vector<QPointF>& corners, const QRectF& region,
             bool offSaturation = false) {
    const QSizeF extent = size(text, bold);
    for (const QPointF& corner : corners) {
      const QRectF rect(corner, extent);
      if (region.contains(rect) && free(rect, offSaturation)) {
        labels.push_back({text, rect, color, bold});
        return;
      }
    }
  }

  std::vector<ChartLabel> labels;

  // Half the side of the square a state's marker covers.
  static constexpr double kMarker = 6;

 private:
  bool free(const QRectF& rect, bool offSaturation) const {
    constexpr double kGap = 2;
    const QRectF padded = rect.adjusted(-kGap, -kGap, kGap, kGap);
    const auto hits = [&padded](const QRectF& other) { return padded.intersects(other); };
    const auto crossed = [&padded](const QLineF& line) { return crosses(padded, line); };
    return std::ranges::none_of(labels, [&hits](const ChartLabel& l) { return hits(l.rect); }) &&
           std::ranges::none_of(points_, hits) && std::ranges::none_of(lines_, crossed) &&
           !(offSaturation && std::ranges::any_of(saturation_, crossed));
  }

  std::vector<QRectF> points_;
  std::vector<QLineF> lines_;
  std::vector<QLineF> saturation_;
};

void placeStates(LabelPlacer& placer, const ui::PsychChart& chart, const ui::PlotArea& area,
                 const QRectF& plot) {
  if (!chart.calculated) {
    return;
  }
  for (std::size_t k = 0; k < chart.states.size(); ++k) {
    const QString name = QString::fromStdString(chart.states[k].name);
    const QSizeF s = LabelPlacer::size(name, true);
    const QPointF p = pixel(chart, area, chart.states[k].at);
    // Around the point, nearest first; the entering states (outdoor, return)
    // rather above their point, the leaving ones below, where the process
    // line is least likely to run.
    std::vector<QPointF> corners;
    for (const double near : {LabelPlacer::kMarker + 3, LabelPlacer::kMarker + 3 + s.height()}) {
      const double right = p.x() + near;
      const double left = p.x() - near - s.width();
      const double above = p.y() - near / 2 - s.height();
      const double below = p.y() + near / 2;
      const double middle = p.y() - s.height() / 2;
      const double centre = p.x() - s.width() / 2;
      const double first = k % 2 == 0 ? above : below;
      const double second = k % 2 == 0 ? below : above;
      corners.insert(corners.end(),
                     {QPointF(right, first), QPointF(right, second), QPointF(left, first),
                      QPointF(left, second), QPointF(right, middle), QPointF(left, middle),
                      QPointF(centre, p.y() - near - s.height()), QPointF(centre, p.y() + near)});
    }
    placer.place(name, k < 2 ? kSupplyColor : kExhaustColor, true, corners, plot);
  }
}

void placeScales(LabelPlacer& placer, const ui::PsychChart& chart, const ui::PlotArea& area,
                 const QRectF& bounds) {
  for (double x = chart.xMin; x <= chart.xMax + 1e-9; x += chart.xStep) {
    const QString text = number(x);
    const QPointF bottom = pixel(chart, area, {x, 0});
    // Below the marker of a bone-dry state as well.
    const double below = LabelPlacer::kMarker + 3;
    placer.place(
        text, Qt::black, false,
        {QPointF(bottom.x() - LabelPlacer::size(text, false).width() / 2, bottom.y() + below)},
        bounds);
  }
  for (double y = 0; y <= chart.yMax + 1e-9; y += chart.yStep) {
    const QString text = number(y);
    const QPointF right = pixel(chart, area, {chart.xMax, y});
    const double height = LabelPlacer::size(text, false).height();
    // Level with its grid line, or just above it where the dry-bulb scale
    // takes the corner.
    placer.place(text, Qt::black, false,
                 {QPointF(right.x() + 6, right.y() - height / 2),
                  QPointF(right.x() + 6, right.y() - height)},
                 bounds);
  }
}

void placeFrost(LabelPlacer& placer, const ui::PsychChart& chart, const ui::PlotArea& area,
                const QRectF& plot) {
  if (!chart.frostRegion || chart.freezing <= chart.xMin) {
    return;
  }
  const QString text = QStringLiteral("Frost");
  const QSizeF s = LabelPlacer::size(text, false);
  const double middle = (pixel(chart, area, {chart.freezing, 0}).x() + plot.left()) / 2;
  std::vector<QPointF> corners;
  for (int row = 0; row < 4; ++row) {
    const double top = plot.bottom() - 4 - s.height() - row * (s.height() + 4);
    corners.emplace_back(plot.left() + 6, top);
    corners.emplace_back(middle - s.width() / 2, top);
  }
  placer.place(text, kSaturationColor, false, corners, plot, true);
}

// A relative humidity's label sits beside its curve near where it leaves the
// plot, a wet bulb's near where its line leaves the saturation curve; when
// that is taken, further along the line.
void placeCurveLabels(LabelPlacer& placer, const ui::PsychChart& chart, const ui::PlotArea& area,
                      const QRectF& plot) {
  constexpr double kSteps[] = {0, 25, 50, 80, 110, 150, 200, 260};
  for (const ui::LabelledCurve& line : chart.relativeHumidity) {
    const QString text = QString::fromStdString(line.label);
    const QSizeF s = LabelPlacer::size(text, false);
    QPolygonF curve = polygonOf(chart, area, line.points);
    std::ranges::reverse(curve);
    std::vector<QPointF> corners;
    for (const double step : kSteps) {
      const QPointF q = along(curve, step);
      corners.emplace_back(q.x() - 3 - s.width(), q.y() - 2 - s.height());
      corners.emplace_back(q.x() - 3 - s.width(), q.y() + 2);
    }
    placer.place(text, kRelHumColor, false, corners, plot, true);
  }
  for (const ui::LabelledCurve& line : chart.wetBulb) {
    const QString text = QString::fromStdString(line.label);
    const QSizeF s = LabelPlacer::size(text, false);
    const QPolygonF path = polygonOf(chart, area, line.points);
    std::vector<QPointF> corners;
    for (const double step : kSteps) {
      const QPointF q = along(path, step);
      corners.emplace_back(q.x() - 4 - s.width(), q.y() - 3 - s.height());
      corners.emplace_back(q.x() + 3, q.y() + 3);
    }
    placer.place(text, kWetBulbColor, false, corners, plot, true);
  }
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
  painter.setPen(QPen(kGridColor, 1));
  for (double x = chart.xMin; x <= chart.xMax + 1e-9; x += chart.xStep) {
    painter.drawLine(pixel(chart, area, {x, 0}), pixel(chart, area, {x, chart.yMax}));
  }
  for (double y = 0; y <= chart.yMax + 1e-9; y += chart.yStep) {
    painter.drawLine(pixel(chart, area, {chart.xMin, y}), pixel(chart, area, {chart.xMax, y}));
  }
}

void drawCurves(QPainter& painter, const ui::PsychChart& chart, const ui::PlotArea& area) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(kWetBulbColor, 0.9, Qt::DashLine));
  for (const ui::LabelledCurve& line : chart.wetBulb) {
    painter.drawPath(pathOf(chart, area, line.points));
  }
  painter.setPen(QPen(kRelHumColor, 1));
  for (const ui::LabelledCurve& line : chart.relativeHumidity) {
    painter.drawPath(pathOf(chart, area, line.points));
  }
  painter.setPen(QPen(kSaturationColor, 2.2));
  painter.drawPath(pathOf(chart, area, chart.saturation));
}

void drawStates(QPainter& painter, const ui::PsychChart& chart, const ui::PlotArea& area) {
  const auto at = [&](std::size_t k) { return pixel(chart, area, chart.states[k].at); };
  drawArrow(painter, at(0), at(1), kSupplyColor);
  drawArrow(painter, at(2), at(3), kExhaustColor);
  for (std::size_t k = 0; k < chart.states.size(); ++k) {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(k < 2 ? kSupplyColor : kExhaustColor);
    painter.drawEllipse(at(k), 5, 5);
  }
}

void drawLabels(QPainter& painter, const std::vector<ChartLabel>& labels) {
  for (const ChartLabel& label : labels) {
    const QFont font = chartFont(label.bold);
    painter.setFont(font);
    painter.setPen(label.color);
    painter.drawText(QPointF(label.rect.left(), label.rect.top() + QFontMetricsF(font).ascent()),
                     label.text);
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

std::vector<ChartLabel> chartLabels(const QRectF& bounds, const ui::PsychChart& chart) {
  const ui::PlotArea area = chartPlotArea(bounds);
  const QRectF plot(area.left, area.top, area.width, area.height);
  LabelPlacer placer(chart, area);
  // Texts inside the plot keep clear of its frame.
  const QRectF inside = plot.adjusted(3, 3, -3, -3);
  placeStates(placer, chart, area, inside);
  placeScales(placer, chart, area, bounds);
  placeFrost(placer, chart, area, inside);
  placeCurveLabels(placer, chart, area, inside);
  return std::move(placer.labels);
}

void paintChart(QPainter& painter, const QRectF& bounds, const ui::PsychChart& chart) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(bounds, Qt::white);
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
  }
  drawGrid(painter, chart, area);
  drawCurves(painter, chart, area);
  painter.setClipping(false);
  if (chart.calculated) {
    drawStates(painter, chart, area);
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRect(plot);
  drawLabels(painter, chartLabels(bounds, chart));
  QFont font = chartFont(false);
  painter.setFont(font);
  painter.setPen(Qt::black);
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
  painter.setFont(chartFont(false));
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
