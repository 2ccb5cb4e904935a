#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "psych/modPsych.h"

namespace {

using namespace modPsych;

constexpr double kSeaLevel = 14.696;

// Saturation pressure, psia, against the ASHRAE Handbook—Fundamentals (2017)
// ch. 1 Table 3, which the Hyland–Wexler equations meet within 300 ppm.
TEST(SatPressure, MatchesHandbookTable) {
  const struct {
    double t, pws;
  } rows[] = {{-4, 0.014974}, {23, 0.058268}, {41, 0.12656},
              {77, 0.45973},  {122, 1.79140}, {212, 14.7094}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    EXPECT_NEAR(SatPressure(row.t), row.pws, row.pws * 3e-4);
  }
}

// The program's own reference points, including the switch to the ice form
// at exactly 32 °F.
TEST(SatPressure, ReferencePoints) {
  const struct {
    double t, pws, tolerance;
  } rows[] = {{32, 0.088640, 5e-7},
              {32.0001, 0.088649, 5e-6},
              {70, 0.36328, 5e-6},
              {212, 14.7095, 5e-5},
              {0, 0.018502, 5e-7}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    EXPECT_NEAR(SatPressure(row.t), row.pws, row.tolerance);
  }
}

// Saturation humidity ratio and enthalpy at 14.696 psia against the ASHRAE
// Handbook—Fundamentals (2017) ch. 1 Table 2. The simple ideal-gas
// equations reach the table within about 1 % (3 % near 23 °F for enthalpy).
TEST(Saturation, HumidityRatioAndEnthalpyMatchHandbookTable) {
  const struct {
    double t, ws, hs, wsTolerance, hsTolerance;
  } rows[] = {{-4, 0.0006373, -0.286, 0.01, 0.08},  {23, 0.0024863, 8.186, 0.005, 0.03},
              {41, 0.005425, 15.699, 0.005, 0.01},  {77, 0.020173, 40.576, 0.005, 0.01},
              {122, 0.086863, 126.066, 0.01, 0.01}, {185, 0.838105, 999.749, 0.02, 0.01}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    const double ws = HumRatioFromVapor(SatPressure(row.t), kSeaLevel);
    EXPECT_NEAR(ws, row.ws, row.ws * row.wsTolerance);
    EXPECT_NEAR(Enthalpy(row.t, ws * 7000), row.hs, std::fabs(row.hs) * row.hsTolerance);
  }
}

// Dry-air specific volume at 77 °F and 32 °F, ASHRAE Table 2, within 0.1 %.
TEST(SpecificVolume, DryAirMatchesHandbookTable) {
  EXPECT_NEAR(SpecificVolume(77, 0, kSeaLevel), 13.5251, 13.5251e-3);
  EXPECT_NEAR(SpecificVolume(32, 0, kSeaLevel), 12.3873, 12.3873e-3);
}

TEST(AtmPressure, QuadraticFit) {
  EXPECT_DOUBLE_EQ(AtmPressure(0), 14.696);
  EXPECT_NEAR(AtmPressure(5000), 12.0508, 5e-5);
  EXPECT_NEAR(AtmPressure(10000), 9.4110, 5e-5);
}

// One air state, 75 °F and 50 %RH at sea level, through every measure.
TEST(MoistAir, OneStateThroughEveryMeasure) {
  const double w = MoistToGrains(75, 50, kSeaLevel, kRelHum);
  EXPECT_NEAR(w, 64.65, 0.005);
  double copy = w;
  EXPECT_NEAR(GrainsToMoist(75, copy, kSeaLevel, kRelHum), 50, 1e-9);
  copy = w;
  EXPECT_NEAR(DewPoint(copy, kSeaLevel), 55.18, 0.005);
  EXPECT_EQ(copy, w) << "a positive humidity ratio is left alone";
  EXPECT_NEAR(WetBulb(75, copy, kSeaLevel), 62.55, 0.005);
  EXPECT_NEAR(Enthalpy(75, w), 28.107, 5e-4);
  EXPECT_NEAR(SpecificVolume(75, w, kSeaLevel), 13.680, 5e-4);
}

// Each kind converts to grains and back to the same value.
TEST(MoistAir, KindsRoundTrip) {
  const struct {
    std::int16_t kind;
    double value, tolerance;
  } rows[] = {{kDewPoint, 55, 0.1},
              {kWetBulb, 75, 0.01},
              {kGrains, 120, 0},
              {kRelHum, 35, 1e-9},
              {kPoundsPerPound, 0.012, 1e-15}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.kind);
    EXPECT_TRUE(MoistureInRange(95, row.value, row.kind));
    double w = MoistToGrains(95, row.value, kSeaLevel, row.kind);
    EXPECT_NEAR(GrainsToMoist(95, w, kSeaLevel, row.kind), row.value, row.tolerance);
  }
}

