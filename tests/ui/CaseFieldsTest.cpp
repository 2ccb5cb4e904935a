#include <map>
#include <set>
#include <string>
#include <type_traits>
#include <variant>

#include "engine/CalcStateFields.h"
#include "tests/ui/UiFixture.h"
#include "ui/Calculate.h"
#include "ui/main/CaseFields.h"

namespace ui::testing {
namespace {

// A field's value as text that tells every value apart.
std::string valueKey(const CaseField& field, const ModCalc::CalcState& s,
                     const ModCalc::ModelCatalog& c) {
  std::string key;
  visitValue(field, s, c, [&key](const auto& value) {
    using T = std::decay_t<decltype(value)>;
    if constexpr (std::is_same_v<T, std::string>) {
      key = '"' + value + '"';
    } else if constexpr (std::is_same_v<T, platform::Variant>) {
      key = std::to_string(value.index()) + ":" +
            std::visit(
                [](const auto& held) -> std::string {
                  using H = std::decay_t<decltype(held)>;
                  if constexpr (std::is_same_v<H, std::string>) {
                    return held;
                  } else if constexpr (std::is_same_v<H, std::monostate>) {
                    return "";
                  } else {
                    return platform::decimalText(static_cast<double>(held));
                  }
                },
                value);
    } else if constexpr (std::is_floating_point_v<T>) {
      key = platform::decimalText(value);
    } else {
      key = std::to_string(static_cast<int>(value));
    }
  });
  return key;
}

// The started program's case, calculated, as the file would hold it.
Project startupProject(Program& program) {
  program.start();
  EXPECT_TRUE(ModCalc::Calculate(program.engine));
  Project project;
  storeProject(project, program.state, program.catalog);
  for (std::size_t i = 0; i < project.ProjectSwitches.size(); ++i) {
    project.ProjectSwitches[i] = switchValue(caseSwitches()[i], program.fields);
  }
  return project;
}

TEST(CaseFields, RowsFillTheRecordsWithoutGapsAndNameTheirRanges) {
  std::map<int, std::set<int>> positions;
  std::set<std::string> names;
  for (const CaseField& field : caseFields()) {
    EXPECT_TRUE(names.insert(field.name).second) << field.name << " twice";
    // A range is named in its message; the dialog converts only these kinds.
    EXPECT_TRUE(!field.bounds || field.what != nullptr) << field.name;
    if (!std::holds_alternative<std::monostate>(field.boxSI)) {
      EXPECT_TRUE(field.kind == FieldKind::Temperature || field.kind == FieldKind::Moisture ||
                  field.kind == FieldKind::Volume)
          << field.name;
    }
    if (field.record == 0) {
      EXPECT_EQ(field.position, 0) << field.name;
      continue;
    }
    EXPECT_TRUE(positions[field.record].insert(field.position).second)
        << "record " << field.record << ", field " << field.position << " twice";
  }
  // Records 1 to 4 hold the fields; record 5 the switches.
  ASSERT_EQ(positions.size(), 4U);
  EXPECT_EQ(positions.begin()->first, 1);
  EXPECT_EQ(positions.rbegin()->first, 4);
  for (const auto& [record, taken] : positions) {
    EXPECT_EQ(*taken.begin(), 1) << "record " << record;
    EXPECT_EQ(*taken.rbegin(), static_cast<int>(taken.size())) << "record " << record;
  }
  EXPECT_EQ(caseSwitches().size(), Project{}.ProjectSwitches.size());
}

// --json names a state field as the state dump does, so one name means one
// member wherever it appears.
TEST(CaseFields, StateFieldsGoByTheirStateNames) {
  ModCalc::CalcState state;
  ModCalc::ModelCatalog catalog;
  std::map<const void*, std::string> named;
  ModCalc::forEachField(state,
                        [&named](const char* name, const auto& value) { named[&value] = name; });
  for (const CaseField& field : caseFields()) {
    if (keptInCatalog(field)) {
      continue;
    }
    visitValue(field, state, catalog, [&](const auto& value) {
      ASSERT_TRUE(named.contains(&value)) << field.name;
      EXPECT_EQ(named.at(&value), field.name);
    });
  }
}

// Each field given a value of its own, within its range, comes back from
// the file as it went in.
TEST(CaseFields, EveryFieldSurvivesTheProjectFile) {
  Program program;
  Project project = startupProject(program);
  ModCalc::CalcState& s = program.state;
  ModCalc::ModelCatalog& c = program.catalog;
  double n = 0;
  for (const CaseField& field : caseFields()) {
    ++n;
    std::visit(
        [&](const auto& binding) {
          auto& value = valueAt(binding.place, s, c);
          using T = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<T, std::string> || std::is_same_v<T, platform::Variant>) {
            value = std::string(field.name) + " text";
          } else if constexpr (std::is_floating_point_v<T>) {
            if (field.bounds) {
              const ModCalc::Bounds& b = *field.bounds;
              const double low = b.low.value_or(0);
              const double high = field.below != nullptr ? low + 1 : b.high.value_or(low + 100);
              value = static_cast<T>(low + (high - low) * (n + 0.25) / 64);
            } else {
              value = static_cast<T>(n + 0.5);
            }
          } else if constexpr (std::is_same_v<T, std::int16_t>) {
            if (field.bounds) {
              value = static_cast<T>(*field.bounds->low + n);
            }
          }
        },
        field.binding);
  }
  storeProject(project, s, c);
  const auto parsed = parseProject(projectText(project), s.ModelCount);
  ASSERT_TRUE(std::holds_alternative<Project>(parsed)) << std::get<std::string>(parsed);
  ModCalc::CalcState read;
  ModCalc::ModelCatalog readCatalog;
  restoreProject(std::get<Project>(parsed), read, readCatalog);
  std::set<std::string> values;
  for (const CaseField& field : caseFields()) {
    if (field.record == 0) {
      continue;
    }
    EXPECT_EQ(valueKey(field, read, readCatalog), valueKey(field, s, c)) << field.name;
    if (!field.bounds && field.kind != FieldKind::Text) {
      continue;  // the settings' values are few
    }
    EXPECT_TRUE(values.insert(valueKey(field, s, c)).second)
        << field.name << " shares its value: a swap would pass unseen";
  }
}

// A field out of its range is refused by name, whichever field it is.
TEST(CaseFields, AFileOutOfRangeNamesTheField) {
  Program program;
  const Project startup = startupProject(program);
  for (const CaseField& field : caseFields()) {
    if (!field.bounds || field.record == 0 || !field.bounds->low) {
      continue;
    }
    Project project = startup;
    project.FlowBasis = field.entered && !field.entered(ModCalc::VolumeBasis::Outdoor) ? 3 : 1;
    std::visit(
        [&](const auto& binding) {
          auto& value = project.*binding.stored;
          if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
            value = static_cast<std::decay_t<decltype(value)>>(*field.bounds->low - 1);
          }
        },
        field.binding);
    const auto parsed = parseProject(projectText(project), program.state.ModelCount);
    ASSERT_TRUE(std::holds_alternative<std::string>(parsed)) << field.name;
    const std::string& problem = std::get<std::string>(parsed);
    EXPECT_TRUE(problem.starts_with("record " + std::to_string(field.record) + ", field " +
                                    std::to_string(field.position) + " (" + field.name + ")"))
        << problem;
  }
}

}  // namespace
}  // namespace ui::testing
