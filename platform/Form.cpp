#include "platform/Form.h"

#include <algorithm>
#include <stdexcept>

namespace platform {

void Form::add(Control& control) {
  if (find(control.name()) != nullptr) {
    throw std::logic_error("form " + name_ + " already has a control named " + control.name());
  }
  controls_.push_back(&control);
}

Control* Form::find(std::string_view name) const {
  const auto it = std::find_if(controls_.begin(), controls_.end(),
                               [name](const Control* control) { return control->name() == name; });
  return it == controls_.end() ? nullptr : *it;
}

}  // namespace platform