// A value out of its kind's range is reported, and then used as it is.
TEST(MoistToGrains, RangeChecks) {
  const double saturated = HumRatioFromVapor(SatPressure(75), kSeaLevel) * 7000.0;
  const struct {
    std::int16_t kind;
    double value;
    bool inRange;
    double grains, tolerance;
  } rows[] = {
      {kRelHum, 100, false, saturated, 1e-4},
      {kRelHum, 99.9, true, saturated * 0.999, 0.02},
      {kRelHum, -5, true, -6.3614, 1e-4},  // no lower check for %RH
      {kDewPoint, 75, false, saturated, 1e-4},
      {kWetBulb, 75, false, saturated, 1e-4},
      {kGrains, 0, false, 0, 0},
      {kGrains, 600, false, 600, 0},
      {kGrains, 500, true, 500, 0},
      {kGrains, -3, false, -3, 0},
      {kPoundsPerPound, 0.08, false, 560, 1e-9},
      {kPoundsPerPound, 0, false, 0, 0},
      {0, 50, true, 0, 0},
      {6, 50, true, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.kind) + " " + std::to_string(row.value));
    EXPECT_EQ(MoistureInRange(75, row.value, row.kind), row.inRange);
    EXPECT_NEAR(MoistToGrains(75, row.value, kSeaLevel, row.kind), row.grains, row.tolerance);
  }
}

TEST(GrainsToMoist, UnknownKindGivesZero) {
  for (const std::int16_t kind : {0, 6, -1}) {
    double w = 50;
    EXPECT_EQ(GrainsToMoist(75, w, kSeaLevel, kind), 0);
  }
}

TEST(DewPoint, BothCorrelationsAndTheDryFloor) {
  double w = 0;
  EXPECT_NEAR(DewPoint(w, kSeaLevel), -61.80, 0.005);
  EXPECT_DOUBLE_EQ(w, 0.1001) << "the caller's humidity ratio is raised";

  w = 5;
  const double belowFreezing = DewPoint(w, kSeaLevel);
  EXPECT_NEAR(belowFreezing, -1.73, 0.005);
  EXPECT_EQ(static_cast<float>(belowFreezing), belowFreezing) << "held in single precision";

  // Either side of 32 °F the two correlations meet within 0.1 °F.
  double justBelow = HumRatioFromVapor(SatPressure(31.99), kSeaLevel) * 7000.0;
  double justAbove = HumRatioFromVapor(SatPressure(32.01), kSeaLevel) * 7000.0;
  EXPECT_NEAR(DewPoint(justBelow, kSeaLevel), DewPoint(justAbove, kSeaLevel), 0.1);

  // GrainsToMoist and WetBulb hand the caller's value on to DewPoint.
  w = -2;
  GrainsToMoist(75, w, kSeaLevel, kDewPoint);
  EXPECT_DOUBLE_EQ(w, 0.1001);
  w = 0;
  WetBulb(75, w, kSeaLevel);
  EXPECT_DOUBLE_EQ(w, 0.1001);
}

// The search meets its own stop test and lands between dew point and dry
// bulb over the range the program meets.
TEST(WetBulb, ConvergesAcrossTheWorkingRange) {
  const struct {
    double t, w, p;
  } rows[] = {{95, 100, kSeaLevel},   {75, 64.65, kSeaLevel}, {20, 5, kSeaLevel},
              {-20, 1, kSeaLevel},    {150, 300, 12.05},      {40, 0.5, 9.41},
              {100, 36.61, kSeaLevel}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.t);
    double w = row.w;
    const double wetBulb = WetBulb(row.t, w, row.p);
    double dewPointW = row.w;
    const double dewPoint = DewPoint(dewPointW, row.p);
    EXPECT_LE(std::fabs(row.w / 7000 - HumRatioFromWetBulb(row.t, wetBulb, row.p)), 3e-6);
    EXPECT_LE(wetBulb, row.t);
    EXPECT_GE(wetBulb, dewPoint - 0.5);
  }
  // The handbook's example 1: 100 °F dry bulb, 65 °F wet bulb at sea level.
  double w = MoistToGrains(100, 65, kSeaLevel, kWetBulb);
  EXPECT_NEAR(WetBulb(100, w, kSeaLevel), 65, 0.01);
}

// Air that has no wet bulb (no pressure, or less than the vapour pressure)
// ends the search instead of hanging it.
TEST(WetBulb, EndsOnAirWithoutASolution) {
  for (const double p : {0.0, -1.0, 0.5}) {
    SCOPED_TRACE(p);
    double w = 64.65;
    WetBulb(75, w, p);
  }
  double w = 64.65;
  const double atZero = WetBulb(0, w, kSeaLevel);
  EXPECT_TRUE(std::isfinite(atZero));
}

}  // namespace
