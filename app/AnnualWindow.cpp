#include "app/AnnualWindow.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <memory>
#include <utility>
#include <variant>

#include "app/AnnualOutputs.h"
#include "app/AnnualReport.h"
#include "platform/NumberText.h"
#include "ui/Calculate.h"
#include "units/Units.h"

namespace ktr {

namespace {

QDoubleSpinBox* spin(double low, double high, double value, int decimals, const QString& suffix) {
  auto* box = new QDoubleSpinBox;
  box->setRange(low, high);
  box->setDecimals(decimals);
  box->setValue(value);
  box->setSuffix(suffix);
  box->setKeyboardTracking(false);
  return box;
}

}  // namespace

class AnnualWindow::Chart final : public QWidget {
 public:
  Chart(const AnnualBars& bars, QWidget* parent) : QWidget(parent), bars_(bars) {
    setMinimumSize(560, 300);
  }
  QSize sizeHint() const override { return {820, 380}; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintAnnualChart(painter, rect(), bars_);
  }

 private:
  const AnnualBars& bars_;
};

AnnualWindow::AnnualWindow(Program& program, QWidget* parent)
    : QMainWindow(parent, Qt::Window), program_(program), si_(program.state.SIUnits == 1) {
  setObjectName(kAnnualWindowName);
  setWindowTitle(QStringLiteral("Annual Energy"));
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("Open &Weather File…"), this, [this] { openWeather(); });
  file->addAction(QStringLiteral("&Built-in Weather"), this, [this] { chooseWeather({}); });
  file->addSeparator();
  file->addAction(QStringLiteral("Export &PDF…"), this, [this] { exportPdf(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);

  auto* central = new QWidget(this);
  auto* layout = new QHBoxLayout(central);
  auto* scroll = new QScrollArea;
  scroll->setWidget(inputs());
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setMinimumWidth(scroll->widget()->sizeHint().width() + 20);
  layout->addWidget(scroll);
  auto* results = new QVBoxLayout;
  summary_ = new QLabel;
  summary_->setWordWrap(true);
  summary_->setTextFormat(Qt::PlainText);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  results->addWidget(summary_);
  chart_ = new Chart(bars_, central);
  results->addWidget(chart_, 3);
  table_ = new QTableWidget;
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  results->addWidget(table_, 2);
  layout->addLayout(results, 1);
  setCentralWidget(central);

  refresh();
  resize(sizeHint());
}

QWidget* AnnualWindow::inputs() {
  const ModCalc::OperationModel d;
  const QString degrees = si_ ? QStringLiteral(" °C") : QStringLiteral(" °F");
  const auto shown = [this](double f) { return si_ ? units::celsius(f) : f; };
  const double lowest = si_ ? -60 : -76;
  const double highest = si_ ? 50 : 122;
  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  const auto group = [column](const QString& title) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    column->addWidget(box);
    return form;
  };

  // Two boxes of one setting side by side.
  const auto pair = [](QWidget* first, QWidget* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(first);
    row->addWidget(second);
    return row;
  };

  QFormLayout* weather = group(QStringLiteral("Weather"));
  weatherLabel_ = new QLabel;
  weatherLabel_->setWordWrap(true);
  weather->addRow(weatherLabel_);
  auto* buttons = new QHBoxLayout;
  auto* open = new QPushButton(QStringLiteral("Open…"));
  auto* builtIn = new QPushButton(QStringLiteral("Built-in"));
  buttons->addWidget(open);
  buttons->addWidget(builtIn);
  weather->addRow(buttons);
  // A program setting, not the project's: the project file has no room for
  // it that files written before could still read.
  appendToReport_ = new QCheckBox(QStringLiteral("Append the annual page to the report"));
  appendToReport_->setChecked(appendsAnnualPage(program_.windows.ports.settings));
  weather->addRow(appendToReport_);
  connect(appendToReport_, &QCheckBox::toggled, this,
          [this](bool append) { setAppendsAnnualPage(program_.windows.ports.settings, append); });
  connect(open, &QPushButton::clicked, this, [this] { openWeather(); });
  connect(builtIn, &QPushButton::clicked, this, [this] { chooseWeather({}); });

  QFormLayout* schedule = group(QStringLiteral("Occupied hours"));
  from_ = new QSpinBox;
  from_->setRange(0, 24);
  from_->setValue(d.occupiedFrom);
  from_->setSuffix(QStringLiteral(":00"));
  to_ = new QSpinBox;
  to_->setRange(0, 24);
  to_->setValue(d.occupiedTo);
  to_->setSuffix(QStringLiteral(":00"));
  weekends_ = new QCheckBox(QStringLiteral("Weekends too"));
  schedule->addRow(QStringLiteral("From, to"), pair(from_, to_));
  schedule->addRow(weekends_);

  QFormLayout* ret = group(QStringLiteral("Return air"));
  coolingT_ = spin(lowest, highest, shown(d.coolingReturnF), 1, degrees);
  coolingRh_ = spin(1, 99, d.coolingReturnRhPct, 0, QStringLiteral(" % RH"));
  heatingT_ = spin(lowest, highest, shown(d.heatingReturnF), 1, degrees);
  heatingRh_ = spin(1, 99, d.heatingReturnRhPct, 0, QStringLiteral(" % RH"));
  caseReturn_ = new QCheckBox(QStringLiteral("The case's return air all year"));
  ret->addRow(QStringLiteral("Cooling"), pair(coolingT_, coolingRh_));
  ret->addRow(QStringLiteral("Heating"), pair(heatingT_, heatingRh_));
  ret->addRow(caseReturn_);

  QFormLayout* economizer = group(QStringLiteral("Economizer"));
  economizer_ = new QCheckBox(QStringLiteral("Wheel off for free cooling"));
  economizer_->setChecked(d.economizer);
  economizerLow_ = spin(lowest, highest, shown(d.economizerLowF), 1, degrees);
  economizerHigh_ = spin(lowest, highest, shown(d.economizerHighF), 1, degrees);
  economizer->addRow(economizer_);
  economizer->addRow(QStringLiteral("Between"), pair(economizerLow_, economizerHigh_));

  QFormLayout* frost = group(QStringLiteral("Frost control"));
  frost_ = new QComboBox;
  frost_->addItems(
      {QStringLiteral("Reduced speed"), QStringLiteral("Preheat"), QStringLiteral("Bypass")});
  preheat_ = spin(lowest, highest, shown(d.preheatF), 1, degrees);
  frost->addRow(QStringLiteral("Strategy"), frost_);
  frost->addRow(QStringLiteral("Preheat to"), preheat_);

  QFormLayout* fans = group(QStringLiteral("Fans"));
  fanEfficiency_ = spin(0.05, 1, d.fanEfficiency, 2, {});
  motorEfficiency_ = spin(0.05, 1, d.motorEfficiency, 2, {});
  fans->addRow(QStringLiteral("Fan efficiency"), fanEfficiency_);
  fans->addRow(QStringLiteral("Motor efficiency"), motorEfficiency_);

  QFormLayout* prices = group(QStringLiteral("Prices"));
  electricity_ = spin(0, 10, d.electricityPerKWh, 3, QStringLiteral(" per kWh"));
  fuel_ = spin(0, 100, d.fuelPerTherm, 2, QStringLiteral(" per therm"));
  cop_ = spin(0.5, 10, d.coolingCop, 2, {});
  heatingEfficiency_ = spin(0.05, 1.5, d.heatingEfficiency, 2, {});
  firstCost_ = spin(0, 1e9, d.firstCost, 0, {});
  firstCost_->setGroupSeparatorShown(true);
  prices->addRow(QStringLiteral("Electricity"), electricity_);
  prices->addRow(QStringLiteral("Fuel"), fuel_);
  prices->addRow(QStringLiteral("Cooling COP"), cop_);
  prices->addRow(QStringLiteral("Heating efficiency"), heatingEfficiency_);
  prices->addRow(QStringLiteral("First cost"), firstCost_);
  column->addStretch(1);

  for (QSpinBox* box : {from_, to_}) {
    connect(box, &QSpinBox::valueChanged, this, [this] { refresh(); });
  }
  for (QDoubleSpinBox* box : {coolingT_, coolingRh_, heatingT_, heatingRh_, economizerLow_,
                              economizerHigh_, preheat_, fanEfficiency_, motorEfficiency_,
                              electricity_, fuel_, cop_, heatingEfficiency_, firstCost_}) {
    connect(box, &QDoubleSpinBox::valueChanged, this, [this] { refresh(); });
  }
  for (QCheckBox* box : {weekends_, caseReturn_, economizer_}) {
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
  }
  connect(frost_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
  return panel;
}

void AnnualWindow::openWeather() {
  const QString path =
      QFileDialog::getOpenFileName(this, QStringLiteral("Open Weather File"), {},
                                   QStringLiteral("Weather files (*.epw *.csv);;All files (*)"));
  if (!path.isEmpty()) {
    chooseWeather(path);
  }
}

void AnnualWindow::chooseWeather(const QString& path) {
  if (loadWeather(path.toStdString())) {
    refresh();
  }
}

bool AnnualWindow::loadWeather(const std::string& path) {
  auto read = readWeather(path);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    // The year shown stays as it was.
    program_.windows.ports.messages.show(*problem, "Annual Energy",
                                         platform::MessageIcon::Exclamation);
    return false;
  }
  weather_ = std::move(std::get<ModCalc::Weather>(read));
  weatherPath_ = path;
  weatherName_ = weatherName(path);
  appendToReport_->setEnabled(!path.empty());
  appendToReport_->setToolTip(
      path.empty() ? QStringLiteral("The report carries the annual page of a project that names "
                                    "a weather file: open one first.")
                   : QStringLiteral("File, Print and Export PDF in the main window add this "
                                    "page after the report's own."));
  weatherLabel_->setText(weatherName_ + "\n" + QString::fromStdString(weather_.location) + ", " +
                         QString::fromStdString(platform::formatNumber(
                             static_cast<double>(weather_.hours.size()), "#,##0")) +
                         " hours");
  return true;
}

void AnnualWindow::setOperation(const ModCalc::OperationModel& op) {
  const auto shown = [this](double f) { return si_ ? units::celsius(f) : f; };
  const QList<QWidget*> inputs = findChildren<QWidget*>();
  std::vector<std::unique_ptr<QSignalBlocker>> quiet;
  for (QWidget* input : inputs) {
    quiet.push_back(std::make_unique<QSignalBlocker>(input));
  }
  from_->setValue(op.occupiedFrom);
  to_->setValue(op.occupiedTo);
  weekends_->setChecked(op.weekendsOccupied);
  caseReturn_->setChecked(op.caseReturnAir);
  coolingT_->setValue(shown(op.coolingReturnF));
  coolingRh_->setValue(op.coolingReturnRhPct);
  heatingT_->setValue(shown(op.heatingReturnF));
  heatingRh_->setValue(op.heatingReturnRhPct);
  economizer_->setChecked(op.economizer);
  economizerLow_->setValue(shown(op.economizerLowF));
  economizerHigh_->setValue(shown(op.economizerHighF));
  frost_->setCurrentIndex(static_cast<int>(op.frost));
  preheat_->setValue(shown(op.preheatF));
  fanEfficiency_->setValue(op.fanEfficiency);
  motorEfficiency_->setValue(op.motorEfficiency);
  electricity_->setValue(op.electricityPerKWh);
  fuel_->setValue(op.fuelPerTherm);
  cop_->setValue(op.coolingCop);
  heatingEfficiency_->setValue(op.heatingEfficiency);
  firstCost_->setValue(op.firstCost);
}

ModCalc::OperationModel AnnualWindow::operation() const {
  const auto fahrenheit = [this](const QDoubleSpinBox* box) {
    return si_ ? units::fahrenheit(box->value()) : box->value();
  };
  ModCalc::OperationModel op;
  op.occupiedFrom = from_->value();
  op.occupiedTo = to_->value();
  op.weekendsOccupied = weekends_->isChecked();
  op.caseReturnAir = caseReturn_->isChecked();
  op.coolingReturnF = fahrenheit(coolingT_);
  op.coolingReturnRhPct = coolingRh_->value();
  op.heatingReturnF = fahrenheit(heatingT_);
  op.heatingReturnRhPct = heatingRh_->value();
  op.economizer = economizer_->isChecked();
  op.economizerLowF = fahrenheit(economizerLow_);
  op.economizerHighF = fahrenheit(economizerHigh_);
  op.frost = static_cast<ModCalc::FrostControl>(frost_->currentIndex());
  op.preheatF = fahrenheit(preheat_);
  op.fanEfficiency = fanEfficiency_->value();
  op.motorEfficiency = motorEfficiency_->value();
  op.electricityPerKWh = electricity_->value();
  op.fuelPerTherm = fuel_->value();
  op.coolingCop = cop_->value();
  op.heatingEfficiency = heatingEfficiency_->value();
  op.firstCost = firstCost_->value();
  return op;
}

void AnnualWindow::refresh() {
  const bool si = program_.state.SIUnits == 1;
  if (si != si_) {
    // The temperatures follow the program's units.
    for (QDoubleSpinBox* box : {coolingT_, heatingT_, economizerLow_, economizerHigh_, preheat_}) {
      const QSignalBlocker quiet(box);
      const double value = box->value();
      box->setRange(si ? -60 : -76, si ? 50 : 122);
      box->setValue(si ? units::celsius(value) : units::fahrenheit(value));
      box->setSuffix(si ? QStringLiteral(" °C") : QStringLiteral(" °F"));
    }
    si_ = si;
  }
  // The project's record, when another project (or none) brought another.
  std::optional<ui::AnnualRecord>& stored = program_.windows.main.annualRecord;
  if (!synced_ || stored != seen_) {
    const ui::AnnualRecord record = stored.value_or(ui::AnnualRecord{});
    setOperation(record.op);
    if (!loadWeather(record.weatherPath) && !record.weatherPath.empty()) {
      loadWeather({});
    }
    synced_ = true;
  }
  preheat_->setEnabled(frost_->currentIndex() == static_cast<int>(ModCalc::FrostControl::Preheat));
  for (QDoubleSpinBox* box : {coolingT_, coolingRh_, heatingT_, heatingRh_}) {
    box->setEnabled(!caseReturn_->isChecked());
  }
  economizerLow_->setEnabled(economizer_->isChecked());
  economizerHigh_->setEnabled(economizer_->isChecked());
  const ModCalc::OperationModel op = operation();
  const ui::AnnualRecord now{weatherPath_, op};
  stored = now == ui::AnnualRecord{} ? std::nullopt : std::optional<ui::AnnualRecord>(now);
  seen_ = stored;
  program_.windows.main.refreshModified();
  ModCalc::AnnualResult year;
  if (op.occupiedFrom >= op.occupiedTo) {
    year.error = "The occupied hours must start before they end.";
  } else if (op.economizer && op.economizerLowF >= op.economizerHighF) {
    year.error = "The economizer's lower limit must be below its upper limit.";
  } else if (!program_.calculateForOutput()) {
    year.error = "The case could not be calculated; correct it and calculate again.";
  } else {
    try {
      year = ModCalc::rateYear(ModCalc::readCase(program_.engine), weather_, op, program_.catalog);
    } catch (const ModCalc::CalcError& error) {
      year.error = error.what();
    }
  }
  show(year, op);
}

void AnnualWindow::exportPdf() {
  refresh();
  if (year_.error) {
    program_.windows.ports.messages.show(*year_.error, "Annual Energy",
                                         platform::MessageIcon::Exclamation);
    return;
  }
  QString path =
      QFileDialog::getSaveFileName(this, QStringLiteral("Export PDF"), QStringLiteral("annual.pdf"),
                                   QStringLiteral("PDF documents (*.pdf)"));
  if (path.isEmpty()) {
    return;
  }
  if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
    path += QStringLiteral(".pdf");
  }
  const QString problem =
      writeAnnualReport(path, {.projectTitle = QString::fromStdString(program_.state.ProjectTitle),
                               .weatherName = weatherName_,
                               .year = year_,
                               .weather = weather_,
                               .op = op_,
                               .si = si_});
  if (!problem.isEmpty()) {
    program_.windows.ports.messages.show(problem.toStdString(), "Annual Energy",
                                         platform::MessageIcon::Exclamation);
  }
}

