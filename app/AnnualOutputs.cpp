#include "app/AnnualOutputs.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "app/CatalogLocations.h"
#include "platform/NumberText.h"
#include "units/Units.h"

namespace ktr {

namespace {

constexpr double kBtuPerTon = 12000;

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// Energy, Btu, as kBtu or kWh; a rate, Btu/h, as MBH or kW.
double energy(double btu, bool si) {
  return si ? btu * units::kKilowattsPerBtuPerHour : btu / 1000;
}
const char* energyUnit(bool si) {
  return si ? "kWh" : "kBtu";
}
const char* powerUnit(bool si) {
  return si ? "kW" : "MBH";
}

nlohmann::ordered_json figuresJson(const std::vector<AnnualFigure>& figures) {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  for (const AnnualFigure& f : figures) {
    json[f.key] = f.value;
  }
  return json;
}

}  // namespace

std::vector<AnnualFigure> annualFigures(const ModCalc::EnergyTotals& t,
                                        const ModCalc::OperationModel& op, bool si) {
  const ModCalc::Savings s = ModCalc::savings(t, op);
  const char* e = energyUnit(si);
  return {
      {"heating_recovered", "Heating recovered", e, energy(t.heatingBtu(), si)},
      {"heating_sensible", "Heating recovered, sensible", e, energy(t.heatingSensibleBtu, si)},
      {"heating_latent", "Heating recovered, latent", e, energy(t.heatingLatentBtu, si)},
      {"cooling_recovered", "Cooling recovered", e, energy(t.coolingBtu(), si)},
      {"cooling_sensible", "Cooling recovered, sensible", e, energy(t.coolingSensibleBtu, si)},
      {"cooling_latent", "Cooling recovered, latent", e, energy(t.coolingLatentBtu, si)},
      {"fan_energy", "Fan energy added", "kWh", t.fanKWh},
      {"net_energy", "Net purchased energy saved", e, energy(s.netKBtu * 1000, si)},
      {"cost_saved", "Cost saved", "currency", s.costSaved},
      {"heating_peak", "Peak heating recovered", powerUnit(si), energy(t.heatingPeakBtuh, si)},
      {"cooling_peak", "Peak cooling recovered", powerUnit(si), energy(t.coolingPeakBtuh, si)},
      {"preheat_energy", "Frost preheat energy", e, energy(t.preheatBtu, si)},
      {"frost_recovery_lost", "Recovery given up to frost control", e, energy(t.frostLostBtu, si)},
      {"water_recovered", "Water recovered", si ? "kg" : "lb",
       si ? t.waterLb / units::kPoundsPerKilogram : t.waterLb},
      {"frost_hours", "Frost hours", "h", static_cast<double>(t.frostHours)},
      {"frost_persists_hours", "Hours frost control could not end frost", "h",
       static_cast<double>(t.frostPersistsHours)},
      {"economizer_hours", "Economizer hours", "h", static_cast<double>(t.economizerHours)},
      {"operating_hours", "Operating hours", "h", static_cast<double>(t.operatingHours)},
      {"unrated_hours", "Hours not rated", "h", static_cast<double>(t.unratedHours)},
  };
}

const AnnualFigure& annualFigure(const std::vector<AnnualFigure>& figures, std::string_view key) {
  return *std::find_if(figures.begin(), figures.end(),
                       [key](const AnnualFigure& f) { return key == f.key; });
}

std::vector<AnnualFigure> annualDesignFigures(const ModCalc::DesignSavings& d, bool si) {
  return {
      {"cooling_capacity_saved", "Cooling capacity saved", powerUnit(si),
       energy(d.coolingBtuh, si)},
      {"cooling_capacity_saved_tons", "Cooling capacity saved", "tons", d.coolingBtuh / kBtuPerTon},
      {"heating_capacity_saved", "Heating capacity saved", powerUnit(si),
       energy(d.heatingBtuh, si)}};
}

std::variant<ModCalc::Weather, std::string> readWeather(const std::string& path) {
  if (!path.empty()) {
    return ModCalc::readWeatherFile(path);
  }
  const auto candidates = catalogCandidates(KTR_DEFAULT_WEATHER);
  for (const std::filesystem::path& candidate : candidates) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) {
      return ModCalc::readWeatherFile(candidate.string());
    }
  }
  return std::string("The built-in weather file " KTR_DEFAULT_WEATHER
                     " was not found in the current folder, in " KTR_DATA_DIR
                     " or beside the program; name a weather file.");
}

