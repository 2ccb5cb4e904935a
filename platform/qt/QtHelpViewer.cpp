#include "platform/qt/QtHelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

namespace platform::qt {

class QtHelpViewer::Window final : public QWidget {
 public:
  explicit Window(const QString& folder) {
    setWindowTitle(QStringLiteral("Help"));
    auto* splitter = new QSplitter(this);
    auto* contents = new QListWidget(splitter);
    auto* page = new QTextBrowser(splitter);
    page->setSearchPaths({folder});
    page->setOpenExternalLinks(true);
    splitter->addWidget(contents);
    splitter->addWidget(page);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    // The contents are the index page's links, in its order.
    QFile index(folder + QStringLiteral("/index.html"));
    const QString html =
        index.open(QIODevice::ReadOnly) ? QString::fromUtf8(index.readAll()) : QString();
    static const QRegularExpression link(
        QString::fromLatin1(R"re(<a href="([^"#]+)">([^<]+)</a>)re"));
    contents->addItem(QStringLiteral("Contents"));
    contents->item(0)->setData(Qt::UserRole, QStringLiteral("index.html"));
    for (auto it = link.globalMatch(html); it.hasNext();) {
      const auto match = it.next();
      auto* item = new QListWidgetItem(match.captured(2), contents);
      item->setData(Qt::UserRole, match.captured(1));
    }
    splitter->setSizes({contents->sizeHintForColumn(0) + 24, 600});
    connect(contents, &QListWidget::currentItemChanged, page, [page](QListWidgetItem* item) {
      if (item != nullptr) {
        page->setSource(QUrl(item->data(Qt::UserRole).toString()));
      }
    });
    contents->setCurrentRow(0);
  }

  QSize sizeHint() const override { return {800, 600}; }
};

QtHelpViewer::QtHelpViewer(QString root) : root_(std::move(root)) {}

QtHelpViewer::~QtHelpViewer() = default;

void QtHelpViewer::showContents(std::string_view helpFile) {
  if (window_ == nullptr) {
    const QString name =
        QFileInfo(QString::fromUtf8(helpFile.data(), static_cast<qsizetype>(helpFile.size())))
            .completeBaseName();
    window_ = std::make_unique<Window>(root_ + '/' + name);
  }
  window_->show();
  window_->raise();
  window_->activateWindow();
}

QWidget* QtHelpViewer::window() const {
  return window_.get();
}

}  // namespace platform::qt
