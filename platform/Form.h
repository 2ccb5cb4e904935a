#pragma once

// A window's registry of its controls by name, so that the Qt binder, the
// command line and the JSON dump reach any control without code of their own
// for each one.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Controls.h"

namespace platform {

class Form {
 public:
  explicit Form(std::string name) : name_(std::move(name)) {}
  virtual ~Form() = default;
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  const std::string& name() const { return name_; }

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

 private:
  std::string name_;
  std::vector<Control*> controls_;
};

}  // namespace platform
