#pragma once

// The whole visible and computed case as JSON: every calculation-state field
// under its own name, the custom wheel's catalog row, every control of every
// window and the messages shown.

#include <nlohmann/json.hpp>
#include <vector>

#include "app/Program.h"
#include "platform/MessageBox.h"

namespace ktr {

nlohmann::ordered_json programJson(Program& program,
                                   const std::vector<platform::Message>& messages);

}  // namespace ktr
