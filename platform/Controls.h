#pragma once

// The control models every window is made of. A control holds what the user
// sees (text, caption, value, selection, visibility, colours) and runs its
// form's event handler synchronously on every write, the user's or the
// program's, because the program's logic depends on exactly when those
// handlers run. Views (the Qt widgets, later) only observe a control and
// repaint; they are told only when something they show really changed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace platform {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Rgb&) const = default;
};

class Control;
class TextBox;
class Label;
class Frame;
class CommandButton;
class CheckBox;
class OptionButton;
class ListBox;
class Menu;
class MenuItem;
class ToolBar;
class PictureBox;

// A control as its own kind. Code that treats kinds differently (the JSON
// dump, the command line, the Qt binder) visits this instead of switching on
// a kind code, so adding a kind breaks every such place at compile time.
using ControlRef = std::variant<TextBox*, Label*, Frame*, CommandButton*, CheckBox*, OptionButton*,
                                ListBox*, Menu*, MenuItem*, ToolBar*, PictureBox*>;
using ConstControlRef =
    std::variant<const TextBox*, const Label*, const Frame*, const CommandButton*, const CheckBox*,
                 const OptionButton*, const ListBox*, const Menu*, const MenuItem*, const ToolBar*,
                 const PictureBox*>;

namespace detail {
struct ObserverList {
  std::vector<std::pair<int, std::function<void()>>> entries;
  int nextId = 0;
};
}  // namespace detail

// A view's subscription to an Observable; destroying it (or reset) ends it.
// It may outlive what it observes.
class [[nodiscard]] Subscription {
 public:
  Subscription() = default;
  Subscription(std::weak_ptr<detail::ObserverList> list, int id)
      : list_(std::move(list)), id_(id) {}
  ~Subscription() { reset(); }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  Subscription(Subscription&& other) noexcept
      : list_(std::move(other.list_)), id_(std::exchange(other.id_, -1)) {}
  Subscription& operator=(Subscription&& other) noexcept;

  void reset();

 private:
  std::weak_ptr<detail::ObserverList> list_;
  int id_ = -1;
};

// Something views repaint from: they subscribe here and are told of changes.
// While a DeferNotifications guard is open, changes are collected and each
// changed Observable tells its views once when the last guard closes.
class Observable {
 public:
  using Observer = std::function<void()>;

  Observable() = default;
  Observable(const Observable&) = delete;
  Observable& operator=(const Observable&) = delete;

  Subscription subscribe(Observer observer) const;

 protected:
  ~Observable();
  void notifyObservers() const;

 private:
  friend class DeferNotifications;
  void deliver() const;

  std::shared_ptr<detail::ObserverList> observers_ = std::make_shared<detail::ObserverList>();
  mutable bool pending_ = false;
};

// Holds back view notifications while a command runs, so a calculation that
// writes a box a hundred times repaints it once. Guards nest; the outermost
// delivers, in the order the controls first changed.
class DeferNotifications {
 public:
  DeferNotifications();
  ~DeferNotifications();
  DeferNotifications(const DeferNotifications&) = delete;
  DeferNotifications& operator=(const DeferNotifications&) = delete;
};

// Told of a control just before it first changes while a ControlJournal is
// open, so the journal can keep what the control showed.
class ChangeRecorder {
 public:
  virtual void record(Control& control) = 0;

 protected:
  ~ChangeRecorder() = default;
};

// The innermost open recorder, or nothing.
ChangeRecorder*& openChangeRecorder();

// While one is open, writes change controls without running their handlers:
// for putting a whole set of controls back as it was, where a handler would
// act on a set half put back.
class HoldHandlers {
 public:
  HoldHandlers();
  ~HoldHandlers();
  HoldHandlers(const HoldHandlers&) = delete;
  HoldHandlers& operator=(const HoldHandlers&) = delete;

  static bool held();
};

// What every control has. Controls are neither copied nor moved: forms,
// option groups and views hold their addresses.
class Control : public Observable {
 public:
  using Handler = std::function<void()>;

  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  Control(Control&&) = delete;
  Control& operator=(Control&&) = delete;

  virtual ControlRef ref() = 0;
  virtual ConstControlRef ref() const = 0;

  // The program's name for the control; an element of a control array is
  // named like "lblWoa(0)".
  const std::string& name() const { return name_; }

