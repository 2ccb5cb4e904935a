#include "ui/main/CaseFields.h"

#include <algorithm>
#include <stdexcept>
#include <type_traits>

#include "engine/InputChecks.h"
#include "platform/NumberText.h"
#include "ui/EnteredUnits.h"

namespace ui {

namespace {

using ModCalc::CalcState;
using ModCalc::InputsFields;
using ModCalc::ModelCatalog;
using ModCalc::OverrideFields;
using ModCalc::SettingsFields;
using ModCalc::VolumeBasis;
namespace limits = ModCalc::limits;

bool actualBasis(VolumeBasis basis) {
  return basis == VolumeBasis::OutdoorActual || basis == VolumeBasis::SupplyActual;
}

bool standardBasis(VolumeBasis basis) {
  return !actualBasis(basis);
}

constexpr const char* kMainVolume = "the supply air volume";
constexpr const char* kMainVolumeOutdoor = "the outdoor air volume";

// In the file's order; the moisture entries follow the humidity ratios the
// file keeps for them.
const CaseField kFields[] = {
    {"ProjectTitle",
     Binding<std::string>{&CalcState::ProjectTitle, &Project::ProjectTitle},
     FieldKind::Text,
     1,
     1,
     nullptr,
     {},
     &InputsFields::txtTitle},
    {"VoaInput", Binding<double>{&CalcState::VoaInput, &Project::VoaInput}, FieldKind::Number, 1, 2,
     kMainVolume, limits::kVolume, &InputsFields::txtV, true},
    {"Toa", Binding<float>{&CalcState::Toa, &Project::Toa}, FieldKind::Number, 1, 3,
     "the outdoor air dry bulb", limits::kFahrenheit, &InputsFields::txtToa, true},
    {"Woa", Binding<double>{&CalcState::Woa, &Project::Woa}, FieldKind::Number, 1, 4,
     "the outdoor air humidity ratio", limits::kHumidityRatio},
    {"Moa",
     Binding<double>{&CalcState::Moa},
     FieldKind::Moisture,
     0,
     0,
     nullptr,
     {},
     &InputsFields::txtMoa,
     true},
    {"Vra", Binding<float>{&CalcState::Vra, &Project::Vra}, FieldKind::Number, 2, 1,
     "the return air volume", limits::kVolume, &InputsFields::txtVra, true, standardBasis},
    {"VraActual", Binding<float>{&CalcState::VraActual, &Project::VraActual}, FieldKind::Number, 2,
     2, "the return air volume", limits::kVolume, &InputsFields::txtVra, true, actualBasis},
    {"ModelIndex", Binding<std::int16_t>{&CalcState::ModelIndex, &Project::ModelIndex},
     FieldKind::Setting, 2, 3},
    {"Tra", Binding<float>{&CalcState::Tra, &Project::Tra}, FieldKind::Number, 3, 1,
     "the return air dry bulb", limits::kFahrenheit, &InputsFields::txtTra, true},
    {"Wra", Binding<double>{&CalcState::Wra, &Project::Wra}, FieldKind::Number, 3, 2,
     "the return air humidity ratio", limits::kHumidityRatio},
    {"Mra",
     Binding<double>{&CalcState::Mra},
     FieldKind::Moisture,
     0,
     0,
     nullptr,
     {},
     &InputsFields::txtMra,
     true},
    {"PoaInWC", Binding<float>{&CalcState::PoaInWC, &Project::PoaInWC}, FieldKind::StaticPressure,
     3, 3, "the outdoor air static pressure", limits::kStaticInchesOfWater, &SettingsFields::txtPoa,
     true},
    {"PraInWC", Binding<float>{&CalcState::PraInWC, &Project::PraInWC}, FieldKind::StaticPressure,
     3, 4, "the return air static pressure", limits::kReturnStaticInchesOfWater,
     &SettingsFields::txtPra, true},
    {"ElevFt", Binding<float>{&CalcState::ElevFt, &Project::ElevFt}, FieldKind::Elevation, 3, 5,
     "the elevation", limits::kElevationFeet, &SettingsFields::txtElev, true},
    {"ModelName", Binding<std::string>{&ModelCatalog::ModelName, &Project::ModelName},
     FieldKind::Text, 3, 6},
    {"ModelFaceArea", Binding<float>{&ModelCatalog::ModelFaceArea, &Project::ModelFaceArea},
     FieldKind::Number, 3, 7},
    {"WheelDiam", Binding<float>{&ModelCatalog::WheelDiam, &Project::WheelDiam}, FieldKind::Number,
     3, 8, "the custom wheel's diameter", limits::kWheelSize, &OverrideFields::txtWheelDiam},
    {"WheelDepth", Binding<float>{&ModelCatalog::WheelDepth, &Project::WheelDepth},
     FieldKind::Number, 3, 9, "the custom wheel's depth", limits::kWheelSize,
     &OverrideFields::txtWheelDepth},
    {"SpokeCount", Binding<std::int16_t>{&ModelCatalog::SpokeCount, &Project::SpokeCount},
     FieldKind::Count, 3, 10, "the custom wheel's number of spokes", limits::kSpokes,
     &OverrideFields::txtSpokes},
    {"ModelRpm", Binding<float>{&ModelCatalog::ModelRpm, &Project::ModelRpm}, FieldKind::Number, 3,
     11, "the wheel speed", limits::kWheelSpeed},
    {"CasHeight", Binding<float>{&ModelCatalog::CasHeight, &Project::CasHeight}, FieldKind::Number,
     3, 12, "the custom wheel's cassette height", limits::kWheelSize,
     &OverrideFields::txtCasHeight},
    {"CasWidth", Binding<float>{&ModelCatalog::CasWidth, &Project::CasWidth}, FieldKind::Number, 3,
     13, "the custom wheel's cassette width", limits::kWheelSize, &OverrideFields::txtCasWidth},
    {"CasDepth", Binding<float>{&ModelCatalog::CasDepth, &Project::CasDepth}, FieldKind::Number, 3,
     14, "the custom wheel's cassette depth", limits::kWheelSize, &OverrideFields::txtCasDepth},
    {"HubDiam", Binding<float>{&ModelCatalog::HubDiam, &Project::HubDiam}, FieldKind::Number, 3, 15,
     "the custom wheel's hub diameter",
     ModCalc::Bounds{.low = 0, .highIncluded = false, .unit = "in"}, &OverrideFields::txtHubDiam,
     false, nullptr, "WheelDiam"},
    {"ModelExtra", Binding<platform::Variant>{&ModelCatalog::ModelExtra, &Project::ModelExtra},
     FieldKind::Text, 3, 16},
    {"MotorHP",
     Binding<std::string>{&ModelCatalog::MotorHP, &Project::MotorHP},
     FieldKind::Text,
     3,
     17,
     nullptr,
     {},
     &OverrideFields::txtHP},
    {"FrameText", Binding<std::string>{&ModelCatalog::FrameText, &Project::FrameText},
     FieldKind::Text, 3, 18},
    {"BearingText", Binding<platform::Variant>{&ModelCatalog::BearingText, &Project::BearingText},
     FieldKind::Text, 3, 19},
    {"ElOverride", Binding<float>{&CalcState::ElOverride, &Project::ElOverride}, FieldKind::Number,
     4, 1, "the latent effectiveness override", limits::kEffectiveness, &OverrideFields::txtELOR},
    {"EsOverride", Binding<float>{&CalcState::EsOverride, &Project::EsOverride}, FieldKind::Number,
     4, 2, "the sensible effectiveness override", limits::kEffectiveness, &OverrideFields::txtESOR},
    {"PurgeAngleEntered",
     Binding<float>{&CalcState::PurgeAngleEntered, &Project::PurgeAngleEntered}, FieldKind::Number,
     4, 3, "the purge angle", limits::kPurgeAngle, &InputsFields::txtPurgeAngle},
    {"WheelRpmEntered", Binding<float>{&CalcState::WheelRpmEntered, &Project::WheelRpmEntered},
     FieldKind::Number, 4, 4, "the wheel speed", limits::kWheelSpeed, &InputsFields::txtWheelSpeed},
    {"MoistInOption", Binding<std::int16_t>{&CalcState::MoistInOption, &Project::MoistInOption},
     FieldKind::Setting, 4, 5},
    {"MoistInKind", Binding<std::int16_t>{&CalcState::MoistInKind, &Project::MoistInKind},
     FieldKind::Setting, 4, 6},
    {"SIUnits", Binding<std::int16_t>{&CalcState::SIUnits, &Project::SIUnits}, FieldKind::Setting,
     4, 7},
    {"FlowBasis", Binding<VolumeBasis, std::int16_t>{&CalcState::FlowBasis, &Project::FlowBasis},
     FieldKind::Setting, 4, 8},
};

const CaseSwitch kSwitches[] = {
    {"chkAutoSelect", &OverrideFields::chkAutoSelect},
    {"chkSpeed", &InputsFields::chkSpeed},
    {"chkSensible", &OverrideFields::chkSensible},
    {"chkLatent", &OverrideFields::chkLatent},
    {"optOutDP", &SettingsFields::optOutDP},
    {"optOUTDPSI", &SettingsFields::optOUTDPSI},
    {"optOutWB", &SettingsFields::optOutWB},
    {"optOUTWBSI", &SettingsFields::optOUTWBSI},
    {"optOutdoor", &SettingsFields::optOutdoor},
    {"optSupply", &SettingsFields::optSupply},
    {"optOutdoorActual", &SettingsFields::optOutdoorActual},
    {"optSupplyActual", &SettingsFields::optSupplyActual},
    {"KTRSel", &SettingsFields::KTRSel},
    {"KSRSel", &SettingsFields::KSRSel},
    {"chkPurgeAngle", &InputsFields::chkPurgeAngle},
};

// The group of the dialogs' fields that `member` belongs to.
template <typename Group, typename Fields>
auto& groupOf(Fields& fields) {
  if constexpr (std::is_same_v<Group, InputsFields>) {
    return fields.inputs;
  } else if constexpr (std::is_same_v<Group, SettingsFields>) {
    return fields.settings;
  } else {
    return fields.overrides;
  }
}

template <typename Control, typename Group, typename Fields>
auto& controlOf(Control Group::*member, Fields& fields) {
  return groupOf<Group>(fields).*member;
}

template <typename T>
std::string numberText(const T& value, FieldKind kind, const CalcState& s) {
  if constexpr (std::is_same_v<T, std::string>) {
    return value;
  } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
    switch (kind) {
      case FieldKind::Moisture:
        return ModCalc::moistureText(value, s.MoistInKind);
      case FieldKind::Elevation:
        return ModCalc::elevationText(static_cast<float>(value), s.SIUnits);
      case FieldKind::StaticPressure:
        return ModCalc::staticPressureText(static_cast<float>(value), s.SIUnits == 1);
      default:
        return platform::tidyText(value);
    }
  } else if constexpr (std::is_same_v<T, std::int16_t>) {
    return std::to_string(value);
  } else {
    throw std::logic_error("a field of this type has no box");
  }
}

}  // namespace