std::string annualSummary(const ModCalc::AnnualResult& year, const ModCalc::Weather& weather,
                          const ModCalc::OperationModel& op, bool si) {
  const std::vector<AnnualFigure> figures = annualFigures(year.year, op, si);
  const auto shown = [](const AnnualFigure& f, const char* pattern) {
    return platform::formatNumber(f.value, pattern) + " " + f.unit;
  };
  std::string text = year.model + " over " + weather.location + " saves " +
                     platform::formatNumber(annualFigure(figures, "cost_saved").value, "#,##0") +
                     " a year at the prices entered, net " +
                     shown(annualFigure(figures, "net_energy"), "#,##0") + " of purchased energy.";
  if (year.design) {
    const std::vector<AnnualFigure> design = annualDesignFigures(*year.design, si);
    text += " Plant capacity saved at the design conditions: cooling " +
            shown(annualFigure(design, "cooling_capacity_saved"), "#,##0.0") + " (" +
            shown(annualFigure(design, "cooling_capacity_saved_tons"), "#,##0.0") + "), heating " +
            shown(annualFigure(design, "heating_capacity_saved"), "#,##0.0") + ".";
  }
  if (year.year.unratedHours > 0) {
    text += " " + std::to_string(year.year.unratedHours) +
            " occupied hours could not be rated and count as no recovery.";
  }
  text += year.paybackYears
              ? " Payback " + platform::formatNumber(*year.paybackYears, "#,##0.0") + " years."
          : op.firstCost > 0 ? " No payback: the wheel saves nothing."
                             : " No first cost was entered for a payback.";
  return text;
}

std::string operationText(const ModCalc::OperationModel& op, bool si) {
  const auto temperature = [si](double f) {
    return fixed(si ? units::celsius(f) : f, 1) + (si ? " °C" : " °F");
  };
  const auto hour = [](int h) { return std::to_string(h) + ":00"; };
  constexpr const char* kFrost[] = {"a slower wheel", "preheat to ", "a bypass"};
  std::string text = "occupied " + hour(op.occupiedFrom) + " to " + hour(op.occupiedTo) +
                     (op.weekendsOccupied ? " every day" : " on weekdays") + "; return air ";
  text += op.caseReturnAir
              ? std::string("as the case's")
              : temperature(op.coolingReturnF) + " / " + fixed(op.coolingReturnRhPct, 0) +
                    " % RH in cooling, " + temperature(op.heatingReturnF) + " / " +
                    fixed(op.heatingReturnRhPct, 0) + " % RH in heating";
  text += op.economizer ? "; economizer between " + temperature(op.economizerLowF) + " and " +
                              temperature(op.economizerHighF)
                        : std::string("; no economizer");
  text += std::string("; frost met by ") + kFrost[static_cast<int>(op.frost)] +
          (op.frost == ModCalc::FrostControl::Preheat ? temperature(op.preheatF) : "");
  text += "; fan efficiency " + fixed(op.fanEfficiency, 2) + ", motor " +
          fixed(op.motorEfficiency, 2) + "; electricity " + fixed(op.electricityPerKWh, 3) +
          " per kWh, fuel " + fixed(op.fuelPerTherm, 2) + " per therm, cooling COP " +
          fixed(op.coolingCop, 2) + ", heating efficiency " + fixed(op.heatingEfficiency, 2) +
          ", first cost " + platform::formatNumber(op.firstCost, "#,##0") + ".";
  return text;
}

