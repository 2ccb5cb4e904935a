#include "ui/main/ProjectFile.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/Bounds.h"
#include "platform/ItemReader.h"
#include "platform/NumberText.h"
#include "platform/TextEncoding.h"
#include "ui/main/CaseFields.h"
#include "ui/main/CodeCheckRecord.h"

namespace ui {

namespace {

using Member = std::variant<std::string Project::*, double Project::*, float Project::*,
                            std::int16_t Project::*, platform::Variant Project::*>;

struct Field {
  const char* name = nullptr;
  Member member;
};

// The file's form of a field.
Member storedMember(const CaseField& field) {
  return std::visit([](const auto& binding) -> Member { return binding.stored; }, field.binding);
}

// Records 1 to 4, field by field, from the case's fields; record 5 is the
// switches.
const std::vector<std::vector<Field>>& records() {
  static const std::vector<std::vector<Field>> kRecords = [] {
    std::vector<std::vector<Field>> records;
    for (const CaseField& field : caseFields()) {
      if (field.record == 0) {
        continue;
      }
      const auto r = static_cast<std::size_t>(field.record);
      const auto f = static_cast<std::size_t>(field.position);
      records.resize(std::max(records.size(), r));
      records[r - 1].resize(std::max(records[r - 1].size(), f));
      records[r - 1][f - 1] = {field.name, storedMember(field)};
    }
    return records;
  }();
  return kRecords;
}

// The option groups of record 5 (first and last index): exactly one of each
// is selected.
constexpr std::pair<std::size_t, std::size_t> kOptionGroups[] = {{4, 7}, {8, 11}, {12, 13}};

constexpr const char* kExtraNames[5] = {"FluteOverride", "flute size", "chkFluteDisplay",
                                        "ListSelect", "SIFlowUnit"};

// The format has no escape for a double quote.
std::string quotedText(std::string_view text) {
  std::string result(text);
  std::replace(result.begin(), result.end(), '"', '\'');
  return '"' + result + '"';
}

std::string variantText(const platform::Variant& value) {
  struct {
    std::string operator()(std::monostate) const { return ""; }
    std::string operator()(double number) const { return platform::decimalText(number); }
    std::string operator()(const std::string& text) const { return quotedText(text); }
    std::string operator()(bool truth) const { return truth ? "#TRUE#" : "#FALSE#"; }
  } visitor;
  return std::visit(visitor, value);
}

std::string fieldText(const Project& project, const Member& member) {
  struct {
    const Project& p;
    std::string operator()(std::string Project::*m) const { return quotedText(p.*m); }
    std::string operator()(double Project::*m) const { return platform::decimalText(p.*m); }
    std::string operator()(float Project::*m) const { return platform::decimalText(p.*m); }
    std::string operator()(std::int16_t Project::*m) const { return std::to_string(p.*m); }
    std::string operator()(platform::Variant Project::*m) const { return variantText(p.*m); }
  } visitor{project};
  return std::visit(visitor, member);
}

std::string record(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) {
    line += (line.empty() ? "" : ",") + field;
  }
  return line + "\r\n";
}

// --- Reading -------------------------------------------------------------

struct ParseError {
  std::string text;
};

class ProjectReader {
 public:
  explicit ProjectReader(std::string_view text) : reader_(text) {}

  // Blank lines after the last record are no content.
  bool atEnd() {
    while (peek() && peek()->text.empty() && !peek()->quoted) {
      pending_.reset();
    }
    return !peek();
  }

  platform::Item take(std::size_t record, std::size_t field, std::size_t count) {
    if (auto item = peek()) {
      pending_.reset();
      return *item;
    }
    throw ParseError{"it ends early: record " + std::to_string(record) + " has " +
                     std::to_string(field - 1) + " of its " + std::to_string(count) + " fields"};
  }

 private:
  std::optional<platform::Item>& peek() {
    if (!pending_) {
      pending_ = reader_.next();
    }
    return pending_;
  }

