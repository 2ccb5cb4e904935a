#include <map>
#include <string>
#include <vector>

#include "engine/CodeCheck.h"
#include "engine/Rate.h"
#include "tests/engine/EngineFixture.h"

namespace ModCalc::testing {
namespace {

// The 90.1-2019 thresholds keyed by zone, as openstudio-standards'
// energy_recovery.json lists them (0 for "NR"): {under 8,000 h, 8,000 h or
// more}, columns 10-20 % ... >= 80 % outdoor air.
using Row = std::array<double, 8>;
constexpr Row kNone = {0, 0, 0, 0, 0, 0, 0, 0};
constexpr Row kHumidUnder = {26000, 16000, 5500, 4500, 3500, 2000, 1000, 120};
constexpr Row kDryUnder = {0, 0, 0, 0, 26000, 12000, 5000, 4000};
constexpr Row kColdUnder = {4500, 4000, 2500, 1000, 140, 120, 100, 80};
constexpr Row kWarmOver = {2500, 2000, 1000, 500, 140, 120, 100, 80};
constexpr Row kDryOver = {0, 19500, 9000, 5000, 4000, 3000, 1500, 120};
constexpr Row kColdOver = {200, 130, 100, 80, 70, 60, 50, 40};

const std::map<std::string, std::pair<Row, Row>> kByZone = {
    {"0A", {kHumidUnder, kWarmOver}},
    {"0B", {kDryUnder, kDryOver}},
    {"1A", {kHumidUnder, kWarmOver}},
    {"1B", {kDryUnder, kDryOver}},
    {"2A", {kHumidUnder, kWarmOver}},
    {"2B", {kDryUnder, kDryOver}},
    {"3A", {kHumidUnder, kWarmOver}},
    {"3B", {kNone, kDryOver}},
    {"3C", {kNone, kNone}},
    {"4A", {kHumidUnder, kColdOver}},
    {"4B", {kNone, kWarmOver}},
    {"4C", {kNone, kDryOver}},
    {"5A", {kHumidUnder, kColdOver}},
    {"5B", {kNone, kWarmOver}},
    {"5C", {kDryUnder, kDryOver}},
    {"6A", {kHumidUnder, kColdOver}},
    {"6B", {{28000, 26500, 11000, 5500, 4500, 3500, 2500, 1500}, kColdOver}},
    {"7", {kColdUnder, kColdOver}},
    {"8", {kColdUnder, kColdOver}},
};

// Each zone, each hour class, each column: just below the threshold and at
// it, at the column's lower edge; and just below that edge the column before
// (or, under 10 %, nothing) decides.
TEST(RecoveryRequiredTest, EveryZoneHourClassAndBandEdge) {
  ASSERT_EQ(kByZone.size(), kClimateZones.size());
  for (const std::string_view zoneName : kClimateZones) {
    const std::string zone(zoneName);
    const auto& rows = kByZone.at(zone);
    for (const bool hours8000 : {false, true}) {
      const Row& row = hours8000 ? rows.second : rows.first;
      for (std::size_t column = 0; column < row.size(); ++column) {
        const double edge = 10.0 * static_cast<double>(column + 1);
        SCOPED_TRACE(zone + (hours8000 ? " >=8000 h " : " <8000 h ") + std::to_string(edge));
        const double least = row[column];
        if (least == 0) {
          EXPECT_FALSE(recoveryRequired(zone, hours8000, edge, 1e7).required);
          EXPECT_NE(recoveryRequired(zone, hours8000, edge, 1e7).decidedBy.find("NR"),
                    std::string::npos);
        } else {
          EXPECT_FALSE(recoveryRequired(zone, hours8000, edge, least - 1).required);
          EXPECT_TRUE(recoveryRequired(zone, hours8000, edge, least).required);
          EXPECT_EQ(recoveryRequired(zone, hours8000, edge, least).leastFanCfm, least);
        }
        const double before = column == 0 ? 0 : row[column - 1];
        const RecoveryRequirement below = recoveryRequired(zone, hours8000, edge - 0.01, least);
        EXPECT_EQ(below.leastFanCfm.value_or(0), before);
        EXPECT_EQ(below.required, before != 0 && least >= before);
      }
    }
  }
}

TEST(RecoveryRequiredTest, NamesTheRowThatDecided) {
  const RecoveryRequirement r = recoveryRequired("5A", false, 100, 5000);
  EXPECT_TRUE(r.required);
  EXPECT_EQ(r.decidedBy,
            "Table 6.5.6.1-1 (under 8,000 h), zones 0A, 1A, 2A, 3A, 4A, 5A, 6A, ≥ 80 % outdoor "
            "air: ≥ 120 cfm");
  EXPECT_EQ(recoveryRequired("3C", true, 35, 1e6).decidedBy,
            "Table 6.5.6.1-2 (8,000 h or more), zones 3C, ≥ 30 and < 40 % outdoor air: NR");
}

TEST(RecoveryRequiredTest, ExemptDesignConditionsByZone) {
  const std::vector<std::string_view> heating = {"0A", "0B", "1A", "1B", "2A", "2B"};
  const std::vector<std::string_view> cooling = {"3C", "4C", "5B", "5C", "6B", "7", "8"};
  for (const std::string_view zone : kClimateZones) {
    SCOPED_TRACE(zone);
    EXPECT_EQ(heatingRecoveryExempt(zone),
              std::find(heating.begin(), heating.end(), zone) != heating.end());
    EXPECT_EQ(coolingRecoveryExempt(zone),
              std::find(cooling.begin(), cooling.end(), zone) != cooling.end());
  }
}

// 1100 + E − 300 × q / 2 − F below 2 m³/s, 800 + E − F from there, with
// E = (ηt − 0.73) × 3000 for a unit at or above 73 %.
TEST(SfpIntLimitTest, BelowAndAboveTwoCubicMetresPerSecond) {
  struct Row {
    double eta, q;
    FilterSet filters;
    double limit;
  };
  const std::vector<Row> rows = {
      {0.80, 1.99, FilterSet::MediumAndFine, 1100 + 210 - 298.5},
      {0.80, 2.01, FilterSet::MediumAndFine, 800 + 210},
      {0.80, 2.00, FilterSet::MediumAndFine, 800 + 210},
      {0.73, 0.50, FilterSet::MediumMissing, 1100 - 75 - 150},
      {0.75, 3.00, FilterSet::FineMissing, 800 + 60 - 190},
      {0.75, 3.00, FilterSet::BothMissing, 800 + 60 - 340},
      {0.70, 1.00, FilterSet::MediumAndFine, 1100 - 150},  // no bonus under 73 %
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.eta) + " " + std::to_string(row.q));
    EXPECT_NEAR(sfpIntLimit(row.eta, row.q, row.filters), row.limit, 1e-9);
  }
}