std::string annualText(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op,
                       bool si) {
  // Each column's figure and its heading.
  constexpr std::pair<const char*, const char*> kColumns[] = {{"heating_recovered", "Heating"},
                                                              {"cooling_recovered", "Cooling"},
                                                              {"fan_energy", "Fan"},
                                                              {"net_energy", "Net"},
                                                              {"cost_saved", "Cost saved"},
                                                              {"frost_hours", "Frost"},
                                                              {"economizer_hours", "Economizer"},
                                                              {"operating_hours", "Operating"}};
  const std::vector<AnnualFigure> units = annualFigures(year.year, op, si);
  std::string text = "Model " + year.model + "; " + operationText(op, si) + "\n\nMonth";
  std::string unitLine = "     ";
  for (const auto& [key, heading] : kColumns) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%12s", heading);
    text += cell;
    std::snprintf(cell, sizeof cell, "%12s", annualFigure(units, key).unit.c_str());
    unitLine += cell;
  }
  text += "\n" + unitLine + "\n";
  const auto row = [&](const char* name, const ModCalc::EnergyTotals& t) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%-5s", name);
    text += cell;
    const std::vector<AnnualFigure> figures = annualFigures(t, op, si);
    for (const auto& column : kColumns) {
      std::snprintf(cell, sizeof cell, "%12.0f", annualFigure(figures, column.first).value);
      text += cell;
    }
    text += "\n";
  };
  for (std::size_t m = 0; m < 12; ++m) {
    row(kMonthAbbreviations[m], year.months[m]);
  }
  row("Year", year.year);
  if (year.design) {
    for (const AnnualFigure& f : annualDesignFigures(*year.design, si)) {
      text += std::string(f.caption) + ": " + fixed(f.value, 1) + " " + f.unit + "\n";
    }
  }
  text += "Payback: " +
          (year.paybackYears ? fixed(*year.paybackYears, 1) + " years"
                             : std::string(op.firstCost > 0 ? "none: nothing is saved"
                                                            : "no first cost entered")) +
          "\n";
  return text;
}

ModCalc::AnnualResult modelYear(ModCalc::Case c, const std::string& model,
                                const ModCalc::Weather& weather, const ModCalc::OperationModel& op,
                                const ModCalc::ModelCatalog& catalog) {
  c.selectModel = false;
  c.model = model;
  ModCalc::AnnualResult year = ModCalc::rateYear(c, weather, op, catalog);
  year.hours = {};  // a year of hours per model is more than a comparison keeps
  return year;
}

std::variant<ComparedYears, std::string> compareYears(
    const ModCalc::Case& c, const std::vector<std::string>& models, const std::string& weatherPath,
    const ModCalc::OperationModel& op, const ModCalc::ModelCatalog& catalog, bool si) {
  const auto read = readWeather(weatherPath);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    return *problem;
  }
  const ModCalc::Weather& weather = std::get<ModCalc::Weather>(read);
  ComparedYears compared;
  for (const std::string& model : models) {
    const ModCalc::AnnualResult year = modelYear(c, model, weather, op, catalog);
    if (year.error) {
      compared.models.emplace_back();
      continue;
    }
    const std::vector<AnnualFigure> figures = annualFigures(year.year, op, si);
    compared.models.push_back(YearSavings{annualFigure(figures, "cost_saved").value,
                                          annualFigure(figures, "net_energy").value,
                                          year.paybackYears});
  }
  return compared;
}

std::string annualComparisonCsv(const ModCalc::Case& c, const ModCalc::Weather& weather,
                                const ModCalc::OperationModel& op,
                                const ModCalc::ModelCatalog& catalog, bool si) {
  constexpr const char* kKeys[] = {"net_energy",        "cost_saved", "heating_recovered",
                                   "cooling_recovered", "fan_energy", "frost_hours",
                                   "operating_hours"};
  const std::vector<AnnualFigure> units = annualFigures({}, op, si);
  std::string csv = "model";
  for (const char* key : kKeys) {
    csv += std::string(",") + key + "_" + annualFigure(units, key).unit;
  }
  csv += ",payback_years,message\r\n";
  for (std::size_t row = 1; row <= static_cast<std::size_t>(catalog.ModelCount); ++row) {
    const ModCalc::AnnualResult year = modelYear(c, catalog.ModelName[row], weather, op, catalog);
    csv += catalog.ModelName[row];
    const std::vector<AnnualFigure> figures = annualFigures(year.year, op, si);
    for (const char* key : kKeys) {
      csv += "," + (year.error ? std::string() : fixed(annualFigure(figures, key).value, 1));
    }
    csv += "," + (year.paybackYears ? fixed(*year.paybackYears, 2) : std::string());
    // The reason quoted, its quotes doubled, as a CSV field.
    std::string message;
    for (const char ch : year.error.value_or("")) {
      message += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    }
    csv += ",\"" + message + "\"\r\n";
  }
  return csv;
}

