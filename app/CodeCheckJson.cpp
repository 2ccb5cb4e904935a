#include "app/CodeCheckJson.h"

#include <optional>

namespace ktr {

namespace {

nlohmann::ordered_json orNull(const std::optional<double>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

}  // namespace

nlohmann::ordered_json codeCheckJson(const ModCalc::CodeCheck& check,
                                     const ModCalc::CodeCheckInputs& inputs) {
  const bool ashrae = check.code == ModCalc::EnergyCode::Ashrae901_2019;
  nlohmann::ordered_json json = {
      {"standard", ModCalc::energyCodeName(check.code)},
      {"zone", check.zone},
      {"hours_8000", inputs.hours8000},
      {"outdoor_air_percent", inputs.outdoorAirPercent},
      {"model", check.model},
      {"required", check.required},
      {"decided_by", ashrae ? nlohmann::ordered_json(check.requirement.decidedBy) : nullptr},
      {"supply_fan_cfm",
       ashrae && !check.error ? nlohmann::ordered_json(check.supplyFanCfm) : nullptr},
      {"err_cooling", orNull(check.errCooling)},
      {"err_heating", orNull(check.errHeating)},
      {"thermal_efficiency", orNull(check.thermalEfficiency)},
      {"nominal_flow_m3s", orNull(check.nominalFlowM3s)},
      {"sfp_int", orNull(check.sfpInt)},
      {"sfp_int_limit", orNull(check.sfpIntLimit)},
      {"pass", check.pass},
      {"reasons", check.reasons},
  };
  return json;
}

}  // namespace ktr
