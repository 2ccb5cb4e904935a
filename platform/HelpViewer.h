#pragma once

#include <string_view>

namespace platform {

// Opens the program's help on its table of contents.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void showContents(std::string_view helpFile) = 0;
};

}  // namespace platform
