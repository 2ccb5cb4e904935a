// The chart's labels over summer and winter cases in both unit systems, at
// the exported picture's size and the chart window's smallest.

#include <gtest/gtest.h>

#include <QLineF>
#include <algorithm>
#include <cmath>
#include <string>

#include "app/ChartPainter.h"
#include "psych/modPsych.h"

namespace {

struct Outdoor {
  double dryBulb;   // °F
  double humidity;  // fraction of saturation
};

// A wheel between the outdoor and the return air, 75 % effective on both
// streams, as the engine would rate one.
ModCalc::CalcState rated(Outdoor outdoor, bool si) {
  ModCalc::CalcState s;
  s.SIUnits = si ? 1 : 0;
  s.Patm = 14.696;
  s.Vea = 1000;
  const bool summer = outdoor.dryBulb > 60;
  s.Toa = outdoor.dryBulb;
  s.Woa = outdoor.humidity * modPsych::SatGrains(s.Toa, s.Patm);
  s.Tra = summer ? 75 : 72;
  s.Wra = summer ? 65 : 45;
  constexpr double kEffectiveness = 0.75;
  s.Tsa = s.Toa + kEffectiveness * (s.Tra - s.Toa);
  s.Wsa = s.Woa + kEffectiveness * (s.Wra - s.Woa);
  s.Tea = s.Tra - kEffectiveness * (s.Tra - s.Toa);
  s.Wea = s.Wra - kEffectiveness * (s.Wra - s.Woa);
  return s;
}

const QRectF kSizes[] = {{0, 0, ktr::kChartWidth, ktr::kChartHeight},
                         {0, 0, ktr::kChartWidth * 2 / 3, ktr::kChartHeight * 2 / 3}};

// No two labels meet, and both scales are whole: one label per grid line
// below and beside the plot.
void expectApartWithWholeScales(const std::vector<ktr::ChartLabel>& labels,
                                const ui::PsychChart& chart, const ui::PlotArea& area) {
  for (std::size_t a = 0; a < labels.size(); ++a) {
    for (std::size_t b = a + 1; b < labels.size(); ++b) {
      EXPECT_FALSE(labels[a].rect.intersects(labels[b].rect))
          << labels[a].text.toStdString() << " / " << labels[b].text.toStdString();
    }
  }
  const auto count = [&labels](auto outside) {
    return std::ranges::count_if(labels, [&](const auto& l) { return outside(l.rect); });
  };
  EXPECT_EQ(count([&](const QRectF& r) { return r.top() > area.top + area.height; }),
            std::lround((chart.xMax - chart.xMin) / chart.xStep) + 1);
  EXPECT_EQ(count([&](const QRectF& r) { return r.left() > area.left + area.width; }),
            std::lround(chart.yMax / chart.yStep) + 1);
}

TEST(ChartLabels, NoLabelCoversAnotherAStatePointOrAProcessLine) {
  const Outdoor cases[] = {{-20, 0.7}, {-10, 0.4}, {-5, 0.9}, {10, 0.5},  {25, 0.8},  {35, 0.9},
                           {45, 0.6},  {80, 0.9},  {88, 0.4}, {95, 0.45}, {100, 0.6}, {110, 0.2}};
  for (const bool si : {false, true}) {
    for (const Outdoor& outdoor : cases) {
      for (const QRectF& bounds : kSizes) {
        SCOPED_TRACE(std::to_string(outdoor.dryBulb) + " °F " + (si ? "SI " : "") +
                     std::to_string(bounds.width()));
        const ui::PsychChart chart = ui::psychChart(rated(outdoor, si));
        const ui::PlotArea area = ktr::chartPlotArea(bounds);
        const std::vector<ktr::ChartLabel> labels = ktr::chartLabels(bounds, chart);
        expectApartWithWholeScales(labels, chart, area);
        QPointF at[4];
        for (std::size_t k = 0; k < 4; ++k) {
          const ui::ChartPoint p = ui::toPixel(chart, area, chart.states[k].at);
          at[k] = {p.x, p.y};
          const QString name = QString::fromStdString(chart.states[k].name);
          EXPECT_TRUE(std::ranges::any_of(labels, [&](const auto& l) { return l.text == name; }))
              << "no label for " << chart.states[k].name;
        }
        for (const ktr::ChartLabel& label : labels) {
          SCOPED_TRACE(label.text.toStdString());
          for (const QPointF& point : at) {
            EXPECT_FALSE(label.rect.intersects(QRectF(point - QPointF(5, 5), QSizeF(10, 10))));
          }
          for (const QLineF line : {QLineF(at[0], at[1]), QLineF(at[2], at[3])}) {
            for (double t = 0; t <= 1; t += 0.01) {
              EXPECT_FALSE(label.rect.contains(line.pointAt(t))) << t;
            }
          }
        }
      }
    }
  }
}

TEST(ChartLabels, ChartBeforeAnyCalculationHasNoStatesAndItsLabelsApart) {
  for (const bool si : {false, true}) {
    ModCalc::CalcState blank;
    blank.SIUnits = si ? 1 : 0;
    const ui::PsychChart chart = ui::psychChart(blank);
    for (const QRectF& bounds : kSizes) {
      SCOPED_TRACE(std::string(si ? "SI " : "") + std::to_string(bounds.width()));
      const std::vector<ktr::ChartLabel> labels = ktr::chartLabels(bounds, chart);
      expectApartWithWholeScales(labels, chart, ktr::chartPlotArea(bounds));
      EXPECT_FALSE(std::ranges::any_of(labels, [](const auto& l) { return l.bold; }));
      // On the usual chart every relative humidity line keeps its label but
      // the 90 % one, which may find no room beside the saturation curve.
      for (int percent = 10; percent <= 80; percent += 10) {
        const QString text = QString::number(percent) + " %";
        EXPECT_TRUE(std::ranges::any_of(labels, [&](const auto& l) { return l.text == text; }))
            << percent;
      }
    }
  }
}

}  // namespace
