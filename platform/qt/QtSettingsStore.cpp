#include "platform/qt/QtSettingsStore.h"

#include <QSettings>
#include <memory>

namespace platform::qt {

namespace {

QString text(std::string_view view) {
  return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

std::unique_ptr<QSettings> open(const QString& folder, std::string_view application) {
  if (folder.isEmpty()) {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       text(application), text(application));
  }
  return std::make_unique<QSettings>(folder + '/' + text(application) + ".ini",
                                     QSettings::IniFormat);
}

QString address(std::string_view section, std::string_view key) {
  return QString::fromStdString(foldSection(section)) + '/' + text(key);
}

}  // namespace

std::string QtSettingsStore::value(std::string_view application, std::string_view section,
                                   std::string_view key, std::string_view defaultValue) const {
  return open(folder_, application)
      ->value(address(section, key), text(defaultValue))
      .toString()
      .toStdString();
}

void QtSettingsStore::setValue(std::string_view application, std::string_view section,
                               std::string_view key, std::string_view value) {
  open(folder_, application)->setValue(address(section, key), text(value));
}

}  // namespace platform::qt
