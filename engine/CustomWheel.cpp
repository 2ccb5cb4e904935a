#include "engine/CustomWheel.h"

#include <string>

#include "platform/NumberText.h"

namespace ModCalc {

void sizeCustomWheel(CustomWheel& wheel) {
  wheel.name =
      "Custom " + platform::decimalText(wheel.diameterIn) + platform::decimalText(wheel.depthIn);
  // The annulus between hub and rim, less a strip a quarter inch wide across
  // the diameter for the spokes. Pi is 3.1415 here, not the 3.14 of the
  // selection's face area: custom wheels already quoted were sized with it.
  const double d = wheel.diameterIn;
  const double h = wheel.hubDiameterIn;
  wheel.faceAreaFt2 =
      static_cast<float>(((d / 24) * (d / 24) - (h / 24) * (h / 24)) * 3.1415 - (0.25 / 12) * d);
}

CustomWheel customWheelOf(const ModelCatalog& c) {
  return {
      .name = c.ModelName[0],
      .diameterIn = c.WheelDiam[0],
      .depthIn = c.WheelDepth[0],
      .spokes = c.SpokeCount[0],
      .hubDiameterIn = c.HubDiam[0],
      .rpm = c.ModelRpm[0],
      .casingHeightIn = c.CasHeight[0],
      .casingWidthIn = c.CasWidth[0],
      .casingDepthIn = c.CasDepth[0],
      .motorHP = c.MotorHP[0],
      .faceAreaFt2 = c.ModelFaceArea[0],
      .purgeCfm = c.ModelPurgeCfm[0],
  };
}

void storeCustomWheel(const CustomWheel& wheel, ModelCatalog& c) {
  c.ModelName[0] = wheel.name;
  c.WheelDiam[0] = wheel.diameterIn;
  c.WheelDepth[0] = wheel.depthIn;
  c.SpokeCount[0] = wheel.spokes;
  c.HubDiam[0] = wheel.hubDiameterIn;
  c.ModelRpm[0] = wheel.rpm;
  c.CasHeight[0] = wheel.casingHeightIn;
  c.CasWidth[0] = wheel.casingWidthIn;
  c.CasDepth[0] = wheel.casingDepthIn;
  c.MotorHP[0] = wheel.motorHP;
  c.ModelFaceArea[0] = wheel.faceAreaFt2;
  c.ModelPurgeCfm[0] = wheel.purgeCfm;
  c.ModelExtra[0] = std::string{};
}

float customPurgeEstimate(float depthIn, float faceAreaFt2, float matrixFactor) {
  return static_cast<float>(static_cast<double>(depthIn) * faceAreaFt2 * matrixFactor / 12 * 45);
}

}  // namespace ModCalc
