#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <variant>

#include "engine/Annual.h"
#include "engine/Rate.h"
#include "psych/modPsych.h"
#include "tests/engine/EngineFixture.h"
#include "units/Units.h"

namespace ModCalc::testing {
namespace {

constexpr std::int8_t kMonday = 1;
constexpr std::int8_t kSaturday = 6;

// 2,000 cfm of outdoor and return air through the K-36 at sea level.
Case office() {
  Case c;
  c.SIFlowFactor = 0.58851F;
  c.flowBasis = VolumeBasis::Outdoor;
  c.MoistInOption = 1;  // dew point
  c.MatrixFactor = 0.757F;
  c.outdoorDryBulbF = 95;
  c.returnDryBulbF = 75;
  c.outdoorMoisture = 70;
  c.returnMoisture = 55;
  c.mainVolumeCfm = 2000;
  c.returnVolumeCfm = 2000;
  c.selectModel = false;
  c.model = "K-36";
  c.custom.name = "Custom 364";
  return c;
}

WeatherHour at(std::int8_t weekday, std::int8_t hour, double dryBulbF, double dewPointF) {
  WeatherHour h;
  h.month = 1;
  h.day = 5;
  h.hour = hour;
  h.weekday = weekday;
  h.dryBulbC = units::celsius(dryBulbF);
  h.dewPointC = units::celsius(dewPointF);
  return h;
}

Weather hoursOf(std::initializer_list<WeatherHour> hours) {
  Weather w;
  w.hours = hours;
  return w;
}

class AnnualTest : public EngineTest {
 protected:
  AnnualTest() { catalog.MotorHP[2] = "1/2"; }

  // The case rated on its own at an hour's air, as the hand reckoning's
  // source of effectiveness, volumes and pressure drops.
  Rating alone(double outdoorF, double dewPointF, double returnF, double returnRhPct,
               float rpm = 0) const {
    Case c = office();
    c.MoistInOption = 3;
    const double p = modPsych::AtmPressure(0);
    c.outdoorDryBulbF = static_cast<float>(outdoorF);
    c.outdoorMoisture = modPsych::MoistToGrains(outdoorF, dewPointF, p, 1);
    c.returnDryBulbF = static_cast<float>(returnF);
    c.returnMoisture = modPsych::MoistToGrains(returnF, returnRhPct, p, 4);
    c.fixedSpeed = rpm > 0;
    c.wheelSpeedRpm = rpm;
    return rate(c, catalog);
  }

