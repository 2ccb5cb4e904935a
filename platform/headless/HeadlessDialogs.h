#pragma once

// The common dialogs without a display: each answers what it was told to,
// once, and keeps what it was asked.

#include <optional>
#include <string>
#include <vector>

#include "platform/Clipboard.h"
#include "platform/FileDialogs.h"
#include "platform/PrintDialog.h"

namespace platform {

class HeadlessFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> openPath(std::string_view title, std::string_view filter) override;
  std::optional<std::string> savePath(std::string_view title, std::string_view filter) override;

  // The path the next dialog returns; nothing is a cancel.
  std::optional<std::string> answer;
  // "title|filter" of each dialog shown.
  std::vector<std::string> asked;

 private:
  std::optional<std::string> take(std::string_view title, std::string_view filter);
};

class HeadlessPrintDialog final : public PrintDialog {
 public:
  std::optional<int> copies() override { return answer; }
  // The copies every dialog returns; nothing is a cancel.
  std::optional<int> answer = 1;
};

class MemoryClipboard final : public Clipboard {
 public:
  void clear() override { text.clear(); }
  void setText(std::string_view value) override { text = value; }
  std::string text;
};

}  // namespace platform
