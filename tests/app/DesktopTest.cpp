// The desktop program as a person uses it, on the offscreen platform: keys
// and clicks on the widgets, and what the windows then show, compared with
// the same steps taken through the forms alone.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QThreadPool>
#include <QToolBar>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/AnnualOutputs.h"
#include "app/AnnualWindow.h"
#include "app/CompareWindow.h"
#include "app/Desktop.h"
#include "app/ViewWindows.h"
#include "platform/Twips.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "platform/qt/QtHelpViewer.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPage.h"
#include "ui/Calculate.h"

namespace {

const ui::Screen kScreen{19200, 15360};

struct HeadlessPorts {
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::HeadlessFileDialogs files;
  platform::MemoryClipboard clipboard;
  platform::qt::QtPageDevice pages;

  // `boxes` stands in for the recording message box where a test needs the
  // Qt one.
  ui::Ports ports(const char* catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv",
                  ui::Views& views = ui::noViews(), platform::MessageBox* boxes = nullptr) {
    return ui::Ports{.messages = boxes != nullptr ? *boxes : messages,
                     .settings = settings,
                     .help = help,
                     .screen = kScreen,
                     .catalogCandidates = {catalog},
                     .files = files,
                     .pages = pages,
                     .clipboard = clipboard,
                     .views = views};
  }
};

class DesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ktr::useIconTheme(); }

  DesktopTest() {
    EXPECT_EQ(desktop.start(), 0);
    EXPECT_FALSE(forms.start());
    forms.windows.splash.dismiss();
  }

  template <typename W>
  W& widget(QWidget& window, const char* name) {
    W* found = window.findChild<W*>(QString::fromLatin1(name));
    if (found == nullptr) {
      throw std::logic_error(std::string("no widget ") + name);
    }
    return *found;
  }
  QAction& action(const char* name) { return widget<QAction>(desktop.mainWindow, name); }

  void dismissSplash() {
    QTest::mouseClick(&widget<QPushButton>(desktop.splashWindow, "Command1"), Qt::LeftButton);
  }

  // Types `text` over a box's contents, one key at a time; the forms-only
  // program gets the same edits.
  void type(const char* box, const std::string& text) {
    auto& edit = widget<QLineEdit>(desktop.inputsWindow, box);
    edit.selectAll();
    QTest::keyClicks(&edit, QString::fromStdString(text));
    auto* twin = forms.windows.inputs.findAs<platform::TextBox>(box);
    for (std::size_t n = 1; n <= text.size(); ++n) {
      twin->setText(text.substr(0, n));
    }
  }

  // Every label of the main window shows what the forms alone give.
  void expectMainWindowAsTheForms() {
    for (platform::Control* control : forms.windows.main.controls()) {
      const auto* label = dynamic_cast<const platform::Label*>(control);
      if (label == nullptr) {
        continue;
      }
      const QString name = platform::qt::FormBinder::widgetName(label->name());
      const auto& shown = widget<QLabel>(desktop.mainWindow, name.toLatin1().constData());
      EXPECT_EQ(shown.text().toStdString(), label->caption()) << label->name();
      EXPECT_EQ(!shown.isHidden(), label->visible()) << label->name();
    }
  }

  HeadlessPorts desktopPorts;
  ktr::Desktop desktop{desktopPorts.ports()};
  HeadlessPorts formsPorts;
  ktr::Program forms{formsPorts.ports()};
};

TEST_F(DesktopTest, AnyKeyOnTheSplashShowsTheStartedMainWindow) {
  EXPECT_TRUE(desktop.splashWindow.isVisible());
  EXPECT_FALSE(desktop.mainWindow.isVisible());
  QTest::keyClick(&desktop.splashWindow, Qt::Key_A);
  EXPECT_FALSE(desktop.splashWindow.isVisible());
  EXPECT_TRUE(desktop.mainWindow.isVisible());
  EXPECT_EQ(desktop.mainWindow.windowTitle(), "Thermarotor Selection Program[*]");
}

TEST_F(DesktopTest, PicturesAndDialogSizesAreThereOnceTheirWindowsShow) {
  // Pictures are drawn, and dialogs laid out, only when first shown.
  const auto drawn = [this](QWidget& window, const char* name) {
    const QPixmap pixmap = widget<QLabel>(window, name).pixmap();
    return !pixmap.isNull() && pixmap.devicePixelRatio() == window.devicePixelRatioF();
  };
  EXPECT_TRUE(drawn(desktop.splashWindow, "picLogo0"));
  dismissSplash();
  EXPECT_TRUE(drawn(desktop.mainWindow, "picWheel"));
  EXPECT_TRUE(drawn(desktop.mainWindow, "picARILogo"));

  action("mnuEditInputs").trigger();
  ASSERT_TRUE(desktop.inputsWindow.isVisible());
  const double dpi = desktop.inputsWindow.screen()->logicalDotsPerInch();
  const ui::frmInputs& inputs = desktop.program.windows.inputs;
  EXPECT_EQ(inputs.width(), platform::pixelsToTwips(desktop.inputsWindow.width(), dpi));
  EXPECT_EQ(inputs.height(), platform::pixelsToTwips(desktop.inputsWindow.height(), dpi));
  // Laid out to its natural size before it showed, not left at Qt's default.
  const QSize shown = desktop.inputsWindow.size();
  desktop.inputsWindow.adjustSize();
  EXPECT_EQ(desktop.inputsWindow.size(), shown);
}

