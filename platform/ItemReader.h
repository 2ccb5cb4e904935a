#pragma once

// Comma-separated items as the catalog and project files hold them: an item
// is a number, a word, nothing, or a text in double quotes (commas and all,
// no escape). A line break separates items like a comma, so a caller counts
// items rather than lines; the reader counts lines so a problem can be
// placed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Item {
  std::string text;
  bool quoted = false;
  std::size_t line = 1;  // where it starts, from 1
};

class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ == text_.size(); }
  // The line the next item starts on, from 1.
  std::size_t line() const { return line_; }

  // The next item; nothing once the text is used up. Blanks around an
  // unquoted item are dropped, and so is whatever follows a closing quote up
  // to the separator.
  std::optional<Item> next();

 private:
  void skipSeparator();

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};

}  // namespace platform
