#pragma once

#include <QSettings>
#include <QString>
#include <map>
#include <memory>
#include <string>

#include "platform/SettingsStore.h"

namespace platform::qt {

// The per-user settings through QSettings: one INI file per application in
// the user's configuration folder, or in `folder` when given (tests). Keys
// are SECTION/KEY with the section folded to one case. Each file stays open,
// so writes reach the disk together when the store goes (or Qt syncs).
class QtSettingsStore final : public SettingsStore {
 public:
  QtSettingsStore() = default;
  ~QtSettingsStore() override;
  explicit QtSettingsStore(QString folder) : folder_(std::move(folder)) {}

  std::string value(std::string_view application, std::string_view section, std::string_view key,
                    std::string_view defaultValue) const override;
  void setValue(std::string_view application, std::string_view section, std::string_view key,
                std::string_view value) override;

 private:
  QSettings& open(std::string_view application) const;

  QString folder_;
  mutable std::map<std::string, std::unique_ptr<QSettings>, std::less<>> files_;
};

}  // namespace platform::qt
