#include "engine/InputChecks.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

// One air stream's entry as CheckInputs and CheckSaturation see it.
struct Stream {
  const char* name;  // "Outdoor" or "Return"
  double& moisture;
  double& moistureSI;
  double& humidityRatio;
  float dryBulb;
  EntryBox box;
};

Stream outdoor(const Work& work) {
  CalcState& s = work.s;
  return {"Outdoor", s.Moa, s.MoaSI, s.Woa, s.Toa, EntryBox::Moa};
}

Stream returnAir(const Work& work) {
  CalcState& s = work.s;
  return {"Return", s.Mra, s.MraSI, s.Wra, s.Tra, EntryBox::Mra};
}

std::string supersaturated(const Stream& stream) {
  return std::string(stream.name) + " air is supersaturated, saturated condition will be used ";
}

// The value to the tenth, as the moisture boxes take their entries.
double tenth(double value) {
  return platform::roundedAsShown(value, "0.0");
}

// A corrected entry, held in the stream, shown as `shown`: the held
// moisture as a decimal whose tidy text the box gives back as it.
void showCorrected(const Work& work, const Stream& stream, double shown) {
  const CalcState& s = work.s;
  if (const auto si = moistureSI(stream.moisture, s.MoistInOption, s.SIUnits)) {
    stream.moistureSI = *si;
  }
  work.show(stream.box, shown);
}

// Returns whether the entry was set below the dry bulb. The entry taken is
// 0.1 °F below the dry bulb to the tenth of a degree Fahrenheit, to which an
// SI entry is taken too: a value the box shows exactly and the case holds as
// a typed one, so that the next rating, or the saved case, takes the same.
bool checkTemperature(const Work& work, Stream stream) {
  stream.moisture = static_cast<float>(stream.moisture);
  const bool atOrAbove = stream.moisture >= stream.dryBulb;
  if (atOrAbove) {
    const double corrected = tenth(stream.dryBulb - 0.1);
    stream.moisture = static_cast<float>(corrected);
    work.warn(WarningKind::Entry, supersaturated(stream));
    showCorrected(work, stream, corrected);
  }
  return atOrAbove;
}

// Grains per pound, entered as gr/lb (limit 200) or as g/kg (limit 30 g/kg,
// held as 210 gr/lb).
void checkGrains(const Work& work, Stream stream, bool gramsPerKilogram) {
  const double limit = gramsPerKilogram ? 210 : 200;
  const double entered = stream.moisture;
  if (stream.moisture > limit) {
    stream.moisture = limit;
    work.warn(WarningKind::Entry,
              std::string(stream.name) + (gramsPerKilogram
                                              ? " air exceeded 30 g/kg.  30 will be used."
                                              : " air exceeded 200 gr/lb.  200 will be used."));
  }
  if (stream.moisture <= 0) {
    stream.moisture = 0.1;
    work.warn(WarningKind::Entry, std::string(stream.name) +
                                      " air grain loading was 0 or less and has been increased "
                                      "to 0.1 ");
  }
  if (stream.moisture != entered) {
    work.show(stream.box, stream.moisture);
  }
}

void checkRelativeHumidity(const Work& work, Stream stream) {
  const double entered = stream.moisture;
  if (stream.moisture >= 100) {
    stream.moisture = 99.9;
    work.warn(WarningKind::Entry, supersaturated(stream));
  }
  if (stream.moisture <= 0) {
    work.warn(WarningKind::Entry,
              std::string(stream.name) + " air %RH was less than 0 and has been set to 0.1");
    stream.moisture = 0.1;
  }
  if (stream.moisture != entered) {
    work.show(stream.box, stream.moisture);
  }
}

// Returns whether a dew point or wet bulb was set below the dry bulb.
bool checkStream(const Work& work, const Stream& stream) {
  switch (work.s.MoistInOption) {
    case 1:
    case 2:
    case 5:
    case 6:
      return checkTemperature(work, stream);
    case 3:
      checkGrains(work, stream, false);
      break;
    case 7:
      checkGrains(work, stream, true);
      break;
    case 4:
      checkRelativeHumidity(work, stream);
      break;
    default:
      break;
  }
  return false;
}

