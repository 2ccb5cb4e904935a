#pragma once

#include "platform/Clipboard.h"

namespace platform::qt {

// The system clipboard, as plain text.
class QtClipboard final : public Clipboard {
 public:
  void clear() override;
  void setText(std::string_view text) override;
};

}  // namespace platform::qt
