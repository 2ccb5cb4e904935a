// Any bytes as the wheel catalog: the loader either takes the file whole or
// refuses it with a message, and never crashes or hangs.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/Catalog.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "ui/Calculate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file =
      std::filesystem::temp_directory_path() /
      ("ktr-fuzz-catalog-" + std::to_string(::getpid()) + ".csv");
  std::ofstream(file, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  ModCalc::DialogFields fields;
  platform::HeadlessMessageBox messages;
  ModCalc::Engine engine{state, catalog, fields, messages, {}};
  ModCalc::LoadCatalog(engine, {file});
  return 0;
}
