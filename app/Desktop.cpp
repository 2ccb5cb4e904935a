#include "app/Desktop.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLocale>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QThreadPool>
#include <map>
#include <utility>

#include "app/AnnualWindow.h"
#include "app/ChartWindow.h"
#include "app/CodeCheckWindow.h"
#include "app/CompareWindow.h"
#include "platform/Command.h"
#include "platform/Twips.h"
#include "ui_dlgPassword.h"
#include "ui_frmInputs.h"
#include "ui_frmOverride.h"
#include "ui_frmQuorvaneSplash.h"
#include "ui_frmSettings.h"
#include "ui_frmWheel.h"

// The compiled-in resources live in this static library; Q_INIT_RESOURCE
// must be called from the global namespace.
static void initResources() {
  Q_INIT_RESOURCE(ktr);
}

namespace ktr {

namespace {

// The toolbar's image-list keys and the theme icons drawn for them.
const std::map<std::string, QString, std::less<>>& themeIcons() {
  static const std::map<std::string, QString, std::less<>> icons{
      {"Open", QStringLiteral("document-open")},   {"Save", QStringLiteral("document-save")},
      {"Print", QStringLiteral("document-print")}, {"Copy", QStringLiteral("edit-copy")},
      {"Settings", QStringLiteral("configure")},   {"Help", QStringLiteral("help-contents")},
      {"Enter", QStringLiteral("document-edit")},  {"Override", QStringLiteral("tools-wizard")},
  };
  return icons;
}

const std::map<std::string, QString, std::less<>>& pictures() {
  static const std::map<std::string, QString, std::less<>> files{
      {"wheel", QStringLiteral(":/pictures/wheel.svg")},
      {"logo-standard", QStringLiteral(":/pictures/logo0.svg")},
      {"logo-private", QStringLiteral(":/pictures/logo1.svg")},
      {"certification", QStringLiteral(":/pictures/badge.svg")},
  };
  return files;
}

}  // namespace

// "Any key" on the splash: the key goes to whichever of its widgets has the
// focus, so every one of them is watched.
class Desktop::SplashKeys final : public QObject {
 public:
  explicit SplashKeys(Desktop& desktop) : desktop_(desktop) {
    desktop.splashWindow.installEventFilter(this);
    for (QWidget* child : desktop.splashWindow.findChildren<QWidget*>()) {
      child->installEventFilter(this);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const bool key = event->type() == QEvent::KeyPress;
    const bool titleClick = event->type() == QEvent::MouseButtonRelease &&
                            watched == desktop_.splashUi_->lblCompanyProduct;
    if ((key || titleClick) && desktop_.program.windows.splash.visible()) {
      runCommand(desktop_.program.engine.messages,
                 [this] { desktop_.program.windows.splash.dismiss(); });
      return true;
    }
    return false;
  }

 private:
  Desktop& desktop_;
};

// Sets the program's icon on a window once the window has first been painted.
class Desktop::IconAfterFirstPaint final : public QObject {
 public:
  explicit IconAfterFirstPaint(QWidget& window) : window_(window) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      window_.removeEventFilter(this);
      QTimer::singleShot(0, &window_, [&window = window_] {
        window.setWindowIcon(QIcon(QStringLiteral(":/pictures/wheel.svg")));
      });
    }
    return false;
  }

 private:
  QWidget& window_;
};

void useIconTheme() {
  QIcon::setThemeSearchPaths(QIcon::themeSearchPaths() << QStringLiteral("/usr/share/icons"));
  QIcon::setThemeName(QStringLiteral("breeze"));
}

platform::qt::Artwork artwork() {
  return {
      [](std::string_view key) {
        const auto found = themeIcons().find(key);
        return found == themeIcons().end() ? QIcon() : QIcon::fromTheme(found->second);
      },
      [](std::string_view key) {
        const auto found = pictures().find(key);
        return found == pictures().end() ? QString() : found->second;
      },
  };
}

