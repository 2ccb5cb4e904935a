#pragma once

// ktr-calc run in the test's own process, with the shipped catalog.

#include <sstream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"

namespace calctest {

struct CalcRun {
  int status;
  std::string out;
  std::string err;
};

inline CalcRun run(std::vector<std::string> args) {
  args.insert(args.begin(), {"--catalog", KTR_SOURCE_DIR "/resources/ktrmodel6.csv"});
  std::ostringstream out;
  std::ostringstream err;
  const int status = ktr::runKtrCalc(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace calctest
