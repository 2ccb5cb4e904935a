#include "platform/qt/QtSettingsStore.h"

namespace platform::qt {

namespace {

QString text(std::string_view view) {
  return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

QString address(std::string_view section, std::string_view key) {
  return QString::fromStdString(foldSection(section)) + '/' + text(key);
}

}  // namespace

QtSettingsStore::~QtSettingsStore() = default;

QSettings& QtSettingsStore::open(std::string_view application) const {
  auto found = files_.find(application);
  if (found == files_.end()) {
    auto settings = folder_.isEmpty()
                        ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                      text(application), text(application))
                        : std::make_unique<QSettings>(folder_ + '/' + text(application) + ".ini",
                                                      QSettings::IniFormat);
    found = files_.emplace(std::string(application), std::move(settings)).first;
  }
  return *found->second;
}

std::string QtSettingsStore::value(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view defaultValue) const {
  return open(application)
      .value(address(section, key), text(defaultValue))
      .toString()
      .toStdString();
}

void QtSettingsStore::setValue(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view value) {
  open(application).setValue(address(section, key), text(value));
}

}  // namespace platform::qt
