#pragma once

// Writing what the user named, so that a failure is never reported as
// success and never leaves a torn or missing file. The bytes go to a fresh
// temporary file beside the target, are synced and renamed over it: a
// symbolic link is followed (it stays a link) and the file keeps its
// permissions, owner and group. Only a regular file or a new path is
// written; a folder, a device or a pipe, and a file that has no write
// permission, are refused, because renaming over them would destroy them.

#include <optional>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// A stream buffer on an open file descriptor that keeps the reason of the
// first write that failed; every write after it fails too. On a terminal it
// flushes at each line end.
class DescriptorStreamBuf final : public std::streambuf {
 public:
  // `fd` stays open: the owner closes it.
  explicit DescriptorStreamBuf(int fd);
  DescriptorStreamBuf(const DescriptorStreamBuf&) = delete;
  DescriptorStreamBuf& operator=(const DescriptorStreamBuf&) = delete;

  // The errno of the first failed write, 0 while none failed.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* s, std::streamsize n) override;
  int sync() override;

 private:
  bool drain();

  int fd_;
  bool lineBuffered_;
  int error_ = 0;
  std::vector<char> buffer_;
};

// Flushes `out`; the reason it failed, if it did ("No space left on
// device"), and nothing when everything written so far arrived.
std::optional<std::string> streamProblem(std::ostream& out);

// A file written a piece at a time through `stream()` and put in place by
// `commit()`; destroyed uncommitted, it leaves the target as it was and no
// temporary file.
class AtomicFileWriter {
 public:
  // Checks the target and creates the temporary file; `problem()` says why
  // when either fails.
  explicit AtomicFileWriter(const std::string& path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // A short phrase ("it is a folder", "Permission denied"), once anything
  // failed.
  const std::optional<std::string>& problem() const { return problem_; }
  std::ostream& stream() { return stream_; }

  // Flushes, syncs and renames the temporary over the target; the problem
  // when any of it fails (the temporary is then removed).
  std::optional<std::string> commit();

 private:
  void discard();

  std::string target_;
  std::string temporary_;
  int fd_ = -1;
  unsigned mode_ = 0;
  std::optional<std::pair<unsigned, unsigned>> owner_;  // user and group to keep
  std::optional<std::string> problem_;
  std::optional<DescriptorStreamBuf> buffer_;
  std::ostream stream_{nullptr};
};

// `bytes` as the whole content of `path`, as AtomicFileWriter writes it;
// the problem when it could not be written.
std::optional<std::string> writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace platform
