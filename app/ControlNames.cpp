#include "app/ControlNames.h"

#include <map>

namespace ktr {

std::vector<NamedControl> namedControls(const std::vector<platform::Form*>& forms) {
  std::map<std::string, int> windowsWithName;
  for (const platform::Form* form : forms) {
    for (const platform::Control* control : form->controls()) {
      ++windowsWithName[control->name()];
    }
  }
  std::vector<NamedControl> named;
  for (platform::Form* form : forms) {
    for (platform::Control* control : form->controls()) {
      const std::string& name = control->name();
      named.push_back(
          {form, control, windowsWithName[name] > 1 ? form->name() + "." + name : name});
    }
  }
  return named;
}

Lookup findControl(const std::vector<NamedControl>& controls, std::string_view name) {
  std::string windows;
  for (const NamedControl& named : controls) {
    if (named.key == name || named.form->name() + "." + named.control->name() == name) {
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
