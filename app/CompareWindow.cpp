#include "app/CompareWindow.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/ComparisonCsv.h"
#include "platform/Command.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "ui/main/CodeCheckCase.h"

namespace ktr {

namespace {

// Sorts by the number behind the text, not the text.
class NumberItem final : public QTableWidgetItem {
 public:
  NumberItem(const QString& text, double value) : QTableWidgetItem(text) {
    setData(Qt::UserRole, value);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
  }
};

constexpr int kCodeCheckColumn = 13;

QStringList headers(const ModCalc::CalcState& s) {
  const bool si = s.SIUnits == 1;
  const QString flow = !si ? "scfm" : s.SIFlowUnit == 0 ? "m3/hr" : "l/sec";
  const QString energy = si ? "kW" : "Btu/h";
  return {"Model",
          "In range",
          si ? "Face velocity, m/s" : "Face velocity, sfpm",
          si ? "Supply ΔP, Pa" : "Supply ΔP, in. w.c.",
          si ? "Exhaust ΔP, Pa" : "Exhaust ΔP, in. w.c.",
          "Purge, " + flow,
          "E sensible",
          "E latent",
          "E total",
          "Sensible, " + energy,
          "Latent, " + energy,
          "Total, " + energy,
          si ? "Water, kg/h" : "Water, lb/h",
          "Code check",
          "Messages"};
}

}  // namespace

CompareWindow::CompareWindow(Program& program, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      program_(program),
      note_(new QLabel(this)),
      table_(new QTableWidget(this)) {
  setObjectName(kCompareWindowName);
  setWindowTitle(QStringLiteral("Compare Models"));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  layout->addWidget(table_);
  setCentralWidget(central);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->verticalHeader()->hide();
  table_->setSortingEnabled(true);
  table_->horizontalHeader()->setStretchLastSection(true);
  connect(table_, &QTableWidget::itemActivated, this,
          [this](QTableWidgetItem* item) { select(item->row()); });
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("Export &CSV…"), this, [this] { exportCsv(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);
  refresh();
  // In logical pixels: every column with its heading whole, as far as the
  // screen allows, and a few rows.
  setMinimumSize(480, 240);
  int width = table_->verticalHeader()->width() + 2 * table_->frameWidth() + 40;
  for (int column = 0; column < table_->columnCount(); ++column) {
    width += table_->columnWidth(column);
  }
  const QScreen* shown = screen();
  const int widest = shown != nullptr ? shown->availableGeometry().width() * 9 / 10 : width;
  resize(std::clamp(width, 640, std::max(widest, 640)), 420);
}

void CompareWindow::refresh() {
  const ModCalc::CalcState& s = program_.state;
  ratings_ = comparisonTable(ui::compareModels(program_.engine));
  note_->setText(
      ratings_.empty()
          ? QString::fromUtf8(kNoModelCoversNote)
          : QStringLiteral("Every model rated for this case as if picked from the model list. "
                           "Double-click a row, or press Enter, to select that model."));
  table_->setSortingEnabled(false);
  table_->clear();
  table_->setColumnCount(15);
  // Each heading's unit on a line of its own keeps the columns narrow.
  table_->setHorizontalHeaderLabels(headers(s).replaceInStrings(", ", ",\n"));
  table_->setRowCount(static_cast<int>(ratings_.size()));
  for (int row = 0; row < table_->rowCount(); ++row) {
    const ui::ModelRating& r = ratings_[static_cast<std::size_t>(row)];
    auto* model = new QTableWidgetItem(QString::fromStdString(r.model));
    model->setData(Qt::UserRole, row);  // the rating behind the row, however sorted
    if (r.model == s.ModelNameSel) {
      QFont bold = model->font();
      bold.setBold(true);
      model->setFont(bold);
    }
    table_->setItem(row, 0, model);
    table_->setItem(row, 1, new QTableWidgetItem(r.inRange ? "yes" : "no"));
    if (r.completed) {
      const ui::ResultTexts& f = r.figures;
      const std::vector<std::string> figures = shownFigures(r);
      const ui::ShownFigure* const shown[] = {&f.velocityOutdoor, &f.dpSupply,      &f.dpExhaust,
                                              &f.purgeVolume,     &f.eSensible,     &f.eLatent,
                                              &f.eTotal,          &f.heatSensible,  &f.heatLatent,
                                              &f.heatTotal,       &f.waterRecovered};
      for (std::size_t k = 0; k < figures.size(); ++k) {
        // The effectiveness as the main window shows it, a percentage.
        const bool fraction = k >= 4 && k <= 6;
        const QString text = QString::fromStdString(fraction ? shown[k]->text() : figures[k]);
        table_->setItem(row, static_cast<int>(k) + 2, new NumberItem(text, shown[k]->value));
      }
    }
    QString messages;
    for (const std::string& m : r.messages) {
      messages += (messages.isEmpty() ? "" : "; ") + QString::fromStdString(m);
    }
    // Pass or fail against the code check once it is set up: the smallest
    // model that passes stands out.
    if (const auto& inputs = program_.windows.codeCheck; inputs && r.completed) {
      const ModCalc::CodeCheck check = ui::checkCase(program_.engine, *inputs, r.model);
      table_->setItem(row, kCodeCheckColumn,
                      new QTableWidgetItem(check.error  ? ""
                                           : check.pass ? "pass"
                                                        : "fail"));
    }
    table_->setItem(row, kCodeCheckColumn + 1, new QTableWidgetItem(messages));
  }
  table_->setColumnHidden(kCodeCheckColumn, !program_.windows.codeCheck);
  table_->setSortingEnabled(true);
  table_->resizeColumnsToContents();
}

void CompareWindow::select(int row) {
  const int index = table_->item(row, 0)->data(Qt::UserRole).toInt();
  const std::string model = ratings_[static_cast<std::size_t>(index)].model;
  platform::runCommand(program_.engine.messages,
                       [this, &model] { ui::selectComparedModel(program_.windows, model); });
}

void CompareWindow::exportCsv() {
  if (!program_.calculateForOutput()) {
    return;
  }
  refresh();
  QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), QStringLiteral("models.csv"),
                                   QStringLiteral("Comma-separated values (*.csv)"));
  if (path.isEmpty()) {
    return;
  }
  if (const auto problem =
          platform::writeFileAtomically(path.toStdString(), comparisonCsv(ratings_))) {
    program_.windows.ports.messages.show(
        "The comparison could not be written to " + path.toStdString() + ": " + *problem + ".",
        windowTitle().toStdString(), platform::MessageIcon::Exclamation);
  }
}

}  // namespace ktr
