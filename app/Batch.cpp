#include "app/Batch.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <future>
#include <iostream>
#include <iterator>
#include <limits>
#include <memory>
#include <span>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <variant>

#include "app/Actions.h"
#include "app/BatchAnnual.h"
#include "app/CatalogLocations.h"
#include "app/KtrCalc.h"
#include "app/Program.h"
#include "app/UsageError.h"
#include "engine/Catalog.h"
#include "engine/CodeCheck.h"
#include "engine/Rate.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"
#include "ui/dialogs/frmInputs.h"
#include "ui/main/CaseFields.h"
#include "ui/main/ResultTexts.h"
#include "units/Units.h"

namespace ktr {

namespace {

// The names of the ScheduleColumn values, in their order.
constexpr std::array<std::string_view, kScheduleColumnCount> kInputColumns{"tag",
                                                                           "title",
                                                                           "units",
                                                                           "flow_basis",
                                                                           "volume",
                                                                           "return_volume",
                                                                           "outdoor_db",
                                                                           "outdoor_moisture",
                                                                           "return_db",
                                                                           "return_moisture",
                                                                           "moisture_kind",
                                                                           "elevation",
                                                                           "outdoor_static",
                                                                           "return_static",
                                                                           "wheel",
                                                                           "model",
                                                                           "standard",
                                                                           "zone",
                                                                           "hours_8000",
                                                                           "outdoor_air_percent",
                                                                           "weather"};

// Every column named: the enum's last value ends the list.
static_assert(!kInputColumns.back().empty());

std::string_view columnName(ScheduleColumn column) {
  return kInputColumns[static_cast<std::size_t>(column)];
}

// The code check's settings; a schedule naming any of them gets the
// kCodeCheckResults before its messages.
constexpr std::array<ScheduleColumn, 4> kCodeCheckInputs{
    ScheduleColumn::Standard, ScheduleColumn::Zone, ScheduleColumn::Hours8000,
    ScheduleColumn::OutdoorAirPercent};
constexpr std::array<std::string_view, 4> kCodeCheckResults{"code_required", "err_cooling",
                                                            "err_heating", "code_pass"};

constexpr std::array<std::string_view, 21> kResultColumns{
    "model_selected", "supply_db",     "supply_moisture", "exhaust_db",   "exhaust_moisture",
    "outdoor_scfm",   "supply_scfm",   "return_scfm",     "exhaust_scfm", "face_velocity",
    "dp_supply",      "dp_exhaust",    "purge_volume",    "e_sensible",   "e_latent",
    "e_total",        "heat_sensible", "heat_latent",     "heat_total",   "water_recovered",
    "messages"};

// Rows a worker takes at a time; the first block is rated by one worker,
// as starting others costs more than a short schedule takes.
constexpr std::size_t kRowsPerWorkerBlock = 512;

struct Choice {
  std::string_view value;
  std::string_view action;
};

// The action of `value` among `choices`; nothing, with `problem` saying
// why, when it is none of them.
std::optional<std::string_view> oneOf(std::string_view column, std::string_view value,
                                      std::initializer_list<Choice> choices, std::string& problem) {
  std::string allowed;
  for (const Choice& choice : choices) {
    if (choice.value == value) {
      return choice.action;
    }
    allowed += (allowed.empty() ? "" : ", ") + std::string(choice.value);
  }
  problem = std::string(column) + ": '" + std::string(value) + "' is none of " + allowed;
  return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A schedule number (period decimal point, as files have it) as a person
// types it into a box in the user's number conventions.
// Nothing, with `problem` saying why, for a value that is no number.
std::optional<std::string> boxText(std::string_view column, std::string_view value,
                                   std::string& problem) {
  const auto number = platform::parseInvariant<double>(value);
  if (!number || !std::isfinite(*number)) {
    problem = std::string(column) + ": '" + std::string(value) + "' is not a number";
    return std::nullopt;
  }
  return platform::localNumberText(value);
}

// Six significant digits: more than any box shows, few enough to read.
std::string resultText(double value) {
  return platform::generalText(value, 6);
}

// The results of a finished calculation's state, in the row's units and
// moisture kind.
std::vector<std::string> results(const ModCalc::CalcState& s, ui::ResultDisplay display) {
  display.streamHumidity = false;
  const ui::ResultTexts r = ui::presentRating(s, display);
  const bool si = r.display.si;
  const auto moisture = [&](float t, double grains) {
    const double m = modPsych::GrainsToMoist(t, grains, s.Patm, s.MoistInKind);
    if (!si || s.MoistInKind == 4) {
      return resultText(m);
    }
    return resultText(s.MoistInKind == 3 ? m / units::kGrainsPerGramPerKilogram
                                         : units::celsius(m));
  };
  const auto number = [](const ui::ShownFigure& figure) { return resultText(figure.value); };
  const ui::StreamTexts& supply = r.streams[1];
  const ui::StreamTexts& exhaust = r.streams[3];
  std::vector<std::string> figures;
  figures.reserve(kResultColumns.size() + kCodeCheckResults.size());
  figures.push_back(s.ModelNameSel);
  figures.push_back(number(supply.dryBulb));
  figures.push_back(moisture(s.Tsa, s.Wsa));
  figures.push_back(number(exhaust.dryBulb));
  figures.push_back(moisture(s.Tea, s.Wea));
  for (const ui::ShownFigure* figure :
       {&r.streams[0].standardVolume, &supply.standardVolume, &r.streams[2].standardVolume,
        &exhaust.standardVolume, &r.velocityOutdoor, &r.dpSupply, &r.dpExhaust, &r.purgeVolume,
        &r.eSensible, &r.eLatent, &r.eTotal, &r.heatSensible, &r.heatLatent, &r.heatTotal,
        &r.waterRecovered}) {
    figures.push_back(number(*figure));
  }
  return figures;
}

// The code check of the case rated: 1 or 0, fractions, empty where a
// condition is exempt or the check could not be made; all empty when the
// case could not be read to be checked.
std::vector<std::string> codeCheckResults(const std::optional<ModCalc::CodeCheck>& check) {
  if (!check) {
    return std::vector<std::string>(kCodeCheckResults.size());
  }
  const auto flag = [&check](bool value) {
    return check->error ? std::string() : std::string(value ? "1" : "0");
  };
  const auto fraction = [](const std::optional<double>& value) {
    return value ? resultText(*value) : std::string();
  };
  return {flag(check->required), fraction(check->errCooling), fraction(check->errHeating),
          flag(check->pass)};
}

std::string messageText(const std::vector<platform::Message>& messages) {
  std::string text;
  for (const platform::Message& m : messages) {
    text += (text.empty() ? "" : "; ") + m.title + ": " + m.text;
  }
  return text;
}

// A field a schedule column types, as the field table gives it: the column
// and the names of the boxes the row's actions type it into.
struct TypedColumn {
  ScheduleColumn column;
  std::string box;
  std::string boxSI;  // empty when the field has no SI twin
};

TypedColumn typedColumn(const ui::CaseField& field) {
  static const ModCalc::DialogFields boxes;  // only their names are read
  const auto name = [](const ui::BoxRef& box) {
    const platform::TextBox* found = ui::boxOf(box, boxes);
    return found != nullptr ? found->name() : std::string();
  };
  const auto column = std::find(kInputColumns.begin(), kInputColumns.end(),
                                std::string_view(field.column != nullptr ? field.column : ""));
  if (column == kInputColumns.end()) {
    throw std::logic_error(std::string("no schedule column types ") + field.name);
  }
  return {static_cast<ScheduleColumn>(column - kInputColumns.begin()), name(field.box),
          name(field.boxSI)};
}

// The entries with an SI twin, in the order a row types them.
struct TwinColumn {
  ModCalc::TwinEntry entry;
  TypedColumn typed;
};
const std::array<TwinColumn, 6>& twinColumns() {
  static const std::array<TwinColumn, 6> columns = [] {
    using enum ModCalc::TwinEntry;
    std::array<TwinColumn, 6> made;
    const std::array order{OutdoorDryBulb, OutdoorMoisture, ReturnDryBulb,
                           ReturnMoisture, MainVolume,      ReturnVolume};
    for (std::size_t i = 0; i < order.size(); ++i) {
      made[i] = {order[i], typedColumn(ModCalc::twinField(order[i]))};
    }
    return made;
  }();
  return columns;
}

// The settings' entries a row may type, in the order it types them.
const std::array<TypedColumn, 3>& settingColumns() {
  static const std::array<TypedColumn, 3> columns{typedColumn(ui::caseField("ElevFt")),
                                                  typedColumn(ui::caseField("PoaInWC")),
                                                  typedColumn(ui::caseField("PraInWC"))};
  return columns;
}

std::size_t indexOf(ModCalc::TwinEntry entry) {
  return static_cast<std::size_t>(entry);
}

bool isVolume(ModCalc::TwinEntry entry) {
  return entry == ModCalc::TwinEntry::MainVolume || entry == ModCalc::TwinEntry::ReturnVolume;
}

// A row's entries, checked, in the form the program takes them.
struct RowEntries {
  std::vector<std::string> code;  // the code check's settings as actions
  ModCalc::CodeCheckInputs checkInputs;
  bool si = false;
  // The settings' actions, OK last; none when the row changes no setting.
  std::vector<std::string> settings;
  std::optional<std::string> title;  // as the schedule has it
  // The twin entries as typed in the box of the row's units, in
  // ModCalc::TwinEntry order.
  std::array<std::optional<std::string>, 6> typed;
  std::string model;

  bool typesAnEntry() const {
    return title || std::any_of(typed.begin(), typed.end(), [](const auto& t) { return t; });
  }
};

// The row's entries, or what names the field of the first value that cannot
// be typed. Bad rows are usual in a schedule: they are told, not thrown.
std::variant<RowEntries, std::string> rowEntries(const ScheduleColumns& columns,
                                                 const CsvRecord& row) {
  const std::vector<std::string>& names = columns.names();
  if (!row.problem.empty()) {
    return row.problem;
  }
  if (row.fields.size() == 1 && row.fields.front().empty() && names.size() > 1) {
    return std::string("the row is empty");
  }
  if (row.fields.size() != names.size()) {
    return "the row has " + std::to_string(row.fields.size()) + " fields, the first row names " +
           std::to_string(names.size()) + " columns";
  }
  const auto given = [&](ScheduleColumn column) { return columns.value(row, column); };
  std::string problem;
  RowEntries e;
  // The code check's settings change no rating and press no button.
  if (const std::string_view standard = given(ScheduleColumn::Standard); !standard.empty()) {
    if (!oneOf("standard", standard, {{"ashrae-90.1-2019", ""}, {"eu-1253-2014", ""}}, problem)) {
      return problem;
    }
    e.code.insert(e.code.end(), {"--standard", std::string(standard)});
    e.checkInputs.code = *ModCalc::energyCodeNamed(standard);
  }
  if (const std::string_view zone = given(ScheduleColumn::Zone); !zone.empty()) {
    if (!ModCalc::isClimateZone(zone)) {
      return "zone: '" + std::string(zone) + "' is not a climate zone from 0A to 6B, 7 or 8";
    }
    e.code.insert(e.code.end(), {"--zone", std::string(zone)});
    e.checkInputs.zone = zone;
  }
  if (const std::string_view hours = given(ScheduleColumn::Hours8000); !hours.empty()) {
    const auto action = oneOf("hours_8000", hours, {{"0", "0"}, {"1", "1"}}, problem);
    if (!action) {
      return problem;
    }
    if (*action == "1") {
      e.code.emplace_back("--hours-8000");
      e.checkInputs.hours8000 = true;
    }
  }
  if (const std::string_view percent = given(ScheduleColumn::OutdoorAirPercent); !percent.empty()) {
    const auto value = platform::parseInvariant<double>(percent);
    if (!value || !(*value > 0 && *value <= 100)) {
      return "outdoor_air_percent: '" + std::string(percent) +
             "' is not a number above 0 and at most 100";
    }
    e.code.insert(e.code.end(), {"--outdoor-air-percent", std::string(percent)});
    e.checkInputs.outdoorAirPercent = *value;
  }
  std::vector<std::string>& settings = e.settings;
  if (const std::string_view units = given(ScheduleColumn::Units); !units.empty()) {
    const auto action = oneOf("units", units, {{"ip", ""}, {"si", "si"}}, problem);
    if (!action) {
      return problem;
    }
    e.si = *action == "si";
  }
  if (e.si) {
    settings.emplace_back("--si-toggle");
  }
  // Each setting given: the action that sets it.
  const auto setting = [&](std::optional<std::string_view> action) {
    if (action) {
      settings.emplace_back(*action);
    }
    return action.has_value();
  };
  if (const std::string_view basis = given(ScheduleColumn::FlowBasis);
      !basis.empty() && !setting(oneOf("flow_basis", basis,
                                       {{"outdoor", "optOutdoor=1"},
                                        {"supply", "optSupply=1"},
                                        {"outdoor_actual", "optOutdoorActual=1"},
                                        {"supply_actual", "optSupplyActual=1"}},
                                       problem))) {
    return problem;
  }
  if (const std::string_view kind = given(ScheduleColumn::MoistureKind);
      !kind.empty() &&
      // The SI forms of dew point, wet bulb and humidity ratio are four
      // options further on; relative humidity has one option for both.
      !setting(e.si ? oneOf("moisture_kind", kind,
                            {{"dew_point", "optMoistIn(4)=1"},
                             {"wet_bulb", "optMoistIn(5)=1"},
                             {"humidity_ratio", "optMoistIn(6)=1"},
                             {"rh", "optMoistIn(3)=1"}},
                            problem)
                    : oneOf("moisture_kind", kind,
                            {{"dew_point", "optMoistIn(0)=1"},
                             {"wet_bulb", "optMoistIn(1)=1"},
                             {"humidity_ratio", "optMoistIn(2)=1"},
                             {"rh", "optMoistIn(3)=1"}},
                            problem))) {
    return problem;
  }
  for (const TypedColumn& setting : settingColumns()) {
    if (const std::string_view typed = given(setting.column); !typed.empty()) {
      const auto text = boxText(columnName(setting.column), typed, problem);
      if (!text) {
        return problem;
      }
      settings.push_back(setting.box + "=" + *text);
    }
  }
  if (const std::string_view wheel = given(ScheduleColumn::Wheel);
      !wheel.empty() &&
      !setting(oneOf("wheel", wheel, {{"total", "KTRSel=1"}, {"sensible", "KSRSel=1"}}, problem))) {
    return problem;
  }
  // The settings first: their OK re-expresses the moisture boxes in the
  // chosen kind, which must not touch the row's own moisture values. A row
  // that changes no setting leaves the dialog alone, as a person would.
  if (!settings.empty()) {
    settings.emplace_back("--settings-ok");
  }
  if (!given(ScheduleColumn::Title).empty()) {
    e.title = std::string(columns.field(row, ScheduleColumn::Title));
  }
  for (const auto& [entry, typed] : twinColumns()) {
    if (const std::string_view value = given(typed.column); !value.empty()) {
      auto text = boxText(columnName(typed.column), value, problem);
      if (!text) {
        return problem;
      }
      e.typed[indexOf(entry)] = std::move(text);
    }
  }
  e.model = given(ScheduleColumn::Model);
  return e;
}

// The ktr-calc actions that type the row's case and calculate it.
std::vector<std::string> typedActions(const RowEntries& e) {
  std::vector<std::string> actions = e.code;
  actions.insert(actions.end(), e.settings.begin(), e.settings.end());
  if (e.title) {
    static const std::string titleBox = typedColumn(ui::caseField("ProjectTitle")).box;
    actions.push_back(titleBox + "=" + *e.title);
  }
  for (const auto& [entry, typed] : twinColumns()) {
    if (const auto& text = e.typed[indexOf(entry)]) {
      actions.push_back((e.si ? typed.boxSI : typed.box) + "=" + *text);
    }
  }
  // Settings OK calculated; Calculate is offered again only by an entry.
  if (e.settings.empty() || e.typesAnEntry()) {
    actions.emplace_back("--calc");
  }
  // A model of one's own is picked from the list the calculation offers,
  // then calculated again.
  if (!e.model.empty()) {
    actions.push_back("lstWheel=" + e.model);
    actions.emplace_back("--calc");
  }
  return actions;
}

// Why `model` cannot be picked from the model list `items`.
std::string modelProblem(const std::vector<std::string>& items, const std::string& model,
                         const ModCalc::ModelCatalog& catalog, std::int16_t modelCount) {
  const auto& names = catalog.ModelName;
  const auto last = names.begin() + 1 + modelCount;
  std::string listed;
  for (const std::string& item : items) {
    listed += (listed.empty() ? "" : " ") + item;
  }
  return "model: '" + model + "' is " +
         (std::find(names.begin() + 1, last, model) == last
              ? std::string("not in the catalog")
              : "not offered for this volume; the list offers " + listed);
}

platform::Message shownMessage(std::string text, const char* title) {
  return {title, std::move(text), platform::MessageIcon::Exclamation};
}

// What the program holds between the calculations of a row, as far as the
// next calculation, the model list and the results read it.
struct Held {
  ModCalc::Case c;                     // the case as read, but for the twin entries' numbers
  std::array<std::string, 6> english;  // the twin boxes' texts, TwinEntry order
  std::array<std::string, 6> si;
  std::array<bool, 6> changed{};  // the box was written since the case was read
  std::string title;              // txtTitle
  std::shared_ptr<const std::vector<std::string>> list;  // lstWheel's entries
  bool frost = false;                                    // the frost indication shows
  bool condensing = false;  // the supply's condensation indication shows
  ModCalc::CalcState state;
  bool finished = false;  // the last calculation finished
};

// readCase of what is held: the twin entries whose boxes changed read from
// their texts, the others as last read. Throws CalcError as readCase does.
const ModCalc::Case& readHeld(Held& held) {
  ModCalc::Case& c = held.c;
  std::array<double, 6> values{c.outdoorDryBulbF, c.returnDryBulbF, c.outdoorMoisture,
                               c.returnMoisture,  c.mainVolumeCfm,  c.returnVolumeCfm};
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (held.changed[i]) {
      values[i] =
          ModCalc::readTwinEntry(static_cast<ModCalc::TwinEntry>(i), held.english[i], held.si[i],
                                 held.state.SIUnits, held.state.MoistInOption, c.flowBasis);
    }
  }
  c.outdoorDryBulbF = static_cast<float>(values[0]);
  c.returnDryBulbF = static_cast<float>(values[1]);
  c.outdoorMoisture = values[2];
  c.returnMoisture = values[3];
  c.mainVolumeCfm = values[4];
  c.returnVolumeCfm = static_cast<float>(values[5]);
  held.changed.fill(false);
  return c;
}

// A row whose rating writes what the direct path does not follow (an entry
// the rating corrected, a figure with no number): it is typed instead.
struct TypeTheRow {};

// What one row gave.
struct Outcome {
  std::vector<platform::Message> shown;
  std::vector<std::string> results;    // none when the last calculation stopped
  std::optional<ModCalc::Case> rated;  // the case the results are of, when readable
};

// Rates rows one at a time, each giving what typing it into a freshly
// started program gives. A row's case is built and rated directly from
// where the program stands once the row's settings are taken; that point
// is found by typing the settings into a program, once per set of settings.
// A row the direct path does not follow is typed into that program, which
// is put back as it started after every row.
class RowRater {
 public:
  // Throws ui::StartupError when the program cannot start with the catalog.
  RowRater(const ScheduleColumns& columns, const ModCalc::CatalogFile& catalog,
           WeatherFiles& weather, bool typedOnly)
      : columns_(columns),
        weather_(weather),
        typedOnly_(typedOnly),
        program_(std::make_unique<Program>(ui::Ports{.messages = messages_,
                                                     .settings = settings_,
                                                     .help = help_,
                                                     .screen = headlessScreen(),
                                                     .catalogCandidates = {catalog.path},
                                                     .catalogRead = &catalog,
                                                     .clipboard = clipboard_})) {
    if (const auto problem = program_->start()) {
      throw ui::StartupError(*problem);
    }
    program_->windows.splash.dismiss();
    // A row's figures are read from the state: the captions are never seen.
    program_->engine.redraw = nullptr;
    startup_.emplace(*program_);
    controls_ = namedControls(program_->windows.all());
  }

