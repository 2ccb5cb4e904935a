#pragma once

#include <ostream>
#include <vector>

#include "platform/MessageBox.h"

namespace platform {

// Answers every box at once with OK. It keeps each message, in the order
// shown, and when given a stream also writes it there as one line
// "TITLE: TEXT", which is how the command line reports on stderr.
class HeadlessMessageBox final : public MessageBox {
 public:
  HeadlessMessageBox() = default;
  explicit HeadlessMessageBox(std::ostream& echo) : echo_(&echo) {}

  void show(std::string_view text, std::string_view title, MessageIcon icon) override;

  const std::vector<Message>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

 private:
  std::ostream* echo_ = nullptr;
  std::vector<Message> messages_;
};

}  // namespace platform