ui::Screen primaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return {};
  }
  const QRect area = screen->availableGeometry();
  const double dpi = screen->logicalDotsPerInch();
  return {platform::pixelsToTwips(area.width(), dpi), platform::pixelsToTwips(area.height(), dpi)};
}

Desktop::Desktop(ui::Ports ports)
    : program(std::move(ports)),
      mainUi_(std::make_unique<Ui::frmWheel>()),
      inputsUi_(std::make_unique<Ui::frmInputs>()),
      settingsUi_(std::make_unique<Ui::frmSettings>()),
      overrideUi_(std::make_unique<Ui::frmOverride>()),
      passwordUi_(std::make_unique<Ui::dlgPassword>()),
      splashUi_(std::make_unique<Ui::frmQuorvaneSplash>()) {
  initResources();
  mainUi_->setupUi(&mainWindow);
  inputsUi_->setupUi(&inputsWindow);
  settingsUi_->setupUi(&settingsWindow);
  overrideUi_->setupUi(&overrideWindow);
  passwordUi_->setupUi(&passwordWindow);
  splashUi_->setupUi(&splashWindow);
  // Modeless dialogs stay over the main window.
  for (QDialog* dialog : {&inputsWindow, &settingsWindow, &overrideWindow, &passwordWindow}) {
    dialog->setParent(&mainWindow, dialog->windowFlags());
  }
  // The wheel stands for the program in the task bar; the dialogs take it
  // from the main window. On X it is drawn at four sizes, so it follows the
  // window's first paint rather than holding it up.
  mainIcon_ = std::make_unique<IconAfterFirstPaint>(mainWindow);
  splashWindow.setWindowFlags(Qt::SplashScreen);
  mainWindow.setContextMenuPolicy(Qt::PreventContextMenu);

  ui::Windows& w = program.windows;
  bind(w.splash, splashWindow);
  bind(w.main, mainWindow);
  bind(w.inputs, inputsWindow);
  bind(w.settings, settingsWindow);
  bind(w.overrides, overrideWindow);
  bind(w.password, passwordWindow);
  // Closing the main window is File, Exit; the program ends with it.
  binders_[1]->setCloseHandler([&w] { w.main.mnuFileExit_Click(); });
  // Closing the settings dialog, or Esc, is its Cancel.
  binders_[3]->setCloseHandler([&w] { w.settings.cmdSettingsCancel_Click(); });
  QObject::connect(&settingsWindow, &QDialog::rejected, &settingsWindow, [this, &w] {
    runCommand(program.engine.messages, [&w] { w.settings.cmdSettingsCancel_Click(); });
  });
  const std::pair<QAction*, QKeySequence::StandardKey> keys[] = {
      {mainUi_->mnuFileOpen, QKeySequence::Open},     {mainUi_->mnuFileSave, QKeySequence::Save},
      {mainUi_->mnuFileSaveAs, QKeySequence::SaveAs}, {mainUi_->mnuFilePrint, QKeySequence::Print},
      {mainUi_->mnuFileExit, QKeySequence::Quit},     {mainUi_->mnuEditCopy, QKeySequence::Copy},
  };
  for (const auto& [action, key] : keys) {
    action->setShortcuts(key);
  }
  const std::pair<QWidget*, const platform::Form*> helped[] = {
      {&mainWindow, &w.main},         {&inputsWindow, &w.inputs},
      {&settingsWindow, &w.settings}, {&overrideWindow, &w.overrides},
      {&passwordWindow, &w.password},
  };
  for (const auto& [window, form] : helped) {
    addHelpKey(*window, form->name());
  }
  mainShown_ = w.main.subscribe([this, &w] {
    if (w.main.visible()) {
      mainWasShown_ = true;
    } else if (mainWasShown_) {
      QCoreApplication::quit();
    }
  });
  splashKeys_ = std::make_unique<SplashKeys>(*this);
  startClock();
}

Desktop::~Desktop() = default;

