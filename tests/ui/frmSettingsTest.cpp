#include <array>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/ui/UiFixture.h"
#include "units/Units.h"

namespace ui::testing {
namespace {

using platform::OptionButton;
using platform::TextBox;
using Texts = std::vector<std::string>;

class SettingsTest : public UiTest {
 protected:
  ModCalc::SettingsFields& f = fields.settings;
  ModCalc::InputsFields& in = fields.inputs;
  frmSettings& dialog = windows.settings;
};

TEST_F(SettingsTest, UnitsToggleReexpressesThePressures) {
  struct Row {
    const char* english;
    const char* pascals;
    const char* back;
  };
  // Back in inches the box reads as it did: the toggle changes no figure.
  const Row rows[] = {{"2", "498", "2"},
                      {"5", "1245", "5"},
                      {"0.55", "136.95", "0.55"},
                      {"-1.37", "-341.13", "-1.37"},
                      {"", "", ""},
                      {"x", "x", "x"}};
  for (const Row& row : rows) {
    state.PoaInWC = -1;
    f.txtPoa.setText(row.english);
    dialog.cmdSIUnits.click();
    EXPECT_EQ(f.txtPoa.text(), row.pascals) << row.english;
    dialog.cmdSIUnits.click();
    EXPECT_EQ(f.txtPoa.text(), row.back) << row.english;
  }
  EXPECT_EQ(state.PoaInWC, -1) << "a box without a number leaves its pressure alone";
}

TEST_F(SettingsTest, UnitsToggleReexpressesTheElevation) {
  // Read in metres as it stood, 1000 ft would put the site at 3281 ft.
  const std::pair<const char*, const char*> rows[] = {
      {"1000", "304.78513"}, {"984.3", "300"}, {"-12.34", "-3.7610485"}, {"x", "x"}};
  for (const auto& [feet, metres] : rows) {
    f.txtElev.setText(feet);
    dialog.cmdSIUnits.click();
    EXPECT_EQ(f.txtElev.text(), metres) << feet;
    dialog.cmdSIUnits.click();
    EXPECT_EQ(f.txtElev.text(), feet);
  }
  f.txtElev.setText("1000");
  dialog.cmdSIUnits.click();
  dialog.cmdSettingsOK.click();
  EXPECT_EQ(state.ElevFt, 1000);
}

TEST_F(SettingsTest, UnitsToggleKeepsTheHumidityKinds) {
  // English and SI forms of an input and an output measure.
  const std::array<OptionButton*, 4> rows[] = {
      {&f.optMoistIn[1], &f.optMoistIn[5], &f.optOutWB, &f.optOUTWBSI},
      {&f.optMoistIn[0], &f.optMoistIn[4], &f.optOutDP, &f.optOUTDPSI},
      {&f.optMoistIn[2], &f.optMoistIn[6], &f.optOutWB, &f.optOUTWBSI},
      {&f.optMoistIn[3], &f.optMoistIn[3], &f.optOutDP, &f.optOUTDPSI},  // %RH serves both
  };
  for (const auto& [input, inputSI, output, outputSI] : rows) {
    input->select();
    output->select();
    for (const bool si : {true, false}) {
      dialog.cmdSIUnits.click();
      for (const OptionButton* chosen : {si ? inputSI : input, si ? outputSI : output}) {
        EXPECT_TRUE(chosen->value() && chosen->enabled()) << chosen->caption() << si;
      }
      EXPECT_EQ(f.optMoistIn[0].enabled(), !si);
      EXPECT_EQ(in.txtToa.enabled(), !si);
      EXPECT_EQ(in.txtToaSI.enabled(), si);
    }
  }
}

TEST_F(SettingsTest, NewHumidityKindReexpressesTheSameAir) {
  dialog.show();
  f.optMoistIn[0].select();
  dialog.cmdSettingsOK.click();
  // Sea level, 95 °F / 75 °F wet bulb and 75 °F / 65 °F wet bulb: dew points
  // from ASHRAE Fundamentals ch. 1 eqs. 6, 20 and 35 solved independently
  // (±0.1 °F: the box shows one decimal).
  EXPECT_NEAR(std::stod(in.txtMoa.text()), 66.76, 0.1);
  EXPECT_NEAR(std::stod(in.txtMra.text()), 59.64, 0.1);
  EXPECT_EQ(state.MoistInKind, 1);
  EXPECT_EQ(windows.inputs.lblMoistIn[0].caption(), "°F DP");
  EXPECT_EQ(windows.inputs.lblMoistIn[3].caption(), "°C DP");
  EXPECT_FALSE(dialog.visible());
  EXPECT_FALSE(windows.inputs.cmdCalc.visible()) << "OK calculated";
}

TEST_F(SettingsTest, SIEntriesFollowTheChosenUnits) {
  f.optMoistIn[2].select();  // gr/lb
  dialog.cmdSettingsOK.click();
  in.txtMoa.setText("70");
  dialog.cmdSIUnits.click();  // g/kg
  f.txtElev.setText("300");   // metres now
  dialog.cmdSettingsOK.click();
  EXPECT_EQ(texts(), Texts{});
  EXPECT_EQ(state.MoistInOption, 7);
  EXPECT_DOUBLE_EQ(state.MoaSI, 10);
  EXPECT_EQ(in.txtMoaSI.text(), "10");
  EXPECT_EQ(in.txtMoa.text(), "70");
  EXPECT_FLOAT_EQ(state.ElevFt, 984.3F);
  EXPECT_EQ(windows.inputs.lblMoistIn[3].caption(), "g/kg");
  EXPECT_EQ(windows.main.lblFDB[0].caption(), "°C DB");
  EXPECT_EQ(windows.main.Frame5.caption(),
            std::string(21, ' ') + "E" + std::string(14, ' ') + "KW");
}

TEST_F(SettingsTest, SIFlowToggleRelabelsAndRestores) {
  f.optSupply.select();
  dialog.cmdSettingsOK.click();
  struct Row {
    float factor;
    const char* volume;  // txtVSI and txtVraSI: 1000 cfm
    const char* unit;
  };
  const Row rows[] = {{2.1186F, "472", "l/sec"}, {0.58851F, "1699.2", "m3/hr"}};
  for (const Row& row : rows) {
    dialog.cmdSIUnitType.click();
    EXPECT_EQ(state.SIFlowFactor, row.factor);
    EXPECT_EQ(f.SIFlow0.value(), row.factor == units::kCfmPerCubicMetrePerHour);
    EXPECT_EQ(in.txtVSI.text(), row.volume);
    EXPECT_EQ(in.txtVraSI.text(), row.volume);
    EXPECT_EQ(windows.inputs.lblSCFM[2].caption(), row.unit);
  }

  dialog.cmdSIUnitType.click();  // l/s
  f.optSupplyActual.select();
  dialog.cmdSIUnits.click();
  dialog.cmdSettingsOK.click();
  for (const platform::Label* label : {&windows.inputs.lblSCFM[3], &windows.main.Label6}) {
    EXPECT_EQ(label->caption(), "a.l/sec") << label->name();
  }
  EXPECT_EQ(windows.inputs.lblSCFM[1].caption(), "acfm");
  EXPECT_EQ(windows.main.lblSCFM[0].caption(), "l/sec");
}

// The toggle button and the option buttons are two ways to one change, made
// before or after any calculation: the SI boxes show the case's volumes in
// the new unit, and the case is rated in it.
TEST_F(SettingsTest, EveryWayToChooseTheSIFlowUnitConvertsTheVolumeBoxes) {
  struct Row {
    const char* way;
    bool calculatedFirst;
  };
  const Row rows[] = {{"toggle", false}, {"option", false}, {"toggle", true}, {"option", true}};
  for (const Row& row : rows) {
    Program world;
    world.start();
    auto& sf = world.fields.settings;
    auto& sin = world.fields.inputs;
    const std::string what = std::string(row.way) + (row.calculatedFirst ? " after" : " before");
    world.windows.settings.cmdSIUnits.click();
    if (row.calculatedFirst) {
      world.windows.settings.cmdSettingsOK.click();
    }
    if (std::string_view(row.way) == "toggle") {
      world.windows.settings.cmdSIUnitType.click();
    } else {
      sf.SIFlow1.select();
    }
    EXPECT_EQ(world.state.SIFlowUnit, 1) << what;
    EXPECT_EQ(world.state.SIFlowFactor, units::kCfmPerLitrePerSecond) << what;
    EXPECT_TRUE(sf.SIFlow1.value()) << what;
    EXPECT_EQ(sin.txtVSI.text(), "472") << what;  // 1,000 cfm
    EXPECT_EQ(sin.txtV.text(), "1000") << what;
    EXPECT_EQ(world.windows.inputs.lblSCFM[2].caption(), "a.l/sec") << what;

    world.windows.settings.cmdSettingsOK.click();
    sin.txtVSI.setText("5593");
    sin.txtVraSI.setText("5032");
    world.windows.inputs.cmdCalc.click();
    EXPECT_TRUE(world.messages.messages().empty()) << what;
    EXPECT_FALSE(world.windows.inputs.cmdCalc.visible()) << what;
    EXPECT_NEAR(world.state.VoaInput, 5593 * units::kCfmPerLitrePerSecond, 0.05) << what;
  }
}

TEST_F(SettingsTest, OkNamesABoxWithoutANumberAndChangesNothing) {
  const std::pair<TextBox*, const char*> rows[] = {
      {&in.txtToa, "the outdoor air dry bulb"},
      {&in.txtTra, "the return air dry bulb"},
      {&in.txtMoa, "the outdoor air moisture"},
      {&in.txtMra, "the return air moisture"},
      {&f.txtElev, "the elevation"},
      {&f.txtPoa, "the outdoor air static pressure"},
      {&f.txtPra, "the return air static pressure"},
  };
  const auto settled = [this] {
    return std::tuple(state.Toa, state.Moa, state.Woa, state.ElevFt, state.Patm, state.PraInWC,
                      state.MoistInOption, state.MoistInKind, state.FlowBasis, state.ModelNameSel,
                      in.txtMoaSI.text(), windows.inputs.lblMoistIn[0].caption());
  };
  dialog.show();
  f.optMoistIn[0].select();
  f.optOutdoor.select();
  for (const auto& [box, named] : rows) {
    const auto before = settled();
    const std::string typed = box->text();
    box->setText("");
    messages.clear();
    dialog.cmdSettingsOK.click();
    EXPECT_EQ(texts(), Texts{"Error: Enter a number for " + std::string(named) + "."});
    EXPECT_EQ(messages.messages().at(0).icon, platform::MessageIcon::Exclamation);
    EXPECT_TRUE(dialog.visible()) << named;
    EXPECT_EQ(settled(), before) << named;
    box->setText(typed);
  }
}

}  // namespace
}  // namespace ui::testing
