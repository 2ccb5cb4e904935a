// The floor the desktop program's start-up is measured against: the same
// windows built from the same layouts (the main window shown, the splash and
// the dialogs created hidden) with no program behind them, ending once
// painted as ktr --quit-when-shown does.

#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QStyleFactory>

#include "app/QuitWhenPainted.h"
#include "ui_dlgPassword.h"
#include "ui_frmInputs.h"
#include "ui_frmOverride.h"
#include "ui_frmQuorvaneSplash.h"
#include "ui_frmSettings.h"
#include "ui_frmWheel.h"

int main(int argc, char* argv[]) {
  // Where ktr --quit-when-shown draws: on the display when there is one.
  ktr::offscreenWithoutDisplay();
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QMainWindow mainWindow;
  QDialog splash;
  QDialog inputs;
  QDialog settings;
  QDialog overrides;
  QDialog password;
  Ui::frmWheel mainUi;
  Ui::frmQuorvaneSplash splashUi;
  Ui::frmInputs inputsUi;
  Ui::frmSettings settingsUi;
  Ui::frmOverride overrideUi;
  Ui::dlgPassword passwordUi;
  mainUi.setupUi(&mainWindow);
  splashUi.setupUi(&splash);
  inputsUi.setupUi(&inputs);
  settingsUi.setupUi(&settings);
  overrideUi.setupUi(&overrides);
  passwordUi.setupUi(&password);
  for (QDialog* dialog : {&inputs, &settings, &overrides, &password}) {
    dialog->setParent(&mainWindow, dialog->windowFlags());
  }
  ktr::QuitWhenPainted quitter;
  mainWindow.installEventFilter(&quitter);
  mainWindow.show();
  return QApplication::exec();
}
