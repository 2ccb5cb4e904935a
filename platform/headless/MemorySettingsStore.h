#pragma once

#include <map>
#include <string>
#include <tuple>

#include "platform/SettingsStore.h"

namespace platform {

// Settings kept for the life of the process: the command line starts from an
// empty one, tests from whatever they put in.
class MemorySettingsStore final : public SettingsStore {
 public:
  std::string value(std::string_view application, std::string_view section, std::string_view key,
                    std::string_view defaultValue) const override;
  void setValue(std::string_view application, std::string_view section, std::string_view key,
                std::string_view value) override;

 private:
  using Address = std::tuple<std::string, std::string, std::string>;
  static Address address(std::string_view application, std::string_view section,
                         std::string_view key) {
    return {std::string(application), foldSection(section), std::string(key)};
  }
  std::map<Address, std::string> values_;
};

}  // namespace platform
