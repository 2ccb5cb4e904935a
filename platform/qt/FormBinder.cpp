#include "platform/qt/FormBinder.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStringList>
#include <QSvgRenderer>
#include <QToolBar>
#include <QWidget>
#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <variant>

#include "platform/Command.h"
#include "platform/Overloaded.h"
#include "platform/Twips.h"

namespace platform::qt {

namespace {

QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

// A caption keeps the .ui file's mnemonic ("&Title" for "Title"): the
// program's captions carry none of their own, and keyboard users need them.
QString withMnemonic(const QString& shown, const std::string& caption) {
  QString plain = shown;
  plain.remove(QLatin1Char('&'));
  const QString wanted = qs(caption);
  return plain == wanted ? shown : wanted;
}

// Colours the program sets; unset colours give the style's own back.
void applyColors(QWidget& widget, const Control& control, const QPalette& original,
                 QPalette::ColorRole foreground, QPalette::ColorRole background) {
  QPalette palette = original;
  if (const auto& fore = control.foreColor()) {
    palette.setColor(foreground, QColor(fore->red, fore->green, fore->blue));
  }
  if (const auto& back = control.backColor()) {
    palette.setColor(background, QColor(back->red, back->green, back->blue));
  }
  widget.setAutoFillBackground(control.backColor().has_value() && background == QPalette::Window);
  if (widget.palette() != palette) {
    widget.setPalette(palette);
  }
}

void applyCommon(QWidget& widget, const Control& control) {
  if (widget.isHidden() == control.visible()) {
    widget.setVisible(control.visible());
  }
  widget.setEnabled(control.enabled());
  // The .ui files carry the tool tips; a program's own tip replaces one.
  if (!control.toolTip().empty()) {
    widget.setToolTip(qs(control.toolTip()));
  }
}

void applyCommon(QAction& action, const Control& control) {
  action.setVisible(control.visible());
  action.setEnabled(control.enabled());
}

bool layoutOnly(const QString& name) {
  return name.isEmpty() || name.startsWith(QLatin1String("deco_")) ||
         name.startsWith(QLatin1String("qt_")) || name.startsWith(QLatin1String("_q_"));
}

// The widget classes controls bind to; any other named object (a layout, the
// central widget, the status bar) is not a control's.
bool bindableClass(const QObject* object) {
  return qobject_cast<const QLineEdit*>(object) != nullptr ||
         qobject_cast<const QLabel*>(object) != nullptr ||
         qobject_cast<const QCheckBox*>(object) != nullptr ||
         qobject_cast<const QRadioButton*>(object) != nullptr ||
         qobject_cast<const QPushButton*>(object) != nullptr ||
         qobject_cast<const QListWidget*>(object) != nullptr ||
         qobject_cast<const QGroupBox*>(object) != nullptr ||
         qobject_cast<const QMenu*>(object) != nullptr ||
         qobject_cast<const QToolBar*>(object) != nullptr ||
         qobject_cast<const QAction*>(object) != nullptr;
}

// The named objects of one window: its widgets and actions, not those of
// the dialogs it owns (a menu's popup is a window too, but the window's own).
void collect(QObject& parent, QHash<QString, QObject*>& named, std::vector<QObject*>& all) {
  for (QObject* child : parent.children()) {
    const auto* widget = qobject_cast<const QWidget*>(child);
    if (widget != nullptr && widget->isWindow() && qobject_cast<const QMenu*>(child) == nullptr) {
      continue;
    }
    all.push_back(child);
    if (!child->objectName().isEmpty() && !named.contains(child->objectName())) {
      named.insert(child->objectName(), child);
    }
    collect(*child, named, all);
  }
}

}  // namespace

struct FormBinder::Binding {
  Subscription subscription;
  std::function<void()> sync;
};

QString FormBinder::widgetName(std::string_view controlName) {
  QString name = QString::fromUtf8(controlName.data(), static_cast<qsizetype>(controlName.size()));
  name.replace(QLatin1Char('('), QLatin1Char('_'));
  name.remove(QLatin1Char(')'));
  return name;
}

FormBinder::FormBinder(Form& form, QWidget& window, MessageBox& messages, Artwork artwork)
    : form_(form), window_(&window), messages_(messages), artwork_(std::move(artwork)) {
  QStringList problems;
  std::set<const QObject*> bound;
  QHash<QString, QObject*> named;
  std::vector<QObject*> all;
  collect(window, named, all);

  for (Control* control : form.controls()) {
    const QString name = widgetName(control->name());
    QObject* object = named.value(name);
    if (object == nullptr) {
      problems
          << QStringLiteral("no widget named %1 for control %2").arg(name, qs(control->name()));
      continue;
    }
    auto binding = std::make_unique<Binding>();
    const char* wanted = std::visit(
        [this, object, &binding](auto* kind) { return bindControl(kind, *object, *binding); },
        control->ref());
    // Claimed even when of the wrong class, so it is reported once.
    bound.insert(object);
    if (wanted != nullptr) {
      problems << QStringLiteral("widget %1 is a %2; control %3 needs a %4")
                      .arg(name, QString::fromLatin1(object->metaObject()->className()),
                           qs(control->name()), QString::fromLatin1(wanted));
      continue;
    }
    binding->subscription = control->subscribe(binding->sync);
    bindings_.push_back(std::move(binding));
  }

  for (const QObject* object : all) {
    if (bindableClass(object) && !layoutOnly(object->objectName()) && !bound.contains(object)) {
      problems << QStringLiteral("widget %1 has no control").arg(object->objectName());
    }
  }
  if (!problems.isEmpty()) {
    throw BindError(form.name() + ": " + problems.join(QStringLiteral("; ")).toStdString());
  }

  for (const auto& binding : bindings_) {
    binding->sync();
  }
  bindWindow();
}

const char* FormBinder::bindControl(TextBox* box, QObject& object, Binding& b) {
  auto* edit = qobject_cast<QLineEdit*>(&object);
  if (edit == nullptr) {
    return "QLineEdit";
  }
  const QPalette original = edit->palette();
  b.sync = [box, edit, original] {
    const QSignalBlocker blocker(edit);
    if (edit->text() != qs(box->text())) {
      edit->setText(qs(box->text()));
    }
    applyCommon(*edit, *box);
    applyColors(*edit, *box, original, QPalette::Text, QPalette::Base);
  };
  // An Alt key that no mnemonic took would type its letter into the box.
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, box, &b](const QString& text) {
    command([box, text] { box->setText(text.toStdString()); }, b.sync);
  });
  return nullptr;
}

