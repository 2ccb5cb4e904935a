#pragma once

// One case to rate, as plain values: what the engineer entered, the settings
// the rating depends on and the custom wheel. Quantities are in the engine's
// inch-pound units (°F, gr/lb or %RH, cfm, in. w.c., inches) unless the name
// says otherwise; widths follow the state fields they become.

#include <cstdint>
#include <optional>
#include <string>

#include "engine/CalcState.h"

namespace ModCalc {

enum class WheelLine : std::int16_t { TotalEnergy, SensibleOnly };

// Catalog row 0: the wheel the override dialog describes.
struct CustomWheel {
  std::string name;
  float diameterIn = 0;
  float depthIn = 0;
  std::int16_t spokes = 0;
  float hubDiameterIn = 0;
  float rpm = 0;
  float casingHeightIn = 0;
  float casingWidthIn = 0;
  float casingDepthIn = 0;
  std::string motorHP;
  // As last sized: the dialog sizes the face with pi at 3.1415, a selection
  // resizes it (and its purge) with 3.14, and a listed custom wheel is rated
  // with whichever came last.
  float faceAreaFt2 = 0;
  float purgeCfm = 0;
};

struct Case {
  std::string title;

  // Settings.
  std::int16_t SIUnits = 0;  // 0 inch-pound, 1 SI: which boxes the entries came from
  std::int16_t SIFlowUnit = 0;
  float SIFlowFactor = 0;  // cfm per SI flow unit
  std::int16_t PrivateLabel = 0;
  WheelLine line = WheelLine::TotalEnergy;
  VolumeBasis flowBasis = VolumeBasis::SupplyActual;
  std::int16_t MoistInOption = 2;  // 1..7; 5..7 are the SI forms of 1..3
  float MatrixFactor = 0;

  // Site.
  float elevationFt = 0;
  float outdoorStaticInWC = 0;
  float outdoorStaticPa = 0;
  float returnStaticInWC = 0;
  float returnStaticPa = 0;

  // Air: moistures in the inch-pound form of the humidity option (°F dew
  // point or wet bulb, gr/lb, %RH).
  float outdoorDryBulbF = 0;
  float returnDryBulbF = 0;
  double outdoorMoisture = 0;
  double returnMoisture = 0;
  // The SI entries as last shown; a correction in SI units rewrites them.
  double outdoorMoistureSI = 0;
  double returnMoistureSI = 0;
  double mainVolumeCfm = 0;  // meaning by flowBasis
  float returnVolumeCfm = 0;

  // Wheel.
  float wheelSpeedRpm = 0;  // as typed, kept even when not fixed
  bool fixedSpeed = false;
  std::optional<float> purgeAngleDeg;
  std::optional<float> fluteMils;  // 45, 62 or 94 when the flute is fixed
  bool sensibleOverridden = false;
  bool latentOverridden = false;
  float sensibleOverridePct = 0;
  float latentOverridePct = 0;

  // Model: selected for the volumes, or the one named.
  bool selectModel = true;
  std::string model;
  bool customOnly = false;     // rate the custom wheel, whatever the volumes
  bool listAllModels = false;  // the selection offers every model
  CustomWheel custom;
};

// Folds the humidity input option 1..7 to the kind the engine works in
// (1 dew point, 2 wet bulb, 3 humidity ratio, 4 relative humidity).
constexpr std::int16_t moistureKind(std::int16_t option) {
  return option > 4 ? static_cast<std::int16_t>(option - 4) : option;
}

}  // namespace ModCalc