// A small office system: 2,000 cfm each way at 45 % outdoor air in zone 5A.
Case office(double cfm) {
  Case c;
  c.SIFlowFactor = 0.58851F;
  c.flowBasis = VolumeBasis::Supply;
  c.MoistInOption = 2;
  c.MatrixFactor = 0.757F;
  c.outdoorDryBulbF = 90;
  c.returnDryBulbF = 74;
  c.outdoorMoisture = 75;
  c.returnMoisture = 62;
  c.mainVolumeCfm = cfm;
  c.returnVolumeCfm = static_cast<float>(cfm);
  c.custom.name = "Custom 364";
  c.custom.diameterIn = 36;
  c.custom.depthIn = 4;
  c.custom.hubDiameterIn = 4.5F;
  return c;
}

double handEnthalpy(double t, double grains) {
  const double w = grains / 7000;
  return 0.24 * t + w * (1061 + 0.444 * t);
}

class CodeCheckTest : public EngineTest {};

// ERR from the design ratings' air states by the textbook enthalpy of moist
// air, against the return air itself (no leakage correction); ηt from the
// EN 308 rating's temperatures, which must be dry and balanced.
TEST_F(CodeCheckTest, RatiosReckonedByHandForTwoCases) {
  for (const double cfm : {2000.0, 4000.0}) {
    SCOPED_TRACE(cfm);
    const Case c = office(cfm);
    CodeCheckInputs inputs;
    inputs.outdoorAirPercent = 45;
    const CodeCheck check = checkCode(c, catalog, inputs);
    ASSERT_FALSE(check.error) << *check.error;
    EXPECT_EQ(check.model, cfm == 2000 ? "K-36" : "K-48");
    EXPECT_NEAR(check.supplyFanCfm, cfm / 0.45, 1e-6 * cfm);
    for (const auto& [air, err] : {std::pair{inputs.cooling, check.errCooling},
                                   std::pair{inputs.heating, check.errHeating}}) {
      const CalcState s = rate(atDesignCondition(c, check.model, air), catalog).results;
      EXPECT_EQ(s.Toa, air.outdoorDryBulbF);
      const double hoa = handEnthalpy(s.Toa, s.Woa);
      const double byHand = (hoa - handEnthalpy(s.Tsa, s.Wsa)) / (hoa - handEnthalpy(s.Tra, s.Wra));
      ASSERT_TRUE(err);
      EXPECT_NEAR(*err, byHand, 1e-9);
      EXPECT_GT(*err, 0.3);
      EXPECT_LT(*err, 1);
    }

    inputs.code = EnergyCode::Eu1253_2014;
    const CodeCheck eu = checkCode(c, catalog, inputs);
    ASSERT_FALSE(eu.error) << *eu.error;
    const Rating en308 = rate(atEn308(c, eu.model, eu.supplyCfm), catalog);
    const CalcState& s = en308.results;
    EXPECT_EQ(s.Woa, s.Wra) << "dry";
    EXPECT_FLOAT_EQ(s.Vsa, s.Vra) << "balanced";
    EXPECT_EQ(s.Tra - s.Toa, 36.0F) << "20 K";
    EXPECT_NEAR(*eu.thermalEfficiency, (s.Tsa - 41.0) / 36.0, 1e-6);
    EXPECT_NEAR(*eu.sfpInt, (s.dPs + s.dPr) * 249.0889 / 0.6, 1e-6 * *eu.sfpInt);
    EXPECT_NEAR(*eu.nominalFlowM3s, eu.supplyCfm * 0.000471947443, 1e-9);
    EXPECT_FALSE(eu.errCooling);
    EXPECT_EQ(eu.pass, *eu.thermalEfficiency >= 0.73 && *eu.sfpInt <= *eu.sfpIntLimit);
  }
}

