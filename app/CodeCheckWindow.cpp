#include "app/CodeCheckWindow.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AnnualOutputs.h"
#include "app/AnnualReport.h"
#include "platform/NumberText.h"
#include "ui/main/CodeCheckCase.h"
#include "units/Units.h"

namespace ktr {

namespace {

using ModCalc::CodeCheckInputs;
using ModCalc::DesignAir;

// The order of the design boxes in the window.
constexpr std::array<const char*, 8> kDesignNames = {
    "Cooling design, outdoor dry bulb", "Cooling design, outdoor wet bulb",
    "Cooling design, return dry bulb",  "Cooling design, return wet bulb",
    "Heating design, outdoor dry bulb", "Heating design, outdoor wet bulb",
    "Heating design, return dry bulb",  "Heating design, return wet bulb"};

std::array<float, 4> designValues(const DesignAir& air) {
  return {air.outdoorDryBulbF, air.outdoorWetBulbF, air.returnDryBulbF, air.returnWetBulbF};
}

QString boxText(double value) {
  return QString::fromStdString(platform::localNumberText(platform::decimalText(value)));
}

QWidget* pair(QWidget* parent, QLineEdit* dry, QLineEdit* wet, QLabel* unit) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(dry);
  layout->addWidget(new QLabel(QStringLiteral("/"), row));
  layout->addWidget(wet);
  unit->setParent(row);
  layout->addWidget(unit);
  layout->addStretch();
  return row;
}

}  // namespace

