#pragma once

// Does the wheel meet an energy code? ASHRAE 90.1-2019 §6.5.6.1 (is exhaust
// air energy recovery required, and does the wheel reach the enthalpy
// recovery ratio at the design conditions) or EU Regulation 1253/2014 (the
// thermal efficiency and the internal specific fan power of a non-residential
// bidirectional unit, from 1 January 2018). Every figure comes from rating the
// case at the condition the rule names.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Case.h"
#include "engine/Rating.h"

namespace ModCalc {

enum class EnergyCode : std::int16_t { Ashrae901_2019, Eu1253_2014 };

// The names ktr-calc and the project file use.
std::string_view energyCodeName(EnergyCode code);
std::optional<EnergyCode> energyCodeNamed(std::string_view name);
// As the windows and the report show it.
std::string_view energyCodeTitle(EnergyCode code);

// The climate zones of ASHRAE 169 as 90.1-2019 lists them (7 and 8 have no
// moisture regime there).
inline constexpr std::array<std::string_view, 19> kClimateZones = {
    "0A", "0B", "1A", "1B", "2A", "2B", "3A", "3B", "3C", "4A",
    "4B", "4C", "5A", "5B", "5C", "6A", "6B", "7",  "8"};
bool isClimateZone(std::string_view zone);

// The filters against the reference configuration of EU 1253/2014 (a fine
// filter on the supply side, a medium one on the exhaust side).
enum class FilterSet : std::int16_t { MediumAndFine, MediumMissing, FineMissing, BothMissing };
inline constexpr std::array<std::string_view, 4> kFilterSetTitles = {
    "Medium and fine filter", "Medium filter missing", "Fine filter missing",
    "Medium and fine filter missing"};

// One design condition: dry bulb and coincident wet bulb, °F.
struct DesignAir {
  float outdoorDryBulbF = 0;
  float outdoorWetBulbF = 0;
  float returnDryBulbF = 0;
  float returnWetBulbF = 0;
  bool operator==(const DesignAir&) const = default;
};

struct CodeCheckInputs {
  EnergyCode code = EnergyCode::Ashrae901_2019;
  std::string zone = "5A";
  bool hours8000 = false;             // the system runs 8,000 h a year or more
  double outdoorAirPercent = 100;     // of the supply fan's design airflow
  DesignAir cooling{95, 78, 75, 63};  // typed, or from a weather file's design days
  DesignAir heating{0, -1, 70, 58};
  double fanEfficiencyPercent = 60;  // static, fan, motor and drive together
  FilterSet filters = FilterSet::MediumAndFine;
  bool operator==(const CodeCheckInputs&) const = default;
};

// Why the inputs cannot be checked, naming the field; nothing when they can.
std::optional<std::string> codeCheckInputProblem(const CodeCheckInputs& inputs);

// ASHRAE 90.1-2019 tables 6.5.6.1-1 and 6.5.6.1-2: whether a system needs
// exhaust air energy recovery, and which row and column decided.
struct RecoveryRequirement {
  bool required = false;
  std::string decidedBy;              // the table, its row and the outdoor air column
  std::optional<double> leastFanCfm;  // the column's threshold; none where "NR"
};
RecoveryRequirement recoveryRequired(std::string_view zone, bool hours8000,
                                     double outdoorAirPercent, double supplyFanCfm);

// Which design conditions 90.1-2019 §6.5.6.1 exempts in a zone.
bool heatingRecoveryExempt(std::string_view zone);
bool coolingRecoveryExempt(std::string_view zone);

// EU 1253/2014 Annex IX: the efficiency bonus and the SFPint limit,
// W/(m³/s), of a unit with a heat recovery other than run-around coils.
double efficiencyBonus(double thermalEfficiency);
double filterCorrection(FilterSet filters);
double sfpIntLimit(double thermalEfficiency, double nominalFlowM3s, FilterSet filters);

// The checked figures; a figure the standard does not use is empty.
struct CodeCheck {
  std::optional<std::string> error;  // the case could not be rated for the check
  EnergyCode code = EnergyCode::Ashrae901_2019;
  std::string zone;
  std::string model;
  double supplyCfm = 0;     // the wheel's supply (outdoor) air, scfm
  double supplyFanCfm = 0;  // the system's design supply airflow, cfm
  RecoveryRequirement requirement;
  std::optional<double> errCooling;  // fractions
  std::optional<double> errHeating;
  std::optional<double> thermalEfficiency;
  std::optional<double> nominalFlowM3s;
  std::optional<double> sfpInt;  // W/(m³/s)
  std::optional<double> sfpIntLimit;
  bool required = false;
  bool pass = false;
  std::vector<std::string> reasons;
};

// 90.1-2019 §6.5.6.1.1: an ERR of at least 50 %, the outdoor air's change in
// enthalpy over the outdoor to entering exhaust air difference at design
// conditions (the words as PNNL's verification library quotes them).
inline constexpr double kLeastEnthalpyRecoveryRatio = 0.50;
// 1253/2014 Annex IX point 2, any heat recovery but a run-around coil (68 %).
inline constexpr double kLeastThermalEfficiency = 0.73;

// The enthalpy recovery ratio of a rating: the supply's change in enthalpy
// over the difference between outdoor and return air, not corrected for
// leakage.
double enthalpyRecoveryRatio(const CalcState& s);

// The case at a design condition, the model fixed.
Case atDesignCondition(const Case& c, const std::string& model, const DesignAir& air);
// The case at the EN 308 condition: dry, balanced mass flow at `flowCfm`,
// return 25 °C and outdoor 5 °C, sea level, no static pressure.
Case atEn308(const Case& c, const std::string& model, double flowCfm);

// Rates the case as entered (for the model and its supply air), then at the
// conditions the chosen standard names, and gives the verdicts.
CodeCheck checkCode(const Case& c, const ModelCatalog& catalog, const CodeCheckInputs& inputs);

}  // namespace ModCalc
