#pragma once

// The year of a case as people and programs read it: the figures of a month
// or the year in English or SI units, the built-in weather, and the text,
// CSV and JSON forms ktr-calc writes.

#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/Annual.h"
#include "engine/Weather.h"

namespace ktr {

inline constexpr const char* kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

inline constexpr const char* kMonthNames[12] = {"January",   "February", "March",    "April",
                                                "May",       "June",     "July",     "August",
                                                "September", "October",  "November", "December"};

// A column of the months' table the window and the report show: a figure
// of annualFigures and its heading.
struct AnnualColumn {
  const char* key;
  const char* heading;
};
inline constexpr AnnualColumn kAnnualColumns[] = {
    {"heating_recovered", "Heating recovered"},
    {"cooling_recovered", "Cooling recovered"},
    {"fan_energy", "Fan energy"},
    {"net_energy", "Net energy saved"},
    {"cost_saved", "Cost saved"},
    {"frost_hours", "Frost hours"},
    {"economizer_hours", "Economizer hours"},
    {"operating_hours", "Operating hours"},
    {"water_recovered", "Water recovered"},
};

// One figure of a month or the year: its JSON key, its caption, its unit in
// the units shown and its value there.
struct AnnualFigure {
  const char* key;
  const char* caption;
  std::string unit;
  double value;
};

// Every figure of `totals`, priced under `op`, in SI units when `si`.
std::vector<AnnualFigure> annualFigures(const ModCalc::EnergyTotals& totals,
                                        const ModCalc::OperationModel& op, bool si);

// The plant capacity the wheel saves at the design conditions, in the units
// shown and in tons.
std::vector<AnnualFigure> annualDesignFigures(const ModCalc::DesignSavings& design, bool si);

// The figure of `figures` named `key`, which must be there.
const AnnualFigure& annualFigure(const std::vector<AnnualFigure>& figures, std::string_view key);

// The weather at `path`, or the built-in year when `path` is empty; or what
// is wrong with it.
std::variant<ModCalc::Weather, std::string> readWeather(const std::string& path);

// The year in a few sentences: the model and the weather, cost and energy
// saved, the plant capacity saved and the payback.
std::string annualSummary(const ModCalc::AnnualResult& year, const ModCalc::Weather& weather,
                          const ModCalc::OperationModel& op, bool si);

// The operation the year assumed, in a sentence or two.
std::string operationText(const ModCalc::OperationModel& op, bool si);

// The months and the year as a table, the design-day savings and the
// payback, for a person.
std::string annualText(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op,
                       bool si);
// The case over the year with `model` as if picked from the model list.
ModCalc::AnnualResult modelYear(ModCalc::Case c, const std::string& model,
                                const ModCalc::Weather& weather, const ModCalc::OperationModel& op,
                                const ModCalc::ModelCatalog& catalog);

// What a model saves over the year, as the comparison shows it beside its
// rating: cost and net purchased energy a year, and the simple payback on
// the operation's one first cost.
struct YearSavings {
  double costSaved = 0;
  double netEnergy = 0;
  std::optional<double> paybackYears;
};
struct ComparedYears {
  std::vector<std::optional<YearSavings>> models;  // none: the year of that model was not rated
};
// The year of the case with each of `models` over the weather at
// `weatherPath`; or what is wrong with the weather.
std::variant<ComparedYears, std::string> compareYears(
    const ModCalc::Case& c, const std::vector<std::string>& models, const std::string& weatherPath,
    const ModCalc::OperationModel& op, const ModCalc::ModelCatalog& catalog, bool si);

// Every catalog model rated over the year for the case, one CSV row each:
// the energy and cost it saves, so the sizes can be weighed; a model the
// case cannot be rated with has its reason in the last column.
std::string annualComparisonCsv(const ModCalc::Case& c, const ModCalc::Weather& weather,
                                const ModCalc::OperationModel& op,
                                const ModCalc::ModelCatalog& catalog, bool si);

// One row per weather hour.
std::string annualCsv(const ModCalc::AnnualResult& year, const ModCalc::Weather& weather, bool si);
// The units of every figure, the 12 months and the year.
nlohmann::ordered_json annualJson(const ModCalc::AnnualResult& year,
                                  const ModCalc::Weather& weather,
                                  const ModCalc::OperationModel& op, bool si);

}  // namespace ktr