void Desktop::addHelpKey(QWidget& window, std::string_view name) {
  auto* key = new QShortcut(QKeySequence::HelpContents, &window);
  const std::string page(ui::helpPage(name));
  QObject::connect(key, &QShortcut::activated, &window, [this, page] {
    runCommand(program.engine.messages,
               [this, &page] { program.windows.ports.help.showPage(ui::kHelpFile, page); });
  });
}

void Desktop::bind(platform::Form& form, QWidget& window) {
  binders_.push_back(
      std::make_unique<platform::qt::FormBinder>(form, window, program.engine.messages, artwork()));
}

void Desktop::startClock() {
  // Date and time panels that keep time, then a wide free one.
  date_ = new QLabel(&mainWindow);
  time_ = new QLabel(&mainWindow);
  mainUi_->sbrStatus->addWidget(date_);
  mainUi_->sbrStatus->addWidget(time_);
  mainUi_->sbrStatus->addWidget(new QLabel(&mainWindow), 1);
  const auto tick = [this] {
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    date_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    time_->setText(locale.toString(now.time(), QLocale::ShortFormat));
  };
  tick();
  QObject::connect(&clock_, &QTimer::timeout, &mainWindow, tick);
  clock_.start(1000);
}

int Desktop::start(bool dismissSplash) {
  if (const auto problem = program.start()) {
    program.engine.messages.show(*problem, "Error", platform::MessageIcon::Critical);
    return 1;
  }
  // From the start-up case on: the start's own writes change no case.
  ui::frmWheel& main = program.windows.main;
  for (platform::Control* entry : main.caseControls()) {
    caseEntries_.push_back(entry->subscribe([&main] { main.refreshModified(); }));
  }
  if (dismissSplash) {
    program.windows.splash.dismiss();
  } else {
    program.windows.splash.show();
  }
  return 0;
}

std::vector<std::string> Desktop::screenshots(const QString& folder,
                                              const std::function<QWidget*()>& helpWindow) {
  std::vector<std::string> failed;
  // The forms at their laid-out size; the help, chart and comparison
  // windows as they open, at the size they chose.
  const auto shoot = [&failed, &folder](QWidget& window, const QString& name, bool fit = true) {
    if (fit) {
      window.adjustSize();
    }
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(file)) {
      failed.push_back(file.toStdString());
    }
  };
  ui::Windows& w = program.windows;
  platform::MessageBox& messages = program.engine.messages;
  shoot(splashWindow, QStringLiteral("frmQuorvaneSplash"));
  runCommand(messages, [&w] {
    w.splash.dismiss();
    w.inputs.cmdCalc_Click();
  });
  shoot(mainWindow, QStringLiteral("frmWheel"));
  const std::pair<platform::Form*, QDialog*> dialogs[] = {
      {&w.inputs, &inputsWindow},
      {&w.settings, &settingsWindow},
      {&w.overrides, &overrideWindow},
      {&w.password, &passwordWindow},
  };
  for (const auto& dialog : dialogs) {
    platform::Form* form = dialog.first;
    runCommand(messages, [form] { form->show(); });
    shoot(*dialog.second, QString::fromStdString(form->name()));
    runCommand(messages, [form] { form->hide(); });
  }
  runCommand(messages, [&w] { w.main.mnuHelpContents_Click(); });
  if (QWidget* help = helpWindow()) {
    shoot(*help, QStringLiteral("help"), false);
  }
  // The chart, the comparison, the year and the code check, when the program
  // was given their windows.
  runCommand(messages, [&w] {
    w.main.mnuViewChart_Click();
    w.main.mnuViewCompare_Click();
    w.main.mnuViewAnnual_Click();
    w.main.mnuViewCodeCheck_Click();
  });
  // The comparison's years are rated off the window's thread.
  QThreadPool::globalInstance()->waitForDone();
  QApplication::processEvents();
  for (const QString& name :
       {kChartWindowName, kCompareWindowName, kAnnualWindowName, kCodeCheckWindowName}) {
    if (auto* window = mainWindow.findChild<QMainWindow*>(name, Qt::FindDirectChildrenOnly)) {
      shoot(*window, name, false);
    }
  }
  return failed;
}

}  // namespace ktr