  bool visible() const { return visible_; }
  void setVisible(bool visible) { assign(visible_, visible); }
  // Visible, and so is every frame it lies in: a person can see it once its
  // window is open.
  bool shown() const { return visible_ && (container_ == nullptr || container_->shown()); }
  // The frame the control lies in, if it may be hidden.
  const Control* container() const { return container_; }
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { assign(enabled_, enabled); }
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string toolTip) { assign(toolTip_, std::move(toolTip)); }
  // Unset colours leave the look to the desktop's style.
  const std::optional<Rgb>& backColor() const { return backColor_; }
  void setBackColor(Rgb color) { setBackColor(std::optional<Rgb>(color)); }
  // Nothing gives the look back to the style.
  void setBackColor(std::optional<Rgb> color) { assign(backColor_, color); }
  const std::optional<Rgb>& foreColor() const { return foreColor_; }
  void setForeColor(Rgb color) { setForeColor(std::optional<Rgb>(color)); }
  void setForeColor(std::optional<Rgb> color) { assign(foreColor_, color); }

 protected:
  template <typename T, typename U>
  void assign(T& field, U&& value) {
    if (field != value) {
      aboutToChange();
      field = std::forward<U>(value);
      notifyObservers();
    }
  }
  void aboutToChange() {
    if (ChangeRecorder* recorder = openChangeRecorder()) {
      recorder->record(*this);
    }
  }
  static void run(const Handler& handler) {
    if (handler && !HoldHandlers::held()) {
      handler();
    }
  }

 private:
  friend class ControlJournal;
  friend class Frame;

  std::string name_;
  const Control* container_ = nullptr;
  // The newest journal that has kept what this control showed.
  std::uint64_t journalSerial_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
  std::optional<Rgb> backColor_;
  std::optional<Rgb> foreColor_;
};

// Gives a control kind its place in ControlRef.
template <typename Self>
class ControlOf : public Control {
 public:
  using Control::Control;
  ControlRef ref() override { return static_cast<Self*>(this); }
  ConstControlRef ref() const override { return static_cast<const Self*>(this); }
};

class TextBox final : public ControlOf<TextBox> {
 public:
  explicit TextBox(std::string name, std::string text = {})
      : ControlOf(std::move(name)), text_(std::move(text)) {}

  const std::string& text() const { return text_; }
  // Every write runs the change handler, even one that leaves the text as it
  // was: the program relies on, for example, a volume write-back marking the
  // model for re-selection.
  void setText(std::string text);

  Handler onChange;

 private:
  std::string text_;
};

class Label final : public ControlOf<Label> {
 public:
  explicit Label(std::string name, std::string caption = {})
      : ControlOf(std::move(name)), caption_(std::move(caption)) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

 private:
  std::string caption_;
};

class Frame final : public ControlOf<Frame> {
 public:
  explicit Frame(std::string name, std::string caption = {})
      : ControlOf(std::move(name)), caption_(std::move(caption)) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

  // Declares what the frame holds, as its window's layout has it, where
  // hiding the frame hides them too.
  template <typename... C>
  void holds(C&... controls) {
    ((controls.container_ = this), ...);
  }

 private:
  std::string caption_;
};

class CommandButton final : public ControlOf<CommandButton> {
 public:
  explicit CommandButton(std::string name, std::string caption = {})
      : ControlOf(std::move(name)), caption_(std::move(caption)) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  // Presses the button: runs its click handler.
  void click() const { run(onClick); }

  Handler onClick;

 private:
  std::string caption_;
};

class CheckBox final : public ControlOf<CheckBox> {
 public:
  CheckBox(std::string name, std::string caption, std::int16_t value = 0)
      : ControlOf(std::move(name)), caption_(std::move(caption)), value_(value) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  // 0 clear, 1 ticked.
  std::int16_t value() const { return value_; }
  // A change of value runs the click handler, as a user's click does.
  void setValue(std::int16_t value);
  // The user's click: toggles between clear and ticked.
  void click() { setValue(value_ == 0 ? 1 : 0); }

  Handler onClick;

 private:
  std::string caption_;
  std::int16_t value_;
};

class OptionButton;

// The option buttons of which exactly one is selected.
class OptionGroup {
 public:
  OptionGroup() = default;
  OptionGroup(const OptionGroup&) = delete;
  OptionGroup& operator=(const OptionGroup&) = delete;

  const std::vector<OptionButton*>& members() const { return members_; }
  OptionButton* selected() const;

