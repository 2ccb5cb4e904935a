#include "platform/headless/MemorySettingsStore.h"

namespace platform {

std::string MemorySettingsStore::value(std::string_view application, std::string_view section,
                                       std::string_view key, std::string_view defaultValue) const {
  const auto found = values_.find(address(application, section, key));
  return found == values_.end() ? std::string(defaultValue) : found->second;
}

void MemorySettingsStore::setValue(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view value) {
  values_[address(application, section, key)] = std::string(value);
}

}  // namespace platform
