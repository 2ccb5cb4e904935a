#include <cmath>

#include "engine/WheelModel.h"
#include "tests/engine/EngineFixture.h"

namespace ModCalc::testing {
namespace {

// A balanced counterflow exchanger of n transfer units is n / (1 + n)
// effective; the rotary matrix tends to it as its capacity grows.
TEST(WheelFormulas, RotaryEffectivenessRisesTowardsTheCounterflowLimit) {
  EXPECT_DOUBLE_EQ(RotaryEff(4, 1), 2.0 / 3) << "x = 4 * 1 / 2 = 2, 2 / 3";
  for (const double ntu : {0.5, 2.0, 4.0, 10.0}) {
    SCOPED_TRACE(ntu);
    double previous = 0;
    for (const double capacity : {0.1, 0.5, 1.0, 5.0, 50.0}) {
      const double e = RotaryEff(ntu, capacity);
      EXPECT_GT(e, previous) << capacity;
      EXPECT_LT(e, ntu / (1 + ntu)) << capacity;
      previous = e;
    }
    EXPECT_NEAR(RotaryEff(ntu, 1e6), ntu / (1 + ntu), 1e-5);
    EXPECT_GT(RotaryEff(ntu * 2, 1), RotaryEff(ntu, 1)) << "more transfer units";
  }
}

TEST(WheelFormulas, UnbalancedFlowsLeaveTheBalancedEffectivenessAtTheirLimits) {
  for (const double balanced : {0.5, 0.7, 0.85}) {
    SCOPED_TRACE(balanced);
    const double ntu = EffToNtu(balanced);
    EXPECT_NEAR(ntu / (1 + ntu), balanced, 1e-12) << "EffToNtu inverts n / (1 + n)";
    // Equal flows give the balanced effectiveness back; no flow on the other
    // side gives the single-stream limit 1 - e^-n; in between it falls as
    // the ratio grows.
    EXPECT_NEAR(CounterflowEff(ntu, 1 - 1e-7), balanced, 1e-6);
    EXPECT_NEAR(CounterflowEff(ntu, 0), 1 - std::exp(-ntu), 1e-12);
    double previous = 1;
    for (const double ratio : {0.0, 0.3, 0.6, 0.9}) {
      const double e = CounterflowEff(ntu, ratio);
      EXPECT_LT(e, previous) << ratio;
      EXPECT_GT(e, balanced) << ratio;
      previous = e;
    }
  }
}

// 95 °F outdoor and 75 °F return air through a 70 % wheel with equal flows
// and no purge: 95 - 0.7 * 20 = 81 °F.
TEST(WheelFormulas, LeavingStateMovesTheOutdoorAirTowardsTheReturnAir) {
  EXPECT_FLOAT_EQ(LeavingState(95, 0.7, 1, 75, 1000, 1000, 0), 81);
  EXPECT_FLOAT_EQ(LeavingState(95, 0, 1, 75, 1000, 1000, 0), 95) << "no exchange";
  EXPECT_FLOAT_EQ(LeavingState(95, 1, 1, 75, 1000, 1000, 0), 75) << "a perfect exchange";
  EXPECT_EQ(LeavingState(97.5, 0, 0.9, 60, 1000, 1040, 40), 97.5F)
      << "a sensible-only wheel leaves the humidity ratio as it was";
  // Purge air at the supply state dilutes the return side: the supply
  // leaves warmer than without it.
  const float purged = LeavingState(95, 0.7, 1, 75, 1000, 1040, 40);
  EXPECT_GT(purged, 81);
  EXPECT_LT(purged, 95);
}

using FluteTest = EngineTest;

// The depth decides the flute unless it is fixed; the two ways of choosing
// pair 62 and 94 mils with swapped purge factors.
TEST_F(FluteTest, DepthOrOverrideDecides) {
  auto& o = fields.overrides;
  const struct {
    float depth;
    bool fixed;
    platform::OptionButton* option;
    float mils, density, factor;
  } rows[] = {
      {4.99F, false, nullptr, 45, 16.5F, 0.71F}, {5, false, nullptr, 62, 15, 0.83F},
      {9, false, nullptr, 62, 15, 0.83F},        {9.01F, false, nullptr, 94, 10.7F, 0.76F},
      {6, true, &o.Flute62, 62, 15, 0.76F},      {6, true, &o.Flute94, 94, 10.7F, 0.83F},
      {12, true, &o.Flute45, 45, 16.5F, 0.71F},
  };
  state.Density45 = 16.5F;
  state.Density62 = 15;
  state.Density94 = 10.7F;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.depth);
    state.WheelDepthSel = row.depth;
    o.FluteOverride.setValue(row.fixed ? 1 : 0);
    if (row.option != nullptr) {
      row.option->select();
    }
    Steps steps(*this);
    ChooseFlute(steps.work);
    EXPECT_EQ(state.FluteMils, row.mils);
    EXPECT_EQ(state.MediaDensity, row.density);
    EXPECT_EQ(state.FluteFactor, row.factor);
  }
}

