#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "engine/Weather.h"

namespace ModCalc {
namespace {

const std::string kShipped =
    KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw";

std::vector<std::string> shippedLines() {
  std::ifstream in(kShipped);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return text;
}

// The row's fields with field `number` (1-based) replaced.
std::string withField(const std::string& row, std::size_t number, const std::string& value) {
  std::vector<std::string> fields;
  std::stringstream in(row);
  for (std::string field; std::getline(in, field, ',');) {
    fields.push_back(field);
  }
  fields[number - 1] = value;
  std::string out;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    out += (k == 0 ? "" : ",") + fields[k];
  }
  return out;
}

TEST(WeatherTest, ReadsTheShippedYear) {
  const auto read = readWeatherFile(kShipped);
  ASSERT_TRUE(std::holds_alternative<Weather>(read)) << std::get<std::string>(read);
  const Weather& w = std::get<Weather>(read);
  EXPECT_EQ(w.location, "Chicago Ohare Intl Ap, IL, USA");
  ASSERT_EQ(w.hours.size(), 8760U);
  const WeatherHour& first = w.hours.front();
  EXPECT_DOUBLE_EQ(first.dryBulbC, -12.2);
  EXPECT_DOUBLE_EQ(first.dewPointC.value_or(0), -16.1);
  EXPECT_DOUBLE_EQ(first.relHumPct, 73);
  EXPECT_EQ(first.weekday, 0) << "the data period starts on a Sunday";
  EXPECT_EQ(w.hours[24].weekday, 1);
  EXPECT_EQ(w.hours[24 * 7].weekday, 0);
  const WeatherHour& last = w.hours.back();
  EXPECT_EQ(last.month, 12);
  EXPECT_EQ(last.day, 31);
  EXPECT_EQ(last.hour, 24);
  ASSERT_TRUE(w.design);
  EXPECT_DOUBLE_EQ(w.design->heatingDryBulbC, -20);
  EXPECT_DOUBLE_EQ(w.design->heatingDewPointC, -25.7);
  EXPECT_DOUBLE_EQ(w.design->coolingDryBulbC, 33.3);
  EXPECT_DOUBLE_EQ(w.design->coolingWetBulbC, 23.7);
}

// The liquid precipitation depth, field 34: 999, figures no hour can hold
// and text are not recorded, and never refuse the year. The shipped year records it in April only.
TEST(WeatherTest, PrecipitationWhereTheFileRecordsIt) {
  std::vector<std::string> lines = shippedLines();
  const std::size_t april = 8 + 24 * (31 + 28 + 31);
  lines[april] = withField(lines[april], 34, "2.5");
  lines[april + 1] = withField(lines[april + 1], 34, "-1");
  lines[april + 2] = withField(lines[april + 2], 34, "800");
  lines[april + 4] = withField(lines[april + 4], 34, "n/a");
  const auto read = parseEpw(joined(lines), "x.epw");
  ASSERT_TRUE(std::holds_alternative<Weather>(read)) << std::get<std::string>(read);
  const std::vector<WeatherHour>& hours = std::get<Weather>(read).hours;
  EXPECT_FALSE(hours.front().precipitationMm) << "999: not recorded";
  const std::size_t row = april - 8;
  ASSERT_EQ(hours[row].month, 4);
  EXPECT_DOUBLE_EQ(hours[row].precipitationMm.value_or(0), 2.5);
  EXPECT_FALSE(hours[row + 1].precipitationMm);
  EXPECT_FALSE(hours[row + 2].precipitationMm);
  EXPECT_DOUBLE_EQ(hours[row + 3].precipitationMm.value_or(-1), 0);
  EXPECT_FALSE(hours[row + 4].precipitationMm);
}

// A damaged copy is refused whole, with the line and the field that is
// wrong; a dew point marked missing falls back on the relative humidity.
TEST(WeatherTest, DamagedCopiesNameTheLineAndField) {
  const std::vector<std::string> lines = shippedLines();
  ASSERT_EQ(lines.size(), 8768U);
  struct Damage {
    const char* what;
    std::function<void(std::vector<std::string>&)> damage;
    const char* message;
  };
  const std::vector<Damage> table = {
      {"short", [](auto& l) { l.resize(5000); },
       "x.epw, line 5001: the file ends after 4992 hours; a year has 8760."},
      {"field missing", [](auto& l) { l[99] = l[99].substr(0, l[99].rfind(',')); },
       "x.epw, line 100: has 34 fields; an EPW row has 35."},
      {"text in a number", [](auto& l) { l[19] = withField(l[19], 7, "warm"); },
       "x.epw, line 20: field 7 (dry bulb) is \"warm\", not a number."},
      {"dry bulb missing", [](auto& l) { l[19] = withField(l[19], 7, "99.9"); },
       "x.epw, line 20: field 7 (dry bulb) is missing."},
      {"no humidity", [](auto& l) { l[30] = withField(withField(l[30], 8, "99.9"), 9, "999"); },
       "x.epw, line 31: field 9 (relative humidity) is missing, and so is the dew point: the "
       "hour has no humidity."},
      {"dew point out of range", [](auto& l) { l[30] = withField(l[30], 8, "75"); },
       "x.epw, line 31: field 8 (dew point, °C) is 75, outside -70 to 70."},
      {"hour left out", [](auto& l) { l.erase(l.begin() + 18); },
       "x.epw, line 19: field 4 (hour) is 1/1 hour 12 where 1/1 hour 11 comes next."},
      {"header", [](auto& l) { l[1] = "DESIGN,0"; },
       "x.epw, line 2: field 1 should be DESIGN CONDITIONS; this is no EPW file."},
      {"weekday", [](auto& l) { l[7] = withField(l[7], 5, "Someday"); },
       "x.epw, line 8: field 5 (start day of week) is no day of the week."},
      {"design text", [](auto& l) { l[1] = withField(l[1], 7, "cold"); },
       "x.epw, line 2: field 7 (99.6 % heating dry bulb) is \"cold\", not a number."},
  };
  for (const Damage& d : table) {
    SCOPED_TRACE(d.what);
    std::vector<std::string> damaged = lines;
    d.damage(damaged);
    const auto read = parseEpw(joined(damaged), "x.epw");
    ASSERT_TRUE(std::holds_alternative<std::string>(read));
    EXPECT_EQ(std::get<std::string>(read), d.message);
  }

  std::vector<std::string> noDewPoint = lines;
  noDewPoint[8] = withField(noDewPoint[8], 8, "99.9");
  const auto read = parseEpw(joined(noDewPoint), "x.epw");
  ASSERT_TRUE(std::holds_alternative<Weather>(read)) << std::get<std::string>(read);
  EXPECT_FALSE(std::get<Weather>(read).hours[0].dewPointC);
  EXPECT_DOUBLE_EQ(std::get<Weather>(read).hours[0].relHumPct, 73);
}

// A leap-year file has February 29 and 8,784 hours; a February 29 in a
// file without a whole one is refused.
TEST(WeatherTest, LeapYearFiles) {
  std::vector<std::string> lines = shippedLines();
  const std::size_t march1 = 8 + (31 + 28) * 24;
  std::vector<std::string> leapDay(lines.begin() + march1 - 24, lines.begin() + march1);
  for (std::string& row : leapDay) {
    row = withField(row, 3, "29");
  }
  std::vector<std::string> leap = lines;
  leap.insert(leap.begin() + march1, leapDay.begin(), leapDay.end());
  const auto read = parseEpw(joined(leap), "leap.epw");
  ASSERT_TRUE(std::holds_alternative<Weather>(read)) << std::get<std::string>(read);
  const Weather& w = std::get<Weather>(read);
  ASSERT_EQ(w.hours.size(), 8784U);
  const std::size_t march1Hour = (31 + 29) * 24;
  EXPECT_EQ(w.hours[march1Hour - 1].day, 29);
  EXPECT_EQ(w.hours[march1Hour].month, 3);
  EXPECT_EQ(w.hours[march1Hour].weekday, (w.hours[march1Hour - 1].weekday + 1) % 7);

  std::vector<std::string> partial = lines;
  partial.insert(partial.begin() + march1, leapDay.begin(), leapDay.begin() + 3);
  const auto refused = parseEpw(joined(partial), "leap.epw");
  ASSERT_TRUE(std::holds_alternative<std::string>(refused));
  EXPECT_EQ(std::get<std::string>(refused),
            "leap.epw, line 1428: field 4 (hour) is 3/1 hour 1 where 2/29 hour 4 comes next.");
}

TEST(WeatherTest, PlainCsv) {
  const auto read =
      parseWeatherCsv("Month,Day,Hour,Dry_Bulb_F,RH\n1,2,8,14,80\n1,2,9,50,\n", "w.csv");
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  EXPECT_EQ(std::get<std::string>(read),
            "w.csv, line 3: field 5 (relative humidity) is missing, and so is the dew point: the "
            "hour has no humidity.");

  const auto good =
      parseWeatherCsv("month,day,hour,dry_bulb_f,dew_point_f\n1,2,8,14,5\n1,2,9,50,32\n", "w.csv");
  ASSERT_TRUE(std::holds_alternative<Weather>(good)) << std::get<std::string>(good);
  const Weather& w = std::get<Weather>(good);
  ASSERT_EQ(w.hours.size(), 2U);
  EXPECT_NEAR(w.hours[0].dryBulbC, -10, 1e-9);
  EXPECT_NEAR(w.hours[1].dewPointC.value_or(99), 0, 1e-9);
  EXPECT_FALSE(w.design);

  const auto noColumns = parseWeatherCsv("month,day,hour,temp\n", "w.csv");
  ASSERT_TRUE(std::holds_alternative<std::string>(noColumns));
  EXPECT_EQ(std::get<std::string>(noColumns).rfind("w.csv, line 1: the header must name", 0), 0U);
}

TEST(WeatherTest, UnreadableFileIsNamed) {
  const auto read = readWeatherFile("/nonexistent/x.epw");
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  EXPECT_EQ(std::get<std::string>(read).rfind("/nonexistent/x.epw: ", 0), 0U);
}

}  // namespace
}  // namespace ModCalc
