#include <algorithm>

#include "engine/InputChecks.h"
#include "psych/modPsych.h"
#include "tests/engine/EngineFixture.h"

namespace ModCalc::testing {
namespace {

using Texts = std::vector<std::string>;

struct InputHarness : Harness {
  InputHarness() {
    state.Toa = 95;
    state.Tra = 75;
    state.Patm = 14.696;
    state.PoaAbs = 14.768F;
    state.PraAbs = 14.696F;
  }
  void entries(std::int16_t option, double outdoor, double ret) {
    state.MoistInOption = option;
    state.MoistInKind = moistureKind(option);
    state.Moa = outdoor;
    state.Mra = ret;
  }
};

class InputChecksTest : public ::testing::Test, public InputHarness {};

// What an English entry box shows after the step: the rating's last write to
// it, as the inputs dialog shows it, or else the box's own text.
std::string shown(const Steps& steps, EntryBox box, const platform::TextBox& own) {
  std::string text = own.text();
  for (const EntryWrite& write : steps.rating.entries) {
    if (write.box == box) {
      text = platform::tidyText(write.value);
    }
  }
  return text;
}

// Each limit, its warning (with the trailing blanks the messages have always
// had) and the rewritten box, which gives back the value used.
TEST_F(InputChecksTest, CheckInputsLimitsEachHumidityOption) {
  const struct {
    std::int16_t option;
    double outdoor, ret;
    double moa, mra;
    Texts warnings;
    const char *txtMoa, *txtMra;
  } rows[] = {
      {
          1,
          95,
          60,
          94.9,
          60,
          {"Warning: Outdoor air is supersaturated, saturated condition will be used "},
          "94.9",
          "65",
      },
      {6,
       96,
       75,
       94.9,
       74.9,
       {"Warning: Outdoor air is supersaturated, saturated condition will be used ",
        "Warning: Return air is supersaturated, saturated condition will be used "},
       "94.9",
       "74.9"},
      {
          3,
          250,
          0,
          200,
          0.1,
          {"Warning: Outdoor air exceeded 200 gr/lb.  200 will be used.",
           "Warning: Return air grain loading was 0 or less and has been increased to 0.1 "},
          "200",
          "0.1",
      },
      // An entry within its limits leaves its box as it was (here as the
      // harness left it).
      {3, 120, 60, 120, 60, {}, "75", "65"},
      {
          4,
          100,
          -5,
          99.9,
          0.1,
          {"Warning: Outdoor air is supersaturated, saturated condition will be used ",
           "Warning: Return air %RH was less than 0 and has been set to 0.1"},
          "99.9",
          "0.1",
      },
      {
          4,
          50,
          0,
          50,
          0.1,
          {"Warning: Return air %RH was less than 0 and has been set to 0.1"},
          "75",
          "0.1",
      },
      {7,
       245,
       -1,
       210,
       0.1,
       {"Warning: Outdoor air exceeded 30 g/kg.  30 will be used.",
        "Warning: Return air grain loading was 0 or less and has been increased to 0.1 "},
       "210",
       "0.1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.option);
    InputHarness fresh;
    fresh.entries(row.option, row.outdoor, row.ret);
    fresh.state.SIUnits = row.option > 4 ? 1 : 0;
    Steps steps(fresh);
    CheckInputs(steps.work);
    EXPECT_NEAR(fresh.state.Moa, row.moa, 1e-5);
    EXPECT_NEAR(fresh.state.Mra, row.mra, 1e-5);
    EXPECT_EQ(steps.texts(), row.warnings);
    const InputsFields& in = fresh.fields.inputs;
    EXPECT_EQ(shown(steps, EntryBox::Moa, in.txtMoa), row.txtMoa);
    EXPECT_EQ(shown(steps, EntryBox::Mra, in.txtMra), row.txtMra);
  }
}

TEST_F(InputChecksTest, SaturationIsCorrectedOnlyAboveIt) {
  const double saturated = modPsych::SatGrains(95, state.PoaAbs);
  entries(2, 0, 0);
  state.Woa = saturated;
  state.Wra = 200;  // far above saturation at 75 °F
  Steps steps(*this);
  CheckSaturation(steps.work);
  EXPECT_EQ(state.Woa, saturated) << "exactly saturated air is left alone";
  EXPECT_EQ(steps.texts(),
            Texts{"Warning: Return air is supersaturated, saturated condition will be "
                  "used "});
  const double returnSaturated = modPsych::SatGrains(75, state.PraAbs);
  // At the wet bulb the box shows, as the next rating takes it.
  EXPECT_NEAR(state.Wra, returnSaturated - 0.1, 0.01);
  EXPECT_EQ(state.Wra, modPsych::MoistToGrains(75, state.Mra, state.PraAbs, 2));
  EXPECT_NEAR(state.Mra, 75, 0.05) << "re-expressed as a wet bulb";
  EXPECT_EQ(platform::parseNumber<float>(shown(steps, EntryBox::Mra, fields.inputs.txtMra)),
            static_cast<float>(state.Mra));
}

// Cold air holds little water: at -60 °F a step of 0.1 gr/lb below
// saturation would leave two thirds of it, and below -67 °F less than none.
TEST_F(InputChecksTest, ColdSupersaturatedAirIsSetJustBelowSaturation) {
  const struct {
    float dryBulb;
    float pressure;  // psia: 15,000 ft, sea level, -1,500 ft with +20 in. w.c.
  } rows[] = {{-60, 8.3F}, {-60, 14.696F}, {-60, 16.2F}, {-40, 14.696F}, {0, 14.696F}, {30, 8.3F}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.dryBulb) + " °F at " + std::to_string(row.pressure));
    state.Toa = row.dryBulb;
    state.PoaAbs = row.pressure;
    state.Patm = row.pressure;
    entries(3, 0, 0);
    const double saturated = modPsych::SatGrains(row.dryBulb, row.pressure);
    state.Woa = saturated + 0.1;
    state.Wra = 50;
    Steps steps(*this);
    CheckSaturation(steps.work);
    EXPECT_LT(state.Woa, saturated);
    // A thousandth below, as the box's nine digits give it back.
    EXPECT_NEAR(state.Woa, saturated * 0.999, 1e-8 * saturated);
    EXPECT_LT(modPsych::RelHumFraction(row.dryBulb, state.Woa, row.pressure), 1);
  }
}

// A corrected dew point or wet bulb, and air too dry to rate, are taken at a
// tenth of a degree that the box shows and gives back, in English and SI.
TEST(InputChecks, CorrectedEntriesAreHeldAtTheTenthTheBoxShows) {
  const struct {
    std::int16_t option;
    float dryBulb;
    double entry;
    bool raised;  // to the driest air rated, else set below the dry bulb
    double held;
    const char* text;
  } rows[] = {
      {1, -18.9F, 55.8, false, -19, "-19"}, {2, 55.83F, 60, false, 55.7F, "55.7"},
      {5, 50, 53.6, false, 49.9F, "49.9"},  // 12 °C at 10 °C
      {2, 10, 0, true, 5.4F, "5.4"},        {6, 10, 0, true, 5.4F, "5.4"},
      {4, -50, 0.1, true, 34.7, "34.7"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.option << " " << row.entry);
    InputHarness h;
    h.state.Toa = row.dryBulb;
    h.state.SIUnits = row.option > 4 ? 1 : 0;
    h.entries(row.option, row.entry, 60);
    Steps steps(h);
    CheckInputs(steps.work);
    h.state.Woa =
        modPsych::MoistToGrains(row.dryBulb, h.state.Moa, h.state.PoaAbs, h.state.MoistInKind);
    h.state.Wra = 50;
    CheckLeastGrains(steps.work, 0.1);
    EXPECT_EQ(h.state.Moa, row.held);
    EXPECT_GE(h.state.Woa, 0.1);
    if (row.raised) {  // to the first tenth that is not drier
      EXPECT_LT(
          modPsych::MoistToGrains(row.dryBulb, row.held - 0.1, h.state.PoaAbs, h.state.MoistInKind),
          0.1);
    }
    EXPECT_EQ(shown(steps, EntryBox::Moa, h.fields.inputs.txtMoa), row.text);
    // The SI figure follows the entry.
    if (const auto si = moistureSI(h.state.Moa, h.state.MoistInOption, h.state.SIUnits)) {
      EXPECT_EQ(h.state.MoaSI, *si);
    }
    ASSERT_EQ(steps.texts().size(), 1U);
    EXPECT_NE(steps.texts()[0].find(row.raised ? "drier than 0.1 gr/lb" : "supersaturated"),
              std::string::npos);
  }
}

// A wet bulb at the dry bulb is set 0.1 °F below it; in cold air that
// leaves little or no water, so the air is then set just below saturation,
// with the one warning. Warm air keeps what the entry gives.
TEST(InputChecks, AColdWetBulbAtTheDryBulbEndsJustBelowSaturation) {
  const struct {
    float dryBulb;
    bool raised;
  } rows[] = {{-60, true}, {-20, true}, {40, false}, {95, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.dryBulb);
    InputHarness h;
    h.state.Toa = row.dryBulb;
    h.state.PoaAbs = 14.696F;
    h.entries(2, row.dryBulb, 60);
    Steps steps(h);
    const SaturatedEntries entered = CheckInputs(steps.work);
    EXPECT_TRUE(entered.outdoor);
    EXPECT_FALSE(entered.returnAir);
    const double converted = modPsych::MoistToGrains(row.dryBulb, h.state.Moa, h.state.PoaAbs, 2);
    h.state.Woa = std::max(0.1, converted);  // the calculation's driest air
    h.state.Wra = 50;
    CheckSaturation(steps.work, entered);
    const double saturated = modPsych::SatGrains(row.dryBulb, h.state.PoaAbs);
    if (row.raised) {
      // A thousandth below, as the wet bulb the box shows gives it.
      EXPECT_GE(h.state.Woa, 0.998 * saturated);
      EXPECT_LT(h.state.Woa, saturated);
    } else {
      EXPECT_EQ(h.state.Woa, converted);
    }
    EXPECT_EQ(steps.texts(),
              Texts{"Warning: Outdoor air is supersaturated, saturated condition will be used "});
  }
}

TEST_F(InputChecksTest, NegativeReturnStaticPressureSaturatesAtTheBarometricPressure) {
  entries(2, 0, 0);
  state.PraAbs = static_cast<float>(state.Patm - 0.1);  // about -2.8 in. w.c.
  const double atReturnPressure = modPsych::SatGrains(75, state.PraAbs);
  const double atBarometric = modPsych::SatGrains(75, state.Patm);
  ASSERT_GT(atReturnPressure, atBarometric + 0.2);
  state.Woa = 50;
  state.Wra = atReturnPressure - 0.1;  // saturated only at the barometric pressure
  Steps steps(*this);
  CheckSaturation(steps.work);
  // At the wet bulb the box shows, as the next rating takes it.
  EXPECT_NEAR(state.Wra, atBarometric - 0.1, 0.01);
  EXPECT_EQ(state.Wra, modPsych::MoistToGrains(75, state.Mra, state.PraAbs, 2));
  EXPECT_LT(100 * modPsych::RelHumFraction(75, state.Wra, state.Patm), 100)
      << "the relative humidity shown is at the barometric pressure";
  EXPECT_EQ(steps.texts(),
            Texts{"Warning: Return air is supersaturated, saturated condition will be "
                  "used "});
}

TEST_F(InputChecksTest, SaturationInSiUnitsRewritesTheEntry) {
  entries(7, 0, 0);
  state.SIUnits = 1;
  state.Woa = 400;
  state.Wra = 50;
  Steps steps(*this);
  CheckSaturation(steps.work);
  EXPECT_DOUBLE_EQ(state.MoaSI, state.Moa / 7);
  EXPECT_EQ(shown(steps, EntryBox::Moa, fields.inputs.txtMoa), platform::tidyText(state.Moa));
  EXPECT_EQ(*platform::parseNumber<double>(platform::tidyText(state.Moa)), state.Moa);
}

// Exhaust air beyond saturation frosts at and below freezing and condenses
// above it; each frost rating warns (the windows warn once per spell).
TEST_F(InputChecksTest, FrostAndCondensationOfTheExhaust) {
  const double saturatedAt20 =
      4353.86 * modPsych::SatPressure(20) / (state.PraAbs - modPsych::SatPressure(20));
  const struct {
    float tea;
    double wea;
    bool frost, condensing;
  } rows[] = {
      {20, saturatedAt20 + 1, true, false},
      {32, 100, true, false},  // exactly freezing counts as frost
      {60, 200, false, true},
      {20, saturatedAt20, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.tea);
    state.Tea = row.tea;
    state.Wea = row.wea;
    Steps steps(*this);
    CheckFrost(steps.work);
    EXPECT_EQ(steps.rating.frost, row.frost);
    EXPECT_EQ(steps.rating.exhaustCondensing, row.condensing);
    EXPECT_EQ(steps.texts(),
              row.frost ? Texts{"Warning: Exhaust air is supersaturated, frost buildup may occur."}
                        : Texts{});
  }
}

}  // namespace
}  // namespace ModCalc::testing
