#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/Form.h"
#include "platform/NumberText.h"
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

// The SI twins of the start-up entries hold the same dry bulbs and volumes
// converted, so the case is one whichever boxes are shown first; only the
// English boxes take entries.
TEST(DialogFields, SIBoxesStartAsTheEnglishEntriesConverted) {
  Registered r;
  const auto celsius = [](double f) { return (f - 32) / 1.8; };
  const auto cubicMetresPerHour = [](double cfm) { return cfm / 0.58851; };
  const struct {
    const char* english;
    const char* si;
    std::function<double(double)> convert;
    double within;  // what the SI box's shown digits allow
  } rows[] = {
      {"txtToa", "txtToaSI", celsius, 0.005},
      {"txtTra", "txtTraSI", celsius, 0.005},
      {"txtV", "txtVSI", cubicMetresPerHour, 0.05},
      {"txtVra", "txtVraSI", cubicMetresPerHour, 0.05},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.si);
    const auto* english = r.inputs.findAs<platform::TextBox>(row.english);
    const auto* si = r.inputs.findAs<platform::TextBox>(row.si);
    ASSERT_NE(english, nullptr);
    ASSERT_NE(si, nullptr);
    const auto entered = platform::parseInvariant<double>(english->text());
    const auto converted = platform::parseInvariant<double>(si->text());
    ASSERT_TRUE(entered && converted);
    EXPECT_NEAR(*converted, row.convert(*entered), row.within);
    EXPECT_TRUE(english->enabled());
    EXPECT_FALSE(si->enabled());
  }
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
