#pragma once

#include <stdexcept>

namespace ktr {

// A bad argument on the command line; its text is the one-line message.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace ktr
