#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/Form.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/qt/FormBinder.h"
#include "platform/qt/QtSettingsStore.h"

namespace {

using namespace platform;
using platform::qt::BindError;
using platform::qt::FormBinder;

// A small window: a form and the widgets a .ui file would give it.
struct Window {
  Window() {
    form.add(txtToa, txtToaSI, lblWoa, chkSpeed, optA, optB, lstWheel);
    txtToa.onChange = [this] {
      ++changes;
      txtToaSI.setText(txtToa.text() + "!");
    };
    chkSpeed.onClick = [this] { ++clicks; };
    lstWheel.addItem("KW24-4");
    lstWheel.addItem("KW26-4");
    // Two model groups whose buttons share one parent widget.
    auto* layout = new QVBoxLayout(&widget);
    for (const char* name : {"txtToa", "txtToaSI"}) {
      layout->addWidget(named<QLineEdit>(name));
    }
    layout->addWidget(named<QLabel>("lblWoa_1"));
    layout->addWidget(named<QLabel>("lblWoa_0"));
    layout->addWidget(named<QCheckBox>("chkSpeed"));
    layout->addWidget(named<QRadioButton>("optA"));
    layout->addWidget(named<QRadioButton>("optB"));
    layout->addWidget(named<QListWidget>("lstWheel"));
  }

  template <typename W>
  W* named(const char* name) {
    auto* w = new W(&widget);
    w->setObjectName(QString::fromLatin1(name));
    return w;
  }
  template <typename W>
  W* find(const char* name) {
    return widget.findChild<W*>(QString::fromLatin1(name));
  }
  std::unique_ptr<FormBinder> bind() {
    return std::make_unique<FormBinder>(form, widget, messages, qt::Artwork{});
  }
  // Bound and shown, so that it takes clicks.
  std::unique_ptr<FormBinder> show() {
    auto binder = bind();
    form.show();
    return binder;
  }