std::span<const CaseField> caseFields() {
  return kFields;
}

const CaseField& caseField(std::string_view name) {
  const auto found = std::find_if(std::begin(kFields), std::end(kFields),
                                  [name](const CaseField& f) { return f.name == name; });
  if (found == std::end(kFields)) {
    throw std::logic_error("no case field " + std::string(name));
  }
  return *found;
}

std::string whatOf(const CaseField& field, VolumeBasis basis) {
  // The main volume is of the air its basis names.
  if (std::string_view(field.what) == kMainVolume &&
      (basis == VolumeBasis::Outdoor || basis == VolumeBasis::OutdoorActual)) {
    return kMainVolumeOutdoor;
  }
  return field.what;
}

bool keptInCatalog(const CaseField& field) {
  return std::visit([](const auto& binding) { return binding.place.index() == 1; }, field.binding);
}

platform::TextBox* boxOf(const CaseField& field, ModCalc::DialogFields& fields) {
  return std::visit(
      [&fields](auto member) -> platform::TextBox* {
        if constexpr (std::is_same_v<decltype(member), std::monostate>) {
          return nullptr;
        } else {
          return &controlOf(member, fields);
        }
      },
      field.box);
}

std::span<const CaseSwitch> caseSwitches() {
  return kSwitches;
}

