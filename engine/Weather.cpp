#include "engine/Weather.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <stdexcept>
#include <utility>

#include "platform/FileRead.h"
#include "platform/NumberText.h"

namespace ModCalc {

namespace {

// What is wrong with a weather file; the readers turn it into their answer.
struct Refusal : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  // Blank lines after the last row are no rows.
  while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string_view::npos) {
    lines.pop_back();
  }
  return lines;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.push_back(line.substr(0, comma));
    if (comma == std::string_view::npos) {
      return fields;
    }
    line.remove_prefix(comma + 1);
  }
}

std::string_view trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\"");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\"") - first + 1);
}

// Where in the file a message points: "FILE, line 12, field 7 (dry bulb)".
struct Place {
  const std::string& file;
  std::size_t line;  // 1-based

  [[noreturn]] void refuse(const std::string& what) const {
    throw Refusal(file + ", line " + std::to_string(line) + ": " + what);
  }
  [[noreturn]] void refuse(std::size_t field, const char* name, const std::string& what) const {
    refuse("field " + std::to_string(field) + " (" + name + ") " + what);
  }

  double number(std::string_view text, std::size_t field, const char* name) const {
    const std::string_view value = trimmed(text);
    const auto parsed = platform::parseInvariant<double>(value);
    if (!parsed) {
      refuse(field, name, "is \"" + std::string(value) + "\", not a number.");
    }
    return *parsed;
  }

  int integer(std::string_view text, std::size_t field, const char* name) const {
    const double value = number(text, field, name);
    if (value != static_cast<int>(value)) {
      refuse(field, name, "is " + std::string(trimmed(text)) + ", not a whole number.");
    }
    return static_cast<int>(value);
  }

  void inRange(double value, double low, double high, std::size_t field, const char* name) const {
    if (value < low || value > high) {
      refuse(field, name,
             "is " + platform::decimalText(value) + ", outside " + platform::decimalText(low) +
                 " to " + platform::decimalText(high) + ".");
    }
  }
};