TEST_F(DesktopTest, AClickOnTheProductTitleDismissesTheSplash) {
  QTest::mouseClick(&widget<QLabel>(desktop.splashWindow, "lblCompanyProduct"), Qt::LeftButton);
  EXPECT_FALSE(desktop.splashWindow.isVisible());
  EXPECT_TRUE(desktop.mainWindow.isVisible());
}

TEST_F(DesktopTest, ACaseTypedAndCalculatedShowsWhatTheFormsGive) {
  dismissSplash();
  action("mnuEditInputs").trigger();
  ASSERT_TRUE(desktop.inputsWindow.isVisible());
  type("txtToa", "88");
  type("txtV", "2400");
  EXPECT_EQ(widget<QLineEdit>(desktop.inputsWindow, "txtToaSI").text(), "31.1");
  auto& calculate = widget<QPushButton>(desktop.inputsWindow, "cmdCalc");
  EXPECT_EQ(calculate.palette().color(QPalette::Button), QColor(0, 255, 0));
  QTest::mouseClick(&calculate, Qt::LeftButton);
  forms.windows.inputs.cmdCalc_Click();

  EXPECT_TRUE(calculate.isHidden());
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblToa").text(), "88.0");
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblAcfmS").text(), "2,400");
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblSeason").palette().color(QPalette::WindowText),
            QColor(255, 0, 0));
  expectMainWindowAsTheForms();

  // SI, through the settings window.
  action("mnuEditSettings").trigger();
  QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSIUnits"), Qt::LeftButton);
  QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSettingsOK"), Qt::LeftButton);
  forms.windows.settings.cmdSIUnits_Click();
  forms.windows.settings.cmdSettingsOK_Click();
  EXPECT_FALSE(desktop.settingsWindow.isVisible());
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblToa").text(), "31.1");
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblFDB_0").text(), "°C DB");
  expectMainWindowAsTheForms();
  EXPECT_TRUE(desktopPorts.messages.messages().empty());
}

// Litres per second chosen with its option button, then volumes typed in
// the SI boxes: the boxes, their labels and the rating all use l/s, as with
// the toggle button.
TEST_F(DesktopTest, LitresPerSecondChosenByItsOptionRatesTheVolumesTypedInIt) {
  dismissSplash();
  action("mnuEditSettings").trigger();
  QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSIUnits"), Qt::LeftButton);
  // On its indicator: a radio button takes clicks on its indicator and text only.
  auto& litres = widget<QRadioButton>(desktop.settingsWindow, "SIFlow1");
  QTest::mouseClick(&litres, Qt::LeftButton, {}, QPoint(8, litres.height() / 2));
  forms.windows.settings.cmdSIUnits_Click();
  forms.windows.settings.cmdSIUnitType_Click();
  // 1,000 cfm shown in l/s, not relabelled m3/h.
  EXPECT_EQ(widget<QLineEdit>(desktop.inputsWindow, "txtVSI").text(), "472");
  EXPECT_EQ(widget<QLabel>(desktop.inputsWindow, "lblSCFM_3").text(), "a.l/sec");
  QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSettingsOK"), Qt::LeftButton);
  forms.windows.settings.cmdSettingsOK_Click();

  action("mnuEditInputs").trigger();
  type("txtVSI", "2400");
  type("txtVraSI", "2400");
  QTest::mouseClick(&widget<QPushButton>(desktop.inputsWindow, "cmdCalc"), Qt::LeftButton);
  forms.windows.inputs.cmdCalc_Click();
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblAcfmS").text(), "2,400");
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "Label7").text(), "a.l/sec");
  EXPECT_EQ(widget<QLineEdit>(desktop.inputsWindow, "txtV").text(), "5084.6");  // cfm
  expectMainWindowAsTheForms();
  EXPECT_TRUE(desktopPorts.messages.messages().empty());

  // The toggle button afterwards goes back to m3/h at once.
  action("mnuEditSettings").trigger();
  QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSIUnitType"), Qt::LeftButton);
  EXPECT_TRUE(widget<QRadioButton>(desktop.settingsWindow, "SIFlow0").isChecked());
  // The shortest m3/h that, typed, gives the same cfm.
  EXPECT_EQ(widget<QLineEdit>(desktop.inputsWindow, "txtVSI").text(), "8639.8");
}

