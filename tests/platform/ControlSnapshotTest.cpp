#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ControlSnapshot.h"

namespace platform {
namespace {

TEST(ControlSnapshot, PutsBackEveryKindAndReportsWhatChanged) {
  TextBox box{"txtV", "1,000"};
  Label label{"lblToa", "95.0"};
  CheckBox check{"chkSpeed", "Wheel Speed RPM"};
  OptionGroup group;
  OptionButton first{"optOutdoor", "Outdoor", group, true};
  OptionButton second{"optSupply", "Supply", group};
  ListBox list{"lstWheel"};
  list.addItem("KW24-4");
  list.setListIndex(0);
  int changes = 0;
  box.onChange = [&changes] { ++changes; };
  const std::vector<Control*> controls{&box, &label, &check, &first, &second, &list};
  const ControlSnapshot snapshot(controls);
  EXPECT_TRUE(snapshot.changed().empty());

  box.setText("2,000");
  label.setCaption("NaN");
  label.setBackColor(Rgb{0, 255, 0});
  label.setVisible(false);
  check.setValue(1);
  second.select();
  list.clear();
  list.addItem("KW36-4");
  list.setListIndex(0);
  EXPECT_EQ(snapshot.changed().size(), 6U);
  EXPECT_EQ(showsNoNumber(controls), &label);

  changes = 0;
  snapshot.restore();
  EXPECT_EQ(box.text(), "1,000");
  EXPECT_EQ(changes, 1) << "the box's change handler runs as for any write";
  EXPECT_EQ(label.caption(), "95.0");
  EXPECT_FALSE(label.backColor().has_value()) << "a colour the style gave comes back";
  EXPECT_TRUE(label.visible());
  EXPECT_EQ(check.value(), 0);
  EXPECT_TRUE(first.value());
  EXPECT_FALSE(second.value());
  EXPECT_EQ(list.items(), std::vector<std::string>{"KW24-4"});
  EXPECT_EQ(list.listIndex(), 0);
  EXPECT_TRUE(snapshot.changed().empty());
  EXPECT_EQ(showsNoNumber(controls), nullptr);
}

TEST(ControlSnapshot, TellsNumbersThatAreNoneFromWordsThatLookAlike) {
  const struct {
    const char* caption;
    bool noNumber;
  } rows[] = {{"NaN", true},     {"Infinity", true},     {"-Infinity", true},
              {"NaN RPM", true}, {"Nancy's AHU", false}, {"1,006", false},
              {"", false},       {"Infinity Mall", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.caption);
    Label label{"lblTitle", row.caption};
    EXPECT_EQ(showsNoNumber({&label}) != nullptr, row.noNumber);
  }
}

TEST(ControlJournal, KeepsWhatChangedWhileOpenAndNests) {
  TextBox box{"txtV", "1,000"};
  Label label{"lblToa", "95.0"};
  ListBox list{"lstWheel"};
  list.addItem("KW24-4");
  Label untouched{"lblTra", "75.0"};
  ControlJournal outer;
  box.setText("1,500");
  {
    ControlJournal inner;
    box.setText("2,000");
    label.setCaption("88.0");
    list.clear();
    list.addItem("KW36-4");
    EXPECT_EQ(inner.changed().size(), 3U);
    inner.restore();
    EXPECT_EQ(box.text(), "1,500") << "the inner journal keeps what its own command started from";
    EXPECT_EQ(label.caption(), "95.0");
    EXPECT_EQ(list.items(), std::vector<std::string>{"KW24-4"});
  }
  {
    // A later command's journal keeps the box again, though one before it did.
    ControlJournal next;
    box.setText("3,000");
    next.restore();
    EXPECT_EQ(box.text(), "1,500");
  }
  label.setCaption("70.0");
  EXPECT_EQ(outer.changed(), (std::vector<Control*>{&box, &label}));
  outer.restore();
  EXPECT_EQ(box.text(), "1,000");
  EXPECT_EQ(label.caption(), "95.0");
  EXPECT_EQ(untouched.caption(), "75.0");
  EXPECT_TRUE(outer.changed().empty());
}

}  // namespace
}  // namespace platform
