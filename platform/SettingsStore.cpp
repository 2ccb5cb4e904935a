#include "platform/SettingsStore.h"

#include "platform/NumberText.h"

namespace platform {

std::string foldSection(std::string_view section) {
  return formatText(section, "<");
}

}  // namespace platform
