#pragma once

// The year of a case as people and programs read it: the figures of a month
// or the year in English or SI units, the built-in weather, and the text,
// CSV and JSON forms ktr-calc writes.

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/Annual.h"
#include "engine/Weather.h"

namespace ktr {

inline constexpr const char* kMonthAbbreviations[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

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

// The months and the year as a table, the design-day savings and the
// payback, for a person.
std::string annualText(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op,
                       bool si);
// One row per weather hour.
std::string annualCsv(const ModCalc::AnnualResult& year, const ModCalc::Weather& weather, bool si);
// The units of every figure, the 12 months and the year.
nlohmann::ordered_json annualJson(const ModCalc::AnnualResult& year,
                                  const ModCalc::Weather& weather,
                                  const ModCalc::OperationModel& op, bool si);

}  // namespace ktr
