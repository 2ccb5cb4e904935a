#include <gtest/gtest.h>

#include <string>

#include "platform/Form.h"
#include "ui/DialogFields.h"

namespace {

using namespace ModCalc;

struct Registered {
  DialogFields fields;
  platform::Form inputs{"frmInputs"};
  platform::Form settings{"frmSettings"};
  platform::Form overrides{"frmOverride"};
  platform::Form main{"frmWheel"};

  Registered() {
    fields.inputs.registerIn(inputs);
    fields.settings.registerIn(settings);
    fields.overrides.registerIn(overrides);
    fields.main.registerIn(main);
  }
};

// The case the program starts with: 95 °F / 75 °F wet bulb outdoors,
// 75 °F / 65 °F return, 1000 cfm both ways, and the custom wheel's boxes.
TEST(DialogFields, StartWithTheDefaultCase) {
  Registered r;
  const struct {
    const platform::Form& form;
    const char* name;
    const char* text;
  } rows[] = {
      {r.inputs, "txtTitle", ""},          {r.inputs, "txtToa", "95"},
      {r.inputs, "txtTra", "75"},          {r.inputs, "txtToaSI", "35"},
      {r.inputs, "txtTraSI", "23.89"},     {r.inputs, "txtMoa", "75"},
      {r.inputs, "txtMra", "65"},          {r.inputs, "txtMoaSI", "10.71"},
      {r.inputs, "txtMraSI", "9.29"},      {r.inputs, "txtV", "1000"},
      {r.inputs, "txtVra", "1000"},        {r.inputs, "txtVSI", "1699.2"},
      {r.inputs, "txtVraSI", "1699.2"},    {r.inputs, "txtWheelSpeed", "35"},
      {r.inputs, "txtPurgeAngle", "2"},    {r.settings, "txtElev", "0"},
      {r.settings, "txtPoa", "2"},         {r.settings, "txtPra", "0"},
      {r.overrides, "txtESOR", "72"},      {r.overrides, "txtELOR", "68"},
      {r.overrides, "txtWheelDiam", "36"}, {r.overrides, "txtWheelDepth", "4"},
      {r.overrides, "txtSpokes", "6"},     {r.overrides, "txtHubDiam", "4.5"},
      {r.overrides, "txtCasHeight", "42"}, {r.overrides, "txtCasWidth", "42"},
      {r.overrides, "txtCasDepth", "6.5"}, {r.overrides, "txtHP", "1/3"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto* box = row.form.findAs<platform::TextBox>(row.name);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), row.text);
    EXPECT_EQ(box->enabled(), std::string(row.name).find("SI") == std::string::npos)
        << "only the English boxes take entries at start-up";
  }

  const auto& s = r.fields.settings;
  const auto& o = r.fields.overrides;
  for (const platform::OptionButton* selected :
       {&s.KTRSel, &s.SIFlow0, &s.optSupplyActual, &s.optMoistIn[1], &s.optOutWB, &o.Flute62}) {
    SCOPED_TRACE(selected->name());
    EXPECT_EQ(selected->group().selected(), selected);
  }
  const auto& in = r.fields.inputs;
  for (const platform::CheckBox* check :
       {&o.chkAutoSelect, &o.ListSelect, &o.FluteOverride, &o.chkFluteDisplay, &o.chkSensible,
        &o.chkLatent, &in.chkSpeed, &in.chkPurgeAngle}) {
    EXPECT_EQ(check->value(), 0) << check->name();
  }
  EXPECT_EQ(r.fields.inputs.lstWheel.listIndex(), -1);
  EXPECT_EQ(r.fields.inputs.fmeVolume.caption(), "Supply");
  EXPECT_EQ(r.fields.main.lblFlute.caption(), "62 mils");
  EXPECT_FALSE(r.fields.main.lblFrost.visible());
  EXPECT_FALSE(r.fields.main.cmdFrostSpeed.visible());
}

TEST(DialogFields, GroupsAreSeparate) {
  DialogFields fields;
  auto& s = fields.settings;
  fields.overrides.Flute94.select();
  EXPECT_FALSE(fields.overrides.Flute62.value());
  s.optMoistIn[5].select();
  EXPECT_FALSE(s.optMoistIn[1].value());
  EXPECT_TRUE(s.optOutWB.value()) << "input and output humidity are separate groups";
  s.optOUTDPSI.select();
  EXPECT_FALSE(s.optOutWB.value()) << "English and SI output share one group";
  EXPECT_TRUE(s.optSupplyActual.value());
  EXPECT_TRUE(s.KTRSel.value());
}

TEST(DialogFields, ArraysAreAddressedByIndexedName) {
  Registered r;
  EXPECT_EQ(r.settings.find("optMoistIn(6)"), &r.fields.settings.optMoistIn[6]);
  EXPECT_EQ(r.fields.settings.optMoistIn[6].caption(), "Humidity Ratio, g/kg");
  EXPECT_EQ(r.main.find("lblWea(2)"), &r.fields.main.lblWea[2]);
}

}  // namespace