  platform::ItemReader reader_;
  std::optional<platform::Item> pending_;
};

std::string where(std::size_t record, std::size_t field, std::string_view name) {
  return "record " + std::to_string(record) + ", field " + std::to_string(field) + " (" +
         std::string(name) + ")";
}

// An item as a message quotes it: short, one line, cut where a character
// starts, since the file may hold anything.
std::string shown(const platform::Item& item) {
  constexpr std::size_t kMostShown = 24;
  std::string text = item.text;
  if (text.size() > kMostShown) {
    std::size_t cut = kMostShown;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
      --cut;
    }
    text = text.substr(0, cut) + "…";
  }
  std::replace_if(
      text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }, ' ');
  return '"' + text + '"';
}

[[noreturn]] void wrong(std::size_t record, std::size_t field, std::string_view name,
                        const std::string& what) {
  throw ParseError{where(record, field, name) + " " + what};
}

template <typename T>
T numberItem(const platform::Item& item, std::size_t record, std::size_t field,
             std::string_view name) {
  if (!item.quoted) {
    if (const auto number = platform::parseInvariant<T>(item.text)) {
      return *number;
    }
  }
  wrong(record, field, name, "is not a number: " + shown(item));
}

std::int16_t integerItem(const platform::Item& item, std::size_t record, std::size_t field,
                         std::string_view name) {
  std::int16_t value = 0;
  const char* end = item.text.data() + item.text.size();
  const auto [ptr, ec] = std::from_chars(item.text.data(), end, value);
  if (item.quoted || item.text.empty() || ec != std::errc() || ptr != end) {
    wrong(record, field, name, "is not a whole number: " + shown(item));
  }
  return value;
}

platform::Variant variantItem(const platform::Item& item, std::size_t record, std::size_t field,
                              std::string_view name) {
  if (item.quoted) {
    return item.text;
  }
  if (item.text.empty()) {
    return {};
  }
  if (item.text == "#TRUE#" || item.text == "#FALSE#") {
    return item.text == "#TRUE#";
  }
  if (const auto number = platform::parseInvariant<double>(item.text)) {
    return *number;
  }
  wrong(record, field, name,
        "is neither a number, a quoted text nor #TRUE#/#FALSE#: " + shown(item));
}

void readField(Project& p, const Field& f, const platform::Item& item, std::size_t record,
               std::size_t field) {
  struct {
    Project& p;
    const platform::Item& item;
    std::size_t record;
    std::size_t field;
    const char* name;
    void operator()(std::string Project::*m) const { p.*m = item.text; }
    void operator()(double Project::*m) const {
      p.*m = numberItem<double>(item, record, field, name);
    }
    void operator()(float Project::*m) const {
      p.*m = numberItem<float>(item, record, field, name);
    }
    void operator()(std::int16_t Project::*m) const {
      p.*m = integerItem(item, record, field, name);
    }
    void operator()(platform::Variant Project::*m) const {
      p.*m = variantItem(item, record, field, name);
    }
  } visitor{p, item, record, field, f.name};
  std::visit(visitor, f.member);
}

void require(bool ok, std::size_t record, std::string_view name, const std::string& what) {
  if (!ok) {
    wrong(record, static_cast<std::size_t>(caseField(name).position), name, what);
  }
}

void checkSettings(const Project& p, std::int16_t modelCount) {
  require(p.ModelIndex >= 0 && p.ModelIndex <= modelCount, 2, "ModelIndex",
          "is " + std::to_string(p.ModelIndex) + ", not a model from 0 to " +
              std::to_string(modelCount));
  require(p.MoistInOption >= 1 && p.MoistInOption <= 7, 4, "MoistInOption",
          "is " + std::to_string(p.MoistInOption) + ", not 1 to 7");
  const int kind = p.MoistInOption > 4 ? p.MoistInOption - 4 : p.MoistInOption;
  require(p.MoistInKind == kind, 4, "MoistInKind",
          "is " + std::to_string(p.MoistInKind) + " where the humidity option " +
              std::to_string(p.MoistInOption) + " needs " + std::to_string(kind));
  require(p.SIUnits == 0 || p.SIUnits == 1, 4, "SIUnits",
          "is " + std::to_string(p.SIUnits) + ", not 0 or 1");
  require(p.FlowBasis >= 1 && p.FlowBasis <= 4, 4, "FlowBasis",
          "is " + std::to_string(p.FlowBasis) + ", not 1 to 4");
}

