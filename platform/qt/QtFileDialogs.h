#pragma once

#include "platform/FileDialogs.h"

namespace platform::qt {

// Native file dialogs over the window the engineer is working in.
class QtFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openPath(std::string_view title, std::string_view filter) override;
  std::optional<std::string> savePath(std::string_view title, std::string_view filter) override;
};

}  // namespace platform::qt
