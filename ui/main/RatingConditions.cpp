#include "ui/main/RatingConditions.h"

#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Windows.h"
#include "units/Units.h"

namespace ui {

namespace {

struct AirState {
  double dryBulb;  // °F
  double wetBulb;  // °F
};

struct Conditions {
  AirState outdoor;
  AirState returnAir;
};

constexpr Conditions kSummer{{95, 78}, {75, 63}};
constexpr Conditions kWinter{{35, 33}, {70, 58}};

// Sea level, where the conditions are quoted.
constexpr double kSeaLevelFeet = 0;

// The moisture of `air` in the kind the inputs take, English form.
double englishMoisture(const AirState& air, std::int16_t kind) {
  if (kind == modPsych::kWetBulb) {
    return air.wetBulb;
  }
  const double p = modPsych::AtmPressure(kSeaLevelFeet);
  double grains =
      modPsych::HumRatioFromWetBulb(air.dryBulb, air.wetBulb, p) * units::kGrainsPerPound;
  return modPsych::GrainsToMoist(air.dryBulb, grains, p, kind);
}

// A box's text for a condition: one decimal, as the conditions are quoted,
// written as tidily as a box shows any number ("95", not "95.0").
std::string boxText(double value) {
  return platform::tidyText(platform::roundedAsShown(value, "0.0"));
}

// The moisture text in the units the boxes show: the SI kinds are °C for
// dew point and wet bulb, g/kg for humidity ratio; relative humidity is a
// percentage in both.
std::string moistureText(const AirState& air, std::int16_t kind, bool si) {
  const double value = englishMoisture(air, kind);
  if (!si || kind == modPsych::kRelHum) {
    return boxText(value);
  }
  return boxText(kind == modPsych::kGrains ? value / units::kGrainsPerGramPerKilogram
                                           : units::celsius(value));
}

std::string temperatureText(double fahrenheit, bool si) {
  return boxText(si ? units::celsius(fahrenheit) : fahrenheit);
}

}  // namespace

std::optional<RatingSeason> ratingSeason(std::string_view word) {
  if (word == "summer") {
    return RatingSeason::Summer;
  }
  if (word == "winter") {
    return RatingSeason::Winter;
  }
  return std::nullopt;
}

bool applyRatingConditions(Windows& windows, RatingSeason season) {
  const Conditions& c = season == RatingSeason::Summer ? kSummer : kWinter;
  ModCalc::DialogFields& f = windows.engine.fields;
  ModCalc::InputsFields& in = f.inputs;
  const bool si = windows.engine.state.SIUnits == 1;
  const std::int16_t kind = windows.engine.state.MoistInKind;
  f.settings.txtElev.setText(platform::formatNumber(kSeaLevelFeet, "0"));
  (si ? in.txtToaSI : in.txtToa).setText(temperatureText(c.outdoor.dryBulb, si));
  (si ? in.txtTraSI : in.txtTra).setText(temperatureText(c.returnAir.dryBulb, si));
  (si ? in.txtMoaSI : in.txtMoa).setText(moistureText(c.outdoor, kind, si));
  (si ? in.txtMraSI : in.txtMra).setText(moistureText(c.returnAir, kind, si));
  // Balanced: the main volume shown typed again, so its twin agrees with it,
  // and the same in the return box.
  platform::TextBox& mainVolume = si ? in.txtVSI : in.txtV;
  const std::string shown = mainVolume.text();
  mainVolume.setText(shown);
  (si ? in.txtVraSI : in.txtVra).setText(shown);
  windows.inputs.cmdCalc_Click();
  return windows.main.resultsUpToDate();
}

}  // namespace ui
