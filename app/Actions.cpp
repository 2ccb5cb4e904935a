#include "app/Actions.h"

#include <algorithm>
#include <string_view>

#include "app/AnnualOutputs.h"
#include "app/AnnualReport.h"
#include "app/ChartPainter.h"
#include "app/CodeCheckJson.h"
#include "app/ComparisonCsv.h"
#include "app/ControlNames.h"
#include "app/OffscreenPages.h"
#include "app/ProgramJson.h"
#include "app/ResultsText.h"
#include "app/UsageError.h"
#include "platform/FileWrite.h"
#include "platform/Overloaded.h"
#include "ui/Calculate.h"
#include "ui/main/AnnualRecord.h"
#include "ui/main/CodeCheckCase.h"
#include "ui/main/PsychChart.h"
#include "ui/main/RatingConditions.h"

namespace ktr {

namespace {

using Action = std::function<void(Program&)>;

enum class Kind {
  Catalog,  // only first: where the catalog is
  Step,     // carried out in order
  Output,   // a file output: carried out in order, after a calculation
  AtEnd,    // prints once every step is done
};

struct ActionSpec {
  const char* flag;
  const char* argument;  // nullptr when it takes none
  Kind kind;
  bool calculates;
  const char* help;
  std::function<bool(Program&, Session&, const std::string&)> run;
  // An output's title for its messages.
  const char* title = nullptr;
};

bool done(const std::function<void()>& press) {
  press();
  return true;
}

// `text` to PATH ("-" is standard output, checked when the run ends); a
// file that cannot be written is named in a box titled `title`, saying that
// `what` could not be written and why.
bool writeOut(Program& program, Session& session, const std::string& path, const std::string& text,
              const std::string& what, const char* title) {
  if (path == "-") {
    session.out << text;
    return true;
  }
  if (const auto problem = platform::writeFileAtomically(path, text)) {
    program.windows.ports.messages.show(
        what + " could not be written to " + path + ": " + *problem + ".", title,
        platform::MessageIcon::Exclamation);
    return false;
  }
  return true;
}

// An output describes the case calculated: results that are not up to date
// are calculated first, and when that stops nothing is written.
bool calculatedFor(Program& program, const std::string& path, const char* title) {
  if (program.windows.main.calculateForOutput()) {
    return true;
  }
  program.windows.ports.messages.show(
      "Nothing was written to " +
          (path == "-" || path.empty() ? std::string("standard output") : path) +
          ": the case could not be calculated.",
      title, platform::MessageIcon::Exclamation);
  return false;
}

// Edit Copy, then the clipboard's text to PATH.
bool copyTo(Program& program, Session& session, const std::string& path) {
  program.windows.main.mnuEditCopy_Click();
  return writeOut(program, session, path, session.clipboard.text, "The summary", "Copy");
}

// The weather and operation the annual outputs take: the project's, unless
// --weather names another file.
struct AnnualChoice {
  std::string weatherPath;  // empty: the built-in year
  ModCalc::OperationModel op;
};
AnnualChoice annualChoice(const Program& program, const Session& session) {
  const std::optional<ui::AnnualRecord>& record = program.windows.main.annualRecord;
  return {!session.weatherPath.empty() || !record ? session.weatherPath : record->weatherPath,
          record ? record->op : ModCalc::OperationModel{}};
}

// View Compare Models, the table as CSV to PATH; with the year's columns
// when a weather file is chosen.
bool compareTo(Program& program, Session& session, const std::string& path) {
  const auto table = comparisonTable(ui::compareModels(program.engine));
  auto& messages = program.windows.ports.messages;
  if (table.empty()) {
    messages.show(kNoModelCoversNote, "Compare Models", platform::MessageIcon::Information);
  }
  std::optional<ComparedYears> years;
  const AnnualChoice annual = annualChoice(program, session);
  if (!annual.weatherPath.empty()) {
    std::vector<std::string> models;
    for (const ui::ModelRating& r : table) {
      models.push_back(r.model);
    }
    try {
      auto compared = compareYears(ModCalc::readCase(program.engine), models, annual.weatherPath,
                                   annual.op, program.catalog, program.state.SIUnits == 1);
      if (const auto* problem = std::get_if<std::string>(&compared)) {
        messages.show(*problem, "Compare Models", platform::MessageIcon::Exclamation);
        return false;
      }
      years = std::get<ComparedYears>(std::move(compared));
    } catch (const ModCalc::CalcError&) {
      // The case cannot be read: the rows' messages already say why.
      years = ComparedYears{std::vector<std::optional<YearSavings>>(table.size())};
    }
  }
  return writeOut(program, session, path, comparisonCsv(table, years), "The comparison",
                  "Compare Models");
}

enum class AnnualForm { Text, Csv, Json, Report, Models };

// The case calculated, rated over the weather --weather named (or the
// project's, or the built-in year) under the project's operation (or the
// default one), to PATH as FORM; nothing is rated when the weather cannot
// be read.
bool annualTo(Program& program, Session& session, const std::string& path, AnnualForm form) {
  const auto [weatherPath, op] = annualChoice(program, session);
  const auto weather = readWeather(weatherPath);
  auto& messages = program.windows.ports.messages;
  if (const auto* problem = std::get_if<std::string>(&weather)) {
    messages.show(*problem, "Annual Energy", platform::MessageIcon::Exclamation);
    return false;
  }
  const ModCalc::Weather& year = std::get<ModCalc::Weather>(weather);
  const ModCalc::Case rated = ModCalc::readCase(program.engine);
  const bool si = program.state.SIUnits == 1;
  if (form == AnnualForm::Models) {
    return writeOut(program, session, path,
                    annualComparisonCsv(rated, year, op, program.catalog, si), "The models' years",
                    "Annual Energy");
  }
  const ModCalc::AnnualResult result = ModCalc::rateYear(rated, year, op, program.catalog);
  if (result.error) {
    messages.show(*result.error, "Annual Energy", platform::MessageIcon::Exclamation);
    return false;
  }
  switch (form) {
    case AnnualForm::Text:
      return writeOut(program, session, "-", annualText(result, op, si), "", "Annual Energy");
    case AnnualForm::Csv:
      return writeOut(program, session, path, annualCsv(result, year, si), "The hourly year",
                      "Annual Energy");
    case AnnualForm::Report: {
      if (auto* offscreen = dynamic_cast<OffscreenPages*>(&program.windows.ports.pages)) {
        offscreen->ensureApplication();
      }
      const QString problem =
          writeAnnualReport(QString::fromStdString(path),
                            {.projectTitle = QString::fromStdString(program.state.ProjectTitle),
                             .weatherName = weatherName(weatherPath),
                             .year = result,
                             .weather = year,
                             .op = op,
                             .si = si});
      if (!problem.isEmpty()) {
        messages.show(problem.toStdString(), "Annual Energy", platform::MessageIcon::Exclamation);
      }
      return problem.isEmpty();
    }
    case AnnualForm::Json:
    case AnnualForm::Models:
      break;
  }
  return writeOut(program, session, path, annualJson(result, year, op, si).dump(2) + "\n",
                  "The annual results", "Annual Energy");
}

// --code-check with --weather and without --zone: the zone the weather
// suggests is the one checked; a year that suggests none leaves the zone
// as it was.
bool suggestZone(Program& p, Session& session) {
  const auto weather = readWeather(session.weatherPath);
  if (const auto* problem = std::get_if<std::string>(&weather)) {
    // --weather has said so already.
    session.zoneSuggestion = *problem;
    return true;
  }
  session.zoneSuggestion = ModCalc::suggestClimateZone(std::get<ModCalc::Weather>(weather));
  if (const auto* suggestion = std::get_if<ModCalc::ZoneSuggestion>(&*session.zoneSuggestion)) {
    ui::codeCheckInputs(p.windows).zone = suggestion->zone;
  }
  return true;
}

// What the check says of the suggested zone, as lines or as JSON.
std::vector<std::string> zoneSuggestionLines(const Session& session,
                                             const ModCalc::CodeCheckInputs& inputs) {
  if (!session.zoneSuggestion) {
    return {};
  }
  if (const auto* suggestion = std::get_if<ModCalc::ZoneSuggestion>(&*session.zoneSuggestion)) {
    std::vector<std::string> lines = ui::zoneSuggestionLines(*suggestion, session.weatherPath);
    lines.front() += "; the zone checked (give --zone to check another)";
    return lines;
  }
  return {"No climate zone suggested from " + session.weatherPath + ": " +
          std::get<std::string>(*session.zoneSuggestion) + "; zone " + inputs.zone +
          " is checked."};
}

nlohmann::ordered_json zoneSuggestionJson(const Session& session) {
  if (!session.zoneSuggestion) {
    return nullptr;
  }
  nlohmann::ordered_json json = {{"weather", session.weatherPath}};
  if (const auto* suggestion = std::get_if<ModCalc::ZoneSuggestion>(&*session.zoneSuggestion)) {
    json["zone"] = suggestion->zone;
    json["hdd18"] = suggestion->degreeDays.heating18C;
    json["cdd10"] = suggestion->degreeDays.cooling10C;
    json["moisture_from_weather"] = suggestion->moisture.fromWeather;
    json["moisture_note"] = suggestion->moisture.why;
  } else {
    json["zone"] = nullptr;
    json["problem"] = std::get<std::string>(*session.zoneSuggestion);
  }
  return json;
}

// --code-check without --json: the verdicts as lines, after the case is
// brought up to date.
bool printCodeCheck(Program& p, Session& session) {
  if (!calculatedFor(p, "-", "Code Check")) {
    return false;
  }
  const ModCalc::CodeCheck check = ui::checkCase(p.engine, ui::codeCheckInputs(p.windows));
  for (const std::string& line : zoneSuggestionLines(session, ui::codeCheckInputs(p.windows))) {
    session.out << line << '\n';
  }
  for (const std::string& line :
       ui::codeCheckLines(check, ui::codeCheckInputs(p.windows), p.state.SIUnits == 1)) {
    session.out << line << '\n';
  }
  return !check.error;
}

const std::vector<ActionSpec>& actionTable() {
  static const std::vector<ActionSpec> kActions{
      {"--catalog", "PATH", Kind::Catalog, false,
       "(first only) the catalog file to use instead of looking for ktrmodel6.csv in the "
       "current directory, the installed data folder and beside the program",
       nullptr},
      {"--settings-ok", nullptr, Kind::Step, true, "press OK in the settings window",
       [](Program& p, Session&, const std::string&) {
         return done([&] { p.windows.settings.cmdSettingsOK_Click(); });
       }},
      {"--calc", nullptr, Kind::Step, true,
       "press Calculate in the inputs window (shown while the results are not up to date)",
       [](Program& p, Session&, const std::string&) {
         if (p.windows.main.resultsUpToDate()) {
           throw UsageError(
               "--calc: the \"Calculate\" button (cmdCalc) is hidden: the results are up to "
               "date; outputs calculate by themselves when they are not");
         }
         return done([&] { p.windows.inputs.cmdCalc_Click(); });
       }},
      {"--override-ok", nullptr, Kind::Step, true, "press OK in the override window",
       [](Program& p, Session&, const std::string&) {
         return done([&] { p.windows.overrides.cmdOROK_Click(); });
       }},
      {"--si-toggle", nullptr, Kind::Step, false, "press \"Click to Change to/from SI Units\"",
       [](Program& p, Session&, const std::string&) {
         return done([&] { p.windows.settings.cmdSIUnits_Click(); });
       }},
      {"--si-flow-toggle", nullptr, Kind::Step, false,
       "press \"Click to Change SI Flow to/from m3/hr to l/sec\"",
       [](Program& p, Session&, const std::string&) {
         return done([&] { p.windows.settings.cmdSIUnitType_Click(); });
       }},
      {"--frost-speed", nullptr, Kind::Step, true,
       "press \"Frost Speed Control\" (shown only while the exhaust air would frost)",
       [](Program& p, Session&, const std::string&) {
         if (!p.fields.main.cmdFrostSpeed.visible()) {
           throw UsageError(
               "--frost-speed: the \"Frost Speed Control\" button is hidden: the "
               "last calculation shows no frost");
         }
         return done([&] { p.windows.main.cmdFrostSpeed_Click(); });
       }},
      {"--password", "TEXT", Kind::Step, false, "type TEXT in the password window and press OK",
       [](Program& p, Session&, const std::string& typed) {
         return done([&] {
           p.windows.password.txtPassword.setText(typed);
           p.windows.password.OKButton_Click();
         });
       }},
      {"--open", "PATH", Kind::Step, true,
       "File Open with PATH: the project's inputs, title, units and switches, then its "
       "calculation",
       [](Program& p, Session&, const std::string& path) {
         return p.windows.main.openProjectFile(path);
       }},
      {"--save", "PATH", Kind::Output, false,
       "File Save to PATH (calculating first when the results are not up to date)",
       [](Program& p, Session&, const std::string& path) {
         return p.windows.main.saveProjectFile(path);
       },
       "Save"},
      {"--copy", "PATH", Kind::Output, false,
       "Edit Copy, writing the clipboard's text to PATH (- is standard output)", copyTo, "Copy"},
      {"--report", "PATH", Kind::Output, false, "the printed report as a one-page PDF at PATH",
       [](Program& p, Session&, const std::string& path) {
         return p.windows.main.exportPdf(path, {});
       },
       "Export PDF"},
      {"--report-annual", "PATH", Kind::Output, false,
       "the printed report with the year as --annual rates it (the annual report's page) as its "
       "second page, as a two-page PDF at PATH",
       [](Program& p, Session& session, const std::string& path) {
         return p.windows.main.exportPdf(path, [&p, &session] {
           const AnnualChoice annual = annualChoice(p, session);
           return annualReportPage(p, annual.weatherPath, annual.op);
         });
       },
       "Export PDF"},
      {"--rating", "summer|winter", Kind::Step, true,
       "Edit Rating Conditions: type the standard summer (outdoor 95/78 °F, return 75/63 °F "
       "dry/wet bulb) or winter (35/33 °F, 70/58 °F) conditions, balanced flow at sea level, in "
       "the units and humidity kind shown, then calculate",
       [](Program& p, Session&, const std::string& word) {
         const auto season = ui::ratingSeason(word);
         if (!season) {
           throw UsageError("--rating takes summer or winter, not '" + word + "'");
         }
         ui::applyRatingConditions(p.windows, *season);
         return true;
       }},
      {"--compare", "PATH", Kind::Output, false,
       "View Compare Models: every catalog model and the custom wheel rated for the case as "
       "if picked from the model list (the case does not change), as CSV at PATH (- is "
       "standard output), in the units shown; with a weather file (--weather, or the "
       "project's) each model's year too: cost_saved, net_energy and payback_years",
       compareTo, "Compare Models"},
      {"--chart", "PATH", Kind::Output, false,
       "View Psychrometric Chart, exported to PATH as SVG or PNG (by its extension)",
       [](Program& p, Session&, const std::string& path) {
         if (auto* offscreen = dynamic_cast<OffscreenPages*>(&p.windows.ports.pages)) {
           offscreen->ensureApplication();
         }
         const QString problem = writeChart(QString::fromStdString(path), ui::psychChart(p.state));
         if (!problem.isEmpty()) {
           p.windows.ports.messages.show(problem.toStdString(), "Psychrometric Chart",
                                         platform::MessageIcon::Exclamation);
         }
         return problem.isEmpty();
       },
       "Psychrometric Chart"},
      {"--weather", "PATH", Kind::Step, false,
       "the weather file (EPW, or CSV with month, day, hour, dry_bulb_c or dry_bulb_f and "
       "dew_point_c, dew_point_f or rh columns) the annual outputs use instead of the built-in "
       "Chicago O'Hare typical year",
       [](Program& p, Session& session, const std::string& path) {
         session.weatherPath = path;
         const auto weather = ModCalc::readWeatherFile(path);
         if (const auto* problem = std::get_if<std::string>(&weather)) {
           p.windows.ports.messages.show(*problem, "Annual Energy",
                                         platform::MessageIcon::Exclamation);
           return false;
         }
         return true;
       }},
      {"--annual", nullptr, Kind::Output, false,
       "rate the case at every hour of the weather year under the project's annual operation "
       "(by default occupied weekdays 7:00-19:00, return air 72 °F/50 % in cooling and "
       "70 °F/30 % in heating, economizer 55-65 °F, frost met by a slower wheel) and print the "
       "months and the year",
       [](Program& p, Session& session, const std::string&) {
         return annualTo(p, session, "-", AnnualForm::Text);
       },
       "Annual Energy"},
      {"--annual-csv", "PATH", Kind::Output, false,
       "the year as --annual rates it, one CSV row per hour at PATH (- is standard output)",
       [](Program& p, Session& session, const std::string& path) {
         return annualTo(p, session, path, AnnualForm::Csv);
       },
       "Annual Energy"},
      {"--annual-json", "PATH", Kind::Output, false,
       "the year as --annual rates it as JSON at PATH (- is standard output): units, 12 months "
       "and the year",
       [](Program& p, Session& session, const std::string& path) {
         return annualTo(p, session, path, AnnualForm::Json);
       },
       "Annual Energy"},
      {"--annual-report", "PATH", Kind::Output, false,
       "the year as --annual rates it on one page, as PDF at PATH: the summary, the monthly "
       "bars, the months' table and the operation",
       [](Program& p, Session& session, const std::string& path) {
         return annualTo(p, session, path, AnnualForm::Report);
       },
       "Annual Energy"},
      {"--compare-annual", "PATH", Kind::Output, false,
       "every catalog model rated over the year for the case as --annual rates it, as CSV at "
       "PATH (- is standard output): net energy, cost, heating, cooling and fan energy, frost "
       "and operating hours, payback (--compare with a weather file has the year beside the "
       "ratings)",
       [](Program& p, Session& session, const std::string& path) {
         return annualTo(p, session, path, AnnualForm::Models);
       },
       "Annual Energy"},
      {"--standard", "ashrae-90.1-2019|eu-1253-2014", Kind::Step, false,
       "the energy code --code-check checks against (ASHRAE 90.1-2019 unless given)",
       [](Program& p, Session&, const std::string& name) {
         const auto code = ModCalc::energyCodeNamed(name);
         if (!code) {
           throw UsageError("--standard takes ashrae-90.1-2019 or eu-1253-2014, not '" + name +
                            "'");
         }
         ui::codeCheckInputs(p.windows).code = *code;
         return true;
       }},
      {"--zone", "ZONE", Kind::Step, false,
       "the ASHRAE 169 climate zone for --code-check (0A to 6B, 7 or 8); unless given, the zone "
       "the --weather file's degree days suggest, or 5A without --weather",
       [](Program& p, Session&, const std::string& zone) {
         if (!ModCalc::isClimateZone(zone)) {
           throw UsageError("--zone takes a climate zone from 0A to 6B, 7 or 8, not '" + zone +
                            "'");
         }
         ui::codeCheckInputs(p.windows).zone = zone;
         return true;
       }},
      {"--hours-8000", nullptr, Kind::Step, false,
       "for --code-check, the system runs 8,000 hours a year or more",
       [](Program& p, Session&, const std::string&) {
         ui::codeCheckInputs(p.windows).hours8000 = true;
         return true;
       }},
      {"--outdoor-air-percent", "N", Kind::Step, false,
       "for --code-check, the outdoor air as a percentage of the supply fan's design airflow "
       "(above 0, at most 100; 100 unless given)",
       [](Program& p, Session&, const std::string& text) {
         const auto percent = platform::parseInvariant<double>(text);
         if (!percent || !(*percent > 0 && *percent <= 100)) {
           throw UsageError("--outdoor-air-percent takes a number above 0 and at most 100, not '" +
                            text + "'");
         }
         ui::codeCheckInputs(p.windows).outdoorAirPercent = *percent;
         return true;
       }},
      {"--code-check", nullptr, Kind::AtEnd, false,
       "at the end, print whether the wheel meets the energy code (--standard) and the figures "
       "behind the verdict; with --json, as the object code_check instead",
       nullptr},
      {"--json", nullptr, Kind::AtEnd, false,
       "at the end, print the state, the custom wheel's catalog row, every control and the "
       "messages as one JSON object",
       nullptr},
      {"--results", nullptr, Kind::AtEnd, false,
       "at the end, print the main window's results as text", nullptr},
  };
  return kActions;
}

const ActionSpec* findAction(std::string_view flag) {
  const auto& table = actionTable();
  const auto found = std::find_if(table.begin(), table.end(),
                                  [flag](const ActionSpec& a) { return a.flag == flag; });
  return found == table.end() ? nullptr : &*found;
}

// What NAME=VALUE does to the control it names; a wrong name or value is a
// usage error found before the program starts.
Action setControl(const std::vector<NamedControl>& controls, const std::string& assignment) {
  const std::size_t equals = assignment.find('=');
  const std::string name = assignment.substr(0, equals);
  const std::string value = assignment.substr(equals + 1);
  const Lookup found = findControl(controls, name);
  if (found.control == nullptr) {
    throw UsageError(found.problem);
  }
  platform::Control* control = found.control;
  // A person cannot type into or click what is greyed out or hidden; whether
  // it is depends on the actions before, so it is checked when the action runs.
  const auto usable = [control, name] {
    if (!control->visible() || !control->enabled()) {
      throw UsageError("'" + name + "' cannot be set: it is " +
                       (control->visible() ? "disabled" : "hidden") + " in its window");
    }
    for (const platform::Control* frame = control->container(); frame != nullptr;
         frame = frame->container()) {
      if (!frame->visible()) {
        throw UsageError("'" + name + "' cannot be set: the frame " + frame->name() +
                         " that holds it is hidden in its window");
      }
    }
  };
  return std::visit(
      platform::Overloaded{
          [&](platform::TextBox* box) -> Action {
            return [box, value, usable](Program&) {
              usable();
              box->setText(value);
            };
          },
          [&](platform::CheckBox* box) -> Action {
            if (value != "0" && value != "1") {
              throw UsageError("a check box takes 0 or 1: '" + assignment + "'");
            }
            return [box, value, usable](Program&) {
              usable();
              box->setValue(value == "1" ? 1 : 0);
            };
          },
          [&](platform::OptionButton* option) -> Action {
            if (value != "1") {
              throw UsageError("an option button is selected with 1: '" + assignment + "'");
            }
            return [option, usable](Program&) {
              usable();
              option->select();
            };
          },
          [&](platform::ListBox* list) -> Action {
            return [list, value, name, usable](Program&) {
              usable();
              const auto& items = list->items();
              const auto entry = std::find(items.begin(), items.end(), value);
              if (entry == items.end()) {
                throw UsageError(name + " has no entry '" + value + "'");
              }
              const int index = static_cast<int>(entry - items.begin());
              if (list->listIndex() == index) {
                list->click();
              } else {
                list->setListIndex(index);
              }
            };
          },
          [&](auto*) -> Action {
            throw UsageError("'" + name + "' cannot be set: only text boxes, check boxes, " +
                             "option buttons and lists take a value");
          },
      },
      control->ref());
}

// Lines of at most `width` characters, each after `indent`.
std::string wrapped(std::string_view text, std::size_t indent, std::size_t width) {
  std::string result;
  std::string line;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find(' ', start), text.size());
    const std::string_view word = text.substr(start, end - start);
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      result += line + "\n" + std::string(indent, ' ');
      line.clear();
    }
    line += (line.empty() ? "" : " ") + std::string(word);
    start = end + 1;
  }
  return result + line + "\n";
}

}  // namespace