const char* FormBinder::bindControl(Label* label, QObject& object, Binding& b) {
  auto* widget = qobject_cast<QLabel*>(&object);
  if (widget == nullptr) {
    return "QLabel";
  }
  widget->setTextFormat(Qt::PlainText);
  const QPalette original = widget->palette();
  b.sync = [label, widget, original] {
    const QString text = withMnemonic(widget->text(), label->caption());
    if (widget->text() != text) {
      widget->setText(text);
    }
    applyCommon(*widget, *label);
    applyColors(*widget, *label, original, QPalette::WindowText, QPalette::Window);
  };
  return nullptr;
}

const char* FormBinder::bindControl(Frame* frame, QObject& object, Binding& b) {
  auto* box = qobject_cast<QGroupBox*>(&object);
  if (box == nullptr) {
    return "QGroupBox";
  }
  b.sync = [frame, box] {
    box->setTitle(withMnemonic(box->title(), frame->caption()));
    applyCommon(*box, *frame);
  };
  return nullptr;
}

const char* FormBinder::bindControl(CommandButton* button, QObject& object, Binding& b) {
  auto* push = qobject_cast<QPushButton*>(&object);
  if (push == nullptr) {
    return "QPushButton";
  }
  const QPalette original = push->palette();
  b.sync = [button, push, original] {
    push->setText(withMnemonic(push->text(), button->caption()));
    applyCommon(*push, *button);
    applyColors(*push, *button, original, QPalette::ButtonText, QPalette::Button);
  };
  connect(push, &QPushButton::clicked, this,
          [this, button, &b] { command([button] { button->click(); }, b.sync); });
  return nullptr;
}