  // Appends the row's result line to `to`.
  void rate(const CsvRecord& row, ResultLines& to) {
    const bool year = columns_.namesWeather();
    const std::size_t figureCount = kResultColumns.size() - 1 +
                                    (columns_.checksCode() ? kCodeCheckResults.size() : 0) +
                                    (year ? kYearColumns.size() : 0);
    const auto error = [&row](std::string_view text) {
      return "Error: line " + std::to_string(row.line) + ": " + std::string(text);
    };
    std::vector<std::string> rated;  // none when the case was not calculated
    std::string messages;
    bool typedRow = false;
    try {
      auto read = rowEntries(columns_, row);
      if (const auto* problem = std::get_if<std::string>(&read)) {
        messages = error(*problem);
      } else {
        const RowEntries& entries = std::get<RowEntries>(read);
        std::optional<Outcome> outcome = typedOnly_ ? std::nullopt : direct(entries);
        if (!outcome) {
          typedRow = true;
          outcome = typed(entries);
        }
        messages = messageText(outcome->shown);
        if (!outcome->results.empty()) {
          std::vector<std::string> figures = std::move(outcome->results);
          if (columns_.checksCode()) {
            const std::vector<std::string> code = codeCheckResults(
                outcome->rated ? std::optional(ModCalc::checkCode(
                                     *outcome->rated, program_->catalog, entries.checkInputs))
                               : std::nullopt);
            figures.insert(figures.end(), code.begin(), code.end());
          }
          if (year) {
            // The case is rated whatever its weather: only the year is missing.
            std::string problem;
            const std::vector<std::string> texts = yearColumns(row, outcome->rated, problem);
            figures.insert(figures.end(), texts.begin(), texts.end());
            if (!problem.empty()) {
              messages += (messages.empty() ? "" : "; ") + error(problem);
            }
          }
          rated = std::move(figures);
        }
      }
    } catch (const std::exception& failure) {
      // Whatever else stops one case must not stop the others.
      rated.clear();
      messages = error(failure.what());
    }
    // The schedule's fields (as many as it names columns), the figures and
    // the messages, as csvLine writes them.
    std::string& line = to.text;
    const std::size_t columns = columns_.names().size();
    for (std::size_t i = 0; i < columns; ++i) {
      appendCsvField(line, i < row.fields.size() ? std::string_view(row.fields[i]) : "");
      line += ',';
    }
    for (const std::string& figure : rated) {
      appendCsvField(line, figure);
      line += ',';
    }
    if (rated.empty()) {
      line.append(figureCount, ',');
    }
    appendCsvField(line, messages);
    line += "\r\n";
    ++to.rows;
    to.rated += rated.empty() ? 0 : 1;
    to.typed += typedRow ? 1 : 0;
  }

