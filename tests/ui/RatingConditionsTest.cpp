#include <gtest/gtest.h>

#include "UiFixture.h"
#include "platform/NumberText.h"
#include "ui/main/RatingConditions.h"

namespace ui::testing {
namespace {

double number(const platform::TextBox& box) {
  return platform::parseNumber<double>(box.text()).value_or(-999);
}

// Chooses the humidity kind (its English option) and the unit system in the
// settings dialog and confirms them.
void chooseUnits(Program& p, int humidityOption, bool si) {
  p.fields.settings.optMoistIn[static_cast<std::size_t>(humidityOption)].select();
  if (si) {
    p.windows.settings.cmdSIUnits.click();
  }
  p.windows.settings.cmdSettingsOK.click();
}

TEST(RatingConditions, TypesTheConditionsInTheUnitsAndHumidityKindShown) {
  // Expected humidity from ASHRAE Fundamentals ch. 1 eqs. 6, 22, 35 and the
  // dew point solved from eq. 6, at sea level (14.696 psia), computed
  // independently; ±0.1 of the unit: the boxes take one decimal.
  const struct Row {
    const char* name;
    int humidityOption;  // English option: 0 dew point, 1 wet bulb, 2 gr/lb, 3 RH
    bool si;
    RatingSeason season;
    double toa, moa, tra, mra;
    // The boxes take one decimal; the program's dew point (eqs. 39 and 40,
    // fits) reads up to 0.15 °F from the exact solution.
    double tolerance;
  } rows[] = {
      {"wet bulb °F, summer", 1, false, RatingSeason::Summer, 95, 78, 75, 63, 0.05},
      {"dew point °F, winter", 0, false, RatingSeason::Winter, 35, 30.25, 70, 49.59, 0.2},
      {"gr/lb, summer", 2, false, RatingSeason::Summer, 95, 117.39, 75, 66.73, 0.1},
      {"RH, winter", 3, false, RatingSeason::Winter, 35, 81.81, 70, 48.29, 0.1},
      {"wet bulb °C, summer", 1, true, RatingSeason::Summer, 35, 25.56, 23.89, 17.22, 0.05},
      {"dew point °C, winter", 0, true, RatingSeason::Winter, 1.67, -0.97, 21.11, 9.77, 0.1},
      {"g/kg, summer", 2, true, RatingSeason::Summer, 35, 16.77, 23.89, 9.53, 0.05},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Program p;
    p.start();
    chooseUnits(p, row.humidityOption, row.si);
    ModCalc::InputsFields& in = p.fields.inputs;
    if (row.si) {
      in.txtVSI.setText("1,699");  // 1,000 cfm in m³/h
    }
    ASSERT_TRUE(applyRatingConditions(p.windows, row.season));
    EXPECT_NEAR(number(row.si ? in.txtToaSI : in.txtToa), row.toa, 0.05);
    EXPECT_NEAR(number(row.si ? in.txtMoaSI : in.txtMoa), row.moa, row.tolerance);
    EXPECT_NEAR(number(row.si ? in.txtTraSI : in.txtTra), row.tra, 0.05);
    EXPECT_NEAR(number(row.si ? in.txtMraSI : in.txtMra), row.mra, row.tolerance);
    for (const platform::TextBox* box : {&in.txtToa, &in.txtMoa, &in.txtTra, &in.txtMra,
                                         &in.txtToaSI, &in.txtMoaSI, &in.txtTraSI, &in.txtMraSI}) {
      EXPECT_EQ(box->text(), platform::tidyText(number(*box))) << box->name() << " is not tidy";
    }
    EXPECT_EQ(p.fields.settings.txtElev.text(), "0");
    EXPECT_EQ(p.state.ElevFt, 0);
    EXPECT_TRUE(p.messages.messages().empty()) << p.texts().front();
  }
}

TEST(RatingConditions, GiveTheResultsOfTypingThemByHand) {
  for (const bool summer : {true, false}) {
    SCOPED_TRACE(summer ? "summer" : "winter");
    Program rated;
    rated.start();
    applyRatingConditions(rated.windows, summer ? RatingSeason::Summer : RatingSeason::Winter);

    Program typed;
    typed.start();
    ModCalc::InputsFields& in = typed.fields.inputs;
    in.txtToa.setText(summer ? "95" : "35");
    in.txtMoa.setText(summer ? "78" : "33");
    in.txtTra.setText(summer ? "75" : "70");
    in.txtMra.setText(summer ? "63" : "58");
    in.txtVra.setText(in.txtV.text());
    typed.fields.settings.txtElev.setText("0");
    typed.windows.inputs.cmdCalc_Click();

    EXPECT_EQ(rated.state.ModelNameSel, typed.state.ModelNameSel);
    EXPECT_EQ(rated.state.Tsa, typed.state.Tsa);
    EXPECT_EQ(rated.state.Wsa, typed.state.Wsa);
    EXPECT_EQ(rated.state.HeatT, typed.state.HeatT);
    EXPECT_EQ(rated.windows.main.lblSeason.caption(), summer ? "Summer" : "Winter");
  }
}

TEST(RatingConditions, InSIUnitsRateTheSameAirAsInEnglish) {
  Program english;
  english.start();
  applyRatingConditions(english.windows, RatingSeason::Summer);
  Program si;
  si.start();
  chooseUnits(si, 1, true);
  si.fields.inputs.txtVSI.setText("1,699");  // 1,000 cfm in m³/h
  applyRatingConditions(si.windows, RatingSeason::Summer);
  // The °C boxes hold one decimal: the states lie a few hundredths of a
  // degree apart, which moves the energy by under 1 %.
  EXPECT_NEAR(si.state.Toa, 95, 0.1);
  EXPECT_EQ(si.state.ModelNameSel, english.state.ModelNameSel);
  EXPECT_NEAR(si.state.HeatT, english.state.HeatT, english.state.HeatT * 0.01);
}

TEST(RatingConditions, TakeOnlySummerOrWinter) {
  EXPECT_EQ(ratingSeason("summer"), RatingSeason::Summer);
  EXPECT_EQ(ratingSeason("winter"), RatingSeason::Winter);
  EXPECT_FALSE(ratingSeason("Summer"));
  EXPECT_FALSE(ratingSeason(""));
}

}  // namespace
}  // namespace ui::testing
