// Any argument list for ktr-calc (arguments separated by NUL bytes): a usage
// error or a run, never a crash, and the JSON it writes always parses.

#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "app/KtrCalc.h"
#include "platform/TextEncoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args{"--catalog", KTR_SOURCE_DIR "/resources/ktrmodel6.csv"};
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(platform::toUtf8(current));
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(platform::toUtf8(current));
  // Files named by the input would be written outside the fuzzer's control,
  // and other outputs would stand before the JSON.
  bool jsonOnly = true;
  for (const std::string& arg : args) {
    if (arg == "--save" || arg == "--report" || arg == "--copy" || arg == "--chart" ||
        arg == "--compare") {
      return 0;
    }
    jsonOnly = jsonOnly && arg != "--results" && arg != "--help" && arg != "-h" && arg != "psych";
  }
  args.push_back("--json");
  std::ostringstream out;
  std::ostringstream err;
  if (ktr::runKtrCalc(args, out, err) == 0 && jsonOnly &&
      nlohmann::json::parse(out.str(), nullptr, false).is_discarded()) {
    std::abort();
  }
  return 0;
}
