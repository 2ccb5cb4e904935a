#include "platform/ItemReader.h"

#include <algorithm>

namespace platform {

namespace {

constexpr std::string_view kSeparators = ",\r\n";

std::size_t lineBreaks(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // CR LF is one break; a lone CR or LF is one too.
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++count;
    }
  }
  return count;
}

}  // namespace

std::optional<Item> ItemReader::next() {
  if (atEnd()) {
    return std::nullopt;
  }
  pos_ = std::min(text_.find_first_not_of(" \t", pos_), text_.size());
  Item item;
  item.line = line_;
  if (pos_ < text_.size() && text_[pos_] == '"') {
    const std::size_t close = std::min(text_.find('"', pos_ + 1), text_.size());
    item.text = text_.substr(pos_ + 1, close - pos_ - 1);
    item.quoted = true;
    line_ += lineBreaks(item.text);
    pos_ = std::min(text_.find_first_of(kSeparators, close), text_.size());
  } else {
    const std::size_t end = std::min(text_.find_first_of(kSeparators, pos_), text_.size());
    const std::string_view raw = text_.substr(pos_, end - pos_);
    item.text = raw.substr(0, raw.find_last_not_of(" \t") + 1);
    pos_ = end;
  }
  skipSeparator();
  return item;
}

void ItemReader::skipSeparator() {
  if (atEnd()) {
    return;
  }
  const char c = text_[pos_++];
  if (c == ',') {
    return;
  }
  if (c == '\r' && !atEnd() && text_[pos_] == '\n') {
    ++pos_;
  }
  ++line_;
}

}  // namespace platform
