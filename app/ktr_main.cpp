// The desktop program.

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStyleFactory>
#include <iostream>
#include <string_view>

#include "app/CatalogLocations.h"
#include "app/Desktop.h"
#include "app/ProjectFiles.h"
#include "app/QuitWhenPainted.h"
#include "app/ViewWindows.h"
#include "engine/Catalog.h"
#include "platform/NumberText.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtHelpViewer.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtPage.h"
#include "platform/qt/QtPrintDialog.h"
#include "platform/qt/QtSettingsStore.h"

namespace {

// The switches for checks and docs need no person watching.
void offscreenForChecks(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--screenshots" || arg == "--quit-when-shown" || arg == "--help" || arg == "-h") {
      ktr::offscreenWithoutDisplay();
      return;
    }
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  offscreenForChecks(argc, argv);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("ktr"));
  // Box text follows the user's number conventions; files keep the period.
  platform::setNumberLocale(platform::NumberLocale::fromEnvironment());
  // One look on every desktop, in which the Calculate button's green shows.
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  ktr::useIconTheme();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral(
      "Selects and rates rotary air-to-air energy recovery wheels. The wheel catalog "
      "ktrmodel6.csv is looked for in the current folder, the installed data folder and beside "
      "the program."));
  parser.addHelpOption();
  const QCommandLineOption screenshots(
      QStringLiteral("screenshots"),
      QStringLiteral("Start as usual, dismiss the splash, calculate the default case, write one "
                     "PNG per window into <dir> and exit."),
      QStringLiteral("dir"));
  const QCommandLineOption quitWhenShown(
      QStringLiteral("quit-when-shown"),
      QStringLiteral("Start, dismiss the splash and exit as soon as the main window has been "
                     "painted once."));
  parser.addOption(screenshots);
  parser.addOption(quitWhenShown);
  parser.addPositionalArgument(QStringLiteral("project"),
                               QStringLiteral("A project file (.cse) to open once started."),
                               QStringLiteral("[project.cse]"));
  parser.process(app);
  if (parser.positionalArguments().size() > 1) {
    std::cerr << "ktr: one project file at a time\n";
    return 2;
  }

  platform::qt::QtMessageBox messages;
  if (parser.isSet(screenshots) || parser.isSet(quitWhenShown) ||
      QGuiApplication::platformName() == QStringLiteral("offscreen")) {
    messages.answerUnattended(std::cerr);
  }
  platform::qt::QtSettingsStore settings;
  platform::qt::QtHelpViewer help(QStringLiteral(":/help"));
  platform::qt::QtFileDialogs files;
  platform::qt::QtPageDevice pages;
  platform::qt::QtPrintDialog printDialog(pages);
  platform::qt::QtClipboard clipboard;
  ktr::ViewWindows views;
  try {
    ktr::Desktop desktop(
        ui::Ports{.messages = messages,
                  .settings = settings,
                  .help = help,
                  .screen = ktr::primaryScreen(),
                  .catalogCandidates = ktr::catalogCandidates(ModCalc::CatalogFileName(0)),
                  .files = files,
                  .printDialog = printDialog,
                  .pages = pages,
                  .clipboard = clipboard,
                  .views = views});
    views.attach(desktop);
    if (const int status = desktop.start(parser.isSet(quitWhenShown))) {
      return status;
    }
    ktr::ProjectFiles projectFiles(desktop, settings);
    if (!parser.positionalArguments().isEmpty()) {
      projectFiles.open(parser.positionalArguments().front());
    }
    if (parser.isSet(screenshots)) {
      const QString folder = parser.value(screenshots);
      QDir().mkpath(folder);
      const auto failed = desktop.screenshots(folder, [&help] { return help.window(); });
      for (const std::string& file : failed) {
        std::cerr << "ktr: could not write " << file << '\n';
      }
      return failed.empty() ? 0 : 1;
    }
    ktr::QuitWhenPainted quitter;
    if (parser.isSet(quitWhenShown)) {
      desktop.mainWindow.installEventFilter(&quitter);
    }
    return QApplication::exec();
  } catch (const platform::qt::BindError& error) {
    std::cerr << "ktr: " << error.what() << '\n';
    return 1;
  }
}