CodeCheckWindow::CodeCheckWindow(Program& program, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      program_(program),
      standard_(new QComboBox(this)),
      zone_(new QComboBox(this)),
      useSuggested_(new QPushButton(this)),
      suggested_(new QLabel(this)),
      hours_(new QComboBox(this)),
      outdoorAir_(numberEdit(0)),
      fanEfficiency_(numberEdit(0)),
      filters_(new QComboBox(this)),
      problem_(new QLabel(this)),
      verdicts_(new QLabel(this)),
      verdict_(new QLabel(this)) {
  setObjectName(kCodeCheckWindowName);
  setWindowTitle(QStringLiteral("Code Check"));
  for (QLineEdit*& edit : design_) {
    edit = numberEdit(0);
  }
  for (QLabel*& unit : units_) {
    unit = new QLabel(this);
  }
  // Named for the tests and the screenshots.
  const std::pair<QWidget*, const char*> names[] = {{standard_, "cboStandard"},
                                                    {zone_, "cboZone"},
                                                    {useSuggested_, "cmdUseSuggestedZone"},
                                                    {suggested_, "lblSuggestedZone"},
                                                    {hours_, "cboHours"},
                                                    {outdoorAir_, "txtOutdoorAir"},
                                                    {fanEfficiency_, "txtFanEfficiency"},
                                                    {filters_, "cboFilters"},
                                                    {problem_, "lblProblem"},
                                                    {verdicts_, "lblVerdicts"},
                                                    {verdict_, "lblVerdict"}};
  for (const auto& [widget, name] : names) {
    widget->setObjectName(QString::fromLatin1(name));
  }
  for (const ModCalc::EnergyCode code :
       {ModCalc::EnergyCode::Ashrae901_2019, ModCalc::EnergyCode::Eu1253_2014}) {
    standard_->addItem(QString::fromUtf8(ModCalc::energyCodeTitle(code).data(),
                                         static_cast<int>(ModCalc::energyCodeTitle(code).size())));
  }
  for (const std::string_view zone : ModCalc::kClimateZones) {
    zone_->addItem(QString::fromUtf8(zone.data(), static_cast<int>(zone.size())));
  }
  hours_->addItems(
      {QStringLiteral("Under 8,000 h a year"), QStringLiteral("8,000 h a year or more")});
  for (const std::string_view title : ModCalc::kFilterSetTitles) {
    filters_->addItem(QString::fromUtf8(title.data(), static_cast<int>(title.size())));
  }

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  auto* inputs = new QGroupBox(QStringLiteral("What the code asks of the system"), central);
  auto* form = new QFormLayout(inputs);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(QStringLiteral("&Standard:"), standard_);
  auto* zoneRow = new QWidget(inputs);
  auto* zoneLayout = new QHBoxLayout(zoneRow);
  zoneLayout->setContentsMargins(0, 0, 0, 0);
  zone_->setParent(zoneRow);
  useSuggested_->setParent(zoneRow);
  zoneLayout->addWidget(zone_);
  zoneLayout->addWidget(useSuggested_);
  zoneLayout->addStretch();
  auto* zoneLabel = new QLabel(QStringLiteral("Climate &zone:"), inputs);
  zoneLabel->setBuddy(zone_);
  form->addRow(zoneLabel, zoneRow);
  suggested_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(QString(), suggested_);
  form->addRow(QStringLiteral("Operating &hours:"), hours_);
  form->addRow(QStringLiteral("&Outdoor air, % of design flow:"), outdoorAir_);
  form->addRow(QStringLiteral("Cooling design, outdoor:"),
               pair(inputs, design_[0], design_[1], units_[0]));
  form->addRow(QStringLiteral("Cooling design, return:"),
               pair(inputs, design_[2], design_[3], units_[1]));
  form->addRow(QStringLiteral("Heating design, outdoor:"),
               pair(inputs, design_[4], design_[5], units_[2]));
  form->addRow(QStringLiteral("Heating design, return:"),
               pair(inputs, design_[6], design_[7], units_[3]));
  form->addRow(QStringLiteral("&Fan efficiency, % (EU):"), fanEfficiency_);
  form->addRow(QStringLiteral("F&ilters (EU):"), filters_);
  layout->addWidget(inputs);
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("color: #b00020;"));
  problem_->hide();
  layout->addWidget(problem_);
  auto* results = new QGroupBox(QStringLiteral("Verdicts"), central);
  auto* resultsLayout = new QVBoxLayout(results);
  verdicts_->setWordWrap(true);
  verdicts_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  resultsLayout->addWidget(verdicts_);
  QFont bold = verdict_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  verdict_->setFont(bold);
  resultsLayout->addWidget(verdict_);
  layout->addWidget(results);
  layout->addStretch();
  setCentralWidget(central);
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &QWidget::close);

  showInputs();
  for (QComboBox* box : {standard_, zone_, hours_, filters_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] { inputsChanged(); });
  }
  for (QLineEdit* edit : {outdoorAir_, fanEfficiency_}) {
    connect(edit, &QLineEdit::textEdited, this, [this] { inputsChanged(); });
  }
  for (QLineEdit* edit : design_) {
    connect(edit, &QLineEdit::textEdited, this, [this] { inputsChanged(); });
  }
  connect(useSuggested_, &QPushButton::clicked, this, [this] { useSuggestion(); });
  setMinimumWidth(560);
}

ModCalc::CodeCheckInputs& CodeCheckWindow::inputs() {
  return ui::codeCheckInputs(program_.windows);
}