// The frames the program hides hold, in the forms, what their layouts put
// in them: what a hidden frame holds cannot be set from the command line.
TEST_F(DesktopTest, HiddenFramesHoldWhatTheirLayoutsPutInThem) {
  const std::pair<platform::Form*, QWidget*> windows[] = {
      {&desktop.program.windows.main, &desktop.mainWindow},
      {&desktop.program.windows.overrides, &desktop.overrideWindow}};
  int frames = 0;
  for (const auto& [form, window] : windows) {
    for (platform::Control* control : form->controls()) {
      const auto* frame = dynamic_cast<const platform::Frame*>(control);
      std::set<std::string> held;
      for (const platform::Control* c : form->controls()) {
        if (c->container() == frame) {
          held.insert(c->name());
        }
      }
      if (frame == nullptr || held.empty()) {
        continue;
      }
      ++frames;
      const auto& box = widget<QWidget>(
          *window, platform::qt::FormBinder::widgetName(frame->name()).toLatin1().constData());
      std::set<std::string> laidOut;
      for (const platform::Control* c : form->controls()) {
        const auto* shown =
            window->findChild<QWidget*>(platform::qt::FormBinder::widgetName(c->name()));
        if (shown != nullptr && shown != &box && box.isAncestorOf(shown)) {
          laidOut.insert(c->name());
        }
      }
      EXPECT_EQ(held, laidOut) << frame->name();
    }
  }
  EXPECT_EQ(frames, 4) << "fmeWheel, fmeCassette, fmeFlute and frmFlute";
}

// With no person to answer, a message box is written out and answered OK:
// a start that fails ends instead of waiting forever.
TEST(DesktopUnattended, AFailedStartIsWrittenOutAndEnds) {
  HeadlessPorts ports;
  platform::qt::QtMessageBox boxes;
  std::ostringstream log;
  boxes.answerUnattended(log);
  ktr::Desktop desktop(ports.ports("/nonexistent/ktrmodel6.csv", ui::noViews(), &boxes));
  EXPECT_EQ(desktop.start(), 1);
  EXPECT_EQ(log.str().rfind("Error: ", 0), 0U) << log.str();
  EXPECT_NE(log.str().find("/nonexistent/ktrmodel6.csv"), std::string::npos) << log.str();
}

// Unattended, closing over unsaved changes keeps the program and the case:
// Save would wait on a file dialog, Discard would lose the case.
TEST(DesktopUnattended, TheSaveQuestionIsWrittenOutAndCancelled) {
  HeadlessPorts ports;
  platform::qt::QtMessageBox boxes;
  std::ostringstream log;
  boxes.answerUnattended(log);
  ktr::Desktop desktop(
      ports.ports(KTR_SOURCE_DIR "/resources/ktrmodel6.csv", ui::noViews(), &boxes));
  ASSERT_EQ(desktop.start(true), 0);
  desktop.program.fields.inputs.txtV.setText("2500");
  QCoreApplication::processEvents();
  EXPECT_TRUE(desktop.mainWindow.isWindowModified());
  desktop.mainWindow.close();
  EXPECT_TRUE(desktop.mainWindow.isVisible());
  EXPECT_EQ(log.str(), "Unsaved changes: Save the changes to the new case? (Cancel)\n");
}

// Save, Open, Export PDF and Copy from the menus and the toolbar reach the
// project file, the report and the clipboard through the ports.
TEST_F(DesktopTest, TheFileAndEditCommandsSaveOpenExportAndCopy) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("ktr-desktop-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  dismissSplash();
  action("mnuEditInputs").trigger();
  type("txtTitle", "Desk, test");
  type("txtV", "3000");
  QTest::mouseClick(&widget<QPushButton>(desktop.inputsWindow, "cmdCalc"), Qt::LeftButton);

  desktopPorts.files.answer = (folder / "case.cse").string();
  action("mnuFileSave").trigger();
  ASSERT_TRUE(fs::exists(folder / "case.cse"));
  desktopPorts.files.answer = (folder / "page.pdf").string();
  action("mnuFileExportPdf").trigger();
  EXPECT_GT(fs::file_size(folder / "page.pdf"), 1000U);
  action("mnuEditCopy").trigger();
  EXPECT_EQ(
      std::count(desktopPorts.clipboard.text.begin(), desktopPorts.clipboard.text.end(), '\n'), 28);

  // Another case, then the saved one opened again from the toolbar.
  type("txtV", "5000");
  QTest::mouseClick(&widget<QPushButton>(desktop.inputsWindow, "cmdCalc"), Qt::LeftButton);
  desktopPorts.files.answer = (folder / "case.cse").string();
  auto& toolbar = widget<QToolBar>(desktop.mainWindow, "tbToolBar");
  const auto buttons = toolbar.actions();
  const auto open = std::find_if(buttons.begin(), buttons.end(),
                                 [](QAction* a) { return a->toolTip() == "Open File"; });
  ASSERT_NE(open, buttons.end());
  desktopPorts.messages.saveAnswer = platform::SaveAnswer::Discard;
  (*open)->trigger();
  EXPECT_EQ(widget<QLabel>(desktop.mainWindow, "lblTitle").text(), "Desk, test");
  EXPECT_EQ(widget<QLineEdit>(desktop.inputsWindow, "txtV").text(), "3000");
  EXPECT_EQ(desktopPorts.messages.messages(),
            (std::vector<platform::Message>{
                {"Unsaved changes", "Save the changes to " + (folder / "case.cse").string() + "?",
                 platform::MessageIcon::Question}}));
  EXPECT_FALSE(desktop.mainWindow.isWindowModified());
  fs::remove_all(folder);
}

