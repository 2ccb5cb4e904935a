#pragma once

// The modal message box port. The engine and the windows report through it;
// the desktop program shows a dialog, the command line prints the message,
// and tests record it.

#include <string>
#include <string_view>

namespace platform {

enum class MessageIcon { None, Information, Exclamation, Critical, Question };

// What to do with a case whose changes are not saved, before a command
// would lose them.
enum class SaveAnswer { Save, Discard, Cancel };

struct Message {
  std::string title;
  std::string text;
  MessageIcon icon = MessageIcon::None;

  bool operator==(const Message&) const = default;
};

class MessageBox {
 public:
  virtual ~MessageBox() = default;
  // Returns when the user has closed the box (an OK button only).
  virtual void show(std::string_view text, std::string_view title, MessageIcon icon) = 0;
  // A question with the buttons Save, Discard and Cancel.
  virtual SaveAnswer askSave(std::string_view text, std::string_view title) = 0;
};

}  // namespace platform
