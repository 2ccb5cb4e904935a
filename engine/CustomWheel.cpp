#include "engine/CustomWheel.h"

#include <cstdint>
#include <string>

#include "platform/NumberText.h"

namespace ModCalc {
namespace {

// The override dialog's numbers, all read before row 0 is touched.
struct CustomBoxes {
  float diam;
  float depth;
  std::int16_t spokes;
  float hub;
  float rpm;
  float casHeight;
  float casWidth;
  float casDepth;
  float esOverride;
  float elOverride;
};

using limits::kEffectiveness;
using limits::kWheelSize;

std::int16_t readSpokes(const platform::TextBox& box) {
  const double count =
      readNumber<double>(box, "the custom wheel's number of spokes", limits::kSpokes);
  return *platform::toInteger16(count);
}

float readHub(const platform::TextBox& box, float diameter) {
  return readNumber<float>(box, "the custom wheel's hub diameter",
                           Bounds{.low = 0, .high = diameter, .highIncluded = false, .unit = "in"});
}

// In the order the boxes are taken, so the first box without a number is
// the one named.
CustomBoxes readBoxes(const DialogFields& fields) {
  const OverrideFields& o = fields.overrides;
  const float diam = readNumber<float>(o.txtWheelDiam, "the custom wheel's diameter", kWheelSize);
  return CustomBoxes{
      .diam = diam,
      .depth = readNumber<float>(o.txtWheelDepth, "the custom wheel's depth", kWheelSize),
      .spokes = readSpokes(o.txtSpokes),
      .hub = readHub(o.txtHubDiam, diam),
      .rpm = readNumber<float>(fields.inputs.txtWheelSpeed, "the wheel speed", limits::kWheelSpeed),
      .casHeight =
          readNumber<float>(o.txtCasHeight, "the custom wheel's cassette height", kWheelSize),
      .casWidth = readNumber<float>(o.txtCasWidth, "the custom wheel's cassette width", kWheelSize),
      .casDepth = readNumber<float>(o.txtCasDepth, "the custom wheel's cassette depth", kWheelSize),
      .esOverride =
          readNumber<float>(o.txtESOR, "the sensible effectiveness override", kEffectiveness),
      .elOverride =
          readNumber<float>(o.txtELOR, "the latent effectiveness override", kEffectiveness),
  };
}

}  // namespace

bool AutoSelect(Engine& engine) {
  CustomBoxes boxes{};
  try {
    boxes = readBoxes(engine.fields);
  } catch (const CalcError& error) {
    engine.messages.show(error.what(), "Error", platform::MessageIcon::Exclamation);
    return false;
  }

  ModelCatalog& c = engine.catalog;
  c.WheelDiam[0] = boxes.diam;
  c.WheelDepth[0] = boxes.depth;
  c.ModelName[0] =
      "Custom " + platform::decimalText(boxes.diam) + platform::decimalText(boxes.depth);
  c.SpokeCount[0] = boxes.spokes;
  c.HubDiam[0] = boxes.hub;
  c.ModelRpm[0] = boxes.rpm;
  c.MotorHP[0] = engine.fields.overrides.txtHP.text();
  c.CasHeight[0] = boxes.casHeight;
  c.CasWidth[0] = boxes.casWidth;
  c.CasDepth[0] = boxes.casDepth;
  c.ModelExtra[0] = std::string{};
  // The annulus between hub and rim, less a strip a quarter inch wide across
  // the diameter for the spokes. Pi is 3.1415 here, not the 3.14 of the
  // selection's face area: custom wheels already quoted were sized with it.
  const double d = c.WheelDiam[0];
  const double h = c.HubDiam[0];
  c.ModelFaceArea[0] =
      static_cast<float>(((d / 24) * (d / 24) - (h / 24) * (h / 24)) * 3.1415 - (0.25 / 12) * d);

  engine.state.EsOverride = boxes.esOverride;
  engine.state.ElOverride = boxes.elOverride;
  if (engine.fields.overrides.chkAutoSelect.value() == 1) {
    engine.state.ModelSelected = 0;
  }
  return true;
}

float customPurgeEstimate(const ModelCatalog& catalog, float matrixFactor) {
  return static_cast<float>(static_cast<double>(catalog.WheelDepth[0]) * catalog.ModelFaceArea[0] *
                            matrixFactor / 12 * 45);
}

}  // namespace ModCalc
