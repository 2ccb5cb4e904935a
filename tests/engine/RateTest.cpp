#include <cmath>
#include <string>
#include <vector>

#include "engine/Rate.h"
#include "psych/modPsych.h"
#include "tests/engine/EngineFixture.h"
#include "units/Units.h"

namespace ModCalc::testing {
namespace {

using units::kStandardAirVolume;

// Summer at sea level, 2,000 cfm each way, as plain values: no dialog.
Case summer() {
  Case c;
  c.SIFlowFactor = 0.58851F;
  c.flowBasis = VolumeBasis::Outdoor;
  c.MoistInOption = 2;  // wet bulb
  c.MatrixFactor = 0.757F;
  c.outdoorStaticInWC = 2;
  c.outdoorStaticPa = 498;
  c.outdoorDryBulbF = 95;
  c.returnDryBulbF = 75;
  c.outdoorMoisture = 78;
  c.returnMoisture = 62.5;
  c.mainVolumeCfm = 2000;
  c.returnVolumeCfm = 2000;
  c.wheelSpeedRpm = 20;
  c.sensibleOverridePct = 72;
  c.latentOverridePct = 68;
  c.custom.name = "Custom 364";
  c.custom.diameterIn = 36;
  c.custom.depthIn = 4;
  c.custom.hubDiameterIn = 4.5F;
  c.custom.rpm = 35;
  c.custom.faceAreaFt2 = 6.8F;
  return c;
}

class RateTest : public EngineTest {
 protected:
  Rating rated(const Case& c) const { return rate(c, catalog); }
};

// Each flow basis resolves the entered volume to the standard volumes as
// its name says, and the energy balance holds whatever the basis.
TEST_F(RateTest, EachFlowBasisResolvesItsVolume) {
  for (const VolumeBasis basis : {VolumeBasis::Outdoor, VolumeBasis::Supply,
                                  VolumeBasis::OutdoorActual, VolumeBasis::SupplyActual}) {
    SCOPED_TRACE(static_cast<int>(basis));
    Case c = summer();
    c.flowBasis = basis;
    const Rating r = rated(c);
    ASSERT_TRUE(r.completed()) << *r.error;
    const CalcState& s = r.results;
    EXPECT_EQ(s.ModelNameSel, "K-36");
    EXPECT_FLOAT_EQ(s.Voa, s.Vsa + s.Vpurge) << "the purge comes out of the outdoor air";
    const double outdoorVolume = modPsych::SpecificVolume(s.Toa, s.Woa, s.PoaAbs);
    switch (basis) {
      case VolumeBasis::Outdoor:
        EXPECT_EQ(s.Voa, 2000);
        break;
      case VolumeBasis::Supply:
        EXPECT_EQ(s.Vsa, 2000);
        break;
      case VolumeBasis::OutdoorActual:
        EXPECT_NEAR(s.Voa * outdoorVolume / kStandardAirVolume, 2000, 0.5);
        break;
      default:
        // The supply at its own leaving state, within the iteration's 0.25 acfm.
        EXPECT_NEAR(s.Vsa * modPsych::SpecificVolume(s.Tsa, s.Wsa, s.PoaAbs) / kStandardAirVolume,
                    2000, 0.3);
        break;
    }
    // Sensible heat by hand: 1.08 Btu/h per cfm and °F.
    EXPECT_NEAR(s.HeatS, 1.08 * s.Vsa * (s.Toa - s.Tsa), 1e-3 * s.HeatS);
    EXPECT_NEAR(s.HeatT, s.HeatS + s.HeatL, 1e-9 * s.HeatT);
    EXPECT_TRUE(r.warnings.empty());
    EXPECT_EQ(r.shownMainVolume, 2000) << "the volume box keeps what was entered";
  }
}

// The same outdoor air in each humidity measure rates the same (the dew
// point's correlation is not the exact inverse of the saturation pressure).
TEST_F(RateTest, EachHumidityKindGivesTheSameAir) {
  const Rating wetBulb = rated(summer());
  ASSERT_TRUE(wetBulb.completed());
  const CalcState& w = wetBulb.results;
  const double pressure = w.PoaAbs;
  double woa = w.Woa;
  double wra = w.Wra;
  const struct {
    std::int16_t option;
    double outdoor, ret;
  } rows[] = {
      {1, modPsych::DewPoint(woa, pressure), 0},
      {3, w.Woa, w.Wra},
      {4, 100 * modPsych::RelHumFraction(95, w.Woa, pressure),
       100 * modPsych::RelHumFraction(75, w.Wra, w.PraAbs)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.option);
    Case c = summer();
    c.MoistInOption = row.option;
    c.outdoorMoisture = row.outdoor;
    c.returnMoisture = row.option == 1 ? modPsych::DewPoint(wra, w.PraAbs) : row.ret;
    const Rating r = rated(c);
    ASSERT_TRUE(r.completed()) << *r.error;
    EXPECT_NEAR(r.results.Woa, w.Woa, 0.2);
    EXPECT_NEAR(r.results.Wra, w.Wra, 0.2);
    EXPECT_NEAR(r.results.HeatT, w.HeatT, 0.005 * w.HeatT);
  }
}

// Air is never taken drier than 0.1 gr/lb, however dry the entry.
TEST_F(RateTest, DriestAirIsATenthOfAGrain) {
  Case c = summer();
  c.MoistInOption = 3;
  c.outdoorMoisture = 0.05;
  c.returnMoisture = 0.02;
  const Rating r = rated(c);
  ASSERT_TRUE(r.completed()) << *r.error;
  EXPECT_EQ(r.results.Woa, 0.1);
  EXPECT_EQ(r.results.Wra, 0.1);
}

TEST_F(RateTest, TheCustomWheelIsSizedWithTheSelectionsPi) {
  Case c = summer();
  c.customOnly = true;
  const Rating r = rated(c);
  ASSERT_TRUE(r.completed()) << *r.error;
  EXPECT_EQ(r.results.ModelNameSel, "Custom 364");
  EXPECT_EQ(r.offeredModels, std::vector<std::string>{"Custom 364"});
  // 3.14 · (18² − 2.25²) / 144 − 0.5 · 36 / 144 ft².
  EXPECT_NEAR(r.customFaceAreaFt2, 3.14 * (18 * 18 - 2.25 * 2.25) / 144 - 0.125, 1e-5);
  EXPECT_EQ(r.results.FaceArea, r.customFaceAreaFt2);
  EXPECT_EQ(c.custom.faceAreaFt2, 6.8F) << "the case is not changed";
}

TEST_F(RateTest, FrostIsAnIndicationAndAWarning) {
  Case c = summer();
  c.MoistInOption = 1;
  c.outdoorDryBulbF = -10;
  c.outdoorMoisture = -15;
  c.returnDryBulbF = 72;
  c.returnMoisture = 45;
  const Rating r = rated(c);
  ASSERT_TRUE(r.completed()) << *r.error;
  EXPECT_TRUE(r.frost);
  EXPECT_FALSE(r.exhaustCondensing);
  EXPECT_LE(r.results.Tea, 32);
  ASSERT_FALSE(r.warnings.empty());
  EXPECT_EQ(r.warnings.back().kind, WarningKind::Frost);
}

// Trouble comes back as values: corrected entries with their warnings, or
// the reason a rating stopped.
TEST_F(RateTest, TroubleComesBackAsValues) {
  Case wet = summer();
  wet.outdoorMoisture = 96;  // a wet bulb above the dry bulb
  const Rating corrected = rated(wet);
  ASSERT_TRUE(corrected.completed());
  ASSERT_EQ(corrected.entries.size(), 1u);
  EXPECT_EQ(corrected.entries[0].box, EntryBox::Moa);
  EXPECT_FLOAT_EQ(static_cast<float>(corrected.entries[0].value), 94.9F);
  EXPECT_EQ(corrected.warnings.at(0).kind, WarningKind::Entry);

  Case overridden = summer();
  overridden.sensibleOverridden = true;
  overridden.sensibleOverridePct = 100;
  EXPECT_EQ(rated(overridden).error, "The sensible effectiveness override must be below 100 %.");

  Case unknown = summer();
  unknown.selectModel = false;
  unknown.model = "K-99";
  EXPECT_FALSE(rated(unknown).completed());
}

}  // namespace
}  // namespace ModCalc::testing
