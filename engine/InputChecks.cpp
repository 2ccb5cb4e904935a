#include "engine/InputChecks.h"

#include <algorithm>
#include <string>

#include "psych/modPsych.h"
#include "units/Units.h"

namespace ModCalc {

namespace {

constexpr platform::Rgb kCondensingColor{128, 255, 255};

std::string oneDecimal(double value) {
  return platform::formatNumber(value, "##0.0");
}

// One air stream's entry as CheckInputs and CheckSaturation see it.
struct Stream {
  const char* name;  // "Outdoor" or "Return"
  double& moisture;
  double& moistureSI;
  double& humidityRatio;
  float dryBulb;
  platform::TextBox& box;
  platform::TextBox& boxSI;
};

Stream outdoor(Engine& engine) {
  CalcState& s = engine.state;
  InputsFields& in = engine.fields.inputs;
  return {"Outdoor", s.Moa, s.MoaSI, s.Woa, s.Toa, in.txtMoa, in.txtMoaSI};
}

Stream returnAir(Engine& engine) {
  CalcState& s = engine.state;
  InputsFields& in = engine.fields.inputs;
  return {"Return", s.Mra, s.MraSI, s.Wra, s.Tra, in.txtMra, in.txtMraSI};
}

std::string supersaturated(const Stream& stream) {
  return std::string(stream.name) + " air is supersaturated, saturated condition will be used ";
}

// Returns whether the entry was set below the dry bulb.
bool checkTemperature(Engine& engine, Stream stream, bool celsius) {
  stream.moisture = static_cast<float>(stream.moisture);
  const bool atOrAbove = stream.moisture >= stream.dryBulb;
  if (atOrAbove) {
    stream.moisture = stream.dryBulb - 0.1;
    engine.warn(supersaturated(stream));
    if (celsius) {
      stream.boxSI.setText(oneDecimal(units::celsius(stream.moisture)));
    } else {
      stream.box.setText(oneDecimal(stream.moisture));
    }
  }
  return atOrAbove;
}

// Grains per pound, entered as gr/lb (limit 200) or as g/kg (limit 30 g/kg,
// held as 210 gr/lb).
void checkGrains(Engine& engine, Stream stream, bool gramsPerKilogram) {
  const double limit = gramsPerKilogram ? 210 : 200;
  const double entered = stream.moisture;
  if (stream.moisture > limit) {
    stream.moisture = limit;
    engine.warn(std::string(stream.name) + (gramsPerKilogram
                                                ? " air exceeded 30 g/kg.  30 will be used."
                                                : " air exceeded 200 gr/lb.  200 will be used."));
  }
  if (stream.moisture <= 0) {
    stream.moisture = 0.1;
    engine.warn(std::string(stream.name) +
                " air grain loading was 0 or less and has been increased to 0.1 ");
  }
  // A box rewritten to one decimal would give the next run another case.
  if (stream.moisture == entered) {
    return;
  }
  if (gramsPerKilogram) {
    stream.boxSI.setText(platform::tidyText(stream.moisture / units::kGrainsPerGramPerKilogram));
  } else {
    stream.box.setText(platform::tidyText(stream.moisture));
  }
}

void checkRelativeHumidity(Engine& engine, Stream stream) {
  const double entered = stream.moisture;
  if (stream.moisture >= 100) {
    stream.moisture = 99.9;
    engine.warn(supersaturated(stream));
  }
  if (stream.moisture <= 0) {
    engine.warn(std::string(stream.name) + " air %RH was less than 0 and has been set to 0.1");
    stream.moisture = 0.1;
  }
  if (stream.moisture != entered) {
    stream.box.setText(platform::tidyText(stream.moisture));
  }
}

// Returns whether a dew point or wet bulb was set below the dry bulb.
bool checkStream(Engine& engine, const Stream& stream) {
  switch (engine.state.MoistInOption) {
    case 1:
    case 2:
      return checkTemperature(engine, stream, false);
    case 5:
    case 6:
      return checkTemperature(engine, stream, true);
    case 3:
      checkGrains(engine, stream, false);
      break;
    case 7:
      checkGrains(engine, stream, true);
      break;
    case 4:
      checkRelativeHumidity(engine, stream);
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
void checkSaturation(Engine& engine, Stream stream, double pressure, double conversionPressure,
                     bool enteredSaturated) {
  const CalcState& s = engine.state;
  const double saturated = std::min({modPsych::SatGrains(stream.dryBulb, pressure),
                                     modPsych::SatGrains(stream.dryBulb, conversionPressure),
                                     modPsych::SatGrains(stream.dryBulb, s.Patm)});
  const bool tooDry = enteredSaturated && stream.humidityRatio < 0.95 * saturated;
  if (!(stream.humidityRatio > saturated) && !tooDry) {
    return;
  }
  if (!tooDry) {
    engine.warn(supersaturated(stream));
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
    stream.box.setText(oneDecimal(stream.moisture));
  } else {
    stream.boxSI.setText(oneDecimal(stream.moistureSI));
  }
}

bool isTemperature(std::int16_t option, bool si) {
  return si ? option == 5 || option == 6 : option == 1 || option == 2;
}

}  // namespace

AirEntries readAirEntries(const DialogFields& fields, std::int16_t option, std::int16_t siUnits) {
  const InputsFields& in = fields.inputs;
  const SettingsFields& settings = fields.settings;
  const bool si = siUnits == 1;
  const Bounds dryBulb = si ? limits::kCelsius : limits::kFahrenheit;
  const std::optional<Bounds> moisture =
      isTemperature(option, si) ? std::optional(dryBulb) : std::nullopt;
  const auto site = [si](const TextBox& box, std::string_view what, const Bounds& bounds) {
    return si ? readNumber<double>(box, what, bounds) : readNumber<float>(box, what, bounds);
  };
  return {
      .toa = readEntry<float>(in.txtToa, in.txtToaSI, si, "the outdoor air dry bulb", dryBulb),
      .tra = readEntry<float>(in.txtTra, in.txtTraSI, si, "the return air dry bulb", dryBulb),
      .moa = readEntry<double>(in.txtMoa, in.txtMoaSI, si, "the outdoor air moisture", moisture),
      .mra = readEntry<double>(in.txtMra, in.txtMraSI, si, "the return air moisture", moisture),
      .elevation = site(settings.txtElev, "the elevation",
                        si ? limits::kElevationMetres : limits::kElevationFeet),
      .poa = site(settings.txtPoa, "the outdoor air static pressure",
                  si ? limits::kStaticPascals : limits::kStaticInchesOfWater),
      .pra = site(settings.txtPra, "the return air static pressure",
                  si ? limits::kReturnStaticPascals : limits::kReturnStaticInchesOfWater),
  };
}

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

SaturatedEntries CheckInputs(Engine& engine) {
  const bool outdoorSet = checkStream(engine, outdoor(engine));
  return {.outdoor = outdoorSet, .returnAir = checkStream(engine, returnAir(engine))};
}

void CheckSaturation(Engine& engine, SaturatedEntries entered) {
  const CalcState& s = engine.state;
  checkSaturation(engine, outdoor(engine), s.PoaAbs, s.PoaAbs, entered.outdoor);
  checkSaturation(engine, returnAir(engine), s.PraAbs, s.Patm, entered.returnAir);
}

void CheckSupplySaturation(Engine& engine) {
  const CalcState& s = engine.state;
  platform::Label& relativeHumidity = engine.fields.main.lblWsa[2];
  const double saturated =
      std::min(modPsych::SatGrains(s.Tsa, s.PoaAbs), modPsych::SatGrains(s.Tsa, s.Patm));
  if (!(s.Wsa > saturated)) {
    relativeHumidity.setBackColor(std::nullopt);
    return;
  }
  if (relativeHumidity.backColor() != kCondensingColor) {
    engine.warn("Supply air is supersaturated, condensation or frost may occur.");
  }
  relativeHumidity.setBackColor(kCondensingColor);
}

void CheckFrost(Engine& engine) {
  const CalcState& s = engine.state;
  MainFields& main = engine.fields.main;
  // Saturated at the exhaust side's pressure or at the barometric one its
  // relative humidity is shown at, whichever holds less water.
  const double saturated =
      std::min(modPsych::SatGrains(s.Tea, s.PraAbs), modPsych::SatGrains(s.Tea, s.Patm));
  if (s.Tea <= units::kFreezingFahrenheit && s.Wea > saturated) {
    if (!main.lblFrost.visible()) {
      engine.warn("Exhaust air is supersaturated, frost buildup may occur.");
    }
    main.lblFrost.setVisible(true);
    main.lblFrost.setCaption("Frost");
    main.cmdFrostSpeed.setVisible(true);
  }
  if (s.Tea > units::kFreezingFahrenheit && s.Wea > saturated) {
    main.lblFrost.setVisible(false);
    main.cmdFrostSpeed.setVisible(false);
    main.lblWea[2].setBackColor(kCondensingColor);
  }
  if (s.Wea <= saturated) {
    main.lblFrost.setVisible(false);
    main.cmdFrostSpeed.setVisible(false);
    // The window's own background: only condensation stands out.
    main.lblWea[2].setBackColor(std::nullopt);
  }
}

}  // namespace ModCalc
