#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Command.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Overloaded.h"
#include "platform/Twips.h"
#include "platform/headless/HeadlessMessageBox.h"

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
  const Subscription repaint = box.subscribe([&] { ++repaints; });

  box.setText("1200");
  box.setText("1200");
  EXPECT_EQ(seenByHandler, (std::vector<std::string>{"1200", "1200"}));
  EXPECT_EQ(repaints, 1);

  box.setEnabled(false);
  box.setEnabled(false);
  EXPECT_EQ(repaints, 2);
}

TEST(OptionGroup, KeepsExactlyOneSelected) {
  OptionGroup group;
  OptionButton a("a", "A", group);
  OptionButton b("b", "B", group, true);
  OptionButton c("c", "C", group);
  int clicks = 0;
  int repaintsOfB = 0;
  c.onClick = [&] { ++clicks; };
  const Subscription repaint = b.subscribe([&] { ++repaintsOfB; });

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

// Subscriptions

TEST(Subscription, EndsWhenTheHandleGoesAndMayOutliveTheControl) {
  int repaints = 0;
  Subscription kept;
  {
    Label label("lblToa");
    {
      const Subscription scoped = label.subscribe([&] { ++repaints; });
      label.setCaption("95.0");
    }
    label.setCaption("96.0");
    kept = label.subscribe([&] { ++repaints; });
    label.setCaption("97.0");
  }
  kept.reset();  // the label is gone: nothing to detach from
  EXPECT_EQ(repaints, 2);
}

TEST(Subscription, AnObserverMayDetachAnotherWhileBeingTold) {
  Label label("lblSeason");
  std::vector<std::string> told;
  Subscription second;
  const Subscription first = label.subscribe([&] {
    told.push_back("first");
    second.reset();
  });
  second = label.subscribe([&] { told.push_back("second"); });
  label.setCaption("Winter");
  label.setCaption("Summer");
  EXPECT_EQ(told, (std::vector<std::string>{"first", "first"}));
}

// ---------------------------------------------------------------------------
// Deferred notifications

TEST(DeferNotifications, OneRepaintPerChangedControlWhenTheOutermostGuardCloses) {
  TextBox speed("txtWheelSpeed", "35");
  TextBox volume("txtV", "1000");
  Label unchanged("lblToa");
  std::vector<std::string> repainted;
  const Subscription a = speed.subscribe([&] { repainted.push_back(speed.text()); });
  const Subscription b = volume.subscribe([&] { repainted.push_back(volume.text()); });
  const Subscription c = unchanged.subscribe([&] { repainted.push_back("lblToa"); });
  int handlerRuns = 0;
  speed.onChange = [&] { ++handlerRuns; };
  {
    DeferNotifications outer;
    for (int pass = 0; pass < 100; ++pass) {
      speed.setText(std::to_string(pass));
    }
    {
      DeferNotifications inner;
      volume.setText("2000");
    }
    EXPECT_TRUE(repainted.empty()) << "the inner guard does not deliver";
    EXPECT_EQ(handlerRuns, 100) << "handlers are never deferred";
  }
  EXPECT_EQ(repainted, (std::vector<std::string>{"99", "2000"}));
}

TEST(DeferNotifications, AControlDestroyedWhilePendingIsSkipped) {
  int repaints = 0;
  Label survivor("lblTsa");
  const Subscription s = survivor.subscribe([&] { ++repaints; });
  {
    DeferNotifications deferred;
    {
      Label gone("lblTra");
      const Subscription g = gone.subscribe([&] { ++repaints; });
      gone.setCaption("75.0");
    }
    survivor.setCaption("55.0");
  }
  EXPECT_EQ(repaints, 1);
}

// ---------------------------------------------------------------------------
// Commands

TEST(RunCommand, AnEscapingErrorBecomesAnErrorBoxAndViewsStillRepaint) {
  HeadlessMessageBox messages;
  Label label("lblModel");
  int repaints = 0;
  const Subscription s = label.subscribe([&] {
    ++repaints;
    EXPECT_TRUE(messages.messages().empty()) << "views repaint before the box shows";
  });
  runCommand(messages, [&] {
    label.setCaption("Model: KTR KW36-4");
    throw std::runtime_error("The file ends before the project does.");
  });
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(messages.messages(),
            (std::vector<Message>{
                {"Error", "The file ends before the project does.", MessageIcon::Critical}}));

  runCommand(messages, [] {});
  EXPECT_EQ(messages.messages().size(), 1u) << "a command that succeeds shows nothing";
}

// ---------------------------------------------------------------------------
// Kinds, menus, toolbar separators, twips

TEST(ControlRef, VisitsEachKindAsItself) {
  TextBox box("txtV");
  Menu menu("mnufile", "&File");
  MenuItem bar = MenuItem::separator("mnuFilebar0");
  const auto kindOf = [](Control& control) {
    return std::visit(
        Overloaded{[](TextBox*) { return "text box"; }, [](Menu*) { return "menu"; },
                   [](MenuItem* item) { return item->isSeparator() ? "separator" : "item"; },
                   [](auto*) { return "other"; }},
        control.ref());
  };
  EXPECT_STREQ(kindOf(box), "text box");
  EXPECT_STREQ(kindOf(menu), "menu");
  EXPECT_STREQ(kindOf(bar), "separator");
  EXPECT_EQ(bar.caption(), "-");
}

TEST(Menu, KeepsItsItemsInOrder) {
  Menu menu("mnuedit", "&Edit");
  MenuItem copy("mnuEditCopy", "&Copy");
  MenuItem inputs("mnuEditInputs", "&Inputs");
  menu.add(copy, inputs);
  EXPECT_EQ(menu.items(), (std::vector<MenuItem*>{&copy, &inputs}));
  EXPECT_FALSE(copy.isSeparator());
}

TEST(ToolBar, SeparatorsAreNeverFoundOrClicked) {
  ToolBar bar("tbToolBar");
  int clicks = 0;
  bar.onButtonClick = [&](const ToolButton&) { ++clicks; };
  bar.addSeparator();
  bar.click("");
  EXPECT_EQ(bar.find(""), nullptr);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(bar.buttons().size(), 1u);
}

TEST(Twips, ConvertAtTheScreensResolution) {
  struct Row {
    int twips;
    double dpi;
    int pixels;
  };
  // 1440 twips are an inch: 96 pixels at 96 dpi, 192 at 192 dpi.
  for (const Row& row : {Row{1440, 96, 96}, Row{1440, 192, 192}, Row{19200, 96, 1280},
                         Row{-150, 96, -10}, Row{7, 96, 0}, Row{8, 96, 1}}) {
    EXPECT_EQ(twipsToPixels(row.twips, row.dpi), row.pixels) << row.twips << " at " << row.dpi;
  }
  EXPECT_EQ(pixelsToTwips(1024, 96), 15360);
  EXPECT_EQ(pixelsToTwips(100, 120), 1200);
}

}  // namespace
