#pragma once

#include <optional>

namespace platform {

// The print dialog: the number of copies chosen, or nothing when cancelled.
class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  virtual std::optional<int> copies() = 0;
};

}  // namespace platform
