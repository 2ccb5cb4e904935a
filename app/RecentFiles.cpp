#include "app/RecentFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace ktr {

namespace {

constexpr std::string_view kApplication = "KTR";
constexpr std::string_view kSection = "Recent";

std::string key(std::size_t index) {
  return "File" + std::to_string(index + 1);
}

}  // namespace

std::vector<std::string> RecentFiles::paths() const {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < kKept; ++i) {
    std::string path = settings_.value(kApplication, kSection, key(i), "");
    if (!path.empty()) {
      paths.push_back(std::move(path));
    }
  }
  return paths;
}

void RecentFiles::add(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  const std::string entry = error ? path : absolute.lexically_normal().string();
  std::vector<std::string> paths = this->paths();
  std::erase(paths, entry);
  paths.insert(paths.begin(), entry);
  paths.resize(std::min(paths.size(), kKept));
  for (std::size_t i = 0; i < kKept; ++i) {
    settings_.setValue(kApplication, kSection, key(i), i < paths.size() ? paths[i] : "");
  }
}

}  // namespace ktr
