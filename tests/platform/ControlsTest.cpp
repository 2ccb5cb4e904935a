#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"

namespace {

using namespace platform;

// The program's logic runs inside change handlers, so a write must run the
// handler before the writer goes on, every time; views repaint only when
// something they show changed.
TEST(TextBox, EveryWriteRunsTheChangeHandlerViewsOnlySeeChanges) {
  TextBox box("txtV", "1000");
  std::vector<std::string> seenByHandler;
  int repaints = 0;
  box.onChange = [&] { seenByHandler.push_back(box.text()); };
  box.addObserver([&] { ++repaints; });

  box.setText("1200");
  box.setText("1200");
  EXPECT_EQ(seenByHandler, (std::vector<std::string>{"1200", "1200"}));
  EXPECT_EQ(repaints, 1);

  box.setEnabled(false);
  box.setEnabled(false);
  EXPECT_EQ(repaints, 2);
}

TEST(TextBox, HandlerCanWriteATwinWithoutLooping) {
  TextBox english("txtToa", "95");
  TextBox si("txtToaSI", "35");
  int runs = 0;
  english.onChange = [&] {
    ++runs;
    si.setText("x");
  };
  si.onChange = [&] { ++runs; };
  english.setText("100");
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(si.text(), "x");
}

TEST(OptionGroup, KeepsExactlyOneSelected) {
  OptionGroup group;
  OptionButton a("a", "A", group);
  OptionButton b("b", "B", group, true);
  OptionButton c("c", "C", group);
  int clicks = 0;
  int repaintsOfB = 0;
  c.onClick = [&] { ++clicks; };
  b.addObserver([&] { ++repaintsOfB; });

  c.select();
  EXPECT_EQ(group.selected(), &c);
  EXPECT_FALSE(a.value());
  EXPECT_FALSE(b.value());
  EXPECT_EQ(repaintsOfB, 1) << "the cleared option repaints";
  EXPECT_EQ(clicks, 1);

  c.select();
  EXPECT_EQ(clicks, 1) << "selecting the selected option is no click";
  EXPECT_EQ(group.selected(), &c);
}

TEST(CheckBox, ClickHandlerRunsOnEveryChangeOfValue) {
  CheckBox box("chkSpeed", "Wheel Speed RPM");
  std::vector<int> values;
  box.onClick = [&] { values.push_back(box.value()); };
  box.click();
  box.setValue(1);
  box.setValue(0);
  box.click();
  EXPECT_EQ(values, (std::vector<int>{1, 0, 1}));
}

TEST(ListBox, SelectionAndText) {
  ListBox list("lstWheel");
  int clicks = 0;
  list.onClick = [&] { ++clicks; };
  EXPECT_EQ(list.text(), "");
  list.addItem("K-24");
  list.addItem("K-30");
  EXPECT_EQ(list.listIndex(), -1);

  list.setListIndex(1);
  EXPECT_EQ(list.text(), "K-30");
  list.setListIndex(2);  // no such entry
  list.setListIndex(-2);
  EXPECT_EQ(list.listIndex(), 1);
  EXPECT_EQ(clicks, 1);

  list.clear();
  EXPECT_TRUE(list.items().empty());
  EXPECT_EQ(list.listIndex(), -1);
  EXPECT_EQ(list.text(), "");
}

TEST(ToolBar, ButtonsAddedAtRunTimeAreClickedByKey) {
  ToolBar bar("tbToolBar");
  std::vector<std::string> clicked;
  bar.onButtonClick = [&](const ToolButton& button) { clicked.push_back(button.key); };
  bar.addButton({"Open", "", "Open", "Open"});
  bar.addButton({"Override", "", "", "Override"});
  bar.click("Override");
  bar.click("Missing");
  EXPECT_EQ(clicked, std::vector<std::string>{"Override"});
  ASSERT_NE(bar.find("Open"), nullptr);
  EXPECT_EQ(bar.find("Open")->toolTip, "Open");
}

TEST(Form, FindsControlsAndArrayElementsByName) {
  Form form("frmWheel");
  Label title("lblTitle");
  auto humidity = controlArray<Label, 3>("lblWoa", "-");
  form.add(title, humidity);

  EXPECT_EQ(form.find("lblTitle"), &title);
  EXPECT_EQ(form.findAs<Label>("lblWoa(2)"), &humidity[2]);
  EXPECT_EQ(humidity[1].caption(), "-");
  EXPECT_EQ(form.findAs<TextBox>("lblTitle"), nullptr) << "wrong kind";
  EXPECT_EQ(form.find("lblWoa(3)"), nullptr);
  EXPECT_EQ(form.controls().size(), 4u);

  Label twin("lblTitle");
  EXPECT_THROW(form.add(twin), std::logic_error);
}

}  // namespace
