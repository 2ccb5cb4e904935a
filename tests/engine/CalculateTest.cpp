#include <cmath>
#include <sstream>

#include "engine/CalcStateFields.h"
#include "tests/engine/EngineFixture.h"
#include "ui/Calculate.h"

namespace ModCalc::testing {
namespace {

using Texts = std::vector<std::string>;

// Every field of the state as text, so two states compare with a readable
// difference.
std::string dump(const CalcState& state) {
  std::ostringstream out;
  out.precision(17);
  forEachField(state, [&out](const char* name, const auto& field) {
    out << name << '=';
    using Field = std::decay_t<decltype(field)>;
    if constexpr (std::is_same_v<Field, std::array<platform::Variant, 5>>) {
      for (const platform::Variant& v : field) {
        out << (std::holds_alternative<double>(v) ? std::get<double>(v) : -1) << ' ';
      }
    } else if constexpr (std::is_enum_v<Field>) {
      out << static_cast<int>(field);
    } else {
      out << field;
    }
    out << '\n';
  });
  return out.str();
}

TEST_F(EngineTest, DefaultCaseCalculatesQuietly) {
  std::vector<std::int16_t> modelSelectedAtWrites;
  fields.inputs.txtV.onChange = [&] {
    state.ModelSelected = 0;
    modelSelectedAtWrites.push_back(state.ModelSelected);
  };
  ASSERT_TRUE(calculate());
  EXPECT_EQ(texts(), Texts{});
  EXPECT_EQ(redraws, 1);
  EXPECT_EQ(state.ModelNameSel, "K-24");
  EXPECT_EQ(state.ModelSelected, 1) << "set again after the volume write-back cleared it";
  EXPECT_FALSE(modelSelectedAtWrites.empty());
  EXPECT_EQ(fields.inputs.txtV.text(), "1000");
  EXPECT_EQ(fields.inputs.txtVra.text(), "1000");
  EXPECT_EQ(fields.inputs.fmeVolume.caption(), "Supply Actual");
  EXPECT_TRUE(fields.main.lblFlute.visible());
  EXPECT_EQ(fields.main.lblFlute.caption(), "45 mils");
  // The Supply Actual iteration ends within a quarter acfm of the entry.
  EXPECT_LE(std::fabs(state.VsaActualError), 0.25F);
  EXPECT_NEAR(state.VsaActualCalc, 1000, 0.25);
}

TEST(Calculate, FlowBasisVolumes) {
  const struct {
    platform::OptionButton SettingsFields::*option;
    VolumeBasis basis;
    const char* caption;
  } rows[] = {{&SettingsFields::optOutdoor, VolumeBasis::Outdoor, "Outdoor"},
              {&SettingsFields::optSupply, VolumeBasis::Supply, "Supply"},
              {&SettingsFields::optOutdoorActual, VolumeBasis::OutdoorActual, "Outdoor Actual"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.caption);
    Harness h;
    (h.fields.settings.*row.option).select();  // not confirmed with OK
    h.fields.inputs.txtV.setText("5000");
    h.fields.inputs.txtVra.setText("5000");
    ASSERT_TRUE(h.calculate()) << h.texts().front();
    const CalcState& s = h.state;
    EXPECT_EQ(s.FlowBasis, row.basis);
    EXPECT_EQ(h.fields.inputs.fmeVolume.caption(), row.caption);
    EXPECT_EQ(h.fields.inputs.txtV.text(), "5000");
    if (row.basis == VolumeBasis::Outdoor) {
      EXPECT_EQ(s.Voa, 5000);
      EXPECT_EQ(s.Vsa, 5000 - s.Vpurge);
    } else if (row.basis == VolumeBasis::Supply) {
      EXPECT_EQ(s.Vsa, 5000);
      EXPECT_EQ(s.Voa, 5000 + s.Vpurge);
      EXPECT_EQ(s.FlowRatio, 1) << "equal supply and return";
      EXPECT_EQ(s.EunbalS, s.EsBal);
      EXPECT_EQ(s.EunbalL, s.ElBal);
    } else {
      EXPECT_EQ(s.VoaActual, 5000);
      EXPECT_EQ(s.VraActual, 5000);
      EXPECT_LT(s.Voa, 5000) << "hot outdoor air is bulkier than standard air";
    }
    EXPECT_EQ(s.Vea, s.Vra + s.Vpurge);
  }
}

TEST(Calculate, EnergyRules) {
  {
    SCOPED_TRACE("sensible-only wheel");
    Harness h;
    h.fields.settings.KSRSel.select();
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.state.ElBal, 0);
    EXPECT_EQ(h.state.EunbalL, 0);
    EXPECT_EQ(h.state.Wsa, static_cast<float>(h.state.Woa));
    EXPECT_EQ(h.state.HeatT, h.state.HeatS);
  }
  {
    SCOPED_TRACE("latent override of 0 %");
    Harness h;
    h.fields.overrides.chkLatent.setValue(1);
    h.state.ElOverride = 0;
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.state.ElBal, 0);
    EXPECT_EQ(h.state.HeatT, h.state.HeatS);
  }
  {
    SCOPED_TRACE("humidity ratios equal to two decimals, and the floor");
    Harness h;
    h.state.MoistInOption = 3;
    h.state.MoistInKind = 3;
    h.fields.inputs.txtMoa.setText("0.05");
    h.fields.inputs.txtMra.setText("0.1");
    ASSERT_TRUE(h.calculate());
    EXPECT_EQ(h.state.Woa, 0.1);
    EXPECT_EQ(h.state.Wra, 0.1);
    EXPECT_EQ(h.state.HeatL, 0);
    EXPECT_EQ(h.state.HeatT, h.state.HeatS);
  }
}

