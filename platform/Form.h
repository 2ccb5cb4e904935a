#pragma once

// A window's registry of its controls by name, so that the Qt binder, the
// command line and the JSON dump reach any control without code of their own
// for each one.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Controls.h"

namespace platform {

enum class WindowState { Normal, Minimized, Maximized };

class Form : public Observable {
 public:
  explicit Form(std::string name) : name_(std::move(name)) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

  // The window itself. Positions and sizes are in twips (1/1440 inch), the
  // unit the per-user settings have always stored.
  const std::string& caption() const { return caption_; }
  void setCaption(std::string caption);
  // Whether the window's document has changes not yet saved; the title
  // bar marks it.
  bool modified() const { return modified_; }
  void setModified(bool modified);
  bool visible() const { return visible_; }
  void show();
  void hide();
  int left() const { return left_; }
  int top() const { return top_; }
  int width() const { return width_; }
  int height() const { return height_; }
  void move(int left, int top);
  void resize(int width, int height);
  WindowState windowState() const { return windowState_; }
  void setWindowState(WindowState state);

  // Runs the window's load step the first time the window is used, as
  // touching a window's controls always did.
  void load();
  bool loaded() const { return loaded_; }
  // Hides the window and lets the next use load it again.
  void unload();

  // Registers a control under its own name; a second control of the same
  // name is a programming error (std::logic_error).
  void add(Control& control);
  template <typename C, std::size_t N>
  void add(std::array<C, N>& controls) {
    for (C& control : controls) {
      add(control);
    }
  }
  // Several controls or control arrays, in this order.
  template <typename... Cs>
  requires(sizeof...(Cs) > 1) void add(Cs&... controls) { (add(controls), ...); }

  // nullptr when the form has no control of that name.
  Control* find(std::string_view name) const;
  template <typename C>
  C* findAs(std::string_view name) const {
    return dynamic_cast<C*>(find(name));
  }

  // In the order they were registered.
  const std::vector<Control*>& controls() const { return controls_; }

 protected:
  virtual void Form_Load() {}

 private:
  std::string name_;
  std::vector<Control*> controls_;
  std::string caption_;
  bool visible_ = false;
  bool modified_ = false;
  bool loaded_ = false;
  int left_ = 0;
  int top_ = 0;
  int width_ = 0;
  int height_ = 0;
  WindowState windowState_ = WindowState::Normal;
};

}  // namespace platform
