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
    case MessageIcon::Question:
      return QMessageBox::Question;
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

SaveAnswer QtMessageBox::askSave(std::string_view message, std::string_view title) {
  if (unattended_ != nullptr) {
    *unattended_ << title << ": " << message << " (Cancel)\n" << std::flush;
    return SaveAnswer::Cancel;
  }
  QMessageBox box(QMessageBox::Question, text(title), text(message),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveAnswer::Save;
    case QMessageBox::Discard:
      return SaveAnswer::Discard;
    default:
      return SaveAnswer::Cancel;
  }
}

}  // namespace platform::qt