QLineEdit* CodeCheckWindow::numberEdit(double value) {
  auto* edit = new QLineEdit(boxText(value), this);
  edit->setMaximumWidth(80);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

void CodeCheckWindow::showInputs() {
  const CodeCheckInputs& in = inputs();
  shown_ = in;
  shownSI_ = si();
  for (QLabel* unit : units_) {
    unit->setText(shownSI_ ? QStringLiteral("°C dry/wet bulb") : QStringLiteral("°F dry/wet bulb"));
  }
  // Shown, not typed: no check per box.
  const QSignalBlocker blockers[] = {QSignalBlocker(standard_), QSignalBlocker(zone_),
                                     QSignalBlocker(hours_), QSignalBlocker(filters_)};
  standard_->setCurrentIndex(static_cast<int>(in.code));
  const auto zone = std::find(ModCalc::kClimateZones.begin(), ModCalc::kClimateZones.end(),
                              std::string_view(in.zone));
  zone_->setCurrentIndex(static_cast<int>(zone - ModCalc::kClimateZones.begin()));
  hours_->setCurrentIndex(in.hours8000 ? 1 : 0);
  outdoorAir_->setText(boxText(in.outdoorAirPercent));
  fanEfficiency_->setText(boxText(in.fanEfficiencyPercent));
  filters_->setCurrentIndex(static_cast<int>(in.filters));
  std::size_t k = 0;
  for (const DesignAir* air : {&in.cooling, &in.heating}) {
    for (const float value : designValues(*air)) {
      shownDesign_[k] = QString::fromStdString(
          platform::localNumberText(ui::designTemperatureText(value, shownSI_)));
      design_[k]->setText(shownDesign_[k]);
      ++k;
    }
  }
  enableForCode();
}

std::optional<CodeCheckInputs> CodeCheckWindow::readInputs() {
  CodeCheckInputs in = inputs();
  in.code = static_cast<ModCalc::EnergyCode>(standard_->currentIndex());
  in.zone = std::string(ModCalc::kClimateZones[static_cast<std::size_t>(zone_->currentIndex())]);
  in.hours8000 = hours_->currentIndex() == 1;
  in.filters = static_cast<ModCalc::FilterSet>(filters_->currentIndex());
  std::array<double, 10> numbers{};
  const std::array<NumberBox, 10> boxes = {{
      {outdoorAir_, "Outdoor air, % of design flow"},
      {fanEfficiency_, "Fan efficiency, %"},
      {design_[0], kDesignNames[0]},
      {design_[1], kDesignNames[1]},
      {design_[2], kDesignNames[2]},
      {design_[3], kDesignNames[3]},
      {design_[4], kDesignNames[4]},
      {design_[5], kDesignNames[5]},
      {design_[6], kDesignNames[6]},
      {design_[7], kDesignNames[7]},
  }};
  for (std::size_t k = 0; k < boxes.size(); ++k) {
    const auto value = platform::parseNumber<double>(boxes[k].edit->text().toStdString());
    if (!value) {
      problem_->setText(QString::fromUtf8(boxes[k].name) +
                        QStringLiteral(": enter a number. The check still shows the last "
                                       "inputs that had one."));
      problem_->show();
      return std::nullopt;
    }
    numbers[k] = *value;
  }
  in.outdoorAirPercent = numbers[0];
  in.fanEfficiencyPercent = numbers[1];
  // A box left as shown keeps the value behind it: a °C figure shown
  // rounded must not move the °F one.
  const std::array<float, 4> cooling = designValues(shown_.cooling);
  const std::array<float, 4> heating = designValues(shown_.heating);
  const auto f = [&](std::size_t k) {
    if (design_[k - 2]->text() == shownDesign_[k - 2]) {
      return k < 6 ? cooling[k - 2] : heating[k - 6];
    }
    return static_cast<float>(shownSI_ ? units::fahrenheit(numbers[k]) : numbers[k]);
  };
  in.cooling = {f(2), f(3), f(4), f(5)};
  in.heating = {f(6), f(7), f(8), f(9)};
  if (const auto problem = ModCalc::codeCheckInputProblem(in)) {
    problem_->setText(QString::fromStdString(*problem) +
                      QStringLiteral(" The check still shows the last inputs that were sound."));
    problem_->show();
    return std::nullopt;
  }
  problem_->hide();
  return in;
}

void CodeCheckWindow::inputsChanged() {
  enableForCode();
  if (const auto in = readInputs()) {
    inputs() = *in;
    program_.windows.main.refreshModified();
    shown_ = *in;
    refresh();
  }
}

void CodeCheckWindow::enableForCode() {
  const bool ashrae = standard_->currentIndex() == 0;
  for (QWidget* box : std::initializer_list<QWidget*>{zone_, hours_, outdoorAir_, suggested_}) {
    box->setEnabled(ashrae);
  }
  const auto* suggestion = std::get_if<ModCalc::ZoneSuggestion>(&suggestion_);
  useSuggested_->setEnabled(ashrae && suggestion != nullptr &&
                            zone_->currentText().toStdString() != suggestion->zone);
  for (QLineEdit* edit : design_) {
    edit->setEnabled(ashrae);
  }
  fanEfficiency_->setEnabled(!ashrae);
  filters_->setEnabled(!ashrae);
}

bool CodeCheckWindow::si() const {
  return program_.state.SIUnits == 1;
}

bool CodeCheckWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    // The annual window may have opened other weather meanwhile.
    showSuggestion();
  } else if (event->type() == QEvent::Show && !sized_) {
    // Sized once, on the screen and in the fonts it shows in, with the
    // suggestion and the verdicts in place.
    sized_ = true;
    adjustSize();
    resize(std::max(width(), 720), height());
    // The wrapped verdicts are laid out for their width only once shown.
    QTimer::singleShot(0, this, [this] {
      QWidget* central = centralWidget();
      const int needed = central->layout()->totalHeightForWidth(central->width());
      if (needed > central->height()) {
        resize(width(), height() + needed - central->height());
      }
    });
  }
  return QMainWindow::event(event);
}

