#pragma once

#include "platform/FileDialogs.h"

class QWidget;

namespace platform::qt {

class QtFileDialogs final : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<std::string> openPath(std::string_view title, std::string_view filter) override;
  std::optional<std::string> savePath(std::string_view title, std::string_view filter) override;

 private:
  QWidget* parent_;
};

}  // namespace platform::qt