const char* FormBinder::bindControl(CheckBox* check, QObject& object, Binding& b) {
  auto* box = qobject_cast<QCheckBox*>(&object);
  if (box == nullptr) {
    return "QCheckBox";
  }
  b.sync = [check, box] {
    const QSignalBlocker blocker(box);
    box->setText(withMnemonic(box->text(), check->caption()));
    box->setChecked(check->value() == 1);
    applyCommon(*box, *check);
  };
  connect(box, &QCheckBox::clicked, this, [this, check, &b](bool checked) {
    command([check, checked] { check->setValue(checked ? 1 : 0); }, b.sync);
  });
  return nullptr;
}

const char* FormBinder::bindControl(OptionButton* option, QObject& object, Binding& b) {
  auto* radio = qobject_cast<QRadioButton*>(&object);
  if (radio == nullptr) {
    return "QRadioButton";
  }
  // The model's groups decide which one is selected, not the
  // widgets' parents.
  radio->setAutoExclusive(false);
  b.sync = [option, radio] {
    const QSignalBlocker blocker(radio);
    radio->setText(withMnemonic(radio->text(), option->caption()));
    radio->setChecked(option->value());
    applyCommon(*radio, *option);
  };
  connect(radio, &QRadioButton::clicked, this,
          [this, option, &b] { command([option] { option->select(); }, b.sync); });
  return nullptr;
}

const char* FormBinder::bindControl(ListBox* list, QObject& object, Binding& b) {
  auto* widget = qobject_cast<QListWidget*>(&object);
  if (widget == nullptr) {
    return "QListWidget";
  }
  b.sync = [list, widget] {
    const QSignalBlocker blocker(widget);
    QStringList items;
    for (const std::string& item : list->items()) {
      items << qs(item);
    }
    QStringList shown;
    for (int row = 0; row < widget->count(); ++row) {
      shown << widget->item(row)->text();
    }
    if (shown != items) {
      widget->clear();
      widget->addItems(items);
    }
    widget->setCurrentRow(list->listIndex());
    applyCommon(*widget, *list);
  };
  // A click that moves the selection has clicked already (as the
  // selection changed); one on the selected entry clicks now.
  auto changedTo = std::make_shared<int>(-2);
  connect(widget, &QListWidget::currentRowChanged, this, [this, list, changedTo, &b](int row) {
    *changedTo = row;
    command([list, row] { list->setListIndex(row); }, b.sync);
  });
  connect(widget, &QListWidget::itemClicked, this,
          [this, list, widget, changedTo, &b](QListWidgetItem* item) {
            const int row = widget->row(item);
            if (std::exchange(*changedTo, -2) != row && row == list->listIndex()) {
              command([list] { list->click(); }, b.sync);
            }
          });
  connect(widget, &QListWidget::itemDoubleClicked, this,
          [this, list, &b] { command([list] { list->dblClick(); }, b.sync); });
  return nullptr;
}

const char* FormBinder::bindControl(Menu* menu, QObject& object, Binding& b) {
  auto* widget = qobject_cast<QMenu*>(&object);
  if (widget == nullptr) {
    return "QMenu";
  }
  b.sync = [menu, widget] {
    widget->setTitle(withMnemonic(widget->title(), menu->caption()));
    applyCommon(*widget->menuAction(), *menu);
  };
  return nullptr;
}