TEST_F(DesktopTest, ThePasswordAddsTheOverrideButtonOnce) {
  dismissSplash();
  auto& toolbar = widget<QToolBar>(desktop.mainWindow, "tbToolBar");
  const auto overrideButtons = [&toolbar] {
    int count = 0;
    for (const QAction* a : toolbar.actions()) {
      count += a->text() == "Override" ? 1 : 0;
    }
    return count;
  };
  EXPECT_EQ(overrideButtons(), 0);
  for (int attempt = 0; attempt < 2; ++attempt) {
    action("mnuEditSecurity").trigger();
    ASSERT_TRUE(desktop.passwordWindow.isVisible());
    auto& box = widget<QLineEdit>(desktop.passwordWindow, "txtPassword");
    box.selectAll();
    QTest::keyClicks(&box, "kestrelwing");
    QTest::mouseClick(&widget<QPushButton>(desktop.passwordWindow, "OKButton"), Qt::LeftButton);
    EXPECT_FALSE(desktop.passwordWindow.isVisible());
    EXPECT_EQ(overrideButtons(), 1) << "attempt " << attempt;
  }
  EXPECT_EQ(desktopPorts.settings.value("KTR", "Startup", "Password", ""), "KestrelWing");
  for (const QAction* a : toolbar.actions()) {
    EXPECT_TRUE(a->isSeparator() || !a->icon().isNull()) << a->text().toStdString();
  }
}

TEST_F(DesktopTest, MenusDrawSeparatorsTakeTheStandardKeysAndAltTypesNothing) {
  dismissSplash();
  for (const char* name : {"mnuFilebar0", "mnuFilebar1"}) {
    EXPECT_TRUE(action(name).isSeparator()) << name;
    EXPECT_TRUE(action(name).text().isEmpty()) << name << ": a separator with text is a heading";
  }
  const std::pair<const char*, QKeySequence::StandardKey> keys[] = {
      {"mnuFileOpen", QKeySequence::Open},     {"mnuFileSave", QKeySequence::Save},
      {"mnuFileSaveAs", QKeySequence::SaveAs}, {"mnuFilePrint", QKeySequence::Print},
      {"mnuEditCopy", QKeySequence::Copy},
  };
  for (const auto& [name, key] : keys) {
    EXPECT_EQ(action(name).shortcuts(), QKeySequence::keyBindings(key)) << name;
  }
  action("mnuEditInputs").trigger();
  auto& box = widget<QLineEdit>(desktop.inputsWindow, "txtV");
  const QString before = box.text();
  QTest::keyClick(&box, Qt::Key_E, Qt::AltModifier);
  EXPECT_EQ(box.text(), before);
  QTest::keyClick(&box, Qt::Key_5);
  EXPECT_NE(box.text(), before) << "a plain key still types";
}

