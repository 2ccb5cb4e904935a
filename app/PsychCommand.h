#pragma once

// `ktr-calc psych NAME ARG...`: one moist-air function, its result printed
// with 17 significant digits. Throws UsageError for a wrong name, argument
// count or number.

#include <ostream>
#include <string>
#include <vector>

namespace ktr {

// `args` starts with "psych".
int runPsychCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace ktr
