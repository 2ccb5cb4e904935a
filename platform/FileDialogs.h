#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The common open and save dialogs. `filter` is "Description (*.ext)|*.ext";
// each returns the chosen path, or nothing when the user cancelled.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual std::optional<std::string> openPath(std::string_view title, std::string_view filter) = 0;
  virtual std::optional<std::string> savePath(std::string_view title, std::string_view filter) = 0;
};

}  // namespace platform
