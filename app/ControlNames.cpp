#include "app/ControlNames.h"

#include <string_view>
#include <unordered_map>

namespace ktr {

std::vector<NamedControl> namedControls(const std::vector<platform::Form*>& forms) {
  // The names live in the controls, which outlive this call; a batch run
  // names every control of a fresh program for each row.
  std::unordered_map<std::string_view, int> windowsWithName;
  std::size_t count = 0;
  for (const platform::Form* form : forms) {
    count += form->controls().size();
  }
  windowsWithName.reserve(count);
  for (const platform::Form* form : forms) {
    for (const platform::Control* control : form->controls()) {
      ++windowsWithName[control->name()];
    }
  }
  std::vector<NamedControl> named;
  named.reserve(count);
  for (platform::Form* form : forms) {
    for (platform::Control* control : form->controls()) {
      const std::string& name = control->name();
      named.push_back(
          {form, control, windowsWithName[name] > 1 ? form->name() + "." + name : name});
    }
  }
  return named;
}

namespace {

// Whether `name` is WINDOW.CONTROL for this control, without building the
// text: a batch run looks up every typed control of every row.
bool isQualifiedName(const NamedControl& named, std::string_view name) {
  const std::string& window = named.form->name();
  const std::string& control = named.control->name();
  return name.size() == window.size() + 1 + control.size() && name.starts_with(window) &&
         name[window.size()] == '.' && name.ends_with(control);
}

}  // namespace

Lookup findControl(const std::vector<NamedControl>& controls, std::string_view name) {
  std::string windows;
  for (const NamedControl& named : controls) {
    if (named.key == name || isQualifiedName(named, name)) {
      return {named.control, {}};
    }
    if (named.control->name() == name) {
      windows += (windows.empty() ? "" : ", ") + named.form->name();
    }
  }
  if (!windows.empty()) {
    return {nullptr, "'" + std::string(name) + "' is on several windows (" + windows +
                         "); write it as WINDOW." + std::string(name)};
  }
  return {nullptr, "no control is named '" + std::string(name) + "'"};
}

}  // namespace ktr
