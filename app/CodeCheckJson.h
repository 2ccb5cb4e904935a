#pragma once

// The code check as ktr-calc's --json carries it: fractions and W/(m³/s),
// null where the standard does not use a figure or a condition is exempt.

#include <nlohmann/json.hpp>

#include "engine/CodeCheck.h"

namespace ktr {

nlohmann::ordered_json codeCheckJson(const ModCalc::CodeCheck& check,
                                     const ModCalc::CodeCheckInputs& inputs);

}  // namespace ktr
