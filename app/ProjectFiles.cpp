#include "app/ProjectFiles.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace ktr {

namespace {

// The first local file among those dragged, if any.
QString droppedFile(const QMimeData* data) {
  if (data == nullptr) {
    return {};
  }
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) {
      return url.toLocalFile();
    }
  }
  return {};
}

}  // namespace

ProjectFiles::ProjectFiles(Desktop& desktop, platform::SettingsStore& settings)
    : desktop_(desktop), recent_(settings), recentMenu_(QStringLiteral("&Recent")) {
  desktop_.program.windows.main.onProjectFile = [this](const std::string& path) {
    recent_.add(path);
  };
  auto* fileMenu = desktop_.mainWindow.findChild<QMenu*>(QStringLiteral("mnufile"));
  auto* beforeExit = desktop_.mainWindow.findChild<QAction*>(QStringLiteral("mnuFilebar1"));
  if (fileMenu != nullptr) {
    fileMenu->insertMenu(beforeExit, &recentMenu_);
  }
  connect(&recentMenu_, &QMenu::aboutToShow, this, &ProjectFiles::fillRecentMenu);
  fillRecentMenu();
  desktop_.mainWindow.setAcceptDrops(true);
  desktop_.mainWindow.installEventFilter(this);
}

bool ProjectFiles::open(const QString& path) {
  ui::frmWheel& main = desktop_.program.windows.main;
  return main.mayLoseCase() && main.openProjectFile(path.toStdString());
}

void ProjectFiles::fillRecentMenu() {
  recentMenu_.clear();
  const std::vector<std::string> paths = recent_.paths();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const QString path = QString::fromStdString(paths[i]);
    QAction* action =
        recentMenu_.addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    action->setToolTip(path);
    action->setStatusTip(path);
    connect(action, &QAction::triggered, this, [this, path] { open(path); });
  }
  if (paths.empty()) {
    recentMenu_.addAction(QStringLiteral("No project opened yet"))->setEnabled(false);
  }
}

bool ProjectFiles::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &desktop_.mainWindow && event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (!droppedFile(enter->mimeData()).isEmpty()) {
      enter->acceptProposedAction();
      return true;
    }
  }
  if (watched == &desktop_.mainWindow && event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = droppedFile(drop->mimeData());
    if (!path.isEmpty()) {
      drop->acceptProposedAction();
      open(path);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace ktr