Plan readPlan(const std::vector<std::string>& args) {
  Plan plan;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      plan.help = true;
      continue;
    }
    const ActionSpec* action = findAction(arg);
    if (action == nullptr) {
      if (arg.starts_with("-") || arg.find('=') == std::string::npos) {
        throw UsageError("unknown option or action '" + arg + "' (see ktr-calc --help)");
      }
      plan.steps.push_back({arg, ""});
      continue;
    }
    std::string argument;
    if (action->argument != nullptr) {
      if (i + 1 == args.size() || findAction(args[i + 1]) != nullptr) {
        throw UsageError(arg + " needs " +
                         (std::string_view(action->argument) == "PATH" ? std::string("a path")
                          : std::string_view(action->argument) == "TEXT"
                              ? std::string("the text to type")
                              : std::string(action->argument)));
      }
      argument = args[++i];
    }
    switch (action->kind) {
      case Kind::Catalog:
        if (i != 1) {
          throw UsageError("--catalog must come first");
        }
        plan.catalog = argument;
        break;
      case Kind::AtEnd:
        plan.atEnd.push_back(arg);
        break;
      case Kind::Step:
      case Kind::Output:
        plan.steps.push_back({arg, argument});
        break;
    }
  }
  return plan;
}

std::vector<Step> planSteps(const Plan& plan, Program& program) {
  return planSteps(plan, namedControls(program.windows.all()));
}