// Esc is Cancel; OK keeps what the dialog changed.
TEST_F(DesktopTest, SettingsEscapeCancelsAndOkKeeps) {
  dismissSplash();
  const ModCalc::CalcState& s = desktop.program.state;
  for (const bool ok : {false, true}) {
    action("mnuEditSettings").trigger();
    QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSIUnits"), Qt::LeftButton);
    ASSERT_EQ(s.SIUnits, 1);
    if (ok) {
      QTest::mouseClick(&widget<QPushButton>(desktop.settingsWindow, "cmdSettingsOK"),
                        Qt::LeftButton);
    } else {
      QTest::keyClick(&desktop.settingsWindow, Qt::Key_Escape);
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(desktop.settingsWindow.isVisible());
    EXPECT_EQ(s.SIUnits, ok ? 1 : 0) << (ok ? "OK" : "Esc");
  }
}

TEST_F(DesktopTest, ViewToolbarTwiceReturnsToAVisibleCheckedToolbar) {
  dismissSplash();
  auto& toolbar = widget<QToolBar>(desktop.mainWindow, "tbToolBar");
  QAction& item = action("mnuViewToolbar");
  EXPECT_TRUE(item.isChecked());
  item.trigger();
  EXPECT_TRUE(toolbar.isHidden());
  EXPECT_FALSE(item.isChecked());
  item.trigger();
  EXPECT_FALSE(toolbar.isHidden());
  EXPECT_TRUE(item.isChecked());
}

TEST_F(DesktopTest, AboutAndHelpFromTheMenus) {
  dismissSplash();
  action("mnuAbout").trigger();
  EXPECT_EQ(desktopPorts.messages.messages(),
            (std::vector<platform::Message>{
                {"Kestrix", "Version 6.0.0", platform::MessageIcon::Information}}));
  action("mnuHelpContents").trigger();
  // F1 opens the page of the window it is pressed in.
  // Shortcuts reach the active window only.
  for (QWidget* window :
       {static_cast<QWidget*>(&desktop.mainWindow), static_cast<QWidget*>(&desktop.inputsWindow)}) {
    window->show();
    QApplication::setActiveWindow(window);
    QTest::keyClick(window->focusWidget() != nullptr ? window->focusWidget() : window, Qt::Key_F1);
  }
  EXPECT_EQ(desktopPorts.help.requests(),
            (std::vector<std::string>{"KTR.hlp|index.html", "KTR.hlp|results.html",
                                      "KTR.hlp|inputs.html"}));
}

TEST(DesktopStart, EveryWindowBindsCompletelyAndQuickStartSkipsTheSplash) {
  HeadlessPorts ports;
  std::unique_ptr<ktr::Desktop> desktop;
  ASSERT_NO_THROW(desktop = std::make_unique<ktr::Desktop>(ports.ports()));
  EXPECT_EQ(desktop->start(true), 0);
  EXPECT_FALSE(desktop->splashWindow.isVisible());
  EXPECT_TRUE(desktop->mainWindow.isVisible());
}

TEST_F(DesktopTest, ClosingTheMainWindowSavesThePositionsAndHidesEveryWindow) {
  dismissSplash();
  action("mnuEditInputs").trigger();
  desktop.mainWindow.move(150, 300);
  QCoreApplication::processEvents();
  desktop.mainWindow.close();
  EXPECT_FALSE(desktop.mainWindow.isVisible());
  EXPECT_FALSE(desktop.inputsWindow.isVisible());
  const double dpi = desktop.mainWindow.screen()->logicalDotsPerInch();
  EXPECT_EQ(desktopPorts.settings.value("KTR", "Startup", "MainLeft", ""),
            std::to_string(qRound(desktop.mainWindow.x() * 1440 / dpi)));
  EXPECT_NE(desktopPorts.settings.value("KTR", "Startup", "InputsTop", ""), "");
}

TEST_F(DesktopTest, TheHelpOpensOnItsContentsWithEveryPageListed) {
  platform::qt::QtHelpViewer viewer(QStringLiteral(":/help"));
  viewer.showPage("KTR.hlp", "index.html");
  ASSERT_NE(viewer.window(), nullptr);
  auto& contents = *viewer.window()->findChild<QListWidget*>();
  QStringList titles;
  for (int row = 0; row < contents.count(); ++row) {
    titles << contents.item(row)->text();
  }
  EXPECT_EQ(titles,
            (QStringList{"Contents", "The program at a glance", "Entering a case", "Settings",
                         "Override and password", "The results", "Reading the results",
                         "How the wheel is rated", "Units", "Project files and printing",
                         "Chart, comparison, rating conditions and schedules"}));
  auto& page = *viewer.window()->findChild<QTextBrowser*>();
  for (int row = 0; row < contents.count(); ++row) {
    contents.setCurrentRow(row);
    EXPECT_FALSE(page.toPlainText().isEmpty()) << titles[row].toStdString();
  }
  contents.setCurrentRow(0);
  EXPECT_TRUE(page.toPlainText().startsWith("Thermarotor Selection Program"));
}

TEST(DesktopStart, AMissingCatalogIsAnErrorBoxAndExitStatusOne) {
  HeadlessPorts ports;
  ktr::Desktop desktop(ports.ports(KTR_SOURCE_DIR "/no-such-folder/ktrmodel6.csv"));
  EXPECT_EQ(desktop.start(), 1);
  ASSERT_EQ(ports.messages.messages().size(), 1u);
  const platform::Message& shown = ports.messages.messages()[0];
  EXPECT_EQ(shown.title, "Error");
  EXPECT_NE(shown.text.find("no-such-folder/ktrmodel6.csv"), std::string::npos) << shown.text;
  EXPECT_FALSE(desktop.splashWindow.isVisible());
}

}  // namespace

namespace {

// The desktop with its chart and comparison windows, as ktr starts it.
class DesktopViewsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ktr::useIconTheme(); }
  DesktopViewsTest() {
    views.attach(desktop);
    EXPECT_EQ(desktop.start(true), 0);
  }
  QAction& action(const char* name) {
    return *desktop.mainWindow.findChild<QAction*>(QString::fromLatin1(name));
  }
  QString mainLabel(const char* name) {
    return desktop.mainWindow.findChild<QLabel*>(QString::fromLatin1(name))->text();
  }

  HeadlessPorts ports;
  ktr::ViewWindows views;
  ktr::Desktop desktop{ports.ports(KTR_SOURCE_DIR "/resources/ktrmodel6.csv", views)};
};

TEST_F(DesktopViewsTest, RatingConditionsMenuTypesTheConditionsAndCalculates) {
  action("mnuEditRatingWinter").trigger();
  EXPECT_EQ(mainLabel("lblSeason"), "Winter");
  EXPECT_EQ(mainLabel("lblToa"), "35.0");
  EXPECT_EQ(desktop.inputsWindow.findChild<QLineEdit*>("txtMra")->text(), "58");
  action("mnuEditRatingSummer").trigger();
  EXPECT_EQ(mainLabel("lblSeason"), "Summer");
  EXPECT_EQ(mainLabel("lblTra"), "75.0");
}

TEST_F(DesktopViewsTest, EnterOnACompareRowSelectsThatModelAndCalculates) {
  action("mnuViewCompare").trigger();
  auto* window = desktop.mainWindow.findChild<QMainWindow*>(ktr::kCompareWindowName);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  auto* table = window->findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), desktop.program.state.ModelCount + 1);
  // Sorted by total energy, largest first, then the row of a larger model.
  table->sortItems(11, Qt::DescendingOrder);
  const QList<QTableWidgetItem*> found = table->findItems("KW42-4", Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  const QString total = table->item(found[0]->row(), 11)->text();
  table->setFocus();
  table->setCurrentCell(found[0]->row(), 0);
  QTest::keyClick(table, Qt::Key_Return);
  EXPECT_EQ(desktop.program.state.ModelNameSel, "KW42-4");
  EXPECT_EQ(mainLabel("lblModel"), "Model: KTR KW42-4");
  EXPECT_EQ(mainLabel("lblHeatT").remove(','), total);
  QApplication::processEvents();
  EXPECT_EQ(table->rowCount(), desktop.program.state.ModelCount + 1) << "refreshed";
  EXPECT_TRUE(ports.messages.messages().empty());
}

