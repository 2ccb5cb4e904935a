#pragma once

// The desktop program's ways to a project file besides File Open: a path on
// the command line, a file dropped on the main window, and File > Recent.

#include <QMenu>
#include <QObject>
#include <QString>

#include "app/Desktop.h"
#include "app/RecentFiles.h"

namespace ktr {

class ProjectFiles final : public QObject {
 public:
  // Adds File > Recent to the main window's File menu and takes drops on it.
  ProjectFiles(Desktop& desktop, platform::SettingsStore& settings);

  // File Open with `path`, as if chosen in its dialog: unsaved changes are
  // asked about first.
  bool open(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fillRecentMenu();

  Desktop& desktop_;
  RecentFiles recent_;
  QMenu recentMenu_;
};

}  // namespace ktr
