#pragma once

// The per-user settings store: text values addressed by application,
// section and key. Section names are matched without regard to letter case:
// the password is written under "startup" and read under "Startup".

#include <string>
#include <string_view>

namespace platform {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string value(std::string_view application, std::string_view section,
                            std::string_view key, std::string_view defaultValue) const = 0;
  virtual void setValue(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view value) = 0;
};

// A section name in the one case stores keep it in.
std::string foldSection(std::string_view section);

}  // namespace platform