void AnnualWindow::show(const ModCalc::AnnualResult& year, const ModCalc::OperationModel& op) {
  year_ = year;
  op_ = op;
  table_->clearContents();
  if (year.error) {
    summary_->setText(QString::fromStdString(*year.error));
    bars_ = {};
    bars_.title = QStringLiteral("No year rated");
    chart_->update();
    return;
  }
  bars_ = annualBars(year, op, si_, QString::fromStdString(year.model) + " · " + weatherName_);
  chart_->update();

  QStringList headings;
  const std::vector<AnnualFigure> units = annualFigures(year.year, op, si_);
  for (const AnnualColumn& column : kAnnualColumns) {
    // The words over each other keep the columns narrow enough to show whole.
    headings << QString(column.heading).replace(' ', '\n') + "\n" +
                    QString::fromStdString(annualFigure(units, column.key).unit);
  }
  table_->setColumnCount(static_cast<int>(std::size(kAnnualColumns)));
  table_->setHorizontalHeaderLabels(headings);
  table_->setRowCount(13);
  QStringList rows;
  for (int row = 0; row < 13; ++row) {
    const ModCalc::EnergyTotals& totals =
        row < 12 ? year.months[static_cast<std::size_t>(row)] : year.year;
    rows << (row < 12 ? kMonthNames[row] : "Year");
    const std::vector<AnnualFigure> figures = annualFigures(totals, op, si_);
    for (int column = 0; column < table_->columnCount(); ++column) {
      const double value = annualFigure(figures, kAnnualColumns[column].key).value;
      auto* item =
          new QTableWidgetItem(QString::fromStdString(platform::formatNumber(value, "#,##0")));
      item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      if (row == 12) {
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
      }
      table_->setItem(row, column, item);
    }
  }
  table_->setVerticalHeaderLabels(rows);

  summary_->setText(QString::fromStdString(annualSummary(year, weather_, op, si_)));
}

}  // namespace ktr
