#include "platform/FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <variant>

namespace platform {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
// As many links as the kernel follows before it gives up (ELOOP).
constexpr int kMostLinks = 40;

std::string reason(int error) {
  return std::strerror(error);
}

struct Target {
  std::string path;
  std::optional<struct stat> existing;
};

// The file a write to `path` lands in, through any symbolic links, and what
// is there now; or why it must not be written.
std::variant<Target, std::string> resolveTarget(std::string path) {
  for (int links = 0;; ++links) {
    struct stat found {};
    if (::lstat(path.c_str(), &found) != 0) {
      if (errno == ENOENT) {
        return Target{path, std::nullopt};
      }
      return reason(errno);
    }
    if (S_ISLNK(found.st_mode)) {
      if (links == kMostLinks) {
        return reason(ELOOP);
      }
      std::error_code error;
      const std::filesystem::path link = std::filesystem::read_symlink(path, error);
      if (error) {
        return error.message();
      }
      path =
          (link.is_absolute() ? link : std::filesystem::path(path).parent_path() / link).string();
      continue;
    }
    if (S_ISDIR(found.st_mode)) {
      return std::string("it is a folder");
    }
    if (!S_ISREG(found.st_mode)) {
      return std::string("it is not a regular file but a device, a pipe or a socket");
    }
    // Root may write anything, so the mode bits decide for it too.
    if ((found.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0) {
      return std::string("it is read-only");
    }
    return Target{path, found};
  }
}

// A rename is only lasting once the folder that holds it is synced too; the
// file is in place by then, so a folder that cannot be synced changes
// nothing the user could act on.
void syncFolder(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  const int fd = ::open(parent.empty() ? "." : parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    std::ignore = ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

DescriptorStreamBuf::DescriptorStreamBuf(int fd)
    : fd_(fd), lineBuffered_(::isatty(fd) == 1), buffer_(kBufferSize) {
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

bool DescriptorStreamBuf::drain() {
  const char* at = pbase();
  auto left = static_cast<std::size_t>(pptr() - pbase());
  while (left > 0 && error_ == 0) {
    const ssize_t written = ::write(fd_, at, left);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      error_ = written < 0 ? errno : EIO;
      break;
    }
    at += written;
    left -= static_cast<std::size_t>(written);
  }
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return error_ == 0;
}

DescriptorStreamBuf::int_type DescriptorStreamBuf::overflow(int_type c) {
  if (!drain()) {
    return traits_type::eof();
  }
  if (!traits_type::eq_int_type(c, traits_type::eof())) {
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
  }
  return traits_type::not_eof(c);
}

std::streamsize DescriptorStreamBuf::xsputn(const char* s, std::streamsize n) {
  if (error_ != 0) {
    return 0;
  }
  const std::streamsize put = std::streambuf::xsputn(s, n);
  if (lineBuffered_ && std::memchr(s, '\n', static_cast<std::size_t>(put)) != nullptr && !drain()) {
    return 0;
  }
  return put;
}

int DescriptorStreamBuf::sync() {
  return drain() ? 0 : -1;
}

std::optional<std::string> streamProblem(std::ostream& out) {
  out.flush();
  if (!out.fail()) {
    return std::nullopt;
  }
  const auto* buffer = dynamic_cast<const DescriptorStreamBuf*>(out.rdbuf());
  return reason(buffer != nullptr && buffer->error() != 0 ? buffer->error() : EIO);
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) {
  auto resolved = resolveTarget(path);
  if (auto* refused = std::get_if<std::string>(&resolved)) {
    problem_ = std::move(*refused);
    return;
  }
  const Target& target = std::get<Target>(resolved);
  target_ = target.path;
  if (target.existing) {
    mode_ = target.existing->st_mode & 07777;
    owner_ = {target.existing->st_uid, target.existing->st_gid};
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode_ = 0666 & ~mask;
  }
  // A name of its own for each run, so two writers of one path never share
  // a temporary file.
  const std::filesystem::path where(target_);
  std::string name =
      (where.parent_path() / ("." + where.filename().string().substr(0, 200) + ".XXXXXX")).string();
  fd_ = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd_ < 0) {
    problem_ = reason(errno);
    return;
  }
  temporary_ = std::move(name);
  buffer_.emplace(fd_);
  stream_.rdbuf(&*buffer_);
}

AtomicFileWriter::~AtomicFileWriter() {
  discard();
}

void AtomicFileWriter::discard() {
  stream_.rdbuf(nullptr);
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!temporary_.empty()) {
    ::unlink(temporary_.c_str());
    temporary_.clear();
  }
}

std::optional<std::string> AtomicFileWriter::commit() {
  if (!problem_) {
    problem_ = streamProblem(stream_);
  }
  if (!problem_ && owner_ && ::fchown(fd_, owner_->first, owner_->second) != 0) {
    // Only root may give a file away; the group stays when the user is in it.
    std::ignore = ::fchown(fd_, static_cast<uid_t>(-1), owner_->second);
  }
  // After the owner: a change of owner clears the set-user-ID bits.
  if (!problem_ && (::fchmod(fd_, mode_) != 0 || ::fsync(fd_) != 0)) {
    problem_ = reason(errno);
  }
  if (!problem_) {
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
      problem_ = reason(errno);
    }
  }
  if (problem_) {
    discard();
    return problem_;
  }
  stream_.rdbuf(nullptr);
  temporary_.clear();
  syncFolder(target_);
  return std::nullopt;
}

std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes) {
  AtomicFileWriter file(path);
  if (file.problem()) {
    return file.problem();
  }
  file.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return file.commit();
}

}  // namespace platform
