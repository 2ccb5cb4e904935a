#pragma once

#include <ostream>
#include <vector>

#include "platform/MessageBox.h"

namespace platform {

// Answers every box at once with OK, and every save question with
// `saveAnswer`. It keeps each message and question, in the order shown, and
// when given a stream also writes it there as one line "TITLE: TEXT", which
// is how the command line reports on stderr.
//
// The save question's answer is Cancel unless told otherwise: nobody can
// pick a file or agree to lose a case here, and Cancel loses and writes
// nothing. (ktr-calc opens projects and ends without the menu commands that
// ask, so it is never asked.)
class HeadlessMessageBox final : public MessageBox {
 public:
  HeadlessMessageBox() = default;
  explicit HeadlessMessageBox(std::ostream& echo) : echo_(&echo) {}

  void show(std::string_view text, std::string_view title, MessageIcon icon) override;
  SaveAnswer askSave(std::string_view text, std::string_view title) override;

  SaveAnswer saveAnswer = SaveAnswer::Cancel;

  const std::vector<Message>& messages() const { return messages_; }
  void clear() { messages_.clear(); }

 private:
  std::ostream* echo_ = nullptr;
  std::vector<Message> messages_;
};

}  // namespace platform