double storedNumber(const Project& p, const CaseField& field) {
  return std::visit(
      [&p, &field](auto member) -> double {
        if constexpr (std::is_arithmetic_v<std::remove_reference_t<decltype(p.*member)>>) {
          return static_cast<double>(p.*member);
        } else {
          throw std::logic_error(std::string(field.name) + " is no number");
        }
      },
      storedMember(field));
}

// The ranges of the boxes the fields go to, with the boxes' messages, so a
// file brings in nothing an engineer could not type.
void checkRanges(const Project& p) {
  const auto basis = static_cast<ModCalc::VolumeBasis>(p.FlowBasis);
  for (const CaseField& field : caseFields()) {
    if (!field.bounds || field.record == 0 || (field.entered && !field.entered(basis))) {
      continue;
    }
    ModCalc::Bounds bounds = *field.bounds;
    if (field.below != nullptr) {
      bounds.high = storedNumber(p, caseField(field.below));
    }
    std::visit(
        [&](auto member) {
          const auto value = p.*member;
          if constexpr (std::is_arithmetic_v<decltype(value)>) {
            if (ModCalc::withinBounds(value, bounds)) {
              return;
            }
            std::string message = ModCalc::boundsMessage(whatOf(field, basis), bounds);
            message.pop_back();  // the Open message ends the sentence
            std::string shown;
            if constexpr (std::is_integral_v<decltype(value)>) {
              shown = std::to_string(value);
            } else {
              shown = platform::decimalText(value);
            }
            wrong(static_cast<std::size_t>(field.record), static_cast<std::size_t>(field.position),
                  field.name, "is " + shown + ". " + message);
          }
        },
        storedMember(field));
  }
}

void readSwitches(Project& p, ProjectReader& reader) {
  for (std::size_t i = 0; i < p.ProjectSwitches.size(); ++i) {
    const std::size_t field = i + 1;
    const platform::Item item = reader.take(5, field, p.ProjectSwitches.size());
    platform::Variant value = variantItem(item, 5, field, caseSwitches()[i].name);
    if (isCheckBox(caseSwitches()[i])) {
      const double* number = std::get_if<double>(&value);
      if (number == nullptr || (*number != 0 && *number != 1)) {
        wrong(5, field, caseSwitches()[i].name, "is a check box: 0 or 1, not " + shown(item));
      }
    } else if (!std::holds_alternative<bool>(value)) {
      wrong(5, field, caseSwitches()[i].name,
            "is an option: #TRUE# or #FALSE#, not " + shown(item));
    }
    p.ProjectSwitches[i] = std::move(value);
  }
  for (const auto& [first, last] : kOptionGroups) {
    std::size_t selected = 0;
    for (std::size_t i = first; i <= last; ++i) {
      selected += std::get<bool>(p.ProjectSwitches[i]) ? 1 : 0;
    }
    if (selected != 1) {
      throw ParseError{"record 5, fields " + std::to_string(first + 1) + " to " +
                       std::to_string(last + 1) + " (" + caseSwitches()[first].name + " to " +
                       caseSwitches()[last].name + ") select " + std::to_string(selected) +
                       " options where one must be #TRUE#"};
    }
  }
}