std::vector<Step> planSteps(const Plan& plan, const std::vector<NamedControl>& controls) {
  // Outputs calculate when they need to.
  const bool calculates = std::any_of(plan.steps.begin(), plan.steps.end(), [](const auto& s) {
    const ActionSpec* action = findAction(s.action);
    return action != nullptr && (action->calculates || action->kind == Kind::Output);
  });
  std::vector<Step> steps;
  for (const Plan::Typed& typed : plan.steps) {
    const ActionSpec* action = findAction(typed.action);
    if (action == nullptr) {
      Action set = setControl(controls, typed.action);
      steps.emplace_back([set](Program& p, Session&) {
        set(p);
        return true;
      });
      continue;
    }
    steps.emplace_back([action, argument = typed.argument](Program& p, Session& session) {
      if (action->kind == Kind::Output && !calculatedFor(p, argument, action->title)) {
        return false;
      }
      return action->run(p, session, argument);
    });
  }
  if (!calculates) {
    steps.emplace_back([](Program& p, Session&) {
      p.windows.main.calculateForOutput();
      return true;
    });
  }
  const bool codeCheck =
      std::find(plan.atEnd.begin(), plan.atEnd.end(), "--code-check") != plan.atEnd.end();
  const bool json = std::find(plan.atEnd.begin(), plan.atEnd.end(), "--json") != plan.atEnd.end();
  const auto typed = [&plan](std::string_view flag) {
    return std::any_of(plan.steps.begin(), plan.steps.end(),
                       [flag](const Plan::Typed& step) { return step.action == flag; });
  };
  if (codeCheck && typed("--weather") && !typed("--zone")) {
    steps.emplace_back(suggestZone);
  }
  for (const ActionSpec& action : actionTable()) {
    if (action.kind != Kind::AtEnd ||
        std::find(plan.atEnd.begin(), plan.atEnd.end(), action.flag) == plan.atEnd.end()) {
      continue;
    }
    if (std::string_view(action.flag) == "--code-check") {
      if (!json) {
        steps.emplace_back(printCodeCheck);
      }
    } else if (std::string_view(action.flag) == "--results") {
      steps.emplace_back([](Program& p, Session& session) {
        if (!calculatedFor(p, "-", "Results")) {
          return false;
        }
        session.out << resultsText(p.windows.main);
        return true;
      });
    } else {
      steps.emplace_back([codeCheck](Program& p, Session& session) {
        // Text reaches the program as UTF-8; should a byte slip through
        // otherwise, it shows as U+FFFD rather than ending the run.
        nlohmann::ordered_json json = programJson(p, session.messages.messages());
        if (codeCheck) {
          json["code_check"] =
              codeCheckJson(ui::checkCase(p.engine, ui::codeCheckInputs(p.windows)),
                            ui::codeCheckInputs(p.windows));
          json["code_check"]["zone_suggested"] = zoneSuggestionJson(session);
        }
        session.out << json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        return true;
      });
    }
  }
  return steps;
}

