#include "app/CompareWindow.h"

#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "app/AnnualReport.h"
#include "app/ComparisonCsv.h"
#include "platform/Command.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "ui/Calculate.h"
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

constexpr int kYearColumn = 13;  // cost saved, net energy, payback
constexpr int kCodeCheckColumn = 16;

QStringList headers(const ModCalc::CalcState& s) {
  const bool si = s.SIUnits == 1;
  const QString year = si ? "kWh a year" : "kBtu a year";
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
          "Cost saved, a year",
          "Net energy, " + year,
          "Payback, years, same first cost",
          "Code check",
          "Messages"};
}

}  // namespace

CompareWindow::CompareWindow(Program& program, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      program_(program),
      note_(new QLabel(this)),
      busy_(new QProgressBar(this)),
      table_(new QTableWidget(this)) {
  setObjectName(kCompareWindowName);
  setWindowTitle(QStringLiteral("Compare Models"));
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  note_->setWordWrap(true);
  layout->addWidget(note_);
  busy_->setRange(0, 0);
  busy_->setTextVisible(false);
  busy_->setMaximumHeight(note_->fontMetrics().height() / 2);
  busy_->hide();
  layout->addWidget(busy_);
  layout->addWidget(table_);
  connect(&yearsWatcher_, &QFutureWatcher<YearsRead>::finished, this, [this] {
    if (!yearsWatcher_.isCanceled()) {
      showYears(yearsWatcher_.result());
    }
  });
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
  setNote({});
  table_->setSortingEnabled(false);
  table_->clear();
  table_->setColumnCount(kCodeCheckColumn + 2);
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
  rateYears();
}

void CompareWindow::rateYears() {
  years_.reset();
  // A run under way is for the table as it was: its result is not shown.
  yearsWatcher_.setFuture(QFuture<YearsRead>());
  busy_->hide();
  const std::optional<ui::AnnualRecord>& record = program_.windows.main.annualRecord;
  yearsFor_ = record;
  const bool rated = record && !record->weatherPath.empty() && !ratings_.empty();
  for (int column = kYearColumn; column < kCodeCheckColumn; ++column) {
    table_->setColumnHidden(column, !rated);
  }
  if (!rated) {
    return;
  }
  ModCalc::Case c;
  try {
    c = ModCalc::readCase(program_.engine);
  } catch (const ModCalc::CalcError&) {
    return;  // the rows' messages say why
  }
  std::vector<std::string> models;
  for (const ui::ModelRating& r : ratings_) {
    models.push_back(r.model);
  }
  setNote("Rating every model over the year of " + weatherName(record->weatherPath) + "…");
  busy_->show();
  // 35 models over 8,760 hours take a good part of a second: the window
  // stays responsive meanwhile.
  yearsWatcher_.setFuture(
      QtConcurrent::run([c, models = std::move(models), path = record->weatherPath, op = record->op,
                         catalog = program_.catalog, si = program_.state.SIUnits == 1] {
        return compareYears(c, models, path, op, catalog, si);
      }));
}

void CompareWindow::showYears(const YearsRead& read) {
  busy_->hide();
  const std::optional<ui::AnnualRecord>& record = yearsFor_;
  if (!record) {
    return;
  }
  if (const auto* problem = std::get_if<std::string>(&read)) {
    setNote("No year rated: " + QString::fromStdString(*problem));
    return;
  }
  years_ = std::get<ComparedYears>(read);
  const double cost = record->op.firstCost;
  setNote("The year over " + weatherName(record->weatherPath) +
          " under the project's annual operation: cost and net purchased energy saved, and the "
          "simple payback on the one first cost entered in Annual Energy (" +
          (cost > 0 ? QString::fromStdString(platform::formatNumber(cost, "#,##0"))
                    : QStringLiteral("none entered")) +
          "), the same for every model.");
  table_->setSortingEnabled(false);
  for (int row = 0; row < table_->rowCount(); ++row) {
    const auto index = static_cast<std::size_t>(table_->item(row, 0)->data(Qt::UserRole).toInt());
    const std::optional<YearSavings>& year = years_->models[index];
    if (!year) {
      continue;
    }
    const auto put = [&](int column, double value, const char* pattern) {
      table_->setItem(
          row, column,
          new NumberItem(QString::fromStdString(platform::formatNumber(value, pattern)), value));
    };
    put(kYearColumn, year->costSaved, "0");
    put(kYearColumn + 1, year->netEnergy, "0");
    if (year->paybackYears) {
      put(kYearColumn + 2, *year->paybackYears, "0.0");
    }
  }
  table_->setSortingEnabled(true);
  for (int column = kYearColumn; column < kCodeCheckColumn; ++column) {
    table_->resizeColumnToContents(column);
  }
}

bool CompareWindow::event(QEvent* event) {
  // The annual energy window may have changed the weather or the operation
  // meanwhile; the ratings themselves follow every calculation.
  if (event->type() == QEvent::WindowActivate && program_.windows.main.annualRecord != yearsFor_) {
    rateYears();
  }
  return QMainWindow::event(event);
}

void CompareWindow::setNote(const QString& year) {
  const QString ratings =
      ratings_.empty() ? QString::fromUtf8(kNoModelCoversNote)
                       : QStringLiteral(
                             "Every model rated for this case as if picked from the model list. "
                             "Double-click a row, or press Enter, to select that model.");
  note_->setText(year.isEmpty() ? ratings : ratings + "\n" + year);
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
  // The file holds the years too when they are rated.
  // The table takes them when the run's end reaches it.
  yearsWatcher_.waitForFinished();
  if (yearsWatcher_.future().resultCount() > 0) {
    const YearsRead read = yearsWatcher_.result();
    if (const auto* years = std::get_if<ComparedYears>(&read)) {
      years_ = *years;
    }
  }
  QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export CSV"), QStringLiteral("models.csv"),
                                   QStringLiteral("Comma-separated values (*.csv)"));
  if (path.isEmpty()) {
    return;
  }
  if (const auto problem =
          platform::writeFileAtomically(path.toStdString(), comparisonCsv(ratings_, years_))) {
    program_.windows.ports.messages.show(
        "The comparison could not be written to " + path.toStdString() + ": " + *problem + ".",
        windowTitle().toStdString(), platform::MessageIcon::Exclamation);
  }
}

}  // namespace ktr