TEST_F(EngineTest, WinterFrostWarnsOnceAndTotalEffectivenessLabelShows) {
  fields.inputs.txtToa.setText("-20");
  fields.inputs.txtMoa.setText("-21");
  fields.inputs.txtTra.setText("72");
  fields.inputs.txtMra.setText("62");
  ASSERT_TRUE(calculate());
  ASSERT_TRUE(calculate());
  // Saturated outdoor air warmed by humid return air leaves the wheel
  // beyond saturation too; each warning comes once per spell.
  EXPECT_EQ(texts(), (Texts{"Warning: Exhaust air is supersaturated, frost buildup may occur.",
                            "Warning: Supply air is supersaturated, condensation or frost may "
                            "occur."}));
  EXPECT_EQ(fields.main.lblWsa[2].backColor(), (platform::Rgb{128, 255, 255}));
  EXPECT_TRUE(fields.main.lblFrost.visible());
  EXPECT_TRUE(fields.main.cmdFrostSpeed.visible());
  EXPECT_EQ(fields.main.lblEunbalT.visible(), state.EunbalT <= state.EunbalS);
  fields.inputs.txtMra.setText("50");
  ASSERT_TRUE(calculate());
  EXPECT_EQ(fields.main.lblWsa[2].backColor(), std::nullopt) << "drier return air";
}

// A run that cannot finish says why and leaves results and boxes untouched.
TEST(Calculate, StoppedRunLeavesEverythingAsItWas) {
  const struct {
    const char* name;
    std::function<void(Harness&)> spoil;
    const char* error;
  } rows[] = {
      {"empty dry bulb", [](Harness& h) { h.fields.inputs.txtToa.setText(""); },
       "Error: Enter a number for the outdoor air dry bulb."},
      {"letters in the elevation", [](Harness& h) { h.fields.settings.txtElev.setText("1o0"); },
       "Error: Enter a number for the elevation."},
      {"typed purge angle",
       [](Harness& h) {
         h.fields.inputs.chkPurgeAngle.setValue(1);
         h.fields.inputs.txtPurgeAngle.setText("-");
       },
       "Error: Enter a number for the purge angle."},
      {"zero return volume", [](Harness& h) { h.fields.inputs.txtVra.setText("0"); },
       "Error: Enter a number greater than 0 for the return air volume."},
      {"zero main volume, custom wheel",
       [](Harness& h) {
         h.fields.overrides.chkAutoSelect.setValue(1);
         h.fields.inputs.txtV.setText("0");
       },
       "Error: Enter a number greater than 0 for the supply air volume."},
      {"100 % sensible override",
       [](Harness& h) {
         h.fields.overrides.chkSensible.setValue(1);
         h.state.EsOverride = 100;
       },
       "Error: The sensible effectiveness override must be below 100 %."},
      {"a full-circle purge",
       [](Harness& h) {
         h.fields.inputs.chkPurgeAngle.setValue(1);
         h.fields.inputs.txtPurgeAngle.setText("360");
       },
       "Error: Enter a number from 0 up to, but not including, 360 degrees for the purge angle."},
      {"elevation beyond the atmosphere",
       [](Harness& h) { h.fields.settings.txtElev.setText("60000"); },
       "Error: Enter a number from -1500 to 15000 ft for the elevation."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Harness h;
    ASSERT_TRUE(h.calculate());
    row.spoil(h);
    const std::string before = dump(h.state);
    const Texts list = h.fields.inputs.lstWheel.items();
    const std::string txtV = h.fields.inputs.txtV.text();
    const std::string txtVra = h.fields.inputs.txtVra.text();
    h.messages.clear();
    EXPECT_FALSE(h.calculate());
    EXPECT_EQ(h.texts(), Texts{row.error});
    EXPECT_EQ(dump(h.state), before);
    EXPECT_EQ(h.fields.inputs.lstWheel.items(), list);
    EXPECT_EQ(h.fields.inputs.txtV.text(), txtV);
    EXPECT_EQ(h.fields.inputs.txtVra.text(), txtVra);
    EXPECT_EQ(h.redraws, 1) << "no redraw for a stopped run";
  }
}

TEST(Calculate, AFigureThatIsNoNumberStopsTheRunAndPutsTheWindowsBack) {
  Harness h;
  h.state.ProjectTitle = "Infinity Mall";
  h.engine.redraw = [&h] { h.fields.main.lblWea[0].setCaption(h.state.ProjectTitle); };
  ASSERT_TRUE(h.calculate()) << "a title is words, not a figure";
  const std::string before = dump(h.state);
  const std::string volume = h.fields.inputs.txtV.text();
  // A redraw that shows a value the run could not give.
  h.engine.redraw = [&h] { h.fields.main.lblWea[1].setCaption("NaN"); };
  h.fields.inputs.txtV.setText("2000");
  h.messages.clear();
  EXPECT_FALSE(h.calculate());
  EXPECT_EQ(h.texts(), Texts{"Error: These inputs give no value to show in lblWea(1). Check the "
                             "air states, volumes and pressures."});
  EXPECT_EQ(h.fields.main.lblWea[1].caption(), "");
  EXPECT_EQ(h.fields.inputs.txtV.text(), "2000") << "what the engineer typed stays";
  h.fields.inputs.txtV.setText(volume);
  EXPECT_EQ(dump(h.state).substr(0, 40), before.substr(0, 40));
}

}  // namespace
}  // namespace ModCalc::testing
