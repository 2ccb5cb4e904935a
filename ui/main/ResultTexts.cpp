#include "ui/main/ResultTexts.h"

#include <cstdint>
#include <variant>

#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/DialogFields.h"
#include "ui/main/FaceVelocity.h"
#include "units/Units.h"

namespace ui {

namespace {

ShownFigure shown(double value, const char* pattern) {
  return {value, value, pattern};
}

ShownFigure shownSingle(double value, float single, const char* pattern) {
  return {value, single, pattern};
}

// The number an actual-volume Variant holds; one not yet written shows as 0.
// Calculate writes only numbers into these lists.
double variantNumber(const platform::Variant& value) {
  const double* number = std::get_if<double>(&value);
  return number != nullptr ? *number : 0;
}

ResultUnits unitsOf(const ResultDisplay& d, std::int16_t siFlowUnit) {
  if (!d.si) {
    return {"°F DB",    d.wetBulb ? "°F WB" : "°F DP",
            "gr/lb",    "%, RH",
            "BTU/lb",   "scfm",
            "acfm",     "sfpm",
            "in. w.c.", "lb H2O/h",
            "BTU/H"};
  }
  const std::string flow = siFlowUnit == 0 ? "m3/hr" : "l/sec";
  return {"°C DB",     d.wetBulb ? "°C WB" : "°C DP",
          "g/kg",      "%, RH",
          "kJ/kg",     flow,
          "a." + flow, "m/sec",
          "pascals",   "kg H2O/h",
          "KW"};
}

}  // namespace

std::string ShownFigure::text() const {
  return platform::formatNumber(shown, pattern);
}

ResultDisplay shownDisplay(const ModCalc::CalcState& s, const ModCalc::SettingsFields& settings) {
  const bool si = s.SIUnits == 1;
  // Each unit system has its own wet-bulb choice.
  return {.si = si,
          .wetBulb = si ? settings.optOUTWBSI.value() : settings.optOutWB.value(),
          .totalEnergy = settings.KTRSel.value()};
}

bool fluteSizeShown(const ModCalc::OverrideFields& overrides) {
  return overrides.FluteOverride.value() == 1 || overrides.chkFluteDisplay.value() == 1;
}

const char* fluteText(float mils) {
  return mils == 45 ? "45 mils" : mils == 62 ? "62 mils" : "94 mils";
}

ResultTexts presentRating(const ModCalc::CalcState& s, const ResultDisplay& display) {
  ResultTexts r;
  r.display = display;
  r.title = s.ProjectTitle;
  const bool si = display.si;
  r.units = unitsOf(display, s.SIFlowUnit);
  const auto temperature = [si](double f) { return si ? units::celsius(f) : f; };
  // Single by Single stays Single: an SI flow is the quotient of two
  // Singles.
  const float flow = s.SIFlowFactor;
  const auto volume = [&](float cfm) { return shown(si ? cfm / flow : cfm, "###,###"); };
  const auto& actual = si ? s.SIFlowList : s.AcfmList;

  const struct {
    const char* name;
    float t;
    double w;
    double h;  // Btu/lb
    float p;   // the stream's absolute pressure, psia
    float standard;
  } streams[] = {
      {"Outdoor", s.Toa, s.Woa, s.Hoa, s.PoaAbs, s.Voa},
      {"Supply", s.Tsa, s.Wsa, s.Hsa, s.PoaAbs, s.Vsa},
      {"Return", s.Tra, s.Wra, s.Hra, s.PraAbs, s.Vra},
      {"Exhaust", s.Tea, s.Wea, s.Hea, s.PraAbs, s.Vea},
  };
  for (std::size_t k = 0; k < r.streams.size(); ++k) {
    const auto& from = streams[k];
    StreamTexts& to = r.streams[k];
    to.name = from.name;
    to.dryBulb = shown(si ? units::celsius(from.t) : from.t, "##0.0");
    to.ratio = shown(si ? from.w / units::kGrainsPerGramPerKilogram : from.w, "##0.0");
    to.enthalpy = shown(si ? units::kilojoulesPerKilogram(from.h) : from.h, "##0.0");
    if (display.streamHumidity) {
      // The dew point raises a humidity ratio of zero or less to the driest
      // air; the relative humidity is that of the raised ratio.
      double w = from.w;
      const double wetBulbOrDewPoint =
          display.wetBulb ? modPsych::WetBulb(from.t, w, from.p) : modPsych::DewPoint(w, s.Patm);
      to.humidity = shown(temperature(wetBulbOrDewPoint), "##0.0");
      to.relativeHumidity = shown(100 * modPsych::RelHumFraction(from.t, w, s.Patm), "##0.0");
    }
    to.standardVolume = volume(from.standard);
    to.actualVolume = shown(variantNumber(actual[k]), "###,###");
  }

  if (!si) {
    r.velocityOutdoor = shown(s.VelOa, "#,###");
    r.velocityExhaust = shown(s.VelEa, "#,###");
    r.dpSupply = shown(s.dPs, "0.#0");
    r.dpExhaust = shown(s.dPr, "0.#0");
    r.waterRecovered = shown(s.WaterRecovered, "##0.00");
    r.heatSensible = shown(s.HeatS, "#,###,###");
    r.heatLatent = shown(s.HeatL, "#,###,###");
    r.heatTotal = shown(s.HeatT, "#,###,###");
  } else {
    const auto pressureDrop = [](float inWC) {
      const auto pascals = static_cast<float>(units::kPascalsPerInchOfWater);
      return shownSingle(inWC * units::kPascalsPerInchOfWater, inWC * pascals, "##0.0");
    };
    const auto metresPerSecond = [](float fpm) {
      return fpm * units::kMetresPerFoot / units::kMinutesPerHour;
    };
    const auto kilowatts = [](double btuh) {
      return shown(btuh * units::kKilowattsPerBtuPerHour, "#,##0.00");
    };
    r.velocityOutdoor = shown(metresPerSecond(s.VelOa), "#0.00");
    r.velocityExhaust = shown(metresPerSecond(s.VelEa), "#0.00");
    r.dpSupply = pressureDrop(s.dPs);
    r.dpExhaust = pressureDrop(s.dPr);
    r.waterRecovered = shown(s.WaterRecovered / units::kPoundsPerKilogram, "##0.00");
    r.heatSensible = kilowatts(s.HeatS);
    r.heatLatent = kilowatts(s.HeatL);
    r.heatTotal = kilowatts(s.HeatT);
  }
  r.velocityTooHigh = faceVelocityTooHigh(s);
  r.purgeVolume = shown(si ? s.Vpurge / flow : s.Vpurge, "###,##0");
  r.purgeActualVolume = shown(variantNumber(actual[4]), "###,###");
  // Shown as computed in either unit system.
  r.purgeAngle = shown(s.PurgeAngle, "##0.0");
  r.wheelSpeed = shown(s.WheelRpm, "##");
  r.eSensible = shown(s.EunbalS, "#0.0%");
  r.eLatent = shown(s.EunbalL, "#0.0%");
  r.eTotal = shown(s.EunbalT, "#0.0%");
  r.eTotalShown = s.Status.totalShown;
  r.frost = s.Status.frost;
  if (display.fluteSize && s.Status.rated) {
    r.flute = fluteText(s.FluteMils);
  }

  // The season follows the outdoor air: below 50 °F it is winter.
  r.winter = s.Toa < 50;
  r.season = r.winter ? "Winter" : "Summer";
  // The product line, or the private label's unit.
  if (s.PrivateLabel == 0) {
    r.model = (display.totalEnergy ? "Model: KTR " : "Model: KSR ") + s.ModelNameSel;
  } else if (s.PrivateLabel == 1) {
    r.model = "Unit: " + s.ModelNameSel;
  }
  return r;
}

}  // namespace ui
