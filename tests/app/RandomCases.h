#pragma once

// What the seeded random-case tests share: the run chosen from the
// environment, and a failing case's actions as a command line shows them.

#include <cstdlib>
#include <string>
#include <vector>

namespace ktr::testing {

inline unsigned long fromEnvironment(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  return text == nullptr ? fallback : std::strtoul(text, nullptr, 10);
}

inline std::string joined(const std::vector<std::string>& actions) {
  std::string text;
  for (const std::string& action : actions) {
    text += " '" + action + "'";
  }
  return text;
}

}  // namespace ktr::testing
