#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "engine/ClimateZone.h"
#include "engine/CodeCheck.h"

namespace ModCalc {
namespace {

const std::string kShipped =
    KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw";

// Three days read from a CSV as a person would write one. Day 1: 24 hours
// at 8 °C, mean 8: HDD18 10. Day 2: 12 hours at 10 °C and 12 at 30 °C, mean
// 20: CDD10 10. Day 3: two hours, 16 and 20 °C, mean 18: CDD10 8, no HDD18.
TEST(ClimateZoneTest, DegreeDaysOfDailyMeansReckonedByHand) {
  std::string text = "month,day,hour,dry_bulb_c,rh\n";
  for (int hour = 1; hour <= 24; ++hour) {
    text += "1,1," + std::to_string(hour) + ",8,50\n";
  }
  for (int hour = 1; hour <= 24; ++hour) {
    text += "1,2," + std::to_string(hour) + (hour <= 12 ? ",10" : ",30") + ",50\n";
  }
  text += "1,3,1,16,50\n1,3,2,20,50\n";
  const auto read = parseWeatherCsv(text, "three.csv");
  ASSERT_TRUE(std::holds_alternative<Weather>(read)) << std::get<std::string>(read);
  const Weather& weather = std::get<Weather>(read);
  const DegreeDays dd = degreeDays(weather.hours);
  EXPECT_EQ(dd.days, 3);
  EXPECT_DOUBLE_EQ(dd.heating18C, 10);
  EXPECT_DOUBLE_EQ(dd.cooling10C, 18);
  const auto suggestion = suggestClimateZone(weather);
  ASSERT_TRUE(std::holds_alternative<std::string>(suggestion));
  EXPECT_EQ(std::get<std::string>(suggestion),
            "the weather covers 3 days; a climate zone needs a whole year");
}

// Each edge of the thermal zones, at it and just past it.
TEST(ClimateZoneTest, ThermalZoneAtEveryBandEdge) {
  struct Row {
    double hdd18, cdd10;
    int zone;
  };
  const std::vector<Row> rows = {
      {0, 6000.01, 0}, {0, 6000, 1},    {0, 5000.01, 1}, {0, 5000, 2},    {0, 3500.01, 2},
      {2000, 3500, 3}, {2000.01, 0, 4}, {3000, 0, 4},    {3000.01, 0, 5}, {4000, 0, 5},
      {4000.01, 0, 6}, {5000, 0, 6},    {5000.01, 0, 7}, {7000, 0, 7},    {7000.01, 0, 8},
      {2500, 3600, 2}, {100, 2600, 3},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("HDD18 " + std::to_string(row.hdd18) + " CDD10 " + std::to_string(row.cdd10));
    EXPECT_EQ(thermalZone({.heating18C = row.hdd18, .cooling10C = row.cdd10}), row.zone);
  }
}

MonthlyClimate climate(const std::array<double, 12>& meanC, double annualMeanC,
                       std::optional<std::array<double, 12>> rain) {
  return {.meanC = meanC, .annualMeanC = annualMeanC, .precipitationMm = rain};
}

// Marine needs mild months and a dry summer and a zone from 3 to 5; dry
// compares the year's rain (cm) with 2 × (T + 7), 2 × (T + 14) when 70 % of
// it falls in the warm half, 2 × T when 70 % falls in the cold half.
TEST(ClimateZoneTest, MoistureRegimeFromTemperaturesAndRain) {
  const std::array<double, 12> mild = {5, 6, 8, 10, 12, 14, 16, 16, 14, 11, 8, 6};
  const std::array<double, 12> wetWinter = {150, 120, 100, 60, 40, 30, 15, 20, 40, 90, 150, 160};
  const std::array<double, 12> warm20 = {20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20, 20};
  const std::array<double, 12> summerRain = {0, 0, 0, 100, 100, 100, 100, 100, 100, 0, 0, 0};
  const std::array<double, 12> winterRain = {100, 100, 100, 0, 0, 0, 0, 0, 0, 100, 100, 100};
  const std::array<double, 12> evenRain = {50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
  struct Row {
    const char* name;
    int thermal;
    MonthlyClimate climate;
    const char* letter;
  };
  const std::vector<Row> rows = {
      {"marine", 4, climate(mild, 10.5, wetWinter), "C"},
      {"marine temperatures in zone 6", 6, climate(mild, 10.5, wetWinter), "A"},
      {"60 cm, summer rain: limit 68 cm", 3, climate(warm20, 20, summerRain), "B"},
      {"60 cm, even rain: limit 54 cm", 3, climate(warm20, 20, evenRain), "A"},
      {"60 cm, winter rain: limit 40 cm", 3, climate(warm20, 20, winterRain), "A"},
      {"60 cm at 25 °C, even rain: limit 64 cm", 2, climate(warm20, 25, evenRain), "B"},
      {"zone 7 has no letter", 7, climate(warm20, 20, evenRain), ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const MoistureRegime regime = moistureRegime(row.thermal, row.climate);
    EXPECT_EQ(regime.letter, row.letter);
    EXPECT_TRUE(regime.fromWeather);
  }
  const MoistureRegime unknown = moistureRegime(4, climate(mild, 10.5, std::nullopt));
  EXPECT_EQ(unknown.letter, "A");
  EXPECT_FALSE(unknown.fromWeather);
  EXPECT_TRUE(unknown.marineByTemperature);
  EXPECT_FALSE(moistureRegime(6, climate(mild, 10.5, std::nullopt)).marineByTemperature);
}

// Rain counts only when every hour records it and the year had some.
TEST(ClimateZoneTest, PrecipitationNeedsEveryHourAndSomeRain) {
  std::vector<WeatherHour> hours(24 * 12);
  for (std::size_t k = 0; k < hours.size(); ++k) {
    hours[k].month = static_cast<std::int8_t>(k / 24 + 1);
    hours[k].dryBulbC = static_cast<double>(k / 24);
    hours[k].precipitationMm = 0;
  }
  EXPECT_FALSE(monthlyClimate(hours).precipitationMm) << "a year without a drop";
  hours[30].precipitationMm = 2.5;
  const MonthlyClimate wet = monthlyClimate(hours);
  ASSERT_TRUE(wet.precipitationMm);
  EXPECT_DOUBLE_EQ((*wet.precipitationMm)[1], 2.5);
  EXPECT_DOUBLE_EQ(wet.meanC[11], 11);
  EXPECT_DOUBLE_EQ(wet.annualMeanC, 5.5);
  hours[40].precipitationMm.reset();
  EXPECT_FALSE(monthlyClimate(hours).precipitationMm) << "an hour not recorded";
}

// The built-in year: HDD18 and CDD10 as a spreadsheet sums them from the
// file's daily means; its precipitation is recorded in April only.
TEST(ClimateZoneTest, ChicagoOHareIsFiveA) {
  const auto read = readWeatherFile(kShipped);
  ASSERT_TRUE(std::holds_alternative<Weather>(read)) << std::get<std::string>(read);
  const auto suggestion = suggestClimateZone(std::get<Weather>(read));
  ASSERT_TRUE(std::holds_alternative<ZoneSuggestion>(suggestion))
      << std::get<std::string>(suggestion);
  const ZoneSuggestion& s = std::get<ZoneSuggestion>(suggestion);
  EXPECT_EQ(s.zone, "5A");
  EXPECT_TRUE(isClimateZone(s.zone));
  EXPECT_EQ(s.degreeDays.days, 365);
  EXPECT_NEAR(s.degreeDays.heating18C, 3430.04, 0.01);
  EXPECT_NEAR(s.degreeDays.cooling10C, 1743.38, 0.01);
  EXPECT_FALSE(s.moisture.fromWeather);
}

}  // namespace
}  // namespace ModCalc
