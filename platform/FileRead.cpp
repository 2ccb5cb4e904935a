#include "platform/FileRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

constexpr std::size_t kMegabyte = std::size_t{1} << 20;

std::optional<ReadRefusal> refusedKind(const struct stat& found, std::size_t limit) {
  if (S_ISDIR(found.st_mode)) {
    return ReadRefusal{ReadRefusal::Kind::Folder, {}};
  }
  if (!S_ISREG(found.st_mode)) {
    return ReadRefusal{ReadRefusal::Kind::NotRegular, {}};
  }
  if (static_cast<std::size_t>(found.st_size) > limit) {
    return ReadRefusal{ReadRefusal::Kind::TooLarge, {}, limit};
  }
  return std::nullopt;
}

ReadRefusal systemRefusal() {
  return {ReadRefusal::Kind::System, std::strerror(errno)};
}

// Reads on past the size the file had, a byte beyond `limit` at most, so a
// file that grows meanwhile is still bounded.
std::variant<std::string, ReadRefusal> readAll(int fd, std::size_t size, std::size_t limit) {
  std::string bytes(size + 1, '\0');
  std::size_t got = 0;
  for (;;) {
    if (got == bytes.size()) {
      if (got > limit) {
        return ReadRefusal{ReadRefusal::Kind::TooLarge, {}, limit};
      }
      bytes.resize(std::min(limit + 1, 2 * bytes.size()));
    }
    const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0) {
      return systemRefusal();
    }
    if (n == 0) {
      bytes.resize(got);
      return bytes;
    }
    got += static_cast<std::size_t>(n);
  }
}

}  // namespace

std::optional<ReadRefusal> refusedFile(const std::string& path, std::size_t limit) {
  struct stat found {};
  if (::stat(path.c_str(), &found) != 0) {
    return systemRefusal();
  }
  return refusedKind(found, limit);
}

std::variant<std::string, ReadRefusal> readFileBounded(const std::string& path, std::size_t limit) {
  if (auto refused = refusedFile(path, limit)) {
    return *refused;
  }
  struct stat found {};
  // Without blocking, should a pipe have taken the file's place meanwhile.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return systemRefusal();
  }
  std::variant<std::string, ReadRefusal> result;
  if (::fstat(fd, &found) != 0) {
    result = systemRefusal();
  } else if (auto refused = refusedKind(found, limit)) {
    result = *refused;
  } else {
    result = readAll(fd, static_cast<std::size_t>(found.st_size), limit);
  }
  ::close(fd);
  return result;
}

std::string refusalText(const ReadRefusal& refusal, std::string_view fileKind) {
  switch (refusal.kind) {
    case ReadRefusal::Kind::Folder:
      return "is a folder, not a " + std::string(fileKind);
    case ReadRefusal::Kind::NotRegular:
      return "is a device or a pipe, not a " + std::string(fileKind);
    case ReadRefusal::Kind::TooLarge:
      return "is larger than " + sizeText(refusal.limit) + ", too large for a " +
             std::string(fileKind);
    case ReadRefusal::Kind::System:
      break;
  }
  return refusal.reason;
}

std::string sizeText(std::size_t bytes) {
  return std::to_string(bytes / kMegabyte) + " MB";
}

}  // namespace platform
