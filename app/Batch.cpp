#include "app/Batch.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fstream>
#include <future>
#include <iostream>
#include <limits>
#include <memory>
#include <sstream>
#include <system_error>
#include <thread>

#include "app/Actions.h"
#include "app/BatchAnnual.h"
#include "app/CatalogLocations.h"
#include "app/KtrCalc.h"
#include "app/Program.h"
#include "app/UsageError.h"
#include "engine/Catalog.h"
#include "platform/FileRead.h"
#include "platform/FileWrite.h"
#include "platform/NumberText.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "platform/headless/MemorySettingsStore.h"
#include "platform/headless/RecordingHelpViewer.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"
#include "ui/main/CodeCheckCase.h"
#include "ui/main/ResultTexts.h"
#include "units/Units.h"

namespace ktr {

namespace {

constexpr std::array<std::string_view, 21> kInputColumns{"tag",
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

// The code check's settings; a schedule naming any of them gets the
// kCodeCheckResults before its messages.
constexpr std::array<std::string_view, 4> kCodeCheckInputs{"standard", "zone", "hours_8000",
                                                           "outdoor_air_percent"};
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

std::string oneOf(std::string_view column, std::string_view value,
                  std::initializer_list<Choice> choices) {
  std::string allowed;
  for (const Choice& choice : choices) {
    if (choice.value == value) {
      return std::string(choice.action);
    }
    allowed += (allowed.empty() ? "" : ", ") + std::string(choice.value);
  }
  throw RowError(std::string(column) + ": '" + std::string(value) + "' is none of " + allowed);
}

std::string trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) {
    return {};
  }
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// A schedule number (period decimal point, as files have it) as a person
// types it into a box in the user's number conventions.
std::string boxText(std::string_view column, const std::string& value) {
  const auto number = platform::parseInvariant<double>(value);
  if (!number || !std::isfinite(*number)) {
    throw RowError(std::string(column) + ": '" + value + "' is not a number");
  }
  return platform::localNumberText(value);
}

// Six significant digits: more than any box shows, few enough to read.
std::string resultText(double value) {
  std::array<char, 32> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 6)
          .ptr;
  return {text.data(), end};
}

// The results of the program's last calculation, in the row's units and
// moisture kind.
std::vector<std::string> results(const Program& program) {
  const ModCalc::CalcState& s = program.state;
  const ui::ResultTexts r = ui::presentRating(s, ui::shownDisplay(s, program.fields.settings));
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
  return {s.ModelNameSel,
          number(supply.dryBulb),
          moisture(s.Tsa, s.Wsa),
          number(exhaust.dryBulb),
          moisture(s.Tea, s.Wea),
          number(r.streams[0].standardVolume),
          number(supply.standardVolume),
          number(r.streams[2].standardVolume),
          number(exhaust.standardVolume),
          number(r.velocityOutdoor),
          number(r.dpSupply),
          number(r.dpExhaust),
          number(r.purgeVolume),
          number(r.eSensible),
          number(r.eLatent),
          number(r.eTotal),
          number(r.heatSensible),
          number(r.heatLatent),
          number(r.heatTotal),
          number(r.waterRecovered)};
}

// The code check of the program's case: 1 or 0, fractions, empty where a
// condition is exempt or the check could not be made.
std::vector<std::string> codeCheckResults(Program& program) {
  const ModCalc::CodeCheck check =
      ui::checkCase(program.engine, ui::codeCheckInputs(program.windows));
  const auto flag = [&check](bool value) {
    return check.error ? std::string() : std::string(value ? "1" : "0");
  };
  const auto fraction = [](const std::optional<double>& value) {
    return value ? resultText(*value) : std::string();
  };
  return {flag(check.required), fraction(check.errCooling), fraction(check.errHeating),
          flag(check.pass)};
}

std::string messageText(const std::vector<platform::Message>& messages) {
  std::string text;
  for (const platform::Message& m : messages) {
    text += (text.empty() ? "" : "; ") + m.title + ": " + m.text;
  }
  return text;
}

// Rates rows one at a time, each as if typed into a freshly started program:
// one program is started, and put back as it started after every row.
class RowRater {
 public:
  // Throws ui::StartupError when the program cannot start with the catalog.
  RowRater(const ScheduleColumns& columns, const ModCalc::CatalogFile& catalog,
           WeatherFiles& weather)
      : columns_(columns),
        weather_(weather),
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

  struct RatedRow {
    std::string line;
    bool rated = false;  // the row's case was calculated
  };

