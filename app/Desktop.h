#pragma once

// The desktop program: the forms of the program object shown as Qt windows
// built from their .ui files and bound to them by name, the status bar clock,
// the splash's ways out, and the checks that run without a person
// (--screenshots, --quit-when-shown).

#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/Program.h"
#include "platform/qt/FormBinder.h"

namespace Ui {
class frmWheel;
class frmInputs;
class frmSettings;
class frmOverride;
class dlgPassword;
class frmQuorvaneSplash;
}  // namespace Ui

namespace ktr {

// Icons come from the freedesktop theme installed with the program, set
// explicitly so they show on any desktop and offscreen.
void useIconTheme();
// The toolbar icons and pictures by the image keys the forms name.
platform::qt::Artwork artwork();
// The screen's size in twips, for centring the main window.
ui::Screen primaryScreen();

class Desktop {
 public:
  // Builds and binds every window over `ports`; throws BindError when a
  // window's widgets and controls differ.
  explicit Desktop(ui::Ports ports);
  ~Desktop();
  Desktop(const Desktop&) = delete;
  Desktop& operator=(const Desktop&) = delete;

  // Start-up: the splash loads (and with it the main window and the hidden
  // dialogs) and shows, or with `dismissSplash` goes at once for the main
  // window. A program that cannot start (no catalog) says why in an "Error"
  // box; the result is then the exit status 1, otherwise 0.
  int start(bool dismissSplash = false);

  // Writes one PNG per window into `folder` (the splash first, then the
  // default case calculated, then each dialog and the help window that
  // `helpWindow` gives once help is shown); returns the files that could not
  // be written.
  std::vector<std::string> screenshots(const QString& folder,
                                       const std::function<QWidget*()>& helpWindow);

  // F1 over `window` opens the help page of the window named `name`.
  void addHelpKey(QWidget& window, std::string_view name);

  Program program;
  QMainWindow mainWindow;
  QDialog splashWindow;
  QDialog inputsWindow;
  QDialog settingsWindow;
  QDialog overrideWindow;
  QDialog passwordWindow;

 private:
  class SplashKeys;
  class IconAfterFirstPaint;

  void bind(platform::Form& form, QWidget& window);
  void startClock();

  std::unique_ptr<Ui::frmWheel> mainUi_;
  std::unique_ptr<Ui::frmInputs> inputsUi_;
  std::unique_ptr<Ui::frmSettings> settingsUi_;
  std::unique_ptr<Ui::frmOverride> overrideUi_;
  std::unique_ptr<Ui::dlgPassword> passwordUi_;
  std::unique_ptr<Ui::frmQuorvaneSplash> splashUi_;
  std::vector<std::unique_ptr<platform::qt::FormBinder>> binders_;
  std::unique_ptr<SplashKeys> splashKeys_;
  std::unique_ptr<IconAfterFirstPaint> mainIcon_;
  platform::Subscription mainShown_;
  // The title bar's modified mark follows every entry of the case.
  std::vector<platform::Subscription> caseEntries_;
  bool mainWasShown_ = false;
  QLabel* date_ = nullptr;
  QLabel* time_ = nullptr;
  QTimer clock_;
};

}  // namespace ktr
