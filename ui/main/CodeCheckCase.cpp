#include "ui/main/CodeCheckCase.h"

#include <cmath>

#include "platform/NumberText.h"
#include "ui/Calculate.h"
#include "ui/Windows.h"
#include "units/Units.h"

namespace ui {

namespace {

using ModCalc::CodeCheck;
using ModCalc::CodeCheckInputs;
using ModCalc::DesignAir;

std::string number(double value, std::string_view pattern) {
  return platform::formatNumber(value, pattern);
}

std::string verdict(bool pass) {
  return pass ? "pass" : "fail";
}

std::string verdictLine(const CodeCheck& check) {
  return std::string("Verdict: ") + (check.pass ? "PASS" : "FAIL");
}

std::string airText(const DesignAir& air, bool si) {
  const auto t = [si](float fahrenheit) { return designTemperatureText(fahrenheit, si); };
  const std::string unit = si ? " °C" : " °F";
  return "outdoor " + t(air.outdoorDryBulbF) + "/" + t(air.outdoorWetBulbF) + unit + ", return " +
         t(air.returnDryBulbF) + "/" + t(air.returnWetBulbF) + unit + " dry/wet bulb";
}

void errLine(std::vector<std::string>& lines, const char* name, const std::optional<double>& err,
             const DesignAir& air, bool si) {
  const std::string head = std::string("ERR at ") + name + " design (" + airText(air, si) + "): ";
  if (!err) {
    lines.push_back(head + "exempt in this climate zone");
    return;
  }
  lines.push_back(head + number(*err, "0.0%") + " against at least 50%: " +
                  verdict(*err >= ModCalc::kLeastEnthalpyRecoveryRatio));
}

}  // namespace

ModCalc::CodeCheckInputs& codeCheckInputs(Windows& windows) {
  if (!windows.codeCheck) {
    windows.codeCheck.emplace();
  }
  return *windows.codeCheck;
}

ModCalc::CodeCheck checkCase(const ModCalc::Engine& engine, const CodeCheckInputs& inputs,
                             const std::optional<std::string>& model) {
  ModCalc::Case c;
  try {
    c = ModCalc::readCase(engine);
  } catch (const ModCalc::CalcError& error) {
    CodeCheck unread;
    unread.code = inputs.code;
    unread.zone = inputs.zone;
    unread.error = error.what();
    unread.reasons = {error.what()};
    return unread;
  }
  if (model) {
    c.selectModel = false;
    c.model = *model;
  }
  return ModCalc::checkCode(c, engine.catalog, inputs);
}

std::string designTemperatureText(float fahrenheit, bool si) {
  return si ? platform::decimalText(std::round(units::celsius(fahrenheit) * 100) / 100)
            : platform::decimalText(fahrenheit);
}

std::vector<std::string> codeCheckLines(const CodeCheck& check, const CodeCheckInputs& inputs,
                                        bool si) {
  std::vector<std::string> lines;
  const bool ashrae = check.code == ModCalc::EnergyCode::Ashrae901_2019;
  lines.push_back(
      "Standard: " + std::string(ModCalc::energyCodeTitle(check.code)) +
      (ashrae ? " §6.5.6.1, climate zone " + check.zone + ", " +
                    (inputs.hours8000 ? "8,000 h a year or more" : "under 8,000 h a year") + ", " +
                    platform::decimalText(inputs.outdoorAirPercent) + "% outdoor air"
              : " from 2018, non-residential bidirectional unit"));
  if (check.error) {
    lines.push_back("Not checked: " + *check.error);
    return lines;
  }
  if (ashrae) {
    lines.push_back("Wheel " + check.model + ": " + number(check.supplyCfm, "#,##0") +
                    " scfm outdoor air; supply fan " + number(check.supplyFanCfm, "#,##0") +
                    " cfm");
    lines.push_back(std::string("Energy recovery ") +
                    (check.required ? "required" : "not required") + ": " +
                    check.requirement.decidedBy);
    errLine(lines, "cooling", check.errCooling, inputs.cooling, si);
    errLine(lines, "heating", check.errHeating, inputs.heating, si);
  } else {
    lines.push_back("Wheel " + check.model + ": nominal flow " +
                    number(*check.nominalFlowM3s, "0.000") + " m³/s (" +
                    number(check.supplyCfm, "#,##0") + " scfm)");
    lines.push_back("Thermal efficiency (EN 308: dry, balanced, 20 K): " +
                    number(*check.thermalEfficiency, "0.0%") + " against at least 73%: " +
                    verdict(*check.thermalEfficiency >= ModCalc::kLeastThermalEfficiency));
    lines.push_back(
        "SFPint (wheel pressure drops, fan efficiency " +
        platform::decimalText(inputs.fanEfficiencyPercent) +
        "%): " + number(*check.sfpInt, "#,##0") + " W/(m³/s) against at most " +
        number(*check.sfpIntLimit, "#,##0") + " W/(m³/s) (" +
        std::string(ModCalc::kFilterSetTitles[static_cast<std::size_t>(inputs.filters)]) +
        "): " + verdict(*check.sfpInt <= *check.sfpIntLimit));
  }
  lines.push_back(verdictLine(check));
  return lines;
}

std::vector<std::string> codeCheckReportLines(const CodeCheck& check,
                                              const CodeCheckInputs& inputs) {
  std::vector<std::string> lines = {"ENERGY CODE (" +
                                    std::string(ModCalc::energyCodeTitle(check.code)) + ")"};
  if (check.error) {
    lines.push_back("Not checked: " + *check.error);
    return lines;
  }
  if (check.code == ModCalc::EnergyCode::Ashrae901_2019) {
    lines.push_back("Zone " + check.zone + ", " +
                    (inputs.hours8000 ? "8,000 h or more" : "under 8,000 h") + ", " +
                    platform::decimalText(inputs.outdoorAirPercent) + "% outdoor air");
    lines.push_back(check.required ? "Energy recovery required" : "Energy recovery not required");
    const auto err = [](const std::optional<double>& value) {
      return value ? number(*value, "0.0%") : std::string("exempt");
    };
    lines.push_back("ERR cooling " + err(check.errCooling) + ", heating " + err(check.errHeating) +
                    " (at least 50%)");
  } else {
    lines.push_back("Nominal flow " + number(*check.nominalFlowM3s, "0.000") + " m³/s");
    lines.push_back("Thermal efficiency " + number(*check.thermalEfficiency, "0.0%") +
                    " (at least 73%)");
    lines.push_back("SFPint " + number(*check.sfpInt, "#,##0") + " W/(m³/s) (at most " +
                    number(*check.sfpIntLimit, "#,##0") + ")");
  }
  lines.push_back(verdictLine(check));
  return lines;
}

std::vector<std::string> zoneSuggestionLines(const ModCalc::ZoneSuggestion& suggestion,
                                             const std::string& weatherName) {
  std::vector<std::string> lines = {"Suggested: " + suggestion.zone + " (HDD18 " +
                                    number(suggestion.degreeDays.heating18C, "#,##0") + ", CDD10 " +
                                    number(suggestion.degreeDays.cooling10C, "#,##0") + " from " +
                                    weatherName + ")"};
  if (!suggestion.moisture.fromWeather) {
    lines.push_back(suggestion.moisture.letter + " is assumed (" + suggestion.moisture.why + "): " +
                    (suggestion.moisture.marineByTemperature
                         ? "pick B or C if the site is dry or marine."
                         : "pick B if the site is dry."));
  }
  return lines;
}

}  // namespace ui