bool isCheckBox(const CaseSwitch& control) {
  return !std::holds_alternative<platform::OptionButton SettingsFields::*>(control.control);
}

platform::Variant switchValue(const CaseSwitch& control, const ModCalc::DialogFields& fields) {
  return std::visit(
      [&fields](auto member) {
        const auto& shown = controlOf(member, fields);
        if constexpr (std::is_same_v<std::decay_t<decltype(shown)>, platform::CheckBox>) {
          return platform::Variant{double(shown.value())};
        } else {
          return platform::Variant{shown.value()};
        }
      },
      control.control);
}

void restoreSwitch(const CaseSwitch& control, const platform::Variant& value,
                   ModCalc::DialogFields& fields) {
  std::visit(
      [&](auto member) {
        auto& shown = controlOf(member, fields);
        if constexpr (std::is_same_v<std::decay_t<decltype(shown)>, platform::CheckBox>) {
          shown.setValue(static_cast<std::int16_t>(std::get<double>(value)));
        } else if (std::get<bool>(value)) {
          shown.select();
        }
      },
      control.control);
}

std::string boxText(const CaseField& field, const CalcState& state, const ModelCatalog& catalog) {
  std::string text;
  visitValue(field, state, catalog,
             [&](const auto& value) { text = numberText(value, field.kind, state); });
  return text;
}

void storeProject(Project& project, const CalcState& state, const ModelCatalog& catalog) {
  for (const CaseField& field : kFields) {
    std::visit(
        [&](const auto& binding) {
          if (binding.stored != nullptr) {
            using Stored = std::remove_reference_t<decltype(project.*binding.stored)>;
            project.*binding.stored = static_cast<Stored>(valueAt(binding.place, state, catalog));
          }
        },
        field.binding);
  }
}

void restoreProject(const Project& project, CalcState& state, ModelCatalog& catalog) {
  for (const CaseField& field : kFields) {
    std::visit(
        [&](const auto& binding) {
          if (binding.stored != nullptr) {
            auto& value = valueAt(binding.place, state, catalog);
            value = static_cast<std::remove_reference_t<decltype(value)>>(project.*binding.stored);
          }
        },
        field.binding);
  }
}

}  // namespace ui