const char* FormBinder::bindControl(MenuItem* item, QObject& object, Binding& b) {
  auto* action = qobject_cast<QAction*>(&object);
  if (action == nullptr) {
    return "QAction";
  }
  action->setSeparator(item->isSeparator());
  if (item->isSeparator()) {
    // A separator with text draws as a section heading: the "-" that names
    // it in the design would show beside the line.
    action->setText(QString());
  }
  b.sync = [item, action] {
    const QSignalBlocker blocker(action);
    if (!item->isSeparator()) {
      action->setText(withMnemonic(action->text(), item->caption()));
    }
    action->setChecked(item->checked());
    applyCommon(*action, *item);
  };
  connect(action, &QAction::triggered, this,
          [this, item, &b] { command([item] { item->click(); }, b.sync); });
  return nullptr;
}

const char* FormBinder::bindControl(ToolBar* bar, QObject& object, Binding& b) {
  auto* widget = qobject_cast<QToolBar*>(&object);
  if (widget == nullptr) {
    return "QToolBar";
  }
  widget->setContextMenuPolicy(Qt::PreventContextMenu);
  b.sync = [this, bar, widget, &b, shown = std::vector<ToolButton>()]() mutable {
    if (shown != bar->buttons()) {
      shown = bar->buttons();
      widget->clear();
      for (const ToolButton& button : shown) {
        if (button.separator) {
          widget->addSeparator();
          continue;
        }
        // A button without an icon key is drawn by its key.
        QAction* action =
            widget->addAction(icon(button.image.empty() ? button.key : button.image),
                              qs(button.caption.empty() ? button.key : button.caption));
        action->setObjectName(QString());
        action->setToolTip(qs(button.toolTip.empty() ? button.key : button.toolTip));
        const std::string key = button.key;
        connect(action, &QAction::triggered, this,
                [this, bar, key, &b] { command([bar, key] { bar->click(key); }, b.sync); });
      }
    }
    applyCommon(*widget, *bar);
  };
  return nullptr;
}

const char* FormBinder::bindControl(PictureBox* picture, QObject& object, Binding& b) {
  auto* widget = qobject_cast<QLabel*>(&object);
  if (widget == nullptr) {
    return "QLabel";
  }
  // Drawn when first shown: a picture on a window not shown yet (the
  // splash passed over, a logo of the other edition) costs nothing.
  undrawnPictures_.emplace_back(widget, picture);
  widget->installEventFilter(this);
  b.sync = [picture, widget] { applyCommon(*widget, *picture); };
  return nullptr;
}

void FormBinder::drawPicture(QLabel& widget, const PictureBox& picture) const {
  // At the pixel density of the screen it shows on, so it stays sharp at
  // any scale.
  QSvgRenderer renderer(artwork_.picture ? artwork_.picture(picture.image()) : QString());
  const qreal ratio = widget.devicePixelRatioF();
  const QSize box = widget.minimumSize().isEmpty() ? widget.sizeHint() : widget.minimumSize();
  QSize size = renderer.defaultSize();
  size.scale(box, Qt::KeepAspectRatio);
  QPixmap pixmap(size * ratio);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  painter.end();
  pixmap.setDevicePixelRatio(ratio);
  widget.setPixmap(pixmap);
}

FormBinder::~FormBinder() {
  if (window_ != nullptr) {
    window_->removeEventFilter(this);
  }
}

QIcon FormBinder::icon(std::string_view imageKey) const {
  return artwork_.icon ? artwork_.icon(imageKey) : QIcon();
}

void FormBinder::command(const std::function<void()>& edit, const std::function<void()>& resync) {
  runCommand(messages_, edit);
  resync();
}

double FormBinder::dotsPerInch() const {
  const QScreen* screen = window_->screen();
  return screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
}