void CodeCheckWindow::showSuggestion() {
  const std::optional<ui::AnnualRecord>& record = program_.windows.main.annualRecord;
  const std::string path = record ? record->weatherPath : std::string();
  if (suggestedFrom_ == path) {
    return;
  }
  suggestedFrom_ = path;
  const auto weather = readWeather(path);
  // Named within a sentence, so the built-in year in lower case.
  const std::string name = path.empty() ? "the built-in year" : weatherName(path).toStdString();
  QString text;
  if (const auto* problem = std::get_if<std::string>(&weather)) {
    suggestion_ = *problem;
  } else {
    suggestion_ = ModCalc::suggestClimateZone(std::get<ModCalc::Weather>(weather));
  }
  if (const auto* suggestion = std::get_if<ModCalc::ZoneSuggestion>(&suggestion_)) {
    for (const std::string& line : ui::zoneSuggestionLines(*suggestion, name)) {
      text += (text.isEmpty() ? "" : "\n") + QString::fromStdString(line);
    }
    useSuggested_->setText(QStringLiteral("&Use %1").arg(QString::fromStdString(suggestion->zone)));
    useSuggested_->show();
  } else {
    text = QString::fromStdString("No zone suggested from " + name + ": " +
                                  std::get<std::string>(suggestion_) + ".");
    useSuggested_->hide();
  }
  suggested_->setText(text);
  enableForCode();
}

void CodeCheckWindow::useSuggestion() {
  if (const auto* suggestion = std::get_if<ModCalc::ZoneSuggestion>(&suggestion_)) {
    zone_->setCurrentText(QString::fromStdString(suggestion->zone));
  }
}

void CodeCheckWindow::refresh() {
  showSuggestion();
  if (inputs() != shown_ || si() != shownSI_) {
    showInputs();
  }
  const ModCalc::CodeCheck check = ui::checkCase(program_.engine, inputs());
  std::vector<std::string> lines = ui::codeCheckLines(check, inputs(), si());
  std::string last;
  if (!check.error) {
    last = lines.back();
    lines.pop_back();
  }
  QString text;
  for (const std::string& line : lines) {
    text += (text.isEmpty() ? "" : "\n") + QString::fromStdString(line);
  }
  if (!check.pass && !check.error) {
    for (const std::string& reason : check.reasons) {
      text += "\n" + QString::fromStdString(reason);
    }
  }
  verdicts_->setText(text);
  verdict_->setText(QString::fromStdString(last));
  verdict_->setStyleSheet(check.pass ? QStringLiteral("color: #1b5e20;")
                                     : QStringLiteral("color: #b00020;"));
}

}  // namespace ktr