// `pressure` is the stream's own, at which the corrected entry is expressed
// as the next rating reads it. Air is held below saturation at it and at
// the barometric pressure, which the relative humidity is shown at: with a
// negative static pressure that one saturates first, and the results must
// not show over 100 %.
//
// `enteredSaturated` says CheckInputs set the entry 0.1 °F below the dry
// bulb. Above about 0 °F that is within a few percent of saturation, but
// in colder air a wet bulb 0.1 °F down is far drier (at -60 °F it holds no
// water at all by the wet-bulb relation), so such air is set just below
// saturation too; the entry's correction has warned already.
void checkSaturation(const Work& work, Stream stream, double pressure, bool enteredSaturated) {
  const CalcState& s = work.s;
  const double saturated = std::min(modPsych::SatGrains(stream.dryBulb, pressure),
                                    modPsych::SatGrains(stream.dryBulb, s.Patm));
  const bool tooDry = enteredSaturated && stream.humidityRatio < 0.95 * saturated;
  if (!(stream.humidityRatio > saturated) && !tooDry) {
    return;
  }
  if (!tooDry) {
    work.warn(WarningKind::Entry, supersaturated(stream));
  }
  // Just below saturation: 0.1 gr/lb, or a thousandth of the saturation
  // humidity ratio where that is less. Cold air holds so little water (0.1
  // gr/lb is all of it at -67 °F) that a fixed step would leave it far
  // below saturation, or below no water at all.
  stream.humidityRatio = saturated - std::min(0.1, saturated / 1000);
  // Held as its box gives it back, and the air taken at what that holds, as
  // the next rating takes it.
  const double shown = moistureGiving(stream.dryBulb, static_cast<float>(pressure),
                                      stream.humidityRatio, s.MoistInKind);
  stream.moisture = heldMoisture(shown, s.MoistInKind);
  stream.humidityRatio =
      modPsych::MoistToGrains(stream.dryBulb, stream.moisture, pressure, s.MoistInKind);
  showCorrected(work, stream, shown);
}

// Air drier than `least` gr/lb is taken with its entry raised to the first
// tenth (in English units, to which an SI entry is taken too) whose air is
// not drier: a value the box shows and the saved case gives back exactly.
void raiseToLeast(const Work& work, Stream stream, double pressure, double least) {
  const CalcState& s = work.s;
  if (!(stream.humidityRatio < least)) {
    return;
  }
  stream.humidityRatio = least;
  if (s.MoistInKind == modPsych::kGrains) {
    return;
  }
  // Searched for: the wet-bulb relation's own inverse strays this far from
  // saturation.
  const double exact =
      moistureGiving(stream.dryBulb, static_cast<float>(pressure), least, s.MoistInKind);
  if (!std::isfinite(exact)) {
    return;
  }
  const auto grains = [&](double entry) {
    return modPsych::MoistToGrains(stream.dryBulb, heldMoisture(entry, s.MoistInKind), pressure,
                                   s.MoistInKind);
  };
  double entry = tenth(std::ceil(exact * 10) / 10);
  // A tenth above, where the rounding to single precision fell short.
  if (grains(entry) < least) {
    entry = tenth(entry + 0.1);
  }
  stream.moisture = heldMoisture(entry, s.MoistInKind);
  stream.humidityRatio = std::max(grains(entry), least);
  work.warn(WarningKind::Entry, std::string(stream.name) + " air is drier than " +
                                    platform::tidyText(least) +
                                    " gr/lb; its moisture has been raised to the driest air "
                                    "rated.");
  showCorrected(work, stream, entry);
}

}  // namespace

std::optional<double> moistureSI(double moisture, std::int16_t option, std::int16_t siUnits) {
  switch (option) {
    case 5:
    case 6:
      return units::celsius(moisture);
    case 7:
      return moisture / units::kGrainsPerGramPerKilogram;
    case 4:
      return siUnits == 1 ? std::optional<double>(moisture) : std::nullopt;
    default:
      return std::nullopt;
  }
}

