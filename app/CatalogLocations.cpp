#include "app/CatalogLocations.h"

#include <system_error>

namespace ktr {

std::vector<std::filesystem::path> catalogCandidates(const std::string& fileName) {
  std::vector<std::filesystem::path> candidates{std::filesystem::path(fileName),
                                                std::filesystem::path(KTR_DATA_DIR) / fileName};
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    candidates.push_back(executable.parent_path() / fileName);
  }
  return candidates;
}

}  // namespace ktr
