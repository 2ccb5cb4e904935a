#include <array>

#include "ui/Windows.h"
#include "ui/main/frmWheel.h"

// The results display: every figure of the last calculation, as the
// presentation of the state words it.

namespace ui {

namespace {

// Pure blue and pure red, the season label's colours.
constexpr platform::Rgb kWinterColor{0, 0, 255};
constexpr platform::Rgb kSummerColor{255, 0, 0};

}  // namespace

ResultTexts frmWheel::shownResults() const {
  const ModCalc::CalcState& s = state();
  ResultDisplay display = shownDisplay(s, fields().settings);
  display.fluteSize = fluteSizeShown(fields().overrides);
  return presentRating(s, display);
}

void frmWheel::FillCaptions() {
  const ResultTexts r = shownResults();
  const auto put = [](Label& label, const ShownFigure& figure) { label.setCaption(figure.text()); };

  struct Stream {
    Label& dryBulb;
    std::array<Label, 3>& humidity;
    Label& enthalpy;
    Label& standard;
    Label& actual;
  };
  const Stream streams[] = {
      {lblToa, lblWoa, LblH[0], lblVoa, lblAcfmO},
      {lblTsa, fields().main.lblWsa, LblH[2], lblVsa, lblAcfmS},
      {lblTra, lblWra, LblH[1], lblVra, lblAcfmR},
      {lblTea, fields().main.lblWea, LblH[3], lblVea, lblAcfmE},
  };
  for (std::size_t k = 0; k < std::size(streams); ++k) {
    const Stream& to = streams[k];
    const StreamTexts& from = r.streams[k];
    put(to.humidity[1], from.ratio);
    put(to.enthalpy, from.enthalpy);
    put(to.humidity[0], from.humidity);
    put(to.humidity[2], from.relativeHumidity);
    put(to.standard, from.standardVolume);
    put(to.dryBulb, from.dryBulb);
    put(to.actual, from.actualVolume);
    to.actual.setVisible(true);
  }
  lblTitle.setCaption(r.title);

  put(lblVelO, r.velocityOutdoor);
  put(lblVelE, r.velocityExhaust);
  put(lbldWh, r.waterRecovered);
  put(lblDPs, r.dpSupply);
  put(lblDPr, r.dpExhaust);
  put(lblVPurge, r.purgeVolume);
  put(lblAcfmP, r.purgeActualVolume);
  lblAcfmP.setVisible(true);
  put(lblHeatS, r.heatSensible);
  put(lblHeatL, r.heatLatent);
  put(lblHeatT, r.heatTotal);
  put(lblPurgeAngle, r.purgeAngle);
  lblWheelSpeed.setCaption(r.wheelSpeed.text() + " RPM");
  put(lblEunbalS, r.eSensible);
  put(lblEunbalL, r.eLatent);
  put(fields().main.lblEunbalT, r.eTotal);

  HiVelocity.setVisible(r.velocityTooHigh);
  lblSeason.setCaption(r.season);
  lblSeason.setForeColor(r.winter ? kWinterColor : kSummerColor);
  if (!r.model.empty()) {
    lblModel.setCaption(r.model);
  }

  // The results are up to date: Calculate waits for the next edit.
  w_.inputs.cmdCalc.setEnabled(false);
  state().Status.shown = true;
}

}  // namespace ui
