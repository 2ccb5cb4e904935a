#pragma once

#include <string>
#include <vector>

#include "platform/HelpViewer.h"

namespace platform {

// Has no help to show without a display; keeps what was asked for.
class RecordingHelpViewer final : public HelpViewer {
 public:
  // Each as "HELPFILE|PAGE".
  void showPage(std::string_view helpFile, std::string_view page) override {
    requests_.push_back(std::string(helpFile) + "|" + std::string(page));
  }
  const std::vector<std::string>& requests() const { return requests_; }

 private:
  std::vector<std::string> requests_;
};

}  // namespace platform