 private:
  friend class OptionButton;
  std::vector<OptionButton*> members_;
};

class OptionButton final : public ControlOf<OptionButton> {
 public:
  OptionButton(std::string name, std::string caption, OptionGroup& group, bool selected = false);

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  bool value() const { return value_; }
  OptionGroup& group() const { return group_; }
  // Selects this option and clears the others of its group; the click
  // handler runs when the selection moved here.
  void select();

  Handler onClick;

 private:
  std::string caption_;
  OptionGroup& group_;
  bool value_;
};

class ListBox final : public ControlOf<ListBox> {
 public:
  explicit ListBox(std::string name) : ControlOf(std::move(name)) {}

  const std::vector<std::string>& items() const { return items_; }
  // -1 when nothing is selected.
  int listIndex() const { return listIndex_; }
  // The selected entry's text, empty when nothing is selected.
  std::string text() const;

  void clear();
  void addItem(std::string item);
  // Selects entry `index` (-1 for none); a change of selection runs the click
  // handler. An index outside the list is ignored.
  void setListIndex(int index);
  // The user's click on the entry already selected: no change of selection,
  // but a click all the same.
  void click() const { run(onClick); }
  // The user's double click on the selected entry.
  void dblClick() const { run(onDblClick); }

  Handler onClick;
  Handler onDblClick;

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

// A menu command, or a separator line between groups of commands.
class MenuItem final : public ControlOf<MenuItem> {
 public:
  MenuItem(std::string name, std::string caption)
      : ControlOf(std::move(name)), caption_(std::move(caption)) {}
  // A separator keeps the caption "-" that names it in the menu's design.
  static MenuItem separator(std::string name) { return MenuItem(std::move(name), "-", true); }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  bool isSeparator() const { return separator_; }
  bool checked() const { return checked_; }
  void setChecked(bool checked) { assign(checked_, checked); }
  void click() const { run(onClick); }

  Handler onClick;

 private:
  MenuItem(std::string name, std::string caption, bool separator)
      : ControlOf(std::move(name)), caption_(std::move(caption)), separator_(separator) {}

  std::string caption_;
  bool separator_ = false;
  bool checked_ = false;
};

// A top-level menu of the menu bar and its items, in order. It has no action
// of its own.
class Menu final : public ControlOf<Menu> {
 public:
  Menu(std::string name, std::string caption)
      : ControlOf(std::move(name)), caption_(std::move(caption)) {}

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  const std::vector<MenuItem*>& items() const { return items_; }
  template <typename... Items>
  void add(Items&... items) {
    (items_.push_back(&items), ...);
  }

 private:
  std::string caption_;
  std::vector<MenuItem*> items_;
};

// A picture; `image` names the resource it shows.
class PictureBox final : public ControlOf<PictureBox> {
 public:
  PictureBox(std::string name, std::string image)
      : ControlOf(std::move(name)), image_(std::move(image)) {}

  const std::string& image() const { return image_; }

 private:
  std::string image_;
};

struct ToolButton {
  std::string key;
  std::string caption;
  std::string toolTip;
  std::string image;       // key of the icon in the toolbar's image list
  bool separator = false;  // a gap between groups, never clicked

  bool operator==(const ToolButton&) const = default;
};

class ToolBar final : public ControlOf<ToolBar> {
 public:
  explicit ToolBar(std::string name) : ControlOf(std::move(name)) {}

  const std::vector<ToolButton>& buttons() const { return buttons_; }
  // Separators are never found.
  const ToolButton* find(const std::string& key) const;
  void addButton(ToolButton button);
  // All the buttons at once, as a kept set is put back.
  void setButtons(std::vector<ToolButton> buttons) { assign(buttons_, std::move(buttons)); }
  void addSeparator() { addButton({{}, {}, {}, {}, true}); }
  // The user's click on the button with `key`; unknown keys are ignored.
  void click(const std::string& key) const;

  std::function<void(const ToolButton&)> onButtonClick;

 private:
  std::vector<ToolButton> buttons_;
};

// A control array: elements named "base(0)", "base(1)", ...
template <typename C, std::size_t N, typename... Args>
std::array<C, N> controlArray(const std::string& base, Args&&... args) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<C, N>{C(base + "(" + std::to_string(I) + ")", args...)...};
  }
  (std::make_index_sequence<N>{});
}

}  // namespace platform
