#pragma once

#include <QString>

#include "platform/SettingsStore.h"

namespace platform::qt {

// The per-user settings through QSettings: one INI file per application in
// the user's configuration folder, or in `folder` when given (tests). Keys
// are SECTION/KEY with the section folded to one case.
class QtSettingsStore final : public SettingsStore {
 public:
  QtSettingsStore() = default;
  explicit QtSettingsStore(QString folder) : folder_(std::move(folder)) {}

  std::string value(std::string_view application, std::string_view section, std::string_view key,
                    std::string_view defaultValue) const override;
  void setValue(std::string_view application, std::string_view section, std::string_view key,
                std::string_view value) override;

 private:
  QString folder_;
};

}  // namespace platform::qt