// File Close puts back the start-up case without calculating: the chart and
// the comparison shown follow it rather than keep the closed case (showing
// them first calculated the start-up case).
TEST_F(DesktopViewsTest, ChartAndComparisonFollowFileClose) {
  action("mnuViewChart").trigger();
  action("mnuViewCompare").trigger();
  auto* chart = desktop.mainWindow.findChild<QMainWindow*>(ktr::kChartWindowName);
  auto* compare = desktop.mainWindow.findChild<QMainWindow*>(ktr::kCompareWindowName);
  ASSERT_NE(chart, nullptr);
  ASSERT_NE(compare, nullptr);
  auto* table = compare->findChild<QTableWidget*>();
  const auto totalOf = [table](const char* model) {
    const QList<QTableWidgetItem*> found = table->findItems(model, Qt::MatchExactly);
    return found.size() == 1 ? table->item(found[0]->row(), 11)->text() : QString();
  };
  QApplication::processEvents();
  const QImage startChart = chart->grab().toImage();
  const QString startTotal = totalOf("KW42-4");
  ASSERT_FALSE(startTotal.isEmpty());

  desktop.program.fields.inputs.txtV.setText("3000");
  desktop.program.fields.inputs.txtVra.setText("3000");
  desktop.program.windows.inputs.cmdCalc_Click();
  QApplication::processEvents();
  const QImage calculatedChart = chart->grab().toImage();
  ASSERT_NE(calculatedChart, startChart) << "the new case on the chart";
  ASSERT_NE(totalOf("KW42-4"), startTotal);

  ports.messages.saveAnswer = platform::SaveAnswer::Discard;
  action("mnuFileClose").trigger();
  QApplication::processEvents();
  // The start-up case is not calculated: the chart shows no states.
  const QImage closedChart = chart->grab().toImage();
  EXPECT_NE(closedChart, calculatedChart);
  EXPECT_NE(closedChart, startChart);
  EXPECT_EQ(totalOf("KW42-4"), startTotal) << "the comparison rates the start-up case";
}

// The year follows the case and the operation; an operation that cannot be
// (occupied hours ending before they start) says so and rates nothing.
TEST_F(DesktopViewsTest, AnnualEnergyFollowsTheCaseAndItsInputs) {
  action("mnuViewAnnual").trigger();
  auto* window = desktop.mainWindow.findChild<QMainWindow*>(ktr::kAnnualWindowName);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  auto* table = window->findChild<QTableWidget*>();
  ASSERT_EQ(table->rowCount(), 13);
  // The year's hours the wheel turns or stands for the economizer.
  const auto occupied = [table] {
    return table->item(12, 6)->text().remove(',').toInt() +
           table->item(12, 7)->text().remove(',').toInt();
  };
  EXPECT_EQ(occupied(), 260 * 12);
  ui::frmWheel& main = desktop.program.windows.main;
  const std::filesystem::path saved =
      std::filesystem::temp_directory_path() / "ktr-annual-modified.cse";
  ASSERT_TRUE(main.saveProjectFile(saved.string()));
  std::filesystem::remove(saved);
  const QList<QSpinBox*> boxes = window->findChildren<QSpinBox*>();
  ASSERT_EQ(boxes.size(), 2);
  boxes[1]->setValue(17);
  EXPECT_EQ(occupied(), 260 * 10);
  auto& record = desktop.program.windows.main.annualRecord;
  ASSERT_TRUE(record) << "what the project will save";
  EXPECT_EQ(record->op.occupiedTo, 17);
  EXPECT_TRUE(main.caseModified()) << "a change the project will save";
  boxes[0]->setValue(18);
  EXPECT_EQ(table->item(12, 7), nullptr);
  EXPECT_NE(window->findChild<QLabel*>()->text().indexOf("must start before they end"), -1);
  boxes[0]->setValue(7);
  boxes[1]->setValue(19);
  EXPECT_EQ(occupied(), 260 * 12);
  EXPECT_FALSE(record) << "the defaults are no record";
  EXPECT_FALSE(main.caseModified()) << "back as it was saved";

  // A project opened with its own record shows it.
  ui::AnnualRecord opened;
  opened.op.occupiedFrom = 8;
  opened.op.weekendsOccupied = true;
  record = opened;
  action("mnuViewAnnual").trigger();
  EXPECT_EQ(boxes[0]->value(), 8);
  EXPECT_EQ(occupied(), 365 * 11);
  EXPECT_EQ(record, opened);
  record.reset();
  action("mnuViewAnnual").trigger();
  EXPECT_EQ(boxes[0]->value(), 7);

  const QString heating = table->item(12, 0)->text();
  desktop.program.fields.inputs.txtV.setText("3000");
  desktop.program.windows.inputs.cmdCalc_Click();
  QApplication::processEvents();
  EXPECT_NE(table->item(12, 0)->text(), heating) << "the year of the new case";
  EXPECT_TRUE(ports.messages.messages().empty());
}

