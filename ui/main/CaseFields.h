#pragma once

// The case's entered fields, one row each: where the program keeps the
// field, its name in the project file and in --json, its place in the file,
// its range, how messages name it and the boxes that show it. The project
// file, Open, Save, FillText, --json and the boxes' reading all take a field
// from its row, so a field is added in one place.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

#include "engine/Bounds.h"
#include "engine/CalcState.h"
#include "ui/DialogFields.h"
#include "ui/Engine.h"
#include "ui/main/ProjectFile.h"

namespace ui {

// Where the program keeps a field of type T: a state member, or the custom
// wheel's (row 0's) column of the catalog.
template <typename T>
using Place = std::variant<T ModCalc::CalcState::*,
                           ModCalc::ModelCatalog::Column<T> ModCalc::ModelCatalog::*>;

// A field as the program keeps it (T) and as the project file holds it
// (Stored): the flow basis is an enumeration kept as its number.
template <typename T, typename Stored = T>
struct Binding {
  Place<T> place;
  Stored Project::*stored = nullptr;  // none: the file keeps another form of it
};

using FieldBinding =
    std::variant<Binding<std::string>, Binding<double>, Binding<float>, Binding<std::int16_t>,
                 Binding<platform::Variant>, Binding<ModCalc::VolumeBasis, std::int16_t>>;

// What a field is, which decides how its box shows it.
enum class FieldKind {
  Text,
  Setting,         // a choice's number; no box
  Count,           // a whole number
  Temperature,     // °F; its SI twin in °C
  Moisture,        // the English form of the humidity option; its twin the SI form
  Volume,          // cfm; its SI twin in the SI flow unit
  Elevation,       // ft; the box shows metres in SI units
  StaticPressure,  // in. w.c.; the box shows pascals in SI units
  Number,          // in the one unit its box shows: the tidiest text
};

// A text box of one of the dialogs' groups.
using BoxRef = std::variant<std::monostate, platform::TextBox ModCalc::InputsFields::*,
                            platform::TextBox ModCalc::SettingsFields::*,
                            platform::TextBox ModCalc::OverrideFields::*>;

struct CaseField {
  const char* name;  // in the project file's messages and in --json
  FieldBinding binding;
  FieldKind kind;
  // The project file's record (1..4) and field (from 1); 0 when the file
  // does not keep the field.
  int record = 0;
  int position = 0;
  // How messages name the field, and the range an entry must lie in, in
  // the engine's units and in the SI units a box shows.
  const char* what = nullptr;
  std::optional<ModCalc::Bounds> bounds{};
  std::optional<ModCalc::Bounds> boundsSI{};
  // The field whose value is the bounds' high end, if any (a hub stays
  // inside its wheel).
  const char* below = nullptr;
  // The box the engineer types it in (in either units when it has no SI
  // twin), and the twin that takes it in SI units.
  BoxRef box{};
  BoxRef boxSI{};
  // FillText rewrites the box, as its text follows the units and the
  // calculation's corrections; the other boxes are written on Open only.
  bool refilled = false;
  // The field is the entry only in some flow bases (the return box holds
  // the actual volume in the actual bases); none: in every basis.
  bool (*entered)(ModCalc::VolumeBasis) = nullptr;
  // The batch schedule's column that types it, if any.
  const char* column = nullptr;
};

std::span<const CaseField> caseFields();

// The project file's record 5: the check boxes and option buttons of the
// case, in the file's order.
using SwitchRef = std::variant<platform::CheckBox ModCalc::InputsFields::*,
                               platform::CheckBox ModCalc::OverrideFields::*,
                               platform::OptionButton ModCalc::SettingsFields::*>;

struct CaseSwitch {
  const char* name;
  SwitchRef control;
};

std::span<const CaseSwitch> caseSwitches();

// A check box is 0 or 1 in the file, an option #TRUE# or #FALSE#.
bool isCheckBox(const CaseSwitch& control);
platform::Variant switchValue(const CaseSwitch& control, const ModCalc::DialogFields& fields);
// Ticks a check box as the value says; selects an option that is #TRUE#.
void restoreSwitch(const CaseSwitch& control, const platform::Variant& value,
                   ModCalc::DialogFields& fields);

// The row of `name`, which must be one.
const CaseField& caseField(std::string_view name);

// How messages name the row's field for a case in `basis`.
std::string whatOf(const CaseField& field, ModCalc::VolumeBasis basis);

// Whether the field is the custom wheel's, kept in the catalog's row 0.
bool keptInCatalog(const CaseField& field);

// The field's box (or its SI twin), if it has one.
platform::TextBox* boxOf(const BoxRef& box, ModCalc::DialogFields& fields);
const platform::TextBox* boxOf(const BoxRef& box, const ModCalc::DialogFields& fields);

// The text the field's box shows for the state and the custom wheel.
std::string boxText(const CaseField& field, const ModCalc::CalcState& state,
                    const ModCalc::ModelCatalog& catalog);

// The number in the field's box, within the field's range (up to the
// number in the `below` field's box, where it has one); a box without one
// stops the calculation with a message naming the field.
template <typename T>
T readField(const ModCalc::DialogFields& fields, std::string_view name) {
  const CaseField& field = caseField(name);
  ModCalc::Bounds bounds = *field.bounds;
  if (field.below != nullptr) {
    bounds.high = readField<T>(fields, field.below);
  }
  return ModCalc::readNumber<T>(*boxOf(field.box, fields), field.what, bounds);
}

// Copies every field the file keeps between a project and the program.
void storeProject(Project& project, const ModCalc::CalcState& state,
                  const ModCalc::ModelCatalog& catalog);
void restoreProject(const Project& project, ModCalc::CalcState& state,
                    ModCalc::ModelCatalog& catalog);

// The field's value where the program keeps it; `State` and `Catalog` are
// both const or both not.
template <typename T, typename State, typename Catalog>
auto& valueAt(const Place<T>& place, State& state, Catalog& catalog) {
  return std::visit(
      [&](auto member) -> auto& {
        if constexpr (requires { state.*member; }) {
          return state.*member;
        } else {
          return (catalog.*member)[0];
        }
      },
      place);
}

// Calls visit(value) with the field's value as the program keeps it.
template <typename Visitor>
void visitValue(const CaseField& field, const ModCalc::CalcState& state,
                const ModCalc::ModelCatalog& catalog, Visitor&& visit) {
  std::visit([&](const auto& binding) { visit(valueAt(binding.place, state, catalog)); },
             field.binding);
}

}  // namespace ui