// Air through a 62-mil, 4 in deep wheel at 500 fpm loses about 0.44 in.
// w.c.; the drop grows with the velocity and the depth, and a finer flute
// resists more.
TEST_F(FluteTest, PressureDropGrowsWithVelocityDepthAndFinerFlutes) {
  state.FluteMils = 62;
  EXPECT_NEAR(PressureDrop(state, 500, 4), 0.4395, 1e-9);
  for (const double depth : {4.0, 6.0, 10.0}) {
    SCOPED_TRACE(depth);
    double coarser = 0;
    for (const float mils : {94.0F, 62.0F, 45.0F}) {
      state.FluteMils = mils;
      const double drop = PressureDrop(state, 500, depth);
      EXPECT_GT(drop, coarser) << mils;
      EXPECT_DOUBLE_EQ(PressureDrop(state, 1000, depth), 2 * drop) << mils;
      EXPECT_GT(PressureDrop(state, 500, depth + 1), drop) << mils;
      EXPECT_EQ(PressureDrop(state, 0, depth), 0) << mils;
      coarser = drop;
    }
  }
}

// The purge routine on a 36 in wheel, 6 in deep, at 600 fpm.
class PurgeTest : public EngineTest {
 protected:
  PurgeTest() {
    state.Density62 = 15;
    state.WheelDepthSel = 6;
    state.FaceArea = 6.2F;
    state.VelOa = 600;
    state.Toa = 95;
    state.Tra = 75;
    state.Woa = 100;
    state.Wra = 65;
    state.Patm = 14.696;
    state.PoaInWC = 2;
    state.PoaAbs = static_cast<float>(2 / 27.708 + 14.696);
    state.PraAbs = 14.696F;
  }
};

TEST_F(PurgeTest, AngleIsLimitedUnlessTyped) {
  const struct {
    float rpm;
    bool typed;
    const char* typedAngle;
    float expected;
  } rows[] = {
      {400, false, "", 20},  // computes well above 20 degrees
      {-20, false, "", 0},
      {20, true, "35", 35},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.rpm);
    state.WheelRpm = row.rpm;
    fields.inputs.chkPurgeAngle.setValue(row.typed ? 1 : 0);
    fields.inputs.txtPurgeAngle.setText(row.typedAngle);
    Steps steps(*this);
    PurgeAndPressureCheck(steps.work);
    EXPECT_TRUE(steps.texts().empty());
    EXPECT_EQ(state.PurgeAngle, row.expected);
    EXPECT_FLOAT_EQ(state.PurgeFraction, row.expected / 360);
    EXPECT_FLOAT_EQ(state.Vpurge,
                    static_cast<float>(state.FaceArea * state.PurgeVelocity * state.PurgeFraction));
  }
  EXPECT_EQ(state.PurgeAngleEntered, 35);
}

TEST_F(PurgeTest, FixedSixtyTwoMilFluteGivesASmallerAngle) {
  state.WheelRpm = 20;
  PurgeAndPressureCheck(Steps(*this).work);
  const float fromDepth = state.PurgeAngle;
  fields.overrides.FluteOverride.setValue(1);
  PurgeAndPressureCheck(Steps(*this).work);
  EXPECT_EQ(state.FluteMils, 62);
  EXPECT_FLOAT_EQ(state.PurgeAngle / fromDepth, 0.76F / 0.83F);
}

TEST_F(PurgeTest, OutdoorPressureIsRaisedAboveReturn) {
  const struct {
    float outdoor, ret;
    std::int16_t si;
    float shown;     // in. w.c., whatever the box's unit
    float raised;    // in. w.c.
    float pascals;   // 249 Pa per in. w.c.
    float absolute;  // 14.696 psia + raised / 27.708
  } rows[] = {{1.0F, 1.5F, 0, 2, 2.0F, 498, 14.768181F},
              {1.5F, 1.5F, 0, 2, 2.0F, 498, 14.768181F},
              {0, 0, 1, 0.5F, 0.5F, 124.5F, 14.714045F}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown);
    state.SIUnits = row.si;
    state.PoaInWC = row.outdoor;
    state.PraInWC = row.ret;
    state.WheelRpm = 20;
    Steps steps(*this);
    PurgeAndPressureCheck(steps.work);
    EXPECT_EQ(steps.texts(),
              std::vector<std::string>{
                  "Warning: Outdoor air pressure must be larger than return air. Pressure "
                  "will be increased "});
    EXPECT_EQ(state.PoaInWC, row.raised);
    EXPECT_EQ(state.PoaPa, row.pascals);
    ASSERT_EQ(steps.rating.entries.size(), 1u);
    EXPECT_EQ(steps.rating.entries[0].box, EntryBox::Poa);
    EXPECT_EQ(steps.rating.entries[0].value, row.shown);
    EXPECT_DOUBLE_EQ(state.dPoaRa, 0.5);
    EXPECT_FLOAT_EQ(state.PoaAbs, row.absolute);
  }
}

TEST_F(EngineTest, UseModelTakesTheNamedRowAndSpeed) {
  fields.inputs.txtWheelSpeed.setText("22");
  UseModel(Steps(*this).work, "K-48");
  EXPECT_EQ(state.ModelIndex, 3);
  EXPECT_EQ(state.ModelNameSel, "K-48");
  EXPECT_EQ(state.FaceArea, 11.2F);
  EXPECT_EQ(state.WheelDepthSel, 10);
  EXPECT_EQ(state.Vpurge, 150);
  EXPECT_EQ(state.WheelRpm, 40) << "the catalog speed unless the speed box is ticked";
  EXPECT_EQ(state.WheelRpmEntered, 22);
  EXPECT_EQ(state.ModelSelected, 1);

  fields.inputs.chkSpeed.setValue(1);
  UseModel(Steps(*this).work, "K-36");
  EXPECT_EQ(state.ModelIndex, 2);
  EXPECT_EQ(state.WheelRpm, 22);
  EXPECT_THROW(UseModel(Steps(*this).work, "no such wheel"), CalcError);
}

}  // namespace
}  // namespace ModCalc::testing
