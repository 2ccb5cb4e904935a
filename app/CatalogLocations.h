#pragma once

// Where the program looks for its wheel catalog: the current directory
// first, then the installed data folder, then beside the executable, so it
// starts from any folder.

#include <filesystem>
#include <string>
#include <vector>

namespace ktr {

std::vector<std::filesystem::path> catalogCandidates(const std::string& fileName);

}  // namespace ktr
