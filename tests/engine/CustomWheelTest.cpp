#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "engine/CustomWheel.h"
#include "platform/NumberText.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "ui/Calculate.h"

namespace {

using namespace ModCalc;

struct CustomWheelTest : testing::Test {
  CalcState state;
  ModelCatalog catalog;
  DialogFields fields;
  platform::HeadlessMessageBox messages;
  Engine engine{state, catalog, fields, messages, {}};
  platform::Form boxes{"boxes"};

  CustomWheelTest() {
    fields.overrides.registerIn(boxes);
    fields.inputs.registerIn(boxes);
  }
  void type(const char* box, const char* text) {
    boxes.findAs<platform::TextBox>(box)->setText(text);
  }
  // Everything AutoSelect may write.
  auto written() const {
    const ModelCatalog& c = catalog;
    return std::make_tuple(c.ModelName[0], c.WheelDiam[0], c.WheelDepth[0], c.SpokeCount[0],
                           c.HubDiam[0], c.ModelRpm[0], c.MotorHP[0], c.CasHeight[0], c.CasWidth[0],
                           c.CasDepth[0], c.ModelExtra[0], c.ModelFaceArea[0], state.EsOverride,
                           state.ElOverride, state.ModelSelected);
  }
};

TEST_F(CustomWheelTest, StartBoxesGiveTheCustom364) {
  state.ModelSelected = 1;
  ASSERT_TRUE(AutoSelect(engine));
  EXPECT_EQ(catalog.ModelName[0], "Custom 364");
  EXPECT_EQ(catalog.SpokeCount[0], 6);
  EXPECT_NEAR(catalog.ModelFaceArea[0], 6.208, 1e-3);
  EXPECT_EQ(std::tie(catalog.HubDiam[0], catalog.ModelRpm[0], catalog.CasDepth[0]),
            std::make_tuple(4.5f, 35.0f, 6.5f));
  EXPECT_EQ(catalog.MotorHP[0], "1/3");
  EXPECT_EQ(catalog.ModelExtra[0], platform::Variant{std::string{}});
  EXPECT_EQ(std::tie(state.EsOverride, state.ElOverride), std::make_tuple(72.0f, 68.0f));
  EXPECT_EQ(state.ModelSelected, 1) << "the model stays while the override is clear";

  fields.overrides.chkAutoSelect.setValue(1);
  ASSERT_TRUE(AutoSelect(engine));
  EXPECT_EQ(state.ModelSelected, 0);
}

TEST_F(CustomWheelTest, BoxWithoutNumberIsNamedAndNothingChanges) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"txtWheelDiam", "", "the custom wheel's diameter"},
      {"txtWheelDepth", "4 in", "the custom wheel's depth"},
      {"txtSpokes", "", "the custom wheel's number of spokes"},
      {"txtHubDiam", "-", "the custom wheel's hub diameter"},
      {"txtWheelSpeed", "", "the wheel speed"},
      {"txtCasHeight", "", "the custom wheel's cassette height"},
      {"txtCasWidth", "4,2", "the custom wheel's cassette width"},
      {"txtCasDepth", "", "the custom wheel's cassette depth"},
      {"txtESOR", "", "the sensible effectiveness override"},
      {"txtELOR", "x", "the latent effectiveness override"},
  };
  ASSERT_TRUE(AutoSelect(engine));
  // Boxes and a tick that would change every field written.
  const auto valid = [](const std::string& box) { return box == "txtHubDiam" ? "4" : "9"; };
  for (const auto& [box, text, what] : rows) {
    type(box, valid(box));
  }
  fields.overrides.txtHP.setText("2");
  fields.overrides.chkAutoSelect.setValue(1);
  state.ModelSelected = 1;
  catalog.ModelExtra[0] = 3.0;
  const auto before = written();

  const auto refused = [&](const std::string& message) {
    messages.clear();
    EXPECT_FALSE(AutoSelect(engine));
    const platform::Message error{"Error", message, platform::MessageIcon::Exclamation};
    EXPECT_EQ(messages.messages(), std::vector{error});
    EXPECT_TRUE(written() == before);
  };
  for (const auto& [box, text, what] : rows) {
    SCOPED_TRACE(box);
    type(box, text);
    refused("Enter a number for " + std::string(what) + ".");
    type(box, valid(box));
  }
  // Sizes a wheel cannot have, and overrides beyond a perfect wheel.
  const struct {
    const char* box;
    const char* text;
    const char* message;
  } impossible[] = {
      {"txtSpokes", "32767.5",
       "Enter a whole number from 1 to 32767 for the custom wheel's "
       "number of spokes."},
      {"txtSpokes", "0",
       "Enter a whole number from 1 to 32767 for the custom wheel's number "
       "of spokes."},
      {"txtWheelDepth", "-4",
       "Enter a number greater than 0 and at most 5000 in for the custom wheel's depth."},
      {"txtWheelDiam", "-36",
       "Enter a number greater than 0 and at most 5000 in for the custom wheel's diameter."},
      {"txtWheelDiam", "1e20",
       "Enter a number greater than 0 and at most 5000 in for the custom wheel's diameter."},
      {"txtHubDiam", "9",
       "Enter a number from 0 up to, but not including, 9 in for the custom "
       "wheel's hub diameter."},
      {"txtCasDepth", "0",
       "Enter a number greater than 0 and at most 5000 in for the custom wheel's "
       "cassette depth."},
      {"txtWheelSpeed", "-1", "Enter a number greater than 0 rpm for the wheel speed."},
      {"txtESOR", "150",
       "Enter a number from 0 up to, but not including, 100% for the sensible "
       "effectiveness override."},
      {"txtESOR", "-50",
       "Enter a number from 0 up to, but not including, 100% for the sensible "
       "effectiveness override."},
      {"txtELOR", "100",
       "Enter a number from 0 up to, but not including, 100% for the latent "
       "effectiveness override."},
  };
  for (const auto& row : impossible) {
    SCOPED_TRACE(std::string(row.box) + "=" + row.text);
    type(row.box, row.text);
    refused(row.message);
    type(row.box, valid(row.box));
  }
}

TEST_F(CustomWheelTest, ReadsTheUsersNumberFormat) {
  platform::setNumberLocale({",", "."});
  type("txtWheelDiam", "1.200,5");
  type("txtHubDiam", "4,5");
  type("txtCasDepth", "6,5");
  type("txtSpokes", "6,5");  // half rounds to even
  const bool built = AutoSelect(engine);
  platform::setNumberLocale(platform::NumberLocale::english());

  ASSERT_TRUE(built);
  EXPECT_EQ(std::tie(catalog.WheelDiam[0], catalog.HubDiam[0], catalog.SpokeCount[0]),
            std::make_tuple(1200.5f, 4.5f, std::int16_t{6}));
  EXPECT_EQ(catalog.ModelName[0], "Custom 1200.54");
}

}  // namespace
