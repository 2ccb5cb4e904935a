#pragma once

// A year (or a run of hours) of outdoor air from a weather file: an EPW file
// as engineers have one for every location, or a plain CSV of hourly dry
// bulb and dew point or relative humidity. Readers are strict: a file that
// is not what it claims to be is refused with a message naming the line and
// the field, never read in part.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ModCalc {

struct WeatherHour {
  std::int8_t month = 1;    // 1..12
  std::int8_t day = 1;      // 1..31
  std::int8_t hour = 1;     // 1..24, the hour ending at this time
  std::int8_t weekday = 0;  // 0 Sunday .. 6 Saturday
  double dryBulbC = 0;
  std::optional<double> dewPointC;  // absent in the file: use the relative humidity
  double relHumPct = 0;
  std::optional<double> precipitationMm;  // liquid, in the hour; absent where not recorded
};

// The design conditions a plant is sized for.
struct DesignConditions {
  double heatingDryBulbC = 0;   // 99.6 % heating dry bulb
  double heatingDewPointC = 0;  // 99.6 % humidification dew point
  double coolingDryBulbC = 0;   // 0.4 % cooling dry bulb
  double coolingWetBulbC = 0;   // its mean coincident wet bulb
};

struct Weather {
  std::string location;  // as the file names it
  std::vector<WeatherHour> hours;
  std::optional<DesignConditions> design;
};

// The largest weather file read: a year of EPW rows is about 1.5 MB.
inline constexpr std::size_t kWeatherFileLimit = 16U << 20U;

// The weather `text` holds, or what is wrong with it; `name` is the file's
// name for the message.
std::variant<Weather, std::string> parseEpw(std::string_view text, const std::string& name);
std::variant<Weather, std::string> parseWeatherCsv(std::string_view text, const std::string& name);

// Reads an EPW file, or a CSV one when its name ends in .csv.
std::variant<Weather, std::string> readWeatherFile(const std::string& path);

}  // namespace ModCalc
