#include "app/ChartWindow.h"

#include <QFileDialog>
#include <QMenuBar>
#include <QPainter>

#include "app/ChartPainter.h"

namespace ktr {

class ChartWindow::View final : public QWidget {
 public:
  View(const ui::PsychChart& chart, QWidget* parent) : QWidget(parent), chart_(chart) {
    setMinimumSize(kChartWidth * 2 / 3, kChartHeight * 2 / 3);
  }
  QSize sizeHint() const override { return {kChartWidth, kChartHeight}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintChart(painter, rect(), chart_);
  }

 private:
  const ui::PsychChart& chart_;
};

ChartWindow::ChartWindow(Program& program, QWidget* parent)
    : QMainWindow(parent, Qt::Window), program_(program), view_(new View(chart_, this)) {
  setObjectName(kChartWindowName);
  setWindowTitle(QStringLiteral("Psychrometric Chart"));
  setCentralWidget(view_);
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("Export &PNG…"), this,
                  [this] { exportAs(QStringLiteral("PNG image"), QStringLiteral("png")); });
  file->addAction(QStringLiteral("Export &SVG…"), this,
                  [this] { exportAs(QStringLiteral("SVG drawing"), QStringLiteral("svg")); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);
  refresh();
}

void ChartWindow::refresh() {
  chart_ = ui::psychChart(program_.state);
  view_->update();
}

void ChartWindow::exportAs(const QString& kind, const QString& suffix) {
  if (!program_.calculateForOutput()) {
    return;
  }
  refresh();
  QString path = QFileDialog::getSaveFileName(this, "Export " + suffix.toUpper(), "chart." + suffix,
                                              kind + " (*." + suffix + ")");
  if (path.isEmpty()) {
    return;
  }
  if (!path.endsWith("." + suffix, Qt::CaseInsensitive)) {
    path += "." + suffix;
  }
  if (const QString problem = writeChart(path, chart_); !problem.isEmpty()) {
    program_.windows.ports.messages.show(problem.toStdString(), windowTitle().toStdString(),
                                         platform::MessageIcon::Exclamation);
  }
}

}  // namespace ktr
