#include "platform/qt/QtHelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <algorithm>

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
    // In logical pixels, so a scaled screen shows the same window: the
    // contents pane as wide as its longest title, the page the rest.
    // Never larger than the screen leaves room for.
    QSize size(900, 640);
    if (const QScreen* shown = screen()) {
      size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
    }
    resize(size);
    setMinimumSize(480, 320);
    // A long title wraps rather than widening the pane.
    contents->setWordWrap(true);
    contents->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contents->setMinimumWidth(120);
    contentsWidth_ = std::min(contents->sizeHintForColumn(0) + 24, 240);
    splitter_ = splitter;
    connect(contents, &QListWidget::currentItemChanged, page, [page](QListWidgetItem* item) {
      if (item != nullptr) {
        page->setSource(QUrl(item->data(Qt::UserRole).toString()));
      }
    });
    contents_ = contents;
    page_ = page;
  }

  void showEvent(QShowEvent* event) override {
    // The splitter shares out its width once it has one.
    if (!sized_) {
      sized_ = true;
      splitter_->setSizes({contentsWidth_, width() - contentsWidth_});
    }
    QWidget::showEvent(event);
  }

  // The page's entry in the contents when it has one; an anchor within it
  // is then shown too.
  void open(const QString& page) {
    const QString file = page.section('#', 0, 0);
    for (int row = 0; row < contents_->count(); ++row) {
      if (contents_->item(row)->data(Qt::UserRole).toString() == file) {
        contents_->setCurrentRow(row);
        break;
      }
    }
    if (page_->source() != QUrl(page)) {
      page_->setSource(QUrl(page));
    }
  }

 private:
  QSplitter* splitter_ = nullptr;
  int contentsWidth_ = 0;
  bool sized_ = false;
  QListWidget* contents_ = nullptr;
  QTextBrowser* page_ = nullptr;
};

QtHelpViewer::QtHelpViewer(QString root) : root_(std::move(root)) {}

QtHelpViewer::~QtHelpViewer() = default;

void QtHelpViewer::showPage(std::string_view helpFile, std::string_view page) {
  if (window_ == nullptr) {
    const QString name =
        QFileInfo(QString::fromUtf8(helpFile.data(), static_cast<qsizetype>(helpFile.size())))
            .completeBaseName();
    window_ = std::make_unique<Window>(root_ + '/' + name);
  }
  window_->open(QString::fromUtf8(page.data(), static_cast<qsizetype>(page.size())));
  window_->show();
  window_->raise();
  window_->activateWindow();
}

QWidget* QtHelpViewer::window() const {
  return window_.get();
}

}  // namespace platform::qt
