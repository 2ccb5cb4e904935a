#pragma once

// ktr-calc run as a user runs it, and a folder of its own for one test's
// files, removed when the test ends.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"

struct CalcRun {
  int status;
  std::string out;
  std::string err;
};

// ktr-calc with `args` after --catalog (the shipped catalog unless another
// is named).
inline CalcRun runWithCatalog(std::vector<std::string> args, const std::string& catalog = {}) {
  args.insert(args.begin(),
              {"--catalog", catalog.empty() ? KTR_SOURCE_DIR "/resources/ktrmodel6.csv" : catalog});
  std::ostringstream out;
  std::ostringstream err;
  const int status = ktr::runKtrCalc(args, out, err);
  return {status, out.str(), err.str()};
}

class TempFolderTest : public ::testing::Test {
 protected:
  explicit TempFolderTest(const std::string& prefix)
      : dir(std::filesystem::temp_directory_path() / (prefix + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir);
  }
  ~TempFolderTest() override { std::filesystem::remove_all(dir); }
  std::string path(const char* name) const { return (dir / name).string(); }

  std::filesystem::path dir;
};
