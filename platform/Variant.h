#pragma once

// The tagged value of the few catalog and result fields that hold a number or
// a text (or nothing at all until they are first written).

#include <string>
#include <variant>

namespace platform {

using Variant = std::variant<std::monostate, double, std::string, bool>;

}  // namespace platform