  AnnualResult year(const Weather& w, const OperationModel& op = {}) const {
    return rateYear(office(), w, op, catalog);
  }
};

// Recovered heat from the rated leaving supply state and the supply mass
// flow; fan power from the pressure drops, the actual volumes and the
// efficiencies (0.1175 W per in. w.c. per cfm), plus the wheel's half
// horsepower motor.
TEST_F(AnnualTest, AnOccupiedHourRecoversWhatTheWheelIsRatedFor) {
  const AnnualResult r = year(hoursOf({at(kMonday, 11, 95, 75)}));
  ASSERT_FALSE(r.error) << *r.error;
  const Rating plain = alone(95, 75, 72, 50);
  ASSERT_TRUE(plain.completed());
  const CalcState& s = plain.results;
  const double massPerHour = s.Vsa * 60 / 13.33333;
  const double sensible = 0.24 * (95 - s.Tsa) * massPerHour;
  const double total =
      (modPsych::Enthalpy(95, s.Woa) - modPsych::Enthalpy(s.Tsa, s.Wsa)) * massPerHour;
  const HourResult& h = r.hours[0];
  EXPECT_TRUE(h.operating);
  EXPECT_NEAR(h.sensibleBtuh, sensible, 1e-3 * sensible);
  EXPECT_NEAR(h.latentBtuh, total - sensible, 1e-3 * total);
  EXPECT_NEAR(r.year.coolingSensibleBtu, sensible, 1e-3 * sensible);
  EXPECT_NEAR(r.year.coolingLatentBtu, total - sensible, 1e-3 * total);
  EXPECT_NEAR(r.year.coolingPeakBtuh, total, 1e-3 * total);
  EXPECT_EQ(r.year.heatingBtu(), 0);
  const double fanW =
      (s.dPs * std::get<double>(s.AcfmList[0]) + s.dPr * std::get<double>(s.AcfmList[3])) * 0.1175 /
          (0.6 * 0.9) +
      0.5 * 745.7 / 0.9;
  EXPECT_NEAR(r.year.fanKWh * 1000, fanW, 1e-3 * fanW);
  EXPECT_NEAR(r.year.waterLb, (s.Woa - s.Wsa) / 7000 * massPerHour, 1e-3);
  EXPECT_EQ(r.year.operatingHours, 1);
}

// The schedule, the economizer and the frost control, hour by hour.
TEST_F(AnnualTest, EachHourCountsWhereItBelongs) {
  struct Row {
    const char* what;
    WeatherHour hour;
    bool occupied, economizer, frost, operating;
  };
  const Row table[] = {
      {"weekday morning", at(kMonday, 8, 95, 75), true, false, false, true},
      {"before opening", at(kMonday, 7, 95, 75), false, false, false, false},
      {"after closing", at(kMonday, 20, 95, 75), false, false, false, false},
      {"Saturday", at(kSaturday, 11, 95, 75), false, false, false, false},
      {"mild and dry", at(kMonday, 11, 60, 40), true, true, false, false},
      {"mild but humid", at(kMonday, 11, 64, 63), true, false, false, true},
      {"bitter cold", at(kMonday, 11, -20, -25), true, false, true, true},
  };
  Weather w;
  for (const Row& row : table) {
    w.hours.push_back(row.hour);
  }
  OperationModel op;
  op.heatingReturnRhPct = 40;
  const AnnualResult r = year(w, op);
  ASSERT_FALSE(r.error) << *r.error;
  for (std::size_t k = 0; k < std::size(table); ++k) {
    SCOPED_TRACE(table[k].what);
    const HourResult& h = r.hours[k];
    EXPECT_EQ(h.occupied, table[k].occupied);
    EXPECT_EQ(h.economizer, table[k].economizer);
    EXPECT_EQ(h.frost, table[k].frost);
    EXPECT_EQ(h.operating, table[k].operating);
    EXPECT_EQ(h.totalBtuh != 0, table[k].operating);
    EXPECT_EQ(h.fanKW > 0, table[k].occupied) << "air flows through the wheel when occupied";
  }
  EXPECT_EQ(r.year.operatingHours, 3);
  EXPECT_EQ(r.year.economizerHours, 1);
  EXPECT_EQ(r.year.frostHours, 1);
  EXPECT_GT(r.year.heatingBtu(), 0);
  EXPECT_EQ(r.months[0].operatingHours, 3);
}

// Each frost strategy ends the frost its own way, and what it costs is
// counted.
TEST_F(AnnualTest, FrostStrategies) {
  const Weather w = hoursOf({at(kMonday, 11, -20, -25)});
  OperationModel op;
  op.heatingReturnRhPct = 40;
  const Rating frosting = alone(-20, -25, 70, 40);
  ASSERT_TRUE(frosting.frost);
  const double fullSpeed = frosting.results.WheelRpm;

  op.frost = FrostControl::ReducedSpeed;
  const HourResult slowed = year(w, op).hours[0];
  EXPECT_TRUE(slowed.frost);
  EXPECT_LT(slowed.wheelRpm, fullSpeed);
  EXPECT_FALSE(alone(-20, -25, 70, 40, static_cast<float>(slowed.wheelRpm)).frost);
  EXPECT_TRUE(alone(-20, -25, 70, 40, static_cast<float>(slowed.wheelRpm / 0.9)).frost)
      << "no slower than it must be";
  EXPECT_LT(slowed.totalBtuh, 0);
  EXPECT_GT(slowed.totalBtuh, frosting.results.HeatT);
  EXPECT_FALSE(slowed.frostPersists);
  EXPECT_NEAR(slowed.frostLostBtuh, slowed.totalBtuh - frosting.results.HeatT, 1e-6);

  op.frost = FrostControl::Preheat;
  op.preheatF = 10;
  const AnnualResult preheated = year(w, op);
  const HourResult& warm = preheated.hours[0];
  EXPECT_FLOAT_EQ(warm.outdoorF, 10);
  // 30 °F of dry air and its water vapour at 2,000 scfm plus the purge.
  const double grains = warm.outdoorGrains / 7000;
  const double perLb = (0.24 + 0.444 * grains) * 30;
  const double voa = alone(10, -25, 70, 40).results.Voa;
  EXPECT_NEAR(warm.preheatBtuh, perLb * voa * 60 / 13.33333, 1e-3 * warm.preheatBtuh);
  EXPECT_DOUBLE_EQ(preheated.year.preheatBtu, warm.preheatBtuh);
  op.preheatF = -18;
  const HourResult barely = year(w, op).hours[0];
  EXPECT_TRUE(barely.frostPersists) << "two degrees of preheat leave the exhaust frosting";
  EXPECT_EQ(year(w, op).year.frostPersistsHours, 1);

  op.frost = FrostControl::Bypass;
  const HourResult bypassed = year(w, op).hours[0];
  EXPECT_TRUE(bypassed.frost);
  EXPECT_FALSE(bypassed.operating);
  EXPECT_EQ(bypassed.totalBtuh, 0);
  EXPECT_NEAR(bypassed.frostLostBtuh, -frosting.results.HeatT, 1e-6);
  EXPECT_GT(bypassed.fanKW, 0);
}

// Purchased energy and cost from the default prices, reckoned by hand.
TEST(AnnualSavingsTest, PricesAndPayback) {
  EnergyTotals t;
  t.heatingSensibleBtu = 800'000;
  t.heatingLatentBtu = 200'000;
  t.coolingSensibleBtu = 3'500'000;
  t.fanKWh = 100;
  const OperationModel op;
  const Savings s = savings(t, op);
  EXPECT_NEAR(s.fuelTherms, 1e6 / 0.85 / 1e5, 1e-9);       // 11.765 therms
  EXPECT_NEAR(s.coolingKWh, 3.5e6 / 3.5 / 3412.14, 1e-9);  // 293.07 kWh
  EXPECT_NEAR(s.costSaved, 11.7647 * 1.00 + (293.071 - 100) * 0.12, 1e-3);
  EXPECT_NEAR(s.netKBtu, 1176.47 + (293.071 - 100) * 3.41214, 1e-2);
}

// Recovered energy is the supply side's enthalpy change times its mass
// flow in every hour of the shipped year, and months add up to the year.
TEST_F(AnnualTest, ShippedYearBalances) {
  const auto read = readWeatherFile(
      KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw");
  ASSERT_TRUE(std::holds_alternative<Weather>(read));
  const Weather& w = std::get<Weather>(read);
  OperationModel op;
  op.firstCost = 20'000;
  const AnnualResult r = year(w, op);
  ASSERT_FALSE(r.error) << *r.error;
  ASSERT_EQ(r.hours.size(), w.hours.size());
  int occupied = 0;
  for (const HourResult& h : r.hours) {
    occupied += h.occupied ? 1 : 0;
    if (!h.operating) {
      continue;
    }
    const double supplySide = (modPsych::Enthalpy(h.outdoorF, h.outdoorGrains) -
                               modPsych::Enthalpy(h.supplyF, h.supplyGrains)) *
                              h.supplyMassLbPerMin * 60;
    ASSERT_NEAR(h.totalBtuh, supplySide, 1e-3 * std::abs(supplySide) + 1e-6);
  }
  EXPECT_EQ(occupied, 260 * 12) << "a year from Sunday to Sunday has 260 weekdays";
  EXPECT_EQ(r.year.unratedHours, 0);
  EXPECT_EQ(r.year.operatingHours + r.year.economizerHours, occupied);
  double heating = 0;
  for (const EnergyTotals& m : r.months) {
    heating += m.heatingBtu();
  }
  EXPECT_NEAR(heating, r.year.heatingBtu(), 1e-6 * heating);
  EXPECT_GT(r.months[0].heatingBtu(), r.months[6].heatingBtu());
  EXPECT_GT(r.months[6].coolingBtu(), r.months[0].coolingBtu());
  ASSERT_TRUE(r.design);
  EXPECT_GT(r.design->heatingBtuh, r.design->coolingBtuh);
  ASSERT_TRUE(r.paybackYears);
  EXPECT_NEAR(*r.paybackYears, 20'000 / r.yearSavings.costSaved, 1e-9);
}

TEST_F(AnnualTest, StopsWithAReason) {
  const Weather w = hoursOf({at(kMonday, 11, 95, 75)});
  Case noVolume = office();
  noVolume.mainVolumeCfm = 0;
  const AnnualResult unrated = rateYear(noVolume, w, {}, catalog);
  ASSERT_TRUE(unrated.error);
  EXPECT_EQ(unrated.error->rfind("The case cannot be rated: ", 0), 0U);

  const AnnualResult stopped =
      rateYear(office(), w, {}, catalog, [](std::size_t, std::size_t) { return false; });
  EXPECT_EQ(stopped.error.value_or(""), "The year was stopped.");
}

}  // namespace
}  // namespace ModCalc::testing
