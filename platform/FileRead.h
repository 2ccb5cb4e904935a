#pragma once

// Reading a whole file the program is given, with a ceiling: only a regular
// file is read, never more than its limit, and a folder, device or pipe is
// refused before anything is read from it (so a pipe never blocks and an
// endless device never fills the memory).

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace platform {

struct ReadRefusal {
  enum class Kind { Folder, NotRegular, TooLarge, System };
  Kind kind;
  std::string reason;     // the system's reason, for Kind::System
  std::size_t limit = 0;  // for Kind::TooLarge
};

// Why `path` is not to be read, when it is no regular file of at most
// `limit` bytes; for a caller that streams the file itself.
std::optional<ReadRefusal> refusedFile(const std::string& path, std::size_t limit);

// The bytes of `path` when it is a regular file of at most `limit` bytes.
std::variant<std::string, ReadRefusal> readFileBounded(const std::string& path, std::size_t limit);

// What is wrong, after the file's name: "is a folder, not a project file",
// "is larger than 1 MB"; the system's reason for Kind::System.
std::string refusalText(const ReadRefusal& refusal, std::string_view fileKind);

// A limit as people read it: "1 MB", "16 MB" (binary megabytes).
std::string sizeText(std::size_t bytes);

}  // namespace platform