double moistureGiving(float t, float p, double W, std::int16_t kind) {
  const platform::NumberLocale english = platform::NumberLocale::english();
  if (kind == modPsych::kGrains) {
    return platform::parseNumber<double>(platform::tidyText(W, english), english).value_or(W);
  }
  const auto grains = [&](double value) {
    return modPsych::MoistToGrains(t, heldMoisture(value, kind), p, kind);
  };
  double copy = W;
  const double estimate = modPsych::GrainsToMoist(t, copy, p, kind);
  if (!std::isfinite(estimate)) {
    return estimate;
  }
  double low = estimate - 1;
  double high = estimate + 1;
  for (int widen = 0; widen < 20 && !(grains(low) < W); ++widen) {
    low -= high - low;
  }
  for (int widen = 0; widen < 20 && grains(high) < W; ++widen) {
    high += high - low;
  }
  // To the first value whose humidity ratio is not below W.
  for (int halve = 0; halve < 200; ++halve) {
    const double mid = low + (high - low) / 2;
    if (mid <= low || mid >= high) {
      break;
    }
    (grains(mid) < W ? low : high) = mid;
  }
  // Rounded from the value held: `high` may lie just above the midpoint
  // below it, where its own rounding to nine digits reads as the float below.
  const double held = heldMoisture(high, kind);
  const std::string text = platform::tidiestTextReadingBack(
      held, [&](double value) { return grains(value) == W; }, english);
  return platform::parseNumber<double>(text, english).value_or(held);
}

double heldMoisture(double moisture, std::int16_t kind) {
  return kind == modPsych::kDewPoint || kind == modPsych::kWetBulb ? static_cast<float>(moisture)
                                                                   : moisture;
}

std::string moistureText(double moisture, std::int16_t kind) {
  return kind == modPsych::kDewPoint || kind == modPsych::kWetBulb
             ? platform::tidyText(static_cast<float>(moisture))
             : platform::tidyText(moisture);
}

SaturatedEntries CheckInputs(const Work& work) {
  const CalcState& s = work.s;
  SaturatedEntries set;
  for (const auto& [stream, entered] :
       {std::pair{outdoor(work), &set.outdoor}, std::pair{returnAir(work), &set.returnAir}}) {
    *entered = checkStream(work, stream);
    // The SI figure follows the entry, whichever box it was typed in, and is
    // none where no SI box shows it.
    stream.moistureSI = moistureSI(stream.moisture, s.MoistInOption, s.SIUnits).value_or(0);
  }
  return set;
}

void CheckLeastGrains(const Work& work, double least) {
  const CalcState& s = work.s;
  raiseToLeast(work, outdoor(work), s.PoaAbs, least);
  raiseToLeast(work, returnAir(work), s.PraAbs, least);
}

void CheckSaturation(const Work& work, SaturatedEntries entered) {
  const CalcState& s = work.s;
  checkSaturation(work, outdoor(work), s.PoaAbs, entered.outdoor);
  checkSaturation(work, returnAir(work), s.PraAbs, entered.returnAir);
}

void CheckSupplySaturation(const Work& work) {
  const CalcState& s = work.s;
  const double saturated =
      std::min(modPsych::SatGrains(s.Tsa, s.PoaAbs), modPsych::SatGrains(s.Tsa, s.Patm));
  if (s.Wsa > saturated) {
    work.rating.supplySupersaturated = true;
    work.warn(WarningKind::SupplySaturated,
              "Supply air is supersaturated, condensation or frost may occur.");
  }
}

void CheckFrost(const Work& work) {
  const CalcState& s = work.s;
  // Saturated at the exhaust side's pressure or at the barometric one its
  // relative humidity is shown at, whichever holds less water.
  const double saturated =
      std::min(modPsych::SatGrains(s.Tea, s.PraAbs), modPsych::SatGrains(s.Tea, s.Patm));
  if (!(s.Wea > saturated)) {
    return;
  }
  if (s.Tea <= units::kFreezingFahrenheit) {
    work.rating.frost = true;
    work.warn(WarningKind::Frost, "Exhaust air is supersaturated, frost buildup may occur.");
  } else {
    work.rating.exhaustCondensing = true;
  }
}

}  // namespace ModCalc