  RatedRow rate(const CsvRecord& row) {
    std::vector<std::string> fields = row.fields;
    fields.resize(columns_.names().size());
    const bool year = columns_.namesWeather();
    std::vector<std::string> rated(kResultColumns.size() - 1 +
                                   (columns_.checksCode() ? kCodeCheckResults.size() : 0) +
                                   (year ? kYearColumns.size() : 0));
    std::string messages;
    bool calculated = false;
    try {
      const std::vector<std::string> actions = columns_.actions(row);
      Outcome outcome = run(actions, columns_.value(row, "model"));
      messages = messageText(outcome.shown);
      if (!outcome.results.empty()) {
        if (year) {
          const auto texts =
              rowYearColumns(columns_.value(row, "weather"), weather_, outcome.rated->first,
                             program_->catalog, outcome.rated->second);
          if (const auto* problem = std::get_if<std::string>(&texts)) {
            throw RowError(*problem);
          }
          const auto& figures = std::get<std::vector<std::string>>(texts);
          outcome.results.insert(outcome.results.end(), figures.begin(), figures.end());
        }
        rated = std::move(outcome.results);
        calculated = true;
      }
    } catch (const std::exception& error) {
      // A row that cannot be rated, or whatever else stops one case, must
      // not stop the others.
      messages = "Error: line " + std::to_string(row.line) + ": " + error.what();
    }
    fields.insert(fields.end(), rated.begin(), rated.end());
    fields.push_back(messages);
    return {csvLine(fields), calculated};
  }

 private:
  struct Outcome {
    std::vector<platform::Message> shown;
    std::vector<std::string> results;  // none when the calculation stopped
    // The case calculated and whether in SI units, for its year.
    std::optional<std::pair<ModCalc::Case, bool>> rated = std::nullopt;
  };

  Outcome run(const std::vector<std::string>& actions, const std::string& model) {
    Program& program = *program_;
    messages_.clear();
    const StartupState::Case fresh(program, *startup_);
    discarded_.str({});
    Session session{discarded_, messages_, clipboard_};
    try {
      const std::vector<Step> steps = planSteps(readPlan(actions), controls_);
      for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i + 1 == steps.size()) {
          // The last step is Calculate; a run that stops leaves the button
          // green, which tells a stopped calculation from a finished one.
          program.windows.inputs.ChangeStatus();
        }
        steps[i](program, session);
      }
    } catch (const UsageError& error) {
      throw RowError(modelProblem(program, model).value_or(error.what()));
    }
    const bool finished = !program.windows.inputs.cmdCalc.visible();
    if (!finished) {
      return {messages_.messages(), {}};
    }
    std::vector<std::string> figures = results(program);
    if (columns_.checksCode()) {
      const std::vector<std::string> code = codeCheckResults(program);
      figures.insert(figures.end(), code.begin(), code.end());
    }
    if (columns_.namesWeather()) {
      return {messages_.messages(), figures,
              std::pair{ModCalc::readCase(program.engine), program.state.SIUnits == 1}};
    }
    return {messages_.messages(), figures};
  }

  // Why the row's model could not be picked from the list, if it could not.
  static std::optional<std::string> modelProblem(const Program& program, const std::string& model) {
    if (model.empty()) {
      return std::nullopt;
    }
    const auto& items = program.fields.inputs.lstWheel.items();
    if (std::find(items.begin(), items.end(), model) != items.end()) {
      return std::nullopt;
    }
    const auto& names = program.catalog.ModelName;
    const auto last = names.begin() + 1 + program.state.ModelCount;
    return "model: '" + model + "' is " +
           (std::find(names.begin() + 1, last, model) == last
                ? std::string("not in the catalog")
                : "not offered for this volume; the list offers " + listed(items));
  }

  static std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
      text += (text.empty() ? "" : " ") + item;
    }
    return text;
  }

  const ScheduleColumns& columns_;
  WeatherFiles& weather_;
  platform::HeadlessMessageBox messages_;
  platform::MemorySettingsStore settings_;
  platform::RecordingHelpViewer help_;
  platform::MemoryClipboard clipboard_;
  std::unique_ptr<Program> program_;
  std::optional<StartupState> startup_;
  std::vector<NamedControl> controls_;
  std::ostringstream discarded_;  // what a case would print
};

}  // namespace