constexpr int daysIn(int month, bool leap) {
  constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Above the heaviest hour of rain ever measured (about 305 mm).
constexpr double kMostRainInAnHourMm = 400;

// The field numbers (1-based) of one hour's figures in a row.
struct Columns {
  std::size_t month, day, hour, dryBulb, dewPoint, relHum;
  std::size_t precipitation = 0;  // none in a CSV
};

// The figures of one row, with the missing-value markers of the format:
// a missing dew point falls back on the relative humidity; a missing dry
// bulb, or both humidities missing, refuses the file.
struct HourReader {
  const Columns& col;
  bool fahrenheit = false;

  WeatherHour read(const std::vector<std::string_view>& f, const Place& at) const {
    WeatherHour h;
    h.month = static_cast<std::int8_t>(at.integer(f[col.month - 1], col.month, "month"));
    at.inRange(h.month, 1, 12, col.month, "month");
    h.day = static_cast<std::int8_t>(at.integer(f[col.day - 1], col.day, "day"));
    at.inRange(h.day, 1, daysIn(h.month, true), col.day, "day");
    h.hour = static_cast<std::int8_t>(at.integer(f[col.hour - 1], col.hour, "hour"));
    at.inRange(h.hour, 1, 24, col.hour, "hour");
    const auto celsius = [this](double t) { return fahrenheit ? (t - 32) / 1.8 : t; };
    const std::optional<double> dryBulb = figure(f, col.dryBulb, at, "dry bulb", 99.9);
    if (!dryBulb) {
      at.refuse(col.dryBulb, "dry bulb", "is missing.");
    }
    h.dryBulbC = celsius(*dryBulb);
    at.inRange(h.dryBulbC, -70, 70, col.dryBulb, "dry bulb, °C");
    if (const auto dewPoint = figure(f, col.dewPoint, at, "dew point", 99.9)) {
      h.dewPointC = celsius(*dewPoint);
      // A dew point a little above the dry bulb is rounding in the source;
      // the rating takes such air as saturated.
      at.inRange(*h.dewPointC, -70, 70, col.dewPoint, "dew point, °C");
    }
    const std::optional<double> relHum = figure(f, col.relHum, at, "relative humidity", 999);
    if (relHum) {
      at.inRange(*relHum, 0, 110, col.relHum, "relative humidity");
      h.relHumPct = std::min(*relHum, 100.0);
    } else if (!h.dewPointC) {
      at.refuse(col.relHum, "relative humidity",
                "is missing, and so is the dew point: the hour has no humidity.");
    }
    // Only the climate zone reads the precipitation: a figure that is no
    // number, or that no hour can hold, counts as not recorded rather than
    // refusing a year that rates.
    if (col.precipitation != 0) {
      const std::optional<double> rain =
          platform::parseInvariant<double>(trimmed(f[col.precipitation - 1]));
      if (rain && *rain >= 0 && *rain <= kMostRainInAnHourMm) {
        h.precipitationMm = rain;
      }
    }
    return h;
  }

  // A field's number, or nothing where the file marks it missing (or, in a
  // CSV, leaves it empty or has no such column).
  static std::optional<double> figure(const std::vector<std::string_view>& f, std::size_t field,
                                      const Place& at, const char* name, double missing) {
    if (field == 0 || trimmed(f[field - 1]).empty()) {
      return std::nullopt;
    }
    const double value = at.number(f[field - 1], field, name);
    return value == missing ? std::nullopt : std::optional<double>(value);
  }
};

// Checks that each hour follows the one before, and counts the weekdays.
class Sequence {
 public:
  Sequence(std::optional<WeatherHour> first, int firstWeekday)
      : expected_(std::move(first)), weekday_(firstWeekday) {}

  void next(WeatherHour& h, const Place& at, const Columns& col) {
    if (expected_) {
      const WeatherHour& e = *expected_;
      // After February 28 a leap year's February 29 may come.
      const bool leapDay =
          e.month == 3 && e.day == 1 && e.hour == 1 && h.month == 2 && h.day == 29 && h.hour == 1;
      if (!leapDay && (h.month != e.month || h.day != e.day || h.hour != e.hour)) {
        at.refuse(col.hour, "hour", "is " + when(h) + " where " + when(e) + " comes next.");
      }
      if (h.hour == 1 && previousDayEnded_) {
        weekday_ = (weekday_ + 1) % 7;
      }
    }
    h.weekday = static_cast<std::int8_t>(weekday_);
    previousDayEnded_ = h.hour == 24;
    WeatherHour e = h;
    if (h.hour < 24) {
      ++e.hour;
    } else {
      e.hour = 1;
      if (h.day < daysIn(h.month, false)) {
        ++e.day;
      } else {
        e.day = 1;
        e.month = static_cast<std::int8_t>(h.month % 12 + 1);
      }
    }
    expected_ = e;
  }

  static std::string when(const WeatherHour& h) {
    return std::to_string(h.month) + "/" + std::to_string(h.day) + " hour " +
           std::to_string(h.hour);
  }

 private:
  std::optional<WeatherHour> expected_;
  int weekday_;
  bool previousDayEnded_ = false;
};

constexpr std::array<const char*, 8> kEpwHeaders = {"LOCATION",
                                                    "DESIGN CONDITIONS",
                                                    "TYPICAL/EXTREME PERIODS",
                                                    "GROUND TEMPERATURES",
                                                    "HOLIDAYS/DAYLIGHT SAVINGS",
                                                    "COMMENTS 1",
                                                    "COMMENTS 2",
                                                    "DATA PERIODS"};
constexpr std::size_t kEpwFields = 35;
constexpr std::size_t kHoursInYear = 8760;

int weekdayNamed(std::string_view name) {
  constexpr std::array<std::string_view, 7> kDays = {"sunday",   "monday", "tuesday", "wednesday",
                                                     "thursday", "friday", "saturday"};
  std::string lower(trimmed(name));
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  const auto* found = std::find(kDays.begin(), kDays.end(), lower);
  return found == kDays.end() ? -1 : static_cast<int>(found - kDays.begin());
}

// The 99.6 % heating and 0.4 % cooling conditions of the DESIGN CONDITIONS
// line, when it holds a set.
std::optional<DesignConditions> designConditions(const std::vector<std::string_view>& f,
                                                 const Place& at) {
  if (f.size() < 2 || trimmed(f[1]).empty() || at.number(f[1], 2, "design conditions") == 0) {
    return std::nullopt;
  }
  const auto after = [&](std::string_view key, std::size_t offset, const char* name) {
    const auto found =
        std::find_if(f.begin(), f.end(), [&](std::string_view x) { return trimmed(x) == key; });
    const auto index = static_cast<std::size_t>(found - f.begin()) + offset;
    if (index >= f.size()) {
      at.refuse(std::string("the design conditions have no ") + name + ".");
    }
    return at.number(f[index], index + 1, name);
  };
  return DesignConditions{
      .heatingDryBulbC = after("Heating", 2, "99.6 % heating dry bulb"),
      .heatingDewPointC = after("Heating", 4, "99.6 % humidification dew point"),
      .coolingDryBulbC = after("Cooling", 3, "0.4 % cooling dry bulb"),
      .coolingWetBulbC = after("Cooling", 4, "0.4 % mean coincident wet bulb"),
  };
}

Weather epw(std::string_view text, const std::string& name) {
  const std::vector<std::string_view> lines = splitLines(text);
  Weather weather;
  int firstWeekday = 0;
  for (std::size_t i = 0; i < kEpwHeaders.size(); ++i) {
    const Place at{name, i + 1};
    if (i >= lines.size()) {
      at.refuse("the file ends in its header; an EPW file has 8 header lines.");
    }
    const std::vector<std::string_view> f = splitFields(lines[i]);
    if (trimmed(f[0]) != kEpwHeaders[i]) {
      at.refuse(std::string("field 1 should be ") + kEpwHeaders[i] + "; this is no EPW file.");
    }
    if (i == 0) {
      for (std::size_t k = 1; k < std::min<std::size_t>(f.size(), 4); ++k) {
        weather.location += (k > 1 ? ", " : "") + std::string(trimmed(f[k]));
      }
    } else if (i == 1) {
      weather.design = designConditions(f, at);
    } else if (i == 7) {
      firstWeekday = f.size() > 4 ? weekdayNamed(f[4]) : -1;
      if (firstWeekday < 0) {
        at.refuse("field 5 (start day of week) is no day of the week.");
      }
    }
  }
  const Columns col{.month = 2,
                    .day = 3,
                    .hour = 4,
                    .dryBulb = 7,
                    .dewPoint = 8,
                    .relHum = 9,
                    .precipitation = 34};
  const HourReader reader{col};
  Sequence sequence(WeatherHour{}, firstWeekday);
  bool leap = false;
  for (std::size_t i = kEpwHeaders.size(); i < lines.size(); ++i) {
    const Place at{name, i + 1};
    const std::vector<std::string_view> f = splitFields(lines[i]);
    if (f.size() != kEpwFields) {
      at.refuse("has " + std::to_string(f.size()) + " fields; an EPW row has " +
                std::to_string(kEpwFields) + ".");
    }
    WeatherHour h = reader.read(f, at);
    sequence.next(h, at, col);
    leap = leap || (h.month == 2 && h.day == 29);
    weather.hours.push_back(h);
  }
  const std::size_t year = kHoursInYear + (leap ? 24 : 0);
  if (weather.hours.size() != year) {
    Place{name, lines.size() + 1}.refuse("the file ends after " +
                                         std::to_string(weather.hours.size()) +
                                         " hours; a year has " + std::to_string(year) + ".");
  }
  return weather;
}

Weather csv(std::string_view text, const std::string& name) {
  const std::vector<std::string_view> lines = splitLines(text);
  const Place head{name, 1};
  if (lines.empty()) {
    head.refuse("the file is empty; a weather CSV starts with a header line.");
  }
  Columns col{};
  bool fahrenheit = false;
  const std::vector<std::string_view> header = splitFields(lines[0]);
  for (std::size_t k = 0; k < header.size(); ++k) {
    std::string title(trimmed(header[k]));
    std::transform(title.begin(), title.end(), title.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    const std::pair<const char*, std::size_t*> names[] = {{"month", &col.month},
                                                          {"day", &col.day},
                                                          {"hour", &col.hour},
                                                          {"dry_bulb_c", &col.dryBulb},
                                                          {"dry_bulb_f", &col.dryBulb},
                                                          {"dew_point_c", &col.dewPoint},
                                                          {"dew_point_f", &col.dewPoint},
                                                          {"rh", &col.relHum}};
    for (const auto& [title0, column] : names) {
      if (title == title0) {
        *column = k + 1;
        fahrenheit = fahrenheit || title.ends_with("_f");
      }
    }
  }
  if (col.month == 0 || col.day == 0 || col.hour == 0 || col.dryBulb == 0 ||
      (col.dewPoint == 0 && col.relHum == 0)) {
    head.refuse(
        "the header must name the columns month, day, hour, dry_bulb_c (or dry_bulb_f) and "
        "dew_point_c (or dew_point_f) or rh.");
  }
  const HourReader reader{col, fahrenheit};
  Weather weather;
  // A plain file names no weekdays: its first day is taken as a Sunday.
  Sequence sequence(std::nullopt, 0);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const Place at{name, i + 1};
    const std::vector<std::string_view> f = splitFields(lines[i]);
    if (f.size() != header.size()) {
      at.refuse("has " + std::to_string(f.size()) + " fields; the header names " +
                std::to_string(header.size()) + ".");
    }
    WeatherHour h = reader.read(f, at);
    sequence.next(h, at, col);
    weather.hours.push_back(h);
  }
  if (weather.hours.empty()) {
    head.refuse("the file has no hours after its header.");
  }
  return weather;
}

template <typename Parse>
std::variant<Weather, std::string> answer(Parse parse) {
  try {
    return parse();
  } catch (const Refusal& refusal) {
    return std::string(refusal.what());
  }
}

}  // namespace

std::variant<Weather, std::string> parseEpw(std::string_view text, const std::string& name) {
  return answer([&] { return epw(text, name); });
}

std::variant<Weather, std::string> parseWeatherCsv(std::string_view text, const std::string& name) {
  return answer([&] { return csv(text, name); });
}

std::variant<Weather, std::string> readWeatherFile(const std::string& path) {
  auto bytes = platform::readFileBounded(path, kWeatherFileLimit);
  if (const auto* refusal = std::get_if<platform::ReadRefusal>(&bytes)) {
    const char* joint = refusal->kind == platform::ReadRefusal::Kind::System ? ": " : " ";
    return path + joint + platform::refusalText(*refusal, "weather file") + ".";
  }
  const std::string& text = std::get<std::string>(bytes);
  return path.ends_with(".csv") || path.ends_with(".CSV") ? parseWeatherCsv(text, path)
                                                          : parseEpw(text, path);
}

}  // namespace ModCalc