TEST_F(CodeCheckTest, VerdictsFollowTheRequirementAndTheExemptions) {
  const Case c = office(2000);
  CodeCheckInputs inputs;
  inputs.outdoorAirPercent = 5;
  const CodeCheck notRequired = checkCode(c, catalog, inputs);
  EXPECT_FALSE(notRequired.required);
  EXPECT_TRUE(notRequired.pass);
  ASSERT_EQ(notRequired.reasons.size(), 1U);
  EXPECT_NE(notRequired.reasons[0].find("under 10 % outdoor air"), std::string::npos);

  inputs.outdoorAirPercent = 100;
  inputs.zone = "7";  // cooling recovery exempt
  const CodeCheck cold = checkCode(c, catalog, inputs);
  EXPECT_TRUE(cold.required);
  EXPECT_FALSE(cold.errCooling);
  ASSERT_TRUE(cold.errHeating);
  EXPECT_EQ(cold.pass, *cold.errHeating >= 0.5);

  // A wheel that moves almost nothing cannot reach 50 %.
  Case weak = c;
  weak.sensibleOverridden = true;
  weak.latentOverridden = true;
  weak.sensibleOverridePct = 20;
  weak.latentOverridePct = 10;
  inputs.zone = "5A";
  const CodeCheck fails = checkCode(weak, catalog, inputs);
  ASSERT_FALSE(fails.error) << *fails.error;
  EXPECT_TRUE(fails.required);
  EXPECT_FALSE(fails.pass);
  EXPECT_EQ(fails.reasons.size(), 2U);

  inputs.code = EnergyCode::Eu1253_2014;
  const CodeCheck euFails = checkCode(weak, catalog, inputs);
  EXPECT_FALSE(euFails.pass);
  EXPECT_LT(*euFails.thermalEfficiency, 0.73);
}

TEST_F(CodeCheckTest, BadInputsNameTheirField) {
  const Case c = office(2000);
  struct Row {
    void (*spoil)(CodeCheckInputs&);
    const char* field;
  };
  const std::vector<Row> rows = {
      {[](CodeCheckInputs& i) { i.zone = "9Z"; }, "Climate zone"},
      {[](CodeCheckInputs& i) { i.outdoorAirPercent = 0; }, "Outdoor air"},
      {[](CodeCheckInputs& i) { i.outdoorAirPercent = 101; }, "Outdoor air"},
      {[](CodeCheckInputs& i) { i.fanEfficiencyPercent = 0; }, "Fan efficiency"},
      {[](CodeCheckInputs& i) { i.heating.outdoorWetBulbF = 5; }, "Heating design"},
  };
  for (const Row& row : rows) {
    CodeCheckInputs inputs;
    row.spoil(inputs);
    const CodeCheck check = checkCode(c, catalog, inputs);
    ASSERT_TRUE(check.error);
    EXPECT_TRUE(check.error->starts_with(row.field)) << *check.error;
    EXPECT_FALSE(check.pass);
  }
}

}  // namespace
}  // namespace ModCalc::testing