 private:
  // The row's year in the weather it names; empty where its case cannot be
  // read, or where the weather cannot be rated, which `problem` then says.
  std::vector<std::string> yearColumns(const CsvRecord& row,
                                       const std::optional<ModCalc::Case>& rated,
                                       std::string& problem) {
    if (!rated) {
      return std::vector<std::string>(kYearColumns.size());
    }
    auto texts = rowYearColumns(std::string(columns_.value(row, ScheduleColumn::Weather)), weather_,
                                *rated, program_->catalog, rated->SIUnits == 1);
    if (auto* why = std::get_if<std::string>(&texts)) {
      problem = std::move(*why);
      return std::vector<std::string>(kYearColumns.size());
    }
    return std::get<std::vector<std::string>>(std::move(texts));
  }

  // The program once a row's settings are taken (as started when the row
  // changes none).
  struct Settled {
    bool direct = false;  // false: the settings stopped short, rows are typed
    std::vector<platform::Message> shown;
    Held held;
    ui::ResultDisplay display;
  };

  std::optional<Outcome> direct(const RowEntries& e) {
    const Settled& settled = settledFor(e.settings);
    if (!settled.direct) {
      return std::nullopt;
    }
    // Assigned, not copied: the working copy's strings keep their room.
    work_ = settled.held;
    Held& held = work_;
    Outcome outcome{settled.shown, {}, {}};
    try {
      if (e.settings.empty() || e.typesAnEntry()) {
        type(held, e);
        calculate(held, outcome.shown);
      }
      if (!e.model.empty()) {
        if (std::find(held.list->begin(), held.list->end(), e.model) == held.list->end()) {
          throw RowError(
              modelProblem(*held.list, e.model, program_->catalog, held.state.ModelCount));
        }
        held.c.model = e.model;
        calculate(held, outcome.shown);
      }
    } catch (const TypeTheRow&) {
      return std::nullopt;
    }
    if (held.finished) {
      outcome.results = results(held.state, settled.display);
      // The windows stop a run that would show a figure that is no number;
      // typing the row gives their message. The first column is the model.
      if (std::any_of(
              std::next(outcome.results.begin()), outcome.results.end(), [](const std::string& t) {
                return t.find("nan") != std::string::npos || t.find("inf") != std::string::npos;
              })) {
        return std::nullopt;
      }
      outcome.rated = readHeld(held);
    }
    return outcome;
  }