std::string annualCsv(const ModCalc::AnnualResult& year, const ModCalc::Weather& weather, bool si) {
  const char* t = si ? "_C" : "_F";
  const char* w = si ? "_gkg" : "_grlb";
  const char* q = si ? "_kw" : "_btuh";
  std::string csv = std::string("month,day,hour,occupied,economizer,frost,operating,") +
                    "outdoor_dry_bulb" + t + ",outdoor_humidity_ratio" + w + ",return_dry_bulb" +
                    t + ",return_humidity_ratio" + w + ",supply_dry_bulb" + t +
                    ",supply_humidity_ratio" + w + ",wheel_rpm,heat_sensible" + q + ",heat_latent" +
                    q + ",heat_total" + q + ",fan_kw,preheat" + q + "\r\n";
  const auto temperature = [si](double f) { return fixed(si ? units::celsius(f) : f, 2); };
  const auto ratio = [si](double grains) {
    return fixed(si ? grains / units::kGrainsPerGramPerKilogram : grains, 3);
  };
  const auto rate = [si](double btuh) {
    return si ? fixed(btuh * units::kKilowattsPerBtuPerHour, 4) : fixed(btuh, 1);
  };
  for (std::size_t k = 0; k < year.hours.size(); ++k) {
    const ModCalc::HourResult& h = year.hours[k];
    const ModCalc::WeatherHour& when = weather.hours[k];
    const auto flag = [](bool b) { return b ? std::string("1") : std::string("0"); };
    csv += std::to_string(when.month) + "," + std::to_string(when.day) + "," +
           std::to_string(when.hour) + "," + flag(h.occupied) + "," + flag(h.economizer) + "," +
           flag(h.frost) + "," + flag(h.operating) + "," + temperature(h.outdoorF) + "," +
           ratio(h.outdoorGrains) + "," + (h.occupied ? temperature(h.returnF) : "") + "," +
           (h.occupied ? ratio(h.returnGrains) : "") + "," +
           (h.occupied ? temperature(h.supplyF) : "") + "," +
           (h.occupied ? ratio(h.supplyGrains) : "") + "," + fixed(h.wheelRpm, 2) + "," +
           rate(h.sensibleBtuh) + "," + rate(h.latentBtuh) + "," + rate(h.totalBtuh) + "," +
           fixed(h.fanKW, 4) + "," + rate(h.preheatBtuh) + "\r\n";
  }
  return csv;
}

nlohmann::ordered_json annualJson(const ModCalc::AnnualResult& year,
                                  const ModCalc::Weather& weather,
                                  const ModCalc::OperationModel& op, bool si) {
  nlohmann::ordered_json units = nlohmann::ordered_json::object();
  for (const AnnualFigure& f : annualFigures(year.year, op, si)) {
    units[f.key] = f.unit;
  }
  for (const AnnualFigure& f : annualDesignFigures({}, si)) {
    units[f.key] = f.unit;
  }
  units["payback"] = "years";
  nlohmann::ordered_json months = nlohmann::ordered_json::array();
  for (std::size_t m = 0; m < 12; ++m) {
    nlohmann::ordered_json month = {{"month", m + 1}};
    month.update(figuresJson(annualFigures(year.months[m], op, si)));
    months.push_back(month);
  }
  nlohmann::ordered_json total = figuresJson(annualFigures(year.year, op, si));
  total["payback"] = year.paybackYears ? nlohmann::ordered_json(*year.paybackYears) : nullptr;
  return {{"model", year.model},
          {"weather", {{"location", weather.location}, {"hours", weather.hours.size()}}},
          {"units", units},
          {"months", months},
          {"year", total},
          {"design", year.design ? figuresJson(annualDesignFigures(*year.design, si))
                                 : nlohmann::ordered_json(nullptr)}};
}

}  // namespace ktr
