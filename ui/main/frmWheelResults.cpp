#include <array>
#include <variant>

#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Windows.h"
#include "ui/main/FaceVelocity.h"
#include "ui/main/frmWheel.h"
#include "units/Units.h"

// The results display: every figure of the last calculation, from the state.

namespace ui {

namespace {

// Pure blue and pure red, the season label's colours.
constexpr platform::Rgb kWinterColor{0, 0, 255};
constexpr platform::Rgb kSummerColor{255, 0, 0};

// The number an actual-volume Variant holds; one not yet written shows as 0.
// Calculate writes only numbers into these lists.
double variantNumber(const platform::Variant& value) {
  const double* number = std::get_if<double>(&value);
  return number != nullptr ? *number : 0;
}

}  // namespace

void frmWheel::MoistFillCap() {
  ModCalc::CalcState& s = state();
  const ModCalc::SettingsFields& settings = fields().settings;
  const bool si = s.SIUnits == 1;
  const bool wetBulb = si ? settings.optOUTWBSI.value() : settings.optOutWB.value();
  const auto shown = [](double value) { return platform::formatNumber(value, "###.0"); };
  const auto temperature = [si](double f) { return si ? units::celsius(f) : f; };

  struct Stream {
    double t;
    // The state's own humidity ratio, gr/lb, by reference: DewPoint raises
    // one of zero or less in place, and the state keeps the raised value for
    // whatever reads it next.
    double& w;
    double h;  // Btu/lb
    double p;  // the stream's absolute pressure, psia
    std::array<Label, 3>& humidity;
    Label& enthalpy;
  };
  const Stream streams[] = {
      {s.Toa, s.Woa, s.Hoa, s.PoaAbs, lblWoa, LblH[0]},
      {s.Tsa, s.Wsa, s.Hsa, s.PoaAbs, fields().main.lblWsa, LblH[2]},
      {s.Tra, s.Wra, s.Hra, s.PraAbs, lblWra, LblH[1]},
      {s.Tea, s.Wea, s.Hea, s.PraAbs, fields().main.lblWea, LblH[3]},
  };
  for (const Stream& stream : streams) {
    stream.humidity[1].setCaption(
        shown(si ? stream.w / units::kGrainsPerGramPerKilogram : stream.w));
    stream.enthalpy.setCaption(shown(si ? units::kilojoulesPerKilogram(stream.h) : stream.h));
    const double wetBulbOrDewPoint = wetBulb ? modPsych::WetBulb(stream.t, stream.w, stream.p)
                                             : modPsych::DewPoint(stream.w, s.Patm);
    stream.humidity[0].setCaption(shown(temperature(wetBulbOrDewPoint)));
    stream.humidity[2].setCaption(
        shown(100 * modPsych::RelHumFraction(stream.t, stream.w, s.Patm)));
  }
}

void frmWheel::FillCaptions() {
  const ModCalc::CalcState& s = state();
  const bool si = s.SIUnits == 1;
  const auto put = [](Label& label, double value, const char* pattern) {
    label.setCaption(platform::formatNumber(value, pattern));
  };

  MoistFillCap();
  lblTitle.setCaption(s.ProjectTitle);

  // Streams, velocities, purge, energy and pressure drops.
  if (!si) {
    put(lblVelO, s.VelOa, "#,###");
    put(lblVelE, s.VelEa, "#,###");
    put(lblVea, s.Vea, "###,###");
    put(lblTea, s.Tea, "###.0");
    put(lblVsa, s.Vsa, "###,###");
    put(lblTsa, s.Tsa, "###.0");
    put(lblVra, s.Vra, "###,###");
    put(lblTra, s.Tra, "###.0");
    put(lblVoa, s.Voa, "###,###");
    put(lblToa, s.Toa, "###.0");
    put(lbldWh, s.WaterRecovered, "##0.00");
    put(lblDPs, s.dPs, "0.#0");
    put(lblDPr, s.dPr, "0.#0");
    put(lblVPurge, s.Vpurge, "###,##0");
    put(lblHeatS, s.HeatS, "#,###,###");
    put(lblHeatL, s.HeatL, "#,###,###");
    put(lblHeatT, s.HeatT, "#,###,###");
  } else {
    // Single by Single stays Single: the flow and pressure labels are rounded
    // from float products.
    const float flow = s.SIFlowFactor;
    const auto pascals = static_cast<float>(units::kPascalsPerInchOfWater);
    put(lblVelO, s.VelOa * units::kMetresPerFoot / units::kMinutesPerHour, "##.00");
    put(lblVelE, s.VelEa * units::kMetresPerFoot / units::kMinutesPerHour, "##.00");
    put(lblVea, s.Vea / flow, "###,###");
    put(lblTea, units::celsius(s.Tea), "###.0");
    put(lblVsa, s.Vsa / flow, "###,###");
    put(lblTsa, units::celsius(s.Tsa), "###.0");
    put(lblVra, s.Vra / flow, "###,###");
    put(lblTra, units::celsius(s.Tra), "###.0");
    put(lblVoa, s.Voa / flow, "###,###");
    put(lblToa, units::celsius(s.Toa), "###.0");
    put(lbldWh, s.WaterRecovered / units::kPoundsPerKilogram, "##0.00");
    put(lblDPs, s.dPs * pascals, "##0.0");
    put(lblDPr, s.dPr * pascals, "##0.0");
    put(lblVPurge, s.Vpurge / flow, "###,##0");
    put(lblHeatS, s.HeatS * units::kKilowattsPerBtuPerHour, "#,###.00");
    put(lblHeatL, s.HeatL * units::kKilowattsPerBtuPerHour, "#,###.00");
    put(lblHeatT, s.HeatT * units::kKilowattsPerBtuPerHour, "#,###.00");
  }
  const auto& actual = si ? s.SIFlowList : s.AcfmList;
  Label* const actualLabels[] = {&lblAcfmO, &lblAcfmS, &lblAcfmR, &lblAcfmE, &lblAcfmP};
  for (std::size_t k = 0; k < 5; ++k) {
    put(*actualLabels[k], variantNumber(actual[k]), "###,###");
  }
  for (Label* label : actualLabels) {
    label->setVisible(true);
  }

  // Shown as computed in either unit system.
  put(lblPurgeAngle, s.PurgeAngle, "##0.0");
  lblWheelSpeed.setCaption(platform::formatNumber(s.WheelRpm, "##") + " RPM");
  put(lblEunbalS, s.EunbalS, "#0.0%");
  put(lblEunbalL, s.EunbalL, "#0.0%");
  put(fields().main.lblEunbalT, s.EunbalT, "#0.0%");

  HiVelocity.setVisible(faceVelocityTooHigh(s));

  // The season follows the outdoor air: below 50 °F it is winter.
  if (s.Toa < 50) {
    lblSeason.setCaption("Winter");
    lblSeason.setForeColor(kWinterColor);
  } else {
    lblSeason.setCaption("Summer");
    lblSeason.setForeColor(kSummerColor);
  }

  // The product line, or the private label's unit.
  const ModCalc::SettingsFields& settings = fields().settings;
  if (s.PrivateLabel == 0 && settings.KTRSel.value()) {
    lblModel.setCaption("Model: KTR " + s.ModelNameSel);
  }
  if (s.PrivateLabel == 0 && settings.KSRSel.value()) {
    lblModel.setCaption("Model: KSR " + s.ModelNameSel);
  }
  if (s.PrivateLabel == 1) {
    lblModel.setCaption("Unit: " + s.ModelNameSel);
  }

  // The results are up to date: Calculate waits for the next edit.
  w_.inputs.cmdCalc.setEnabled(false);
}

}  // namespace ui