  // The row's entries typed into the held boxes.
  static void type(Held& held, const RowEntries& e) {
    for (const TwinColumn& column : twinColumns()) {
      const std::size_t i = indexOf(column.entry);
      if (!e.typed[i]) {
        continue;
      }
      // The English box of an SI entry takes its conversion; in an English
      // row the SI twin is never read.
      if (e.si) {
        held.si[i] = *e.typed[i];
        if (const auto typed = platform::parseNumber<double>(held.si[i])) {
          const std::optional<double> english =
              ui::typedEnglish(ModCalc::twinField(column.entry).kind, *typed,
                               held.state.SIFlowFactor, held.state.MoistInOption);
          held.english[i] = english ? platform::tidyText(*english) : "";
        }
      } else {
        held.english[i] = *e.typed[i];
      }
      held.changed[i] = true;
      if (isVolume(column.entry)) {
        held.c.selectModel = true;  // a new volume asks for a new selection
      }
    }
    if (e.title) {
      held.title = *e.title;
    }
  }

  // Calculate on what is held, as the inputs dialog's button runs it.
  void calculate(Held& held, std::vector<platform::Message>& shown) const {
    held.state.ProjectTitle = held.title;
    held.c.title = held.title;
    held.finished = false;
    const ModCalc::Case* read = nullptr;
    try {
      read = &readHeld(held);
    } catch (const ModCalc::CalcError& error) {
      shown.push_back(shownMessage(error.what(), "Error"));
      return;
    }
    const ModCalc::Case& c = *read;
    ModCalc::Rating rating = ModCalc::rate(c, program_->catalog);
    for (const ModCalc::Warning& warning : rating.warnings) {
      if (!ModCalc::isIndication(warning.kind)) {
        shown.push_back(shownMessage(warning.text, "Warning"));
      }
    }
    if (!rating.completed()) {
      shown.push_back(shownMessage(*rating.error, "Error"));
      return;
    }
    if (!rating.entries.empty() || !std::isfinite(rating.shownMainVolume) ||
        !std::isfinite(rating.shownReturnVolume)) {
      throw TypeTheRow{};
    }
    // What the rating leaves in the boxes and the state is read back into
    // the held case itself.
    const bool selected = c.selectModel;
    ModCalc::takeResults(held.state, c, std::move(rating.results));
    ModCalc::takeStateInto(held.c, held.state);
    if (selected) {
      auto offered =
          std::make_shared<const std::vector<std::string>>(std::move(rating.offeredModels));
      held.c.model = offered->empty() ? std::string() : offered->front();
      held.list = std::move(offered);
    }
    held.c.custom.faceAreaFt2 = rating.customFaceAreaFt2;
    held.c.custom.purgeCfm = rating.customPurgeCfm;
    for (const auto& [entry, volume] :
         {std::pair{ModCalc::TwinEntry::MainVolume, rating.shownMainVolume},
          {ModCalc::TwinEntry::ReturnVolume, rating.shownReturnVolume}}) {
      held.english[indexOf(entry)] = platform::tidyText(volume);
      held.changed[indexOf(entry)] = true;
    }
    for (std::string& warning : ModCalc::indicationWarnings(rating, held.frost, held.condensing)) {
      shown.push_back(shownMessage(std::move(warning), "Warning"));
    }
    held.frost = rating.frost;
    held.condensing = rating.supplySupersaturated;
    held.finished = true;
    // The volumes as written back must read as the next reading takes them.
    try {
      readHeld(held);
    } catch (const ModCalc::CalcError&) {
      throw TypeTheRow{};
    }
  }

