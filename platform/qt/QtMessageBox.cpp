#include "platform/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace platform::qt {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::Critical:
      return QMessageBox::Critical;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

QString text(std::string_view view) {
  return QString::fromUtf8(view.data(), static_cast<qsizetype>(view.size()));
}

}  // namespace

void QtMessageBox::show(std::string_view message, std::string_view title, MessageIcon icon) {
  if (unattended_ != nullptr) {
    *unattended_ << title << ": " << message << '\n' << std::flush;
    return;
  }
  QMessageBox box(qtIcon(icon), text(title), text(message), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace platform::qt
