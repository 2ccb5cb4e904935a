#include "platform/headless/HeadlessDialogs.h"

#include <utility>

namespace platform {

std::optional<std::string> HeadlessFileDialogs::take(std::string_view title,
                                                     std::string_view filter) {
  asked.push_back(std::string(title) + "|" + std::string(filter));
  return std::exchange(answer, std::nullopt);
}

std::optional<std::string> HeadlessFileDialogs::openPath(std::string_view title,
                                                         std::string_view filter) {
  return take(title, filter);
}

std::optional<std::string> HeadlessFileDialogs::savePath(std::string_view title,
                                                         std::string_view filter) {
  return take(title, filter);
}

}  // namespace platform