  const Settled& settledFor(const std::vector<std::string>& settings) {
    std::string key;
    for (const std::string& action : settings) {
      key += action + '\n';
    }
    if (const auto found = settled_.find(key); found != settled_.end()) {
      return found->second;
    }
    // A schedule of many different settings keeps no more than these.
    constexpr std::size_t kMostSettled = 256;
    if (settled_.size() == kMostSettled) {
      settled_.clear();
    }
    return settled_.emplace(key, settle(settings)).first->second;
  }

  // Types `actions` into the program, the last of them (the settings' OK or
  // Calculate) calculating; true when that calculation finished, as a run
  // that stops leaves Calculate offered. Throws UsageError for an action
  // the program does not take.
  bool typeAndCalculate(const std::vector<std::string>& actions) {
    Program& program = *program_;
    discarded_.str({});
    Session session{discarded_, messages_, clipboard_};
    const std::vector<Step> steps = planSteps(readPlan(actions), controls_);
    for (std::size_t i = 0; i < steps.size(); ++i) {
      if (i + 1 == steps.size()) {
        program.windows.inputs.ChangeStatus();
      }
      steps[i](program, session);
    }
    return program.state.Status.current;
  }

  Settled settle(const std::vector<std::string>& settings) {
    Program& program = *program_;
    messages_.clear();
    const StartupState::Case fresh(program, *startup_);
    Settled settled;
    if (!settings.empty()) {
      try {
        if (!typeAndCalculate(settings)) {
          return settled;
        }
      } catch (const UsageError&) {
        return settled;
      }
    }
    Held& held = settled.held;
    try {
      held.c = ModCalc::readCase(program.engine);
    } catch (const ModCalc::CalcError&) {
      return settled;
    }
    for (std::size_t i = 0; i < held.english.size(); ++i) {
      const ui::CaseField& field = ModCalc::twinField(static_cast<ModCalc::TwinEntry>(i));
      held.english[i] = ui::boxOf(field.box, program.fields)->text();
      held.si[i] = ui::boxOf(field.boxSI, program.fields)->text();
    }
    const ModCalc::InputsFields& in = program.fields.inputs;
    held.title = in.txtTitle.text();
    held.list = std::make_shared<const std::vector<std::string>>(in.lstWheel.items());
    held.frost = program.state.Status.frost;
    held.condensing = program.state.Status.supplyCondensing;
    held.state = program.state;
    held.finished = !settings.empty();
    settled.shown = messages_.messages();
    settled.display = ui::shownDisplay(program.state, program.fields.settings);
    settled.direct = true;
    return settled;
  }

