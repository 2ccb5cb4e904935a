#pragma once

// File > Recent: the last five project files opened or saved, newest first,
// kept in the settings store (application "KTR", section "Recent", keys
// "File1" to "File5").

#include <string>
#include <vector>

#include "platform/SettingsStore.h"

namespace ktr {

class RecentFiles {
 public:
  static constexpr std::size_t kKept = 5;

  explicit RecentFiles(platform::SettingsStore& settings) : settings_(settings) {}

  std::vector<std::string> paths() const;
  // Puts `path` first (as an absolute path), once, and forgets the sixth.
  void add(const std::string& path);

 private:
  platform::SettingsStore& settings_;
};

}  // namespace ktr
