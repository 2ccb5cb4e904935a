#include "platform/headless/HeadlessMessageBox.h"

namespace platform {

void HeadlessMessageBox::show(std::string_view text, std::string_view title, MessageIcon icon) {
  messages_.push_back(Message{std::string(title), std::string(text), icon});
  if (echo_ != nullptr) {
    *echo_ << title << ": " << text << '\n' << std::flush;
  }
}

SaveAnswer HeadlessMessageBox::askSave(std::string_view text, std::string_view title) {
  show(text, title, MessageIcon::Question);
  return saveAnswer;
}

}  // namespace platform