std::string helpText() {
  std::string help = R"(ktr-calc: selects and rates energy recovery wheels without a display.

Usage:
  ktr-calc [--catalog PATH] [ACTION...]
  ktr-calc psych FUNCTION ARG...      (see ktr-calc psych --help)
  ktr-calc batch SCHEDULE.csv [-o RESULTS.csv]   (see "Rating a schedule")

The program starts as the desktop program does (every window loads, the
catalog is read, no calculation runs) with an empty settings store. The
actions are then carried out left to right, as a person would use the
windows:

)";
  constexpr std::size_t kIndent = 21;
  const auto entry = [&help](const std::string& name, std::string_view text) {
    const std::string head = "  " + name;
    help += head.size() + 1 < kIndent ? head + std::string(kIndent - head.size(), ' ')
                                      : head + "\n" + std::string(kIndent, ' ');
    help += wrapped(text, kIndent, 78 - kIndent);
  };
  for (const ActionSpec& action : actionTable()) {
    entry(std::string(action.flag) + (action.argument ? std::string(" ") + action.argument : ""),
          action.help);
    if (action.kind == Kind::Catalog) {
      entry("NAME=VALUE",
            "set a control of any window: a text box gets VALUE as its whole text (its change "
            "behaviour runs), a check box 0 or 1, an option button is selected by 1, "
            "lstWheel=TEXT selects that model. Arrays are written optMoistIn(2); a name on "
            "several windows is written WINDOW.NAME, e.g. frmWheel.lblSCFM(0)");
    }
  }
  return help + R"(
