#include "platform/qt/QtFileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace platform::qt {

namespace {

struct QtFilter {
  QString name;    // "Project Files (*.cse)"
  QString suffix;  // "cse"
};

// "Project Files (*.cse)|*.cse" as Qt's dialogs take it.
QtFilter qtFilter(std::string_view filter) {
  const QString text = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size()));
  const QString pattern = text.section(QLatin1Char('|'), 1, 1);
  return {text.section(QLatin1Char('|'), 0, 0), pattern.section(QLatin1Char('.'), -1)};
}

std::optional<std::string> chosen(const QString& path) {
  if (path.isEmpty()) {
    return std::nullopt;
  }
  return path.toStdString();
}

}  // namespace

std::optional<std::string> QtFileDialogs::openPath(std::string_view title,
                                                   std::string_view filter) {
  return chosen(QFileDialog::getOpenFileName(
      QApplication::activeWindow(),
      QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())), QString(),
      qtFilter(filter).name));
}

std::optional<std::string> QtFileDialogs::savePath(std::string_view title,
                                                   std::string_view filter) {
  const QtFilter qt = qtFilter(filter);
  QFileDialog dialog(QApplication::activeWindow(),
                     QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())),
                     QString(), qt.name);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(qt.suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return chosen(dialog.selectedFiles().front());
}

}  // namespace platform::qt
