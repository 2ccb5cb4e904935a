#pragma once

#include <string>
#include <vector>

#include "platform/HelpViewer.h"

namespace platform {

// Has no help to show without a display; keeps what was asked for.
class RecordingHelpViewer final : public HelpViewer {
 public:
  void showContents(std::string_view helpFile) override { requests_.emplace_back(helpFile); }
  const std::vector<std::string>& requests() const { return requests_; }

 private:
  std::vector<std::string> requests_;
};

}  // namespace platform
