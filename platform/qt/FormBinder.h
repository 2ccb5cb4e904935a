#pragma once

// Mirrors a form onto the widgets built from its .ui file, both ways, with no
// code of its own for any one control: every registered control is bound to
// the widget whose objectName is the control's name ("lblWoa(0)" becomes
// "lblWoa_0"). The model tells the widget what to show; the widget sends only
// the user's own edits (textEdited, clicked, triggered) back, each as one
// command, so the program's writes never loop back into it.

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/MessageBox.h"

class QLabel;
class QWidget;

namespace platform::qt {

// What pictures and toolbar icons look like: the program's artwork by the
// image keys its controls name.
struct Artwork {
  std::function<QIcon(std::string_view imageKey)> icon;
  // The SVG a picture box shows.
  std::function<QString(std::string_view imageKey)> picture;
};

// A control with no widget, a widget of the wrong class or a widget that no
// control has. The text names the window and every such control or widget.
struct BindError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class FormBinder final : public QObject {
 public:
  // Binds every control of `form` under `window`; throws BindError. Widgets
  // whose names start with "deco_" are layout only (headings, row captions)
  // and are left alone.
  FormBinder(Form& form, QWidget& window, MessageBox& messages, Artwork artwork);
  ~FormBinder() override;
  FormBinder(const FormBinder&) = delete;
  FormBinder& operator=(const FormBinder&) = delete;

  // What the user closing the window does; hiding the form unless set.
  void setCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

  // "lblWoa(0)" -> "lblWoa_0".
  static QString widgetName(std::string_view controlName);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Binding;
  // Binds one control to its widget, connecting both ways; returns the
  // widget class the control needs when `object` is not one, else nullptr.
  const char* bindControl(TextBox* box, QObject& object, Binding& b);
  const char* bindControl(Label* label, QObject& object, Binding& b);
  const char* bindControl(Frame* frame, QObject& object, Binding& b);
  const char* bindControl(CommandButton* button, QObject& object, Binding& b);
  const char* bindControl(CheckBox* check, QObject& object, Binding& b);
  const char* bindControl(OptionButton* option, QObject& object, Binding& b);
  const char* bindControl(ListBox* list, QObject& object, Binding& b);
  const char* bindControl(Menu* menu, QObject& object, Binding& b);
  const char* bindControl(MenuItem* item, QObject& object, Binding& b);
  const char* bindControl(ToolBar* bar, QObject& object, Binding& b);
  const char* bindControl(PictureBox* picture, QObject& object, Binding& b);
  void drawPicture(QLabel& widget, const PictureBox& picture) const;
  // Runs a user's edit as a command, then shows the model's answer again in
  // the widget that started it (a radio button the user clicked off, say).
  void command(const std::function<void()>& edit, const std::function<void()>& resync);
  // No artwork given (tests) draws buttons and pictures blank.
  QIcon icon(std::string_view imageKey) const;
  void bindWindow();
  // The natural size, not the .ui file's guess; once, before first shown.
  void layOut();
  void tellFormItsSize();
  void syncWindow();
  double dotsPerInch() const;

  Form& form_;
  QPointer<QWidget> window_;
  MessageBox& messages_;
  Artwork artwork_;
  std::function<void()> closeHandler_;
  std::vector<std::unique_ptr<Binding>> bindings_;
  std::vector<std::pair<QLabel*, const PictureBox*>> undrawnPictures_;
  Subscription windowSubscription_;
  // The window position last agreed between form and widget, twips.
  int agreedLeft_ = 0;
  int agreedTop_ = 0;
  bool laidOut_ = false;
};

}  // namespace platform::qt
