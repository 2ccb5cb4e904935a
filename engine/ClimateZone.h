#pragma once

// The ASHRAE 169 climate zone a year of weather suggests: the thermal zone
// (0 to 8) from the heating and cooling degree days of the daily mean dry
// bulb, and the moisture regime (A humid, B dry, C marine) from the monthly
// temperatures and, where the file records it, the precipitation. A
// suggestion only: the engineer's zone is the one checked.

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/Weather.h"

namespace ModCalc {

struct DegreeDays {
  double heating18C = 0;  // HDD18, °C·day
  double cooling10C = 0;  // CDD10, °C·day
  int days = 0;
};

// Summed over the days the hours cover; a day's mean is the mean of its
// hours.
DegreeDays degreeDays(const std::vector<WeatherHour>& hours);

// The thermal zone, 0 to 8.
int thermalZone(const DegreeDays& dd);

// The twelve monthly means, and the monthly precipitation when every hour
// of the year records one (and the year some rain at all).
struct MonthlyClimate {
  std::array<double, 12> meanC{};
  double annualMeanC = 0;
  std::optional<std::array<double, 12>> precipitationMm;
};
MonthlyClimate monthlyClimate(const std::vector<WeatherHour>& hours);

// The letter of a thermal zone that has one, and whether the weather
// decided it; `why` says what the letter rests on.
struct MoistureRegime {
  std::string letter;  // empty for zones 7 and 8
  bool fromWeather = true;
  std::string why;
  // Without the rain: whether the temperatures would allow marine (C).
  bool marineByTemperature = false;
};
MoistureRegime moistureRegime(int thermal, const MonthlyClimate& climate);

// The letter taken where the weather cannot tell: most of the zones are
// humid.
inline constexpr char kDefaultMoistureLetter = 'A';

struct ZoneSuggestion {
  std::string zone;  // as the code check names it: "5A", "7"
  DegreeDays degreeDays;
  MoistureRegime moisture;
};

// The suggestion for a whole year of weather, or why there is none.
std::variant<ZoneSuggestion, std::string> suggestClimateZone(const Weather& weather);

}  // namespace ModCalc
