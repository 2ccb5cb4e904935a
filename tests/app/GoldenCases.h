#pragma once

// The pinned end-to-end cases: tests/golden/NAME.args holds the ktr-calc
// actions of a case, one a line ('#' starts a comment).

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace golden {

inline const std::filesystem::path kDir = KTR_SOURCE_DIR "/tests/golden";

// Every case's .args file, in name order.
inline std::vector<std::filesystem::path> cases() {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(kDir)) {
    if (entry.path().extension() == ".args") {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

inline std::vector<std::string> readArgs(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::vector<std::string> args;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.front() != '#') {
      args.push_back(line);
    }
  }
  return args;
}

}  // namespace golden
