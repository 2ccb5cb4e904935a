#pragma once

#include <string_view>

namespace platform {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void clear() = 0;
  // Plain text, UTF-8.
  virtual void setText(std::string_view text) = 0;
};

}  // namespace platform
