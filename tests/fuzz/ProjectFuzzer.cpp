// Any bytes as a project file: the reader returns a case or says which
// record and field is wrong, and a case it accepts writes back to a text it
// reads again as the same case.

#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <variant>

#include "ui/main/ProjectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto parsed = ui::parseProject(bytes, 35);
  if (const auto* project = std::get_if<ui::Project>(&parsed)) {
    const auto again = ui::parseProject(ui::projectText(*project), 35);
    if (!std::holds_alternative<ui::Project>(again)) {
      std::abort();  // the program could not open a file it wrote
    }
  }
  return 0;
}