  Outcome typed(const RowEntries& entries) {
    Program& program = *program_;
    messages_.clear();
    const StartupState::Case fresh(program, *startup_);
    bool finished = false;
    try {
      finished = typeAndCalculate(typedActions(entries));
    } catch (const UsageError& error) {
      const auto& items = program.fields.inputs.lstWheel.items();
      throw RowError(
          entries.model.empty() ||
                  std::find(items.begin(), items.end(), entries.model) != items.end()
              ? std::string(error.what())
              : modelProblem(items, entries.model, program.catalog, program.state.ModelCount));
    }
    Outcome outcome{messages_.messages(), {}, {}};
    if (finished) {
      outcome.results =
          results(program.state, ui::shownDisplay(program.state, program.fields.settings));
      try {
        outcome.rated = ModCalc::readCase(program.engine);
      } catch (const ModCalc::CalcError&) {
        // The code check names no verdict for a case it cannot read.
      }
    }
    return outcome;
  }

  const ScheduleColumns& columns_;
  WeatherFiles& weather_;
  const bool typedOnly_;
  platform::HeadlessMessageBox messages_;
  platform::MemorySettingsStore settings_;
  platform::RecordingHelpViewer help_;
  platform::MemoryClipboard clipboard_;
  std::unique_ptr<Program> program_;
  std::optional<StartupState> startup_;
  std::vector<NamedControl> controls_;
  std::ostringstream discarded_;  // what a case would print
  std::unordered_map<std::string, Settled> settled_;
  Held work_;  // the row being rated directly
};

}  // namespace

ScheduleColumns::ScheduleColumns(const std::vector<std::string>& header) {
  at_.fill(kAbsent);
  std::vector<std::string> unknown;
  for (const std::string& name : header) {
    const std::string column(trimmed(name));
    if (std::find(names_.begin(), names_.end(), column) != names_.end()) {
      throw UsageError("the schedule names the column '" + column + "' twice");
    }
    const auto known = std::find(kInputColumns.begin(), kInputColumns.end(), column);
    if (known == kInputColumns.end()) {
      unknown.push_back("'" + column + "'");
    } else {
      at_[static_cast<std::size_t>(known - kInputColumns.begin())] = names_.size();
    }
    names_.push_back(column);
  }
  if (!unknown.empty()) {
    std::string list;
    for (const std::string& name : unknown) {
      list += (list.empty() ? "" : ", ") + name;
    }
    throw UsageError("unknown column" + std::string(unknown.size() > 1 ? "s " : " ") + list +
                     " in the schedule's first row");
  }
}

std::vector<std::string> ScheduleColumns::resultHeader() const {
  std::vector<std::string> header = names_;
  header.insert(header.end(), kResultColumns.begin(), kResultColumns.end() - 1);
  if (checksCode()) {
    header.insert(header.end(), kCodeCheckResults.begin(), kCodeCheckResults.end());
  }
  if (namesWeather()) {
    header.insert(header.end(), kYearColumns.begin(), kYearColumns.end());
  }
  header.emplace_back(kResultColumns.back());
  return header;
}

bool ScheduleColumns::checksCode() const {
  return std::any_of(kCodeCheckInputs.begin(), kCodeCheckInputs.end(),
                     [this](ScheduleColumn column) { return names(column); });
}

bool ScheduleColumns::namesWeather() const {
  return names(ScheduleColumn::Weather);
}

bool ScheduleColumns::names(ScheduleColumn column) const {
  return at_[static_cast<std::size_t>(column)] != kAbsent;
}

std::string_view ScheduleColumns::field(const CsvRecord& row, ScheduleColumn column) const {
  const std::size_t at = at_[static_cast<std::size_t>(column)];
  return at == kAbsent ? std::string_view() : std::string_view(row.fields[at]);
}

std::string_view ScheduleColumns::value(const CsvRecord& row, ScheduleColumn column) const {
  return trimmed(field(row, column));
}

std::vector<std::string> ScheduleColumns::actions(const CsvRecord& row) const {
  auto read = rowEntries(*this, row);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    throw RowError(*problem);
  }
  return typedActions(std::get<RowEntries>(read));
}

void ResultLines::start(std::size_t from, std::size_t to) {
  text.clear();
  first = from;
  end = to;
  rows = rated = typed = 0;
}

bool writeInOrder(std::span<const ResultLines> lines, std::ostream& out, ScheduleCount& count) {
  for (const ResultLines& from : lines) {
    out << from.text;
    count.rows += from.rows;
    count.rated += from.rated;
    count.typed += from.typed;
    if (from.first + from.rows != from.end) {
      return false;
    }
  }
  return true;
}