void FormBinder::bindWindow() {
  window_->installEventFilter(this);
  // The form's size is the window's natural one, so centring uses it. A
  // dialog is laid out just before it first shows and tells the form then:
  // laying out every dialog at start-up, most never opened, is slow.
  if (qobject_cast<QDialog*>(window_.data()) == nullptr) {
    layOut();
    tellFormItsSize();
  }
  // Until the program places the window, the desktop does.
  agreedLeft_ = form_.left();
  agreedTop_ = form_.top();
  windowSubscription_ = form_.subscribe([this] { syncWindow(); });
  syncWindow();
}

void FormBinder::layOut() {
  laidOut_ = true;
  window_->adjustSize();
}

void FormBinder::tellFormItsSize() {
  form_.resize(pixelsToTwips(window_->width(), dotsPerInch()),
               pixelsToTwips(window_->height(), dotsPerInch()));
}

void FormBinder::syncWindow() {
  QWidget& w = *window_;
  // "[*]" is where Qt draws the modified mark.
  const QString title = qs(form_.caption()) + QStringLiteral("[*]");
  if (w.windowTitle() != title) {
    w.setWindowTitle(title);
  }
  w.setWindowModified(form_.modified());
  if (form_.left() != agreedLeft_ || form_.top() != agreedTop_) {
    agreedLeft_ = form_.left();
    agreedTop_ = form_.top();
    w.move(twipsToPixels(agreedLeft_, dotsPerInch()), twipsToPixels(agreedTop_, dotsPerInch()));
  }
  Qt::WindowStates states = w.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
  if (form_.windowState() == WindowState::Minimized) {
    states |= Qt::WindowMinimized;
  } else if (form_.windowState() == WindowState::Maximized) {
    states |= Qt::WindowMaximized;
  }
  if (w.windowState() != states) {
    w.setWindowState(states);
  }
  if (form_.visible() && w.isHidden()) {
    const bool first = !laidOut_;
    if (first) {
      layOut();
    }
    w.show();
    w.raise();
    w.activateWindow();
    if (first) {
      // After show(): the form's resize comes back here and must find the
      // window shown, or it would show it again.
      tellFormItsSize();
    }
  } else if (!form_.visible() && !w.isHidden()) {
    w.hide();
  }
}

bool FormBinder::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show) {
    const auto undrawn =
        std::find_if(undrawnPictures_.begin(), undrawnPictures_.end(),
                     [watched](const auto& picture) { return picture.first == watched; });
    if (undrawn != undrawnPictures_.end()) {
      drawPicture(*undrawn->first, *undrawn->second);
      watched->removeEventFilter(this);
      undrawnPictures_.erase(undrawn);
      return false;
    }
  }
  if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(watched) != nullptr) {
    // AltGr arrives as Ctrl+Alt on some systems, and types.
    const Qt::KeyboardModifiers modifiers = static_cast<QKeyEvent*>(event)->modifiers();
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier);
  }
  if (watched != window_) {
    return false;
  }
  switch (event->type()) {
    case QEvent::Move:
      agreedLeft_ = pixelsToTwips(window_->x(), dotsPerInch());
      agreedTop_ = pixelsToTwips(window_->y(), dotsPerInch());
      form_.move(agreedLeft_, agreedTop_);
      break;
    case QEvent::WindowStateChange: {
      const Qt::WindowStates states = window_->windowState();
      form_.setWindowState(states.testFlag(Qt::WindowMinimized)   ? WindowState::Minimized
                           : states.testFlag(Qt::WindowMaximized) ? WindowState::Maximized
                                                                  : WindowState::Normal);
      break;
    }
    case QEvent::Close:
      // The form decides; the widget follows it.
      event->ignore();
      runCommand(
          messages_, closeHandler_ ? closeHandler_ : [this] { form_.hide(); });
      return true;
    case QEvent::Hide:
      // Esc in a dialog hides it without asking the form.
      if (!event->spontaneous() && form_.visible()) {
        form_.hide();
      }
      break;
    default:
      break;
  }
  return false;
}

}  // namespace platform::qt
