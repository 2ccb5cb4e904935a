#pragma once

// Every control of every window under the name the command line and the
// JSON dump use: its own name, or WINDOW.NAME where several windows have a
// control of that name.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Form.h"

namespace ktr {

struct NamedControl {
  platform::Form* form;
  platform::Control* control;
  std::string key;
};

std::vector<NamedControl> namedControls(const std::vector<platform::Form*>& forms);

// The control a command-line name means: a key above, or WINDOW.NAME for any
// control. Returns an explanation instead when there is none or several.
struct Lookup {
  platform::Control* control = nullptr;
  std::string problem;
};
Lookup findControl(const std::vector<NamedControl>& controls, std::string_view name);

}  // namespace ktr
