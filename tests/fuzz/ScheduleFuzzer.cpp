// Any bytes as a batch schedule: each row is rated or carries its error in
// the results, or the header is refused as a usage error; nothing crashes
// or hangs.

#include <cstdint>
#include <sstream>
#include <string>

#include "app/Batch.h"
#include "app/UsageError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::ostringstream out;
  ktr::BatchOptions options;
  options.catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  options.jobs = 1;
  try {
    ktr::rateSchedule(in, out, options);
  } catch (const ktr::UsageError&) {
    // A header the run cannot go on with is the user's to correct.
  }
  return 0;
}
