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
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  bool operator==(const Rgb&) const = default;
};

enum class ControlKind {
  TextBox,
  Label,
  CheckBox,
  OptionButton,
  ListBox,
  Frame,
  CommandButton,
  MenuItem,
  ToolBar,
  PictureBox,
};

// Something views repaint from: they register here and are told of changes.
class Observable {
 public:
  using Observer = std::function<void()>;

  // The returned id removes the observer again.
  int addObserver(Observer observer);
  void removeObserver(int id);

 protected:
  void notifyObservers() const;

 private:
  std::vector<std::pair<int, Observer>> observers_;
  int nextObserverId_ = 0;
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

  virtual ControlKind kind() const = 0;

  // The program's name for the control; an element of a control array is
  // named like "lblWoa(0)".
  const std::string& name() const { return name_; }

  bool visible() const { return visible_; }
  void setVisible(bool visible) { assign(visible_, visible); }
  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled) { assign(enabled_, enabled); }
  const std::string& toolTip() const { return toolTip_; }
  void setToolTip(std::string toolTip) { assign(toolTip_, std::move(toolTip)); }
  // Unset colours leave the look to the desktop's style.
  const std::optional<Rgb>& backColor() const { return backColor_; }
  void setBackColor(Rgb color) { assign(backColor_, std::optional<Rgb>(color)); }
  const std::optional<Rgb>& foreColor() const { return foreColor_; }
  void setForeColor(Rgb color) { assign(foreColor_, std::optional<Rgb>(color)); }

 protected:
  template <typename T, typename U>
  void assign(T& field, U&& value) {
    if (field != value) {
      field = std::forward<U>(value);
      notifyObservers();
    }
  }
  static void run(const Handler& handler) {
    if (handler) {
      handler();
    }
  }

 private:
  std::string name_;
  bool visible_ = true;
  bool enabled_ = true;
  std::string toolTip_;
  std::optional<Rgb> backColor_;
  std::optional<Rgb> foreColor_;
};

class TextBox final : public Control {
 public:
  explicit TextBox(std::string name, std::string text = {})
      : Control(std::move(name)), text_(std::move(text)) {}
  ControlKind kind() const override { return ControlKind::TextBox; }

  const std::string& text() const { return text_; }
  // Every write runs the change handler, even one that leaves the text as it
  // was: the program relies on, for example, a volume write-back marking the
  // model for re-selection.
  void setText(std::string text);

  Handler onChange;

 private:
  std::string text_;
};

class Label final : public Control {
 public:
  explicit Label(std::string name, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::Label; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

 private:
  std::string caption_;
};

class Frame final : public Control {
 public:
  explicit Frame(std::string name, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::Frame; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }

 private:
  std::string caption_;
};

class CommandButton final : public Control {
 public:
  explicit CommandButton(std::string name, std::string caption = {})
      : Control(std::move(name)), caption_(std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::CommandButton; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  // Presses the button: runs its click handler.
  void click() const { run(onClick); }

  Handler onClick;

 private:
  std::string caption_;
};

class CheckBox final : public Control {
 public:
  CheckBox(std::string name, std::string caption, std::int16_t value = 0)
      : Control(std::move(name)), caption_(std::move(caption)), value_(value) {}
  ControlKind kind() const override { return ControlKind::CheckBox; }

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

class OptionButton final : public Control {
 public:
  OptionButton(std::string name, std::string caption, OptionGroup& group, bool selected = false);
  ControlKind kind() const override { return ControlKind::OptionButton; }

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

class ListBox final : public Control {
 public:
  explicit ListBox(std::string name) : Control(std::move(name)) {}
  ControlKind kind() const override { return ControlKind::ListBox; }

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
  // The user's double click on the selected entry.
  void dblClick() const { run(onDblClick); }

  Handler onClick;
  Handler onDblClick;

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

class MenuItem final : public Control {
 public:
  MenuItem(std::string name, std::string caption)
      : Control(std::move(name)), caption_(std::move(caption)) {}
  ControlKind kind() const override { return ControlKind::MenuItem; }

  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption) { assign(caption_, std::move(caption)); }
  bool checked() const { return checked_; }
  void setChecked(bool checked) { assign(checked_, checked); }
  void click() const { run(onClick); }

  Handler onClick;

 private:
  std::string caption_;
  bool checked_ = false;
};

// A picture; `image` names the resource it shows.
class PictureBox final : public Control {
 public:
  PictureBox(std::string name, std::string image)
      : Control(std::move(name)), image_(std::move(image)) {}
  ControlKind kind() const override { return ControlKind::PictureBox; }

  const std::string& image() const { return image_; }

 private:
  std::string image_;
};

struct ToolButton {
  std::string key;
  std::string caption;
  std::string toolTip;
  std::string image;  // key of the icon in the toolbar's image list

  bool operator==(const ToolButton&) const = default;
};

class ToolBar final : public Control {
 public:
  explicit ToolBar(std::string name) : Control(std::move(name)) {}
  ControlKind kind() const override { return ControlKind::ToolBar; }

  const std::vector<ToolButton>& buttons() const { return buttons_; }
  const ToolButton* find(const std::string& key) const;
  void addButton(ToolButton button);
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
