#include "engine/InputChecks.h"

#include <algorithm>
#include <string>

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
  EntryBox boxSI;
};

Stream outdoor(const Work& work) {
  CalcState& s = work.s;
  return {"Outdoor", s.Moa, s.MoaSI, s.Woa, s.Toa, EntryBox::Moa, EntryBox::MoaSI};
}

Stream returnAir(const Work& work) {
  CalcState& s = work.s;
  return {"Return", s.Mra, s.MraSI, s.Wra, s.Tra, EntryBox::Mra, EntryBox::MraSI};
}

std::string supersaturated(const Stream& stream) {
  return std::string(stream.name) + " air is supersaturated, saturated condition will be used ";
}

// Returns whether the entry was set below the dry bulb.
bool checkTemperature(const Work& work, Stream stream, bool celsius) {
  stream.moisture = static_cast<float>(stream.moisture);
  const bool atOrAbove = stream.moisture >= stream.dryBulb;
  if (atOrAbove) {
    stream.moisture = stream.dryBulb - 0.1;
    work.warn(WarningKind::Entry, supersaturated(stream));
    if (celsius) {
      work.show(stream.boxSI, units::celsius(stream.moisture), false);
    } else {
      work.show(stream.box, stream.moisture, false);
    }
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
  // A box rewritten to one decimal would give the next run another case.
  if (stream.moisture == entered) {
    return;
  }
  if (gramsPerKilogram) {
    work.show(stream.boxSI, stream.moisture / units::kGrainsPerGramPerKilogram, true);
  } else {
    work.show(stream.box, stream.moisture, true);
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
    work.show(stream.box, stream.moisture, true);
  }
}

// Returns whether a dew point or wet bulb was set below the dry bulb.
bool checkStream(const Work& work, const Stream& stream) {
  switch (work.s.MoistInOption) {
    case 1:
    case 2:
      return checkTemperature(work, stream, false);
    case 5:
    case 6:
      return checkTemperature(work, stream, true);
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

// `pressure` is the stream's own; `conversionPressure` re-expresses the
// corrected humidity ratio in the entry's measure (the return side's box was
// read at the barometric pressure by the settings dialog). Air is held
// below saturation at both and at the barometric pressure, which the
// relative humidity is shown at: with a negative static pressure that one
// saturates first, and the results must not show over 100 %.
//
// `enteredSaturated` says CheckInputs set the entry 0.1 °F below the dry
// bulb. Above about 0 °F that is within a few percent of saturation, but
// in colder air a wet bulb 0.1 °F down is far drier (at -60 °F it holds no
// water at all by the wet-bulb relation), so such air is set just below
// saturation too; the entry's correction has warned already.
void checkSaturation(const Work& work, Stream stream, double pressure, double conversionPressure,
                     bool enteredSaturated) {
  const CalcState& s = work.s;
  const double saturated = std::min({modPsych::SatGrains(stream.dryBulb, pressure),
                                     modPsych::SatGrains(stream.dryBulb, conversionPressure),
                                     modPsych::SatGrains(stream.dryBulb, s.Patm)});
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
  stream.moisture = modPsych::GrainsToMoist(stream.dryBulb, stream.humidityRatio,
                                            conversionPressure, s.MoistInKind);
  if (const auto si = moistureSI(stream.moisture, s.MoistInOption, s.SIUnits)) {
    stream.moistureSI = *si;
  }
  if (s.SIUnits == 0) {
    work.show(stream.box, stream.moisture, false);
  } else {
    work.show(stream.boxSI, stream.moistureSI, false);
  }
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

std::string moistureText(double moisture, std::int16_t kind) {
  return kind == modPsych::kDewPoint || kind == modPsych::kWetBulb
             ? platform::tidyText(static_cast<float>(moisture))
             : platform::tidyText(moisture);
}

SaturatedEntries CheckInputs(const Work& work) {
  const bool outdoorSet = checkStream(work, outdoor(work));
  return {.outdoor = outdoorSet, .returnAir = checkStream(work, returnAir(work))};
}

void CheckSaturation(const Work& work, SaturatedEntries entered) {
  const CalcState& s = work.s;
  checkSaturation(work, outdoor(work), s.PoaAbs, s.PoaAbs, entered.outdoor);
  checkSaturation(work, returnAir(work), s.PraAbs, s.Patm, entered.returnAir);
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