  Form form{"frmTest"};
  TextBox txtToa{"txtToa", "95"};
  TextBox txtToaSI{"txtToaSI", "35"};
  std::array<Label, 2> lblWoa = controlArray<Label, 2>("lblWoa", "-");
  CheckBox chkSpeed{"chkSpeed", "Wheel Speed RPM"};
  OptionGroup groupA;
  OptionGroup groupB;
  OptionButton optA{"optA", "A", groupA, true};
  OptionButton optB{"optB", "B", groupB, true};
  ListBox lstWheel{"lstWheel"};
  int changes = 0;
  int clicks = 0;
  HeadlessMessageBox messages;
  QWidget widget;
};

TEST(FormBinder, BindingProblemsNameTheWindowAndEveryControlOrWidget) {
  struct Row {
    const char* what;
    std::function<void(Window&)> spoil;
    std::string message;
  };
  const std::vector<Row> rows = {
      {"missing widget", [](Window& w) { delete w.find<QLabel>("lblWoa_1"); },
       "frmTest: no widget named lblWoa_1 for control lblWoa(1)"},
      {"wrong class",
       [](Window& w) {
         delete w.find<QCheckBox>("chkSpeed");
         w.named<QLabel>("chkSpeed");
       },
       "frmTest: widget chkSpeed is a QLabel; control chkSpeed needs a QCheckBox"},
      {"widget without control", [](Window& w) { w.named<QLineEdit>("txtStray"); },
       "frmTest: widget txtStray has no control"},
  };
  for (const Row& row : rows) {
    Window w;
    row.spoil(w);
    try {
      w.bind();
      ADD_FAILURE() << row.what << ": bound";
    } catch (const BindError& error) {
      EXPECT_EQ(error.what(), row.message) << row.what;
    }
  }
  Window decorated;
  decorated.named<QGroupBox>("deco_heading");
  EXPECT_NO_THROW(decorated.bind()) << "layout-only widgets are left alone";
}

TEST(FormBinder, TypingRunsTheHandlerOncePerEditAndTheProgramsWritesShow) {
  Window w;
  const auto binder = w.bind();
  auto* english = w.find<QLineEdit>("txtToa");
  auto* si = w.find<QLineEdit>("txtToaSI");
  EXPECT_EQ(english->text(), "95");

  english->selectAll();
  QTest::keyClicks(english, "72");
  EXPECT_EQ(w.changes, 2) << "one change per keystroke";
  EXPECT_EQ(w.txtToa.text(), "72");
  EXPECT_EQ(si->text(), "72!") << "the handler's write reaches the twin's widget";

  w.txtToa.setText("60");
  EXPECT_EQ(english->text(), "60");
  EXPECT_EQ(w.changes, 3) << "a program write is not echoed back by the widget";
}

TEST(FormBinder, ClicksGoToTheModelWhichDecidesWhatIsChecked) {
  Window w;
  const auto binder = w.show();
  auto* check = w.find<QCheckBox>("chkSpeed");
  auto* a = w.find<QRadioButton>("optA");
  auto* b = w.find<QRadioButton>("optB");
  EXPECT_TRUE(a->isChecked());
  EXPECT_TRUE(b->isChecked()) << "two model groups under one parent";

  QTest::mouseClick(check, Qt::LeftButton);
  EXPECT_EQ(w.chkSpeed.value(), 1);
  EXPECT_EQ(w.clicks, 1);

  QTest::mouseClick(a, Qt::LeftButton);
  EXPECT_TRUE(a->isChecked()) << "clicking the selected option keeps it selected";
  EXPECT_TRUE(w.optA.value());
  EXPECT_TRUE(b->isChecked());

  auto* list = w.find<QListWidget>("lstWheel");
  ASSERT_EQ(list->count(), 2);
  int listClicks = 0;
  w.lstWheel.onClick = [&listClicks] { ++listClicks; };
  list->setCurrentRow(1);  // as the keyboard does
  EXPECT_EQ(w.lstWheel.listIndex(), 1);
  const auto clickRow = [list](int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
  };
  clickRow(0);
  EXPECT_EQ(w.lstWheel.listIndex(), 0);
  EXPECT_EQ(listClicks, 2) << "a click that moves the selection clicks once";
  clickRow(0);
  EXPECT_EQ(listClicks, 3) << "a click on the selected entry is a click too";
  w.lstWheel.addItem("KW28-4");
  EXPECT_EQ(list->count(), 3);
}

TEST(FormBinder, ColoursVisibilityAndCaptionsFollowTheModel) {
  Window w;
  const auto binder = w.bind();
  auto* label = w.find<QLabel>("lblWoa_0");
  w.lblWoa[0].setCaption("Winter");
  w.lblWoa[0].setForeColor({0, 0, 255});
  w.lblWoa[0].setVisible(false);
  EXPECT_EQ(label->text(), "Winter");
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_TRUE(label->isHidden());
}

TEST(FormBinder, AnErrorInAnEditBecomesAnErrorBox) {
  Window w;
  w.chkSpeed.onClick = [] { throw std::runtime_error("Enter a number for the wheel speed."); };
  const auto binder = w.show();
  QTest::mouseClick(w.find<QCheckBox>("chkSpeed"), Qt::LeftButton);
  EXPECT_EQ(w.messages.messages(),
            (std::vector<Message>{
                {"Error", "Enter a number for the wheel speed.", MessageIcon::Critical}}));
}

TEST(FormBinder, TheWindowFollowsTheFormAndTellsItWhereItWent) {
  Window w;
  const auto binder = w.bind();
  EXPECT_GT(w.form.width(), 0) << "the form knows the window's natural size";
  w.form.show();
  EXPECT_TRUE(w.widget.isVisible());
  w.form.move(1500, 3000);  // twips: 100 and 200 pixels at 96 dpi
  const double dpi = w.widget.screen()->logicalDotsPerInch();
  EXPECT_EQ(w.widget.pos(), QPoint(qRound(1500 * dpi / 1440), qRound(3000 * dpi / 1440)));
  w.widget.move(30, 60);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.form.left(), qRound(30 * 1440 / dpi));
  w.widget.close();
  EXPECT_FALSE(w.form.visible()) << "closing a window hides its form";
  EXPECT_FALSE(w.widget.isVisible());
}

TEST(QtSettingsStore, SectionsInAnyCaseAreOneAndValuesSurviveAReopen) {
  QTemporaryDir folder;
  {
    qt::QtSettingsStore store(folder.path());
    store.setValue("KTR", "startup", "Password", "KestrelWing");
    store.setValue("KTR", "Startup", "MainLeft", "1500");
  }
  const qt::QtSettingsStore reopened(folder.path());
  EXPECT_EQ(reopened.value("KTR", "Startup", "Password", ""), "KestrelWing");
  EXPECT_EQ(reopened.value("KTR", "STARTUP", "MainLeft", ""), "1500");
  EXPECT_EQ(reopened.value("KTR", "Startup", "MainTop", "centred"), "centred");
}

}  // namespace