// The check follows every entry; an entry without a number names its box and
// leaves the inputs the check last used.
TEST_F(DesktopViewsTest, CodeCheckWindowChecksAsTheEngineerTypes) {
  action("mnuViewCodeCheck").trigger();
  auto* window = desktop.mainWindow.findChild<QMainWindow*>(ktr::kCodeCheckWindowName);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  const auto label = [window](const char* name) {
    return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
  };
  EXPECT_EQ(label("lblVerdict"), "Verdict: PASS");
  EXPECT_TRUE(label("lblVerdicts").contains("Energy recovery required"))
      << label("lblVerdicts").toStdString();

  auto* outdoorAir = window->findChild<QLineEdit*>("txtOutdoorAir");
  outdoorAir->selectAll();
  QTest::keyClicks(outdoorAir, "abc");
  EXPECT_TRUE(label("lblProblem").startsWith("Outdoor air, % of design flow: enter a number"));
  EXPECT_EQ(desktop.program.windows.codeCheck->outdoorAirPercent, 100);
  outdoorAir->selectAll();
  QTest::keyClicks(outdoorAir, "5");
  EXPECT_EQ(desktop.program.windows.codeCheck->outdoorAirPercent, 5);
  EXPECT_TRUE(desktop.program.windows.main.caseModified()) << "the check is saved with the case";
  EXPECT_FALSE(window->findChild<QLabel*>("lblProblem")->isVisibleTo(window));
  EXPECT_TRUE(label("lblVerdicts").contains("Energy recovery not required"));

  auto* fanEfficiency = window->findChild<QLineEdit*>("txtFanEfficiency");
  EXPECT_FALSE(fanEfficiency->isEnabled());
  window->findChild<QComboBox*>("cboStandard")->setCurrentIndex(1);
  EXPECT_TRUE(fanEfficiency->isEnabled());
  EXPECT_EQ(desktop.program.windows.codeCheck->code, ModCalc::EnergyCode::Eu1253_2014);
  EXPECT_TRUE(label("lblVerdicts").contains("Thermal efficiency (EN 308"))
      << label("lblVerdicts").toStdString();

  // Inputs that change beneath the window (a project opened) show on the next refresh.
  desktop.program.windows.codeCheck->zone = "7";
  static_cast<ktr::CodeCheckWindow*>(window)->refresh();
  EXPECT_EQ(window->findChild<QComboBox*>("cboZone")->currentText(), "7");
  EXPECT_EQ(desktop.program.windows.codeCheck->code, ModCalc::EnergyCode::Eu1253_2014);
  EXPECT_TRUE(ports.messages.messages().empty());
}

// The built-in year suggests 5A; the engineer's own zone stays until the
// button takes the suggestion, which is then kept with the case.
TEST_F(DesktopViewsTest, CodeCheckSuggestsTheZoneOfTheWeather) {
  action("mnuViewCodeCheck").trigger();
  auto* window = desktop.mainWindow.findChild<ktr::CodeCheckWindow*>(ktr::kCodeCheckWindowName);
  ASSERT_NE(window, nullptr);
  const QString text = window->findChild<QLabel*>("lblSuggestedZone")->text();
  EXPECT_EQ(text.toStdString(),
            "Suggested: 5A (HDD18 3,430, CDD10 1,743 from the built-in year)\n"
            "A is assumed (no precipitation on record): pick B if the site is dry.");
  auto* zone = window->findChild<QComboBox*>("cboZone");
  auto* use = window->findChild<QPushButton*>("cmdUseSuggestedZone");
  EXPECT_EQ(use->text(), "&Use 5A");
  EXPECT_FALSE(use->isEnabled()) << "5A is the zone already";
  zone->setCurrentText("6B");
  EXPECT_TRUE(use->isEnabled());
  window->refresh();
  EXPECT_EQ(zone->currentText(), "6B") << "the engineer's zone stays";
  EXPECT_EQ(desktop.program.windows.codeCheck->zone, "6B");
  use->click();
  EXPECT_EQ(desktop.program.windows.codeCheck->zone, "5A");
  EXPECT_FALSE(use->isEnabled());
  EXPECT_TRUE(ports.messages.messages().empty());
}

// Once a code check is set up every model shows whether it passes: at this
// case's small flow the smallest wheels fall short of 73 %, and so do the
// oversized ones, whose purge is a large share of the flow.
// In SI units the design conditions are typed and shown in °C; a box left
// as shown keeps its °F value exactly.
TEST_F(DesktopViewsTest, CodeCheckDesignConditionsFollowTheUnits) {
  action("mnuViewCodeCheck").trigger();
  auto* window = desktop.mainWindow.findChild<ktr::CodeCheckWindow*>(ktr::kCodeCheckWindowName);
  ASSERT_NE(window, nullptr);
  desktop.program.windows.settings.cmdSIUnits_Click();
  desktop.program.windows.settings.cmdSettingsOK_Click();
  ASSERT_EQ(desktop.program.state.SIUnits, 1);
  window->refresh();
  const QList<QLineEdit*> edits = window->findChildren<QLineEdit*>();
  const auto shows = [&edits](const QString& text) {
    return std::find_if(edits.begin(), edits.end(),
                        [&text](QLineEdit* e) { return e->text() == text; });
  };
  ASSERT_NE(shows("35"), edits.end()) << "95 °F";
  ASSERT_NE(shows("25.56"), edits.end()) << "78 °F";
  QLineEdit* cooling = *shows("35");
  cooling->selectAll();
  QTest::keyClicks(cooling, "36");
  const ModCalc::CodeCheckInputs& in = *desktop.program.windows.codeCheck;
  EXPECT_FLOAT_EQ(in.cooling.outdoorDryBulbF, 96.8F);
  EXPECT_EQ(in.cooling.outdoorWetBulbF, 78) << "left as shown";
  EXPECT_TRUE(window->findChild<QLabel*>("lblVerdicts")->text().contains("outdoor 36/25.56 °C"));
}