ScheduleCount rateSchedule(std::istream& in, std::ostream& out, const BatchOptions& options) {
  CsvReader reader(in);
  const std::optional<CsvRecord> header = reader.next();
  if (!header) {
    throw UsageError("the schedule is empty: its first row must name the columns");
  }
  if (!header->problem.empty()) {
    throw UsageError("the schedule's first row: " + header->problem);
  }
  const ScheduleColumns columns(header->fields);
  const std::vector<std::filesystem::path> catalog =
      options.catalog ? std::vector<std::filesystem::path>{*options.catalog}
                      : catalogCandidates(ModCalc::CatalogFileName(0));
  const auto read = ModCalc::ReadCatalog(catalog);
  if (const auto* problem = std::get_if<std::string>(&read)) {
    throw ui::StartupError(*problem);
  }
  const auto& catalogFile = std::get<ModCalc::CatalogFile>(read);
  // One program per worker, each on a thread of its own; the first is
  // started now so a catalog the program refuses stops the run at once.
  WeatherFiles weather(options.scheduleFolder);
  std::vector<std::unique_ptr<RowRater>> raters;
  raters.push_back(std::make_unique<RowRater>(columns, catalogFile, weather, options.typedRows));
  out << csvLine(columns.resultHeader());
  const unsigned workers =
      options.jobs != 0 ? options.jobs : std::max(1U, std::thread::hardware_concurrency());
  const auto stopped = [&options] { return options.stop != nullptr && options.stop->load(); };
  ScheduleCount count;
  std::size_t& written = count.rows;
  // Rows are read, rated and written a block at a time, so memory stays the
  // same however long the schedule is; the rows' and the lines' storage is
  // kept from block to block.
  std::vector<CsvRecord> rows;
  std::vector<ResultLines> slices(workers);
  while (!stopped()) {
    const std::size_t blockSize =
        written == 0 ? kRowsPerWorkerBlock : kRowsPerWorkerBlock * workers;
    if (rows.size() < blockSize) {
      rows.resize(blockSize);
    }
    std::size_t read = 0;
    while (read < blockSize && reader.next(rows[read])) {
      ++read;
    }
    if (read == 0) {
      break;
    }
    const std::size_t used = std::clamp<std::size_t>(read / kRowsPerWorkerBlock, 1, workers);
    const std::size_t per = (read + used - 1) / used;
    while (raters.size() < used) {
      raters.push_back(
          std::make_unique<RowRater>(columns, catalogFile, weather, options.typedRows));
    }
    const auto rateSlice = [&](std::size_t slice) {
      ResultLines& to = slices[slice];
      to.start(slice * per, std::min(read, (slice + 1) * per));
      for (std::size_t i = to.first; i < to.end && !stopped(); ++i) {
        raters[slice]->rate(rows[i], to);
      }
    };
    std::vector<std::future<void>> helpers;
    std::vector<std::size_t> unstarted;
    for (std::size_t slice = 1; slice < used; ++slice) {
      try {
        helpers.push_back(std::async(std::launch::async, rateSlice, slice));
      } catch (const std::system_error&) {
        // No thread to be had (a process limit): rated here instead.
        unstarted.push_back(slice);
      }
    }
    rateSlice(0);
    for (const std::size_t slice : unstarted) {
      rateSlice(slice);
    }
    for (std::future<void>& helper : helpers) {
      helper.get();
    }
    const bool whole = writeInOrder(std::span(slices).first(used), out, count);
    out.flush();
    if (!out) {
      break;  // the caller reports the output that failed
    }
    if (options.progress) {
      options.progress(written);
    }
    if (!whole) {
      break;  // a stop left rows unrated
    }
  }
  return count;
}

namespace {

std::atomic<bool> interrupted{false};

extern "C" void onInterrupt(int /*signal*/) {
  interrupted = true;
}

constexpr int kCannotStart = 1;
constexpr int kFileFailed = 3;
constexpr int kInterrupted = 130;  // what a shell reports for Ctrl+C

struct BatchArguments {
  std::filesystem::path schedule;
  std::optional<std::filesystem::path> results;
  BatchOptions options;
};

BatchArguments readBatchArguments(const std::vector<std::string>& args) {
  BatchArguments read;
  bool haveSchedule = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto argument = [&]() -> const std::string& {
      if (i + 1 == args.size()) {
        throw UsageError("batch: " + arg + " needs a value");
      }
      return args[++i];
    };
    if (arg == "-o" || arg == "--output") {
      const std::string& results = argument();
      // - is standard output, as without -o.
      read.results = results == "-" ? std::nullopt : std::optional<std::filesystem::path>(results);
    } else if (arg == "--catalog") {
      read.options.catalog = argument();
    } else if (arg == "--jobs") {
      const std::string& count = argument();
      const auto jobs = platform::parseInvariant<double>(count);
      if (!jobs || *jobs < 1 || *jobs > 256 || *jobs != std::floor(*jobs)) {
        throw UsageError("batch: --jobs takes a whole number from 1 to 256, not '" + count + "'");
      }
      read.options.jobs = static_cast<unsigned>(*jobs);
    } else if (arg.starts_with("-") && arg != "-") {
      throw UsageError("batch: unknown option '" + arg + "' (see ktr-calc --help)");
    } else if (haveSchedule) {
      throw UsageError("batch: one schedule at a time, not also '" + arg + "'");
    } else {
      read.schedule = arg;
      haveSchedule = true;
    }
  }
  if (!haveSchedule) {
    throw UsageError("batch needs a schedule: ktr-calc batch SCHEDULE.csv [-o RESULTS.csv]");
  }
  return read;
}

}  // namespace

int runBatchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (std::find(args.begin(), args.end(), "--help") != args.end() ||
      std::find(args.begin(), args.end(), "-h") != args.end()) {
    out << batchHelpText().substr(1);
    return 0;
  }
  BatchArguments read = readBatchArguments(args);
  const bool fromInput = read.schedule == "-";
  read.options.scheduleFolder = fromInput ? "" : read.schedule.parent_path();
  const std::string scheduleName = fromInput ? "standard input" : read.schedule.string();
  std::ifstream scheduleFile;
  if (!fromInput) {
    // A pipe or device is refused before it is opened: it may never end.
    const auto refused =
        platform::refusedFile(read.schedule, std::numeric_limits<std::size_t>::max());
    if (refused) {
      err << "ktr-calc: batch: the schedule " << scheduleName << " "
          << (refused->kind == platform::ReadRefusal::Kind::System
                  ? "cannot be read: " + refused->reason
                  : platform::refusalText(*refused, "schedule"))
          << '\n';
      return kFileFailed;
    }
    scheduleFile.open(read.schedule, std::ios::binary);
    if (!scheduleFile) {
      err << "ktr-calc: batch: the schedule " << scheduleName << " cannot be read\n";
      return kFileFailed;
    }
  }
  std::istream& schedule = fromInput ? std::cin : scheduleFile;
  std::error_code ignored;
  if (read.results && !fromInput &&
      std::filesystem::equivalent(read.schedule, *read.results, ignored)) {
    throw UsageError("batch: the results would overwrite the schedule " + scheduleName);
  }
  // Results go to a temporary file of this run's own, renamed over the
  // target at the end, so a run that fails leaves an earlier results file as
  // it was, and two runs to one path each leave a whole file.
  std::optional<platform::AtomicFileWriter> file;
  const auto cannotWrite = [&](const std::string& why) {
    err << "ktr-calc: batch: the results cannot be written to " << read.results->string() << ": "
        << why << '\n';
    return kFileFailed;
  };
  if (read.results) {
    file.emplace(read.results->string());
    if (file->problem()) {
      return cannotWrite(*file->problem());
    }
  }
  std::ostream& results = file ? file->stream() : out;

  const auto size = fromInput ? 0 : std::filesystem::file_size(read.schedule, ignored);
  const auto started = std::chrono::steady_clock::now();
  bool progressShown = false;
  if (isatty(STDERR_FILENO) == 1) {
    read.options.progress = [&](std::size_t rows) {
      const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
      if (elapsed.count() < 1) {
        return;
      }
      const auto at = static_cast<double>(schedule.tellg());
      err << "\rktr-calc batch: " << rows << " rows rated";
      if (size > 0 && at >= 0) {
        err << ", " << static_cast<int>(100 * at / static_cast<double>(size))
            << " % of the schedule";
      }
      err << ", " << static_cast<long>(static_cast<double>(rows) / elapsed.count()) << " rows/s   "
          << std::flush;
      progressShown = true;
    };
  }
  interrupted = false;
  read.options.stop = &interrupted;
  const auto previous = std::signal(SIGINT, onInterrupt);
  ScheduleCount written;
  try {
    written = rateSchedule(schedule, results, read.options);
  } catch (const ui::StartupError& error) {
    std::signal(SIGINT, previous);
    err << "ktr-calc: " << error.what() << '\n';
    return kCannotStart;
  } catch (const UsageError& error) {
    std::signal(SIGINT, previous);
    throw UsageError("batch: " + scheduleName + ": " + error.what());
  } catch (const CsvRecordTooLong& error) {
    std::signal(SIGINT, previous);
    err << "ktr-calc: batch: the schedule " << scheduleName << ": " << error.what() << '\n';
    return kFileFailed;
  } catch (const CsvReadFailed& error) {
    std::signal(SIGINT, previous);
    err << "ktr-calc: batch: the schedule " << scheduleName << " cannot be read: " << error.what()
        << '\n';
    return kFileFailed;
  }
  std::signal(SIGINT, previous);
  // Standard input's buffer tells a failed read as the end of the input.
  if (fromInput && std::ferror(stdin) != 0) {
    err << "ktr-calc: batch: the schedule " << scheduleName << " cannot be read to its end\n";
    return kFileFailed;
  }
  if (progressShown) {
    err << '\n';
  }
  if (file) {
    if (const auto problem = file->commit()) {
      return cannotWrite(*problem);
    }
  }
  if (interrupted) {
    err << "ktr-calc: batch: stopped after " << written.rows << " rows; those are written\n";
    return kInterrupted;
  }
  // A bad row never stops the others, but a run that rated none did not do
  // what was asked.
  if (written.rows > 0 && written.rated == 0) {
    err << "ktr-calc: batch: no row of " << scheduleName
        << " could be rated; the messages column says why\n";
    return kFileFailed;
  }
  return 0;
}

std::string batchHelpText() {
  std::string help = R"(
Rating a schedule:
  ktr-calc batch SCHEDULE.csv [-o RESULTS.csv] [--catalog PATH] [--jobs N]

Each row of SCHEDULE.csv (comma-separated, quoted as RFC 4180 has it, the
first row naming the columns; - reads standard input) gives what typing it
into a freshly started program and calculating gives, as with the actions
above. Columns, in any order; one left out, or a cell left empty, keeps the
program's start-up value:
)";
  std::string line = " ";
  for (std::size_t i = 0; i < kInputColumns.size(); ++i) {
    const std::string column =
        " " + std::string(kInputColumns[i]) + (i + 1 < kInputColumns.size() ? "," : ".");
    if (line.size() + column.size() > 76) {
      help += line + "\n";
      line = " ";
    }
    line += column;
  }
  return help + line + R"(

units is ip or si (values in the row's units; SI volumes in m3/h),
flow_basis outdoor, supply, outdoor_actual or supply_actual, moisture_kind
dew_point, wet_bulb, humidity_ratio or rh, wheel total or sensible, model a
catalog model offered for the volume (empty: selected automatically),
standard ashrae-90.1-2019 or eu-1253-2014, zone a climate zone (0A to 6B, 7
or 8), hours_8000 1 or 0 and outdoor_air_percent the code check's settings
as --code-check takes them, weather a weather file (relative to the
schedule's folder, or absolute) to rate the row's year over. Numbers take a
period as decimal point.

RESULTS.csv (standard output without -o or with -o -) has the schedule's
columns, then model_selected, supply_db, supply_moisture, exhaust_db,
exhaust_moisture (in the row's moisture kind), outdoor_scfm, supply_scfm,
return_scfm, exhaust_scfm, face_velocity, dp_supply, dp_exhaust,
purge_volume, e_sensible, e_latent, e_total (fractions), heat_sensible,
heat_latent, heat_total, water_recovered, in the row's units, with any code
check setting code_required, err_cooling, err_heating (fractions, empty
where exempt) and code_pass (1 or 0), with a weather column the year under
the default operation, as --annual-json names its figures:
heating_recovered, cooling_recovered, fan_energy, net_energy, cost_saved,
frost_hours, economizer_hours and operating_hours, and messages:
every message the case showed, or the error that kept it from being rated. A
bad row never stops the run. Large schedules use every core (--jobs N to
choose); the results keep the schedule's order. Ctrl+C stops after the rows
in hand, which are written (exit status 130). An earlier RESULTS.csv stays
as it was until the run ends; a row longer than 1 MB, or a schedule that
cannot be read to its end, stops the run (status 3) and leaves it so.

Example:
  ktr-calc batch schedule.csv -o results.csv
)";
}

}  // namespace ktr