ProjectExtras readExtras(ProjectReader& reader) {
  std::int16_t values[5]{};
  for (std::size_t i = 0; i < 5; ++i) {
    const std::size_t field = i + 1;
    values[i] = integerItem(reader.take(6, field, 5), 6, field, kExtraNames[i]);
    const bool ok = i == 1 ? values[i] == 45 || values[i] == 62 || values[i] == 94
                           : values[i] == 0 || values[i] == 1;
    if (!ok) {
      wrong(6, field, kExtraNames[i],
            "is " + std::to_string(values[i]) + ", not " + (i == 1 ? "45, 62 or 94" : "0 or 1"));
    }
  }
  return {values[0], values[1], values[2], values[3], values[4]};
}

}  // namespace

std::string projectText(const Project& project) {
  std::string text;
  for (const auto& fields : records()) {
    std::vector<std::string> items;
    for (const Field& field : fields) {
      items.push_back(fieldText(project, field.member));
    }
    text += record(items);
  }
  std::vector<std::string> switches;
  for (const platform::Variant& value : project.ProjectSwitches) {
    switches.push_back(variantText(value));
  }
  text += record(switches);
  if (const auto& x = project.extras) {
    text += record({std::to_string(x->FluteOverride), std::to_string(x->FluteSize),
                    std::to_string(x->chkFluteDisplay), std::to_string(x->ListSelect),
                    std::to_string(x->SIFlowUnit)});
    // The code check is record 8, so a file with one holds record 7 too:
    // the annual operation, the defaults where the project has none.
    if (project.annual || project.codeCheck) {
      const AnnualRecord annual = project.annual.value_or(AnnualRecord{});
      std::vector<std::string> items{quotedText(annual.weatherPath)};
      const std::vector<std::string> numbers = annualRecordNumbers(annual);
      items.insert(items.end(), numbers.begin(), numbers.end());
      text += record(items);
    }
    if (project.codeCheck) {
      text += record(codeCheckRecord(*project.codeCheck));
    }
  }
  return text;
}

std::variant<Project, std::string> parseProject(std::string_view bytes, std::int16_t modelCount) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    bytes.remove_prefix(3);
  }
  const std::string text = platform::toUtf8(bytes);
  Project project;
  ProjectReader reader(text);
  try {
    if (reader.atEnd()) {
      return std::string("it is empty");
    }
    for (std::size_t r = 0; r < records().size(); ++r) {
      const auto& fields = records()[r];
      for (std::size_t f = 0; f < fields.size(); ++f) {
        const platform::Item item = reader.take(r + 1, f + 1, fields.size());
        // Every project begins with its title in quotes; a file that does not
        // is something else, and none of it is quoted back.
        if (r == 0 && f == 0 && !item.quoted) {
          return std::string("it is not a project file: it does not begin with a quoted title");
        }
        readField(project, fields[f], item, r + 1, f + 1);
      }
    }
    checkSettings(project, modelCount);
    checkRanges(project);
    readSwitches(project, reader);
    if (!reader.atEnd()) {
      project.extras = readExtras(reader);
      if (!reader.atEnd()) {
        std::vector<platform::Item> items;
        for (std::size_t f = 1; f <= annualRecordSize(); ++f) {
          items.push_back(reader.take(7, f, annualRecordSize()));
        }
        auto annual = parseAnnualRecord(items);
        if (const auto* problem = std::get_if<std::string>(&annual)) {
          return *problem;
        }
        // The defaults are no operation of the project's own.
        if (std::get<AnnualRecord>(annual) != AnnualRecord{}) {
          project.annual = std::get<AnnualRecord>(std::move(annual));
        }
      }
      if (!reader.atEnd()) {
        std::vector<platform::Item> items;
        for (std::size_t f = 1; f <= kCodeCheckRecordFields; ++f) {
          items.push_back(reader.take(8, f, kCodeCheckRecordFields));
        }
        auto read = readCodeCheckRecord(items);
        if (const std::string* problem = std::get_if<std::string>(&read)) {
          return "record 8: " + *problem;
        }
        project.codeCheck = std::get<ModCalc::CodeCheckInputs>(read);
      }
      if (!reader.atEnd()) {
        return std::string("it holds more than eight records");
      }
    }
  } catch (const ParseError& error) {
    return error.text;
  }
  return project;
}

}  // namespace ui