// The column of `table` headed `heading`, or -1.
int headedColumn(const QTableWidget& table, const QString& heading) {
  for (int column = 0; column < table.columnCount(); ++column) {
    if (table.horizontalHeaderItem(column)->text() == heading) {
      return column;
    }
  }
  return -1;
}

// A project naming a weather file gets each model's year once the worker is
// done: the payback on the one first cost, the cost saved as the model's own
// year has it; without a weather file the columns stay hidden.
TEST_F(DesktopViewsTest, CompareShowsEveryModelsYearOverTheProjectsWeather) {
  action("mnuViewCompare").trigger();
  auto* window = desktop.mainWindow.findChild<ktr::CompareWindow*>(ktr::kCompareWindowName);
  ASSERT_NE(window, nullptr);
  auto* table = window->findChild<QTableWidget*>();
  const int cost = headedColumn(*table, "Cost saved,\na year");
  const int payback = headedColumn(*table, "Payback,\nyears,\nsame first cost");
  ASSERT_GE(cost, 0);
  EXPECT_TRUE(table->isColumnHidden(cost));
  ui::AnnualRecord record{
      KTR_SOURCE_DIR "/resources/weather/USA_IL_Chicago-OHare.Intl.AP.725300_TMY3.epw", {}};
  record.op.firstCost = 2000;
  desktop.program.windows.main.annualRecord = record;
  window->refresh();
  EXPECT_FALSE(table->isColumnHidden(cost));
  // A refresh the calculation queued may start the years again.
  for (int pass = 0; pass < 3; ++pass) {
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
  }
  int row = 0;
  while (row < table->rowCount() && table->item(row, 0)->text() != "KW36-4") {
    ++row;
  }
  ASSERT_LT(row, table->rowCount());
  ModCalc::Case c = ModCalc::readCase(desktop.program.engine);
  const ModCalc::AnnualResult year =
      ktr::modelYear(c, "KW36-4", std::get<ModCalc::Weather>(ktr::readWeather(record.weatherPath)),
                     record.op, desktop.program.catalog);
  const double saved = ModCalc::savings(year.year, record.op).costSaved;
  ASSERT_NE(table->item(row, cost), nullptr);
  EXPECT_DOUBLE_EQ(table->item(row, cost)->data(Qt::UserRole).toDouble(), saved);
  EXPECT_DOUBLE_EQ(table->item(row, payback)->data(Qt::UserRole).toDouble(), 2000 / saved);

  // Another first cost in the annual energy window: the years follow when
  // the comparison is next brought up.
  desktop.program.windows.main.annualRecord->op.firstCost = 4000;
  QEvent activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(window, &activate);
  QThreadPool::globalInstance()->waitForDone();
  QCoreApplication::processEvents();
  EXPECT_DOUBLE_EQ(table->item(row, payback)->data(Qt::UserRole).toDouble(), 4000 / saved);
}

TEST_F(DesktopViewsTest, CompareShowsTheCodeCheckOnceItIsSetUp) {
  action("mnuViewCompare").trigger();
  auto* window = desktop.mainWindow.findChild<ktr::CompareWindow*>(ktr::kCompareWindowName);
  ASSERT_NE(window, nullptr);
  auto* table = window->findChild<QTableWidget*>();
  const int column = headedColumn(*table, "Code check");
  EXPECT_TRUE(table->isColumnHidden(column));
  desktop.program.windows.codeCheck.emplace().code = ModCalc::EnergyCode::Eu1253_2014;
  window->refresh();
  EXPECT_FALSE(table->isColumnHidden(column));
  EXPECT_EQ(table->horizontalHeaderItem(column)->text(), "Code check");
  QStringList passing;
  for (int row = 0; row < table->rowCount(); ++row) {
    const QString verdict = table->item(row, column)->text();
    EXPECT_TRUE(verdict == "pass" || verdict == "fail") << row;
    if (verdict == "pass") {
      passing.push_back(table->item(row, 0)->text());
    }
  }
  EXPECT_EQ(passing.join(' '), "KW30-4 KW36-4 KW39-4 KW42-4 KW45-4 KW51-4 Custom 364");
}

TEST_F(DesktopViewsTest, ChartWindowOpensOnTheLastCalculation) {
  action("mnuViewChart").trigger();
  auto* window = desktop.mainWindow.findChild<QMainWindow*>(ktr::kChartWindowName);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Psychrometric Chart");
}

}  // namespace
