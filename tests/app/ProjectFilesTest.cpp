// The desktop program's ways to a project besides File Open: a file dropped
// on the main window and File > Recent, on the offscreen platform.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <filesystem>
#include <string>

#include "app/Desktop.h"
#include "app/ProjectFiles.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"

namespace {

namespace fs = std::filesystem;

struct Ports {
  platform::HeadlessMessageBox messages;
  platform::MemorySettingsStore settings;
  platform::RecordingHelpViewer help;
  platform::HeadlessFileDialogs files;
};

class ProjectFilesTest : public ::testing::Test {
 protected:
  ProjectFilesTest() {
    EXPECT_EQ(desktop.start(true), 0);
    fs::create_directories(folder);
  }
  ~ProjectFilesTest() override { fs::remove_all(folder); }

  // A project saved by another run with `title`.
  std::string savedProject(const std::string& name, const std::string& title) {
    Ports other;
    ktr::Desktop saver(ui::Ports{.messages = other.messages,
                                 .settings = other.settings,
                                 .help = other.help,
                                 .screen = {19200, 15360},
                                 .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"}});
    EXPECT_EQ(saver.start(true), 0);
    saver.program.fields.inputs.txtTitle.setText(title);
    const std::string path = (folder / name).string();
    EXPECT_TRUE(saver.program.windows.main.saveProjectFile(path));
    return path;
  }

  QMenu& recentMenu() {
    auto* file = desktop.mainWindow.findChild<QMenu*>(QStringLiteral("mnufile"));
    for (QAction* item : file->actions()) {
      if (item->menu() != nullptr && item->text() == QStringLiteral("&Recent")) {
        emit item->menu()->aboutToShow();
        return *item->menu();
      }
    }
    throw std::logic_error("no Recent menu");
  }

  Ports ports;
  ktr::Desktop desktop{ui::Ports{.messages = ports.messages,
                                 .settings = ports.settings,
                                 .help = ports.help,
                                 .screen = {19200, 15360},
                                 .catalogCandidates = {KTR_SOURCE_DIR "/resources/ktrmodel6.csv"},
                                 .files = ports.files}};
  ktr::ProjectFiles projectFiles{desktop, ports.settings};
  // ctest runs each test in a process of its own, two at a time.
  fs::path folder =
      fs::temp_directory_path() / ("ktr-project-files-test-" + std::to_string(::getpid()));
};

TEST_F(ProjectFilesTest, ADroppedProjectOpensAndIsRecent) {
  const std::string path = savedProject("dropped.cse", "Dropped on the window");
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  // What the window system delivers once a drag ends over the window.
  static_cast<QObject&>(projectFiles).eventFilter(&desktop.mainWindow, &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(desktop.program.windows.main.lblTitle.caption(), "Dropped on the window");
  const auto actions = recentMenu().actions();
  ASSERT_EQ(actions.size(), 1);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("&1 dropped.cse"));
}

TEST_F(ProjectFilesTest, OpeningOverUnsavedChangesAsksFirst) {
  const std::string path = savedProject("other.cse", "Another case");
  desktop.program.fields.inputs.txtTitle.setText("Not saved yet");
  EXPECT_FALSE(projectFiles.open(QString::fromStdString(path)));  // the answer is Cancel
  EXPECT_EQ(desktop.program.fields.inputs.txtTitle.text(), "Not saved yet");
  ASSERT_EQ(ports.messages.messages().size(), 1U);
  EXPECT_EQ(ports.messages.messages()[0].title, "Unsaved changes");
  ports.messages.saveAnswer = platform::SaveAnswer::Discard;
  EXPECT_TRUE(projectFiles.open(QString::fromStdString(path)));
  EXPECT_EQ(desktop.program.fields.inputs.txtTitle.text(), "Another case");
}

TEST_F(ProjectFilesTest, RecentListsTheLastFiveNewestFirstAndOpensThem) {
  EXPECT_FALSE(recentMenu().actions().front()->isEnabled());
  for (int i = 1; i <= 6; ++i) {
    const std::string name = std::to_string(i) + ".cse";
    ASSERT_TRUE(projectFiles.open(QString::fromStdString(savedProject(name, "Case " + name))));
  }
  const auto actions = recentMenu().actions();
  ASSERT_EQ(actions.size(), 5);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("&1 6.cse"));
  EXPECT_EQ(actions[4]->text(), QStringLiteral("&5 2.cse"));
  actions[4]->trigger();
  EXPECT_EQ(desktop.program.windows.main.lblTitle.caption(), "Case 2.cse");
  EXPECT_EQ(recentMenu().actions()[0]->text(), QStringLiteral("&1 2.cse"));
}

TEST_F(ProjectFilesTest, AProjectThatCannotBeOpenedIsNotRecent) {
  EXPECT_FALSE(projectFiles.open(QString::fromStdString((folder / "missing.cse").string())));
  EXPECT_FALSE(ports.messages.messages().empty());
  EXPECT_FALSE(recentMenu().actions().front()->isEnabled());
}

}  // namespace