ScheduleColumns::ScheduleColumns(const std::vector<std::string>& header) {
  std::vector<std::string> unknown;
  for (const std::string& name : header) {
    const std::string column = trimmed(name);
    if (std::find(names_.begin(), names_.end(), column) != names_.end()) {
      throw UsageError("the schedule names the column '" + column + "' twice");
    }
    if (std::find(kInputColumns.begin(), kInputColumns.end(), column) == kInputColumns.end()) {
      unknown.push_back("'" + column + "'");
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
  return std::any_of(kCodeCheckInputs.begin(), kCodeCheckInputs.end(), [this](auto column) {
    return std::find(names_.begin(), names_.end(), column) != names_.end();
  });
}

bool ScheduleColumns::namesWeather() const {
  return std::find(names_.begin(), names_.end(), "weather") != names_.end();
}

std::string ScheduleColumns::value(const CsvRecord& row, std::string_view column) const {
  const auto found = std::find(names_.begin(), names_.end(), column);
  return found == names_.end() ? std::string() : trimmed(row.fields[found - names_.begin()]);
}

std::vector<std::string> ScheduleColumns::actions(const CsvRecord& row) const {
  if (!row.problem.empty()) {
    throw RowError(row.problem);
  }
  if (row.fields.size() == 1 && row.fields.front().empty() && names_.size() > 1) {
    throw RowError("the row is empty");
  }
  if (row.fields.size() != names_.size()) {
    throw RowError("the row has " + std::to_string(row.fields.size()) +
                   " fields, the first row names " + std::to_string(names_.size()) + " columns");
  }
  const auto given = [&](std::string_view column) { return value(row, column); };
  // The code check's settings change no rating and press no button: they
  // come first, and the row's case is then typed and calculated.
  std::vector<std::string> code;
  if (const std::string standard = given("standard"); !standard.empty()) {
    oneOf("standard", standard, {{"ashrae-90.1-2019", ""}, {"eu-1253-2014", ""}});
    code.insert(code.end(), {"--standard", standard});
  }
  if (const std::string zone = given("zone"); !zone.empty()) {
    if (!ModCalc::isClimateZone(zone)) {
      throw RowError("zone: '" + zone + "' is not a climate zone from 0A to 6B, 7 or 8");
    }
    code.insert(code.end(), {"--zone", zone});
  }
  if (const std::string hours = given("hours_8000"); !hours.empty()) {
    if (oneOf("hours_8000", hours, {{"0", "0"}, {"1", "1"}}) == "1") {
      code.emplace_back("--hours-8000");
    }
  }
  if (const std::string percent = given("outdoor_air_percent"); !percent.empty()) {
    const auto value = platform::parseInvariant<double>(percent);
    if (!value || !(*value > 0 && *value <= 100)) {
      throw RowError("outdoor_air_percent: '" + percent +
                     "' is not a number above 0 and at most 100");
    }
    code.insert(code.end(), {"--outdoor-air-percent", percent});
  }
  std::vector<std::string> actions;
  const std::string unitsValue = given("units");
  const bool si =
      !unitsValue.empty() && oneOf("units", unitsValue, {{"ip", ""}, {"si", "si"}}) == "si";
  if (si) {
    actions.emplace_back("--si-toggle");
  }
  if (const std::string basis = given("flow_basis"); !basis.empty()) {
    actions.push_back(oneOf("flow_basis", basis,
                            {{"outdoor", "optOutdoor=1"},
                             {"supply", "optSupply=1"},
                             {"outdoor_actual", "optOutdoorActual=1"},
                             {"supply_actual", "optSupplyActual=1"}}));
  }
  if (const std::string kind = given("moisture_kind"); !kind.empty()) {
    // The SI forms of dew point, wet bulb and humidity ratio are four
    // options further on; relative humidity has one option for both.
    actions.push_back(si ? oneOf("moisture_kind", kind,
                                 {{"dew_point", "optMoistIn(4)=1"},
                                  {"wet_bulb", "optMoistIn(5)=1"},
                                  {"humidity_ratio", "optMoistIn(6)=1"},
                                  {"rh", "optMoistIn(3)=1"}})
                         : oneOf("moisture_kind", kind,
                                 {{"dew_point", "optMoistIn(0)=1"},
                                  {"wet_bulb", "optMoistIn(1)=1"},
                                  {"humidity_ratio", "optMoistIn(2)=1"},
                                  {"rh", "optMoistIn(3)=1"}}));
  }
  const auto typeNumber = [&](std::string_view column, std::string_view box) {
    if (const std::string typed = given(column); !typed.empty()) {
      actions.push_back(std::string(box) + "=" + boxText(column, typed));
    }
  };
  typeNumber("elevation", "txtElev");
  typeNumber("outdoor_static", "txtPoa");
  typeNumber("return_static", "txtPra");
  if (const std::string wheel = given("wheel"); !wheel.empty()) {
    actions.push_back(oneOf("wheel", wheel, {{"total", "KTRSel=1"}, {"sensible", "KSRSel=1"}}));
  }
  // The settings first: their OK re-expresses the moisture boxes in the
  // chosen kind, which must not touch the row's own moisture values. A row
  // that changes no setting leaves the dialog alone, as a person would.
  const bool confirmed = !actions.empty();
  if (confirmed) {
    actions.emplace_back("--settings-ok");
  }
  const std::size_t typedFrom = actions.size();
  if (const std::string title = given("title"); !title.empty()) {
    actions.push_back(
        "txtTitle=" +
        row.fields[std::find(names_.begin(), names_.end(), "title") - names_.begin()]);
  }
  typeNumber("outdoor_db", si ? "txtToaSI" : "txtToa");
  typeNumber("outdoor_moisture", si ? "txtMoaSI" : "txtMoa");
  typeNumber("return_db", si ? "txtTraSI" : "txtTra");
  typeNumber("return_moisture", si ? "txtMraSI" : "txtMra");
  typeNumber("volume", si ? "txtVSI" : "txtV");
  typeNumber("return_volume", si ? "txtVraSI" : "txtVra");
  // Settings OK calculated; Calculate is offered again only by an entry.
  if (!confirmed || actions.size() > typedFrom) {
    actions.emplace_back("--calc");
  }
  // A model of one's own is picked from the list the calculation offers,
  // then calculated again.
  if (const std::string model = given("model"); !model.empty()) {
    actions.push_back("lstWheel=" + model);
    actions.emplace_back("--calc");
  }
  actions.insert(actions.begin(), code.begin(), code.end());
  return actions;
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
  raters.push_back(std::make_unique<RowRater>(columns, catalogFile, weather));
  out << csvLine(columns.resultHeader());
  const unsigned workers =
      options.jobs != 0 ? options.jobs : std::max(1U, std::thread::hardware_concurrency());
  const auto stopped = [&options] { return options.stop != nullptr && options.stop->load(); };
  ScheduleCount count;
  std::size_t& written = count.rows;
  std::vector<CsvRecord> rows;
  std::vector<std::optional<RowRater::RatedRow>> lines;
  while (!stopped()) {
    // Rows are read, rated and written a block at a time, so memory stays
    // the same however long the schedule is.
    rows.clear();
    const std::size_t blockSize =
        written == 0 ? kRowsPerWorkerBlock : kRowsPerWorkerBlock * workers;
    while (rows.size() < blockSize) {
      std::optional<CsvRecord> row = reader.next();
      if (!row) {
        break;
      }
      rows.push_back(std::move(*row));
    }
    if (rows.empty()) {
      break;
    }
    lines.assign(rows.size(), std::nullopt);
    const std::size_t slices =
        std::clamp<std::size_t>(rows.size() / kRowsPerWorkerBlock, 1, workers);
    const std::size_t per = (rows.size() + slices - 1) / slices;
    while (raters.size() < slices) {
      raters.push_back(std::make_unique<RowRater>(columns, catalogFile, weather));
    }
    const auto rateSlice = [&](std::size_t slice) {
      for (std::size_t i = slice * per; i < std::min(rows.size(), (slice + 1) * per) && !stopped();
           ++i) {
        lines[i] = raters[slice]->rate(rows[i]);
      }
    };
    std::vector<std::future<void>> helpers;
    std::vector<std::size_t> unstarted;
    for (std::size_t slice = 1; slice < slices; ++slice) {
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
    for (const auto& line : lines) {
      if (!line) {
        break;
      }
      out << line->line;
      ++written;
      count.rated += line->rated ? 1 : 0;
    }
    out.flush();
    if (!out) {
      break;  // the caller reports the output that failed
    }
    if (options.progress) {
      options.progress(written);
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
  }
  std::signal(SIGINT, previous);
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
first row naming the columns; - reads standard input) is typed into a
freshly started program and calculated, as with the actions above. Columns, in any order; one left out,
or a cell left empty, keeps the program's start-up value:
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
as it was until the run ends; a row longer than 1 MB stops the run (status
3) and leaves it so.

Example:
  ktr-calc batch schedule.csv -o results.csv
)";
}

}  // namespace ktr
