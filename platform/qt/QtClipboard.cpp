#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform::qt {

void QtClipboard::clear() {
  QGuiApplication::clipboard()->clear();
}

void QtClipboard::setText(std::string_view text) {
  QGuiApplication::clipboard()->setText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace platform::qt