Every output (--save, --copy, --report..., --compare, --chart, --annual...,
--results) describes the case calculated: when the results are not up to date it first
calculates, as Save does, and when that calculation stops the output is not
written. When no action calculates, the run ends with a calculation. A
control that a person could not reach (disabled, hidden, or in a hidden
frame) and --calc while the results are up to date are usage errors. Every
message box is answered OK and printed on stderr as "TITLE: TEXT".

Exit status: 0 done, 1 the program could not start (catalog missing or
malformed), 2 usage error, 3 an output or file action (--open, --save,
--copy, --report, --compare, --chart, --weather, --annual..., --results)
failed, or a weather file could not be read; the run goes on after it.

Example: a 2000 cfm outdoor-air case at 1000 ft, wet bulb entry, as JSON:
  ktr-calc optOutdoor=1 txtElev=1000 --settings-ok txtV=2000 txtVra=2000 --calc --json
Save a case, then open it again and make its report as a PDF:
  ktr-calc txtV=2000 txtVra=2000 --save case.cse
  ktr-calc --open case.cse --report case.pdf
Rate every model at the summer rating conditions, and draw the chart:
  ktr-calc txtV=3000 --rating summer --compare models.csv --chart chart.svg

The --compare columns: model, in_range (1 when the model's volume range
covers the case), face_velocity (sfpm or m/s), dp_supply and dp_exhaust
(in. w.c. or Pa), purge_volume (scfm or the SI flow unit), e_sensible,
e_latent, e_total (fractions), heat_sensible, heat_latent, heat_total
(Btu/h or kW), water_recovered (lb/h or kg/h), with a weather file
cost_saved (a year), net_energy (kBtu or kWh a year) and payback_years (on
the operation's one first cost; empty without one), messages (what that
model's run showed). A model whose run stopped has empty figures and the
reason in messages.
)";
}

}  // namespace ktr
