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
    {.name = "ProjectTitle",
     .binding = Binding<std::string>{&CalcState::ProjectTitle, &Project::ProjectTitle},
     .kind = FieldKind::Text,
     .record = 1,
     .position = 1,
     .box = &InputsFields::txtTitle,
     .column = "title"},
    {.name = "VoaInput",
     .binding = Binding<double>{&CalcState::VoaInput, &Project::VoaInput},
     .kind = FieldKind::Volume,
     .record = 1,
     .position = 2,
     .what = kMainVolume,
     .bounds = limits::kVolume,
     .boundsSI = limits::kVolume,
     .box = &InputsFields::txtV,
     .boxSI = &InputsFields::txtVSI,
     .refilled = true,
     .column = "volume"},
    {.name = "Toa",
     .binding = Binding<float>{&CalcState::Toa, &Project::Toa},
     .kind = FieldKind::Temperature,
     .record = 1,
     .position = 3,
     .what = "the outdoor air dry bulb",
     .bounds = limits::kFahrenheit,
     .boundsSI = limits::kCelsius,
     .box = &InputsFields::txtToa,
     .boxSI = &InputsFields::txtToaSI,
     .refilled = true,
     .column = "outdoor_db"},
    {.name = "Woa",
     .binding = Binding<double>{&CalcState::Woa, &Project::Woa},
     .kind = FieldKind::Number,
     .record = 1,
     .position = 4,
     .what = "the outdoor air humidity ratio",
     .bounds = limits::kHumidityRatio},
    // Its range is the dry bulb's when it is a temperature.
    {.name = "Moa",
     .binding = Binding<double>{&CalcState::Moa},
     .kind = FieldKind::Moisture,
     .what = "the outdoor air moisture",
     .box = &InputsFields::txtMoa,
     .boxSI = &InputsFields::txtMoaSI,
     .refilled = true,
     .column = "outdoor_moisture"},
    {.name = "Vra",
     .binding = Binding<float>{&CalcState::Vra, &Project::Vra},
     .kind = FieldKind::Volume,
     .record = 2,
     .position = 1,
     .what = "the return air volume",
     .bounds = limits::kVolume,
     .boundsSI = limits::kVolume,
     .box = &InputsFields::txtVra,
     .boxSI = &InputsFields::txtVraSI,
     .refilled = true,
     .entered = standardBasis,
     .column = "return_volume"},
    {.name = "VraActual",
     .binding = Binding<float>{&CalcState::VraActual, &Project::VraActual},
     .kind = FieldKind::Volume,
     .record = 2,
     .position = 2,
     .what = "the return air volume",
     .bounds = limits::kVolume,
     .boundsSI = limits::kVolume,
     .box = &InputsFields::txtVra,
     .boxSI = &InputsFields::txtVraSI,
     .refilled = true,
     .entered = actualBasis},
    {.name = "ModelIndex",
     .binding = Binding<std::int16_t>{&CalcState::ModelIndex, &Project::ModelIndex},
     .kind = FieldKind::Setting,
     .record = 2,
     .position = 3},
    {.name = "Tra",
     .binding = Binding<float>{&CalcState::Tra, &Project::Tra},
     .kind = FieldKind::Temperature,
     .record = 3,
     .position = 1,
     .what = "the return air dry bulb",
     .bounds = limits::kFahrenheit,
     .boundsSI = limits::kCelsius,
     .box = &InputsFields::txtTra,
     .boxSI = &InputsFields::txtTraSI,
     .refilled = true,
     .column = "return_db"},
    {.name = "Wra",
     .binding = Binding<double>{&CalcState::Wra, &Project::Wra},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 2,
     .what = "the return air humidity ratio",
     .bounds = limits::kHumidityRatio},
    {.name = "Mra",
     .binding = Binding<double>{&CalcState::Mra},
     .kind = FieldKind::Moisture,
     .what = "the return air moisture",
     .box = &InputsFields::txtMra,
     .boxSI = &InputsFields::txtMraSI,
     .refilled = true,
     .column = "return_moisture"},
    {.name = "PoaInWC",
     .binding = Binding<float>{&CalcState::PoaInWC, &Project::PoaInWC},
     .kind = FieldKind::StaticPressure,
     .record = 3,
     .position = 3,
     .what = "the outdoor air static pressure",
     .bounds = limits::kStaticInchesOfWater,
     .boundsSI = limits::kStaticPascals,
     .box = &SettingsFields::txtPoa,
     .refilled = true,
     .column = "outdoor_static"},
    {.name = "PraInWC",
     .binding = Binding<float>{&CalcState::PraInWC, &Project::PraInWC},
     .kind = FieldKind::StaticPressure,
     .record = 3,
     .position = 4,
     .what = "the return air static pressure",
     .bounds = limits::kReturnStaticInchesOfWater,
     .boundsSI = limits::kReturnStaticPascals,
     .box = &SettingsFields::txtPra,
     .refilled = true,
     .column = "return_static"},
    {.name = "ElevFt",
     .binding = Binding<float>{&CalcState::ElevFt, &Project::ElevFt},
     .kind = FieldKind::Elevation,
     .record = 3,
     .position = 5,
     .what = "the elevation",
     .bounds = limits::kElevationFeet,
     .boundsSI = limits::kElevationMetres,
     .box = &SettingsFields::txtElev,
     .refilled = true,
     .column = "elevation"},
    {.name = "ModelName",
     .binding = Binding<std::string>{&ModelCatalog::ModelName, &Project::ModelName},
     .kind = FieldKind::Text,
     .record = 3,
     .position = 6},
    {.name = "ModelFaceArea",
     .binding = Binding<float>{&ModelCatalog::ModelFaceArea, &Project::ModelFaceArea},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 7},
    {.name = "WheelDiam",
     .binding = Binding<float>{&ModelCatalog::WheelDiam, &Project::WheelDiam},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 8,
     .what = "the custom wheel's diameter",
     .bounds = limits::kWheelSize,
     .box = &OverrideFields::txtWheelDiam},
    {.name = "WheelDepth",
     .binding = Binding<float>{&ModelCatalog::WheelDepth, &Project::WheelDepth},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 9,
     .what = "the custom wheel's depth",
     .bounds = limits::kWheelSize,
     .box = &OverrideFields::txtWheelDepth},
    {.name = "SpokeCount",
     .binding = Binding<std::int16_t>{&ModelCatalog::SpokeCount, &Project::SpokeCount},
     .kind = FieldKind::Count,
     .record = 3,
     .position = 10,
     .what = "the custom wheel's number of spokes",
     .bounds = limits::kSpokes,
     .box = &OverrideFields::txtSpokes},
    {.name = "ModelRpm",
     .binding = Binding<float>{&ModelCatalog::ModelRpm, &Project::ModelRpm},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 11,
     .what = "the wheel speed",
     .bounds = limits::kWheelSpeed},
    {.name = "CasHeight",
     .binding = Binding<float>{&ModelCatalog::CasHeight, &Project::CasHeight},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 12,
     .what = "the custom wheel's cassette height",
     .bounds = limits::kWheelSize,
     .box = &OverrideFields::txtCasHeight},
    {.name = "CasWidth",
     .binding = Binding<float>{&ModelCatalog::CasWidth, &Project::CasWidth},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 13,
     .what = "the custom wheel's cassette width",
     .bounds = limits::kWheelSize,
     .box = &OverrideFields::txtCasWidth},
    {.name = "CasDepth",
     .binding = Binding<float>{&ModelCatalog::CasDepth, &Project::CasDepth},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 14,
     .what = "the custom wheel's cassette depth",
     .bounds = limits::kWheelSize,
     .box = &OverrideFields::txtCasDepth},
    {.name = "HubDiam",
     .binding = Binding<float>{&ModelCatalog::HubDiam, &Project::HubDiam},
     .kind = FieldKind::Number,
     .record = 3,
     .position = 15,
     .what = "the custom wheel's hub diameter",
     .bounds = ModCalc::Bounds{.low = 0, .highIncluded = false, .unit = "in"},
     .below = "WheelDiam",
     .box = &OverrideFields::txtHubDiam},
    {.name = "ModelExtra",
     .binding = Binding<platform::Variant>{&ModelCatalog::ModelExtra, &Project::ModelExtra},
     .kind = FieldKind::Text,
     .record = 3,
     .position = 16},
    {.name = "MotorHP",
     .binding = Binding<std::string>{&ModelCatalog::MotorHP, &Project::MotorHP},
     .kind = FieldKind::Text,
     .record = 3,
     .position = 17,
     .box = &OverrideFields::txtHP},
    {.name = "FrameText",
     .binding = Binding<std::string>{&ModelCatalog::FrameText, &Project::FrameText},
     .kind = FieldKind::Text,
     .record = 3,
     .position = 18},
    {.name = "BearingText",
     .binding = Binding<platform::Variant>{&ModelCatalog::BearingText, &Project::BearingText},
     .kind = FieldKind::Text,
     .record = 3,
     .position = 19},
    {.name = "ElOverride",
     .binding = Binding<float>{&CalcState::ElOverride, &Project::ElOverride},
     .kind = FieldKind::Number,
     .record = 4,
     .position = 1,
     .what = "the latent effectiveness override",
     .bounds = limits::kEffectiveness,
     .box = &OverrideFields::txtELOR},
    {.name = "EsOverride",
     .binding = Binding<float>{&CalcState::EsOverride, &Project::EsOverride},
     .kind = FieldKind::Number,
     .record = 4,
     .position = 2,
     .what = "the sensible effectiveness override",
     .bounds = limits::kEffectiveness,
     .box = &OverrideFields::txtESOR},
    {.name = "PurgeAngleEntered",
     .binding = Binding<float>{&CalcState::PurgeAngleEntered, &Project::PurgeAngleEntered},
     .kind = FieldKind::Number,
     .record = 4,
     .position = 3,
     .what = "the purge angle",
     .bounds = limits::kPurgeAngle,
     .box = &InputsFields::txtPurgeAngle},
    {.name = "WheelRpmEntered",
     .binding = Binding<float>{&CalcState::WheelRpmEntered, &Project::WheelRpmEntered},
     .kind = FieldKind::Number,
     .record = 4,
     .position = 4,
     .what = "the wheel speed",
     .bounds = limits::kWheelSpeed,
     .box = &InputsFields::txtWheelSpeed},
    {.name = "MoistInOption",
     .binding = Binding<std::int16_t>{&CalcState::MoistInOption, &Project::MoistInOption},
     .kind = FieldKind::Setting,
     .record = 4,
     .position = 5},
    {.name = "MoistInKind",
     .binding = Binding<std::int16_t>{&CalcState::MoistInKind, &Project::MoistInKind},
     .kind = FieldKind::Setting,
     .record = 4,
     .position = 6},
    {.name = "SIUnits",
     .binding = Binding<std::int16_t>{&CalcState::SIUnits, &Project::SIUnits},
     .kind = FieldKind::Setting,
     .record = 4,
     .position = 7},
    {.name = "FlowBasis",
     .binding = Binding<VolumeBasis, std::int16_t>{&CalcState::FlowBasis, &Project::FlowBasis},
     .kind = FieldKind::Setting,
     .record = 4,
     .position = 8},
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

template <typename Fields>
auto* boxIn(const BoxRef& box, Fields& fields) {
  using Box =
      std::conditional_t<std::is_const_v<Fields>, const platform::TextBox, platform::TextBox>;
  return std::visit(
      [&fields](auto member) -> Box* {
        if constexpr (std::is_same_v<decltype(member), std::monostate>) {
          return nullptr;
        } else {
          return &controlOf(member, fields);
        }
      },
      box);
}

template <typename T>
std::string shownText(const T& value, FieldKind kind, const CalcState& s) {
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

platform::TextBox* boxOf(const BoxRef& box, ModCalc::DialogFields& fields) {
  return boxIn(box, fields);
}

const platform::TextBox* boxOf(const BoxRef& box, const ModCalc::DialogFields& fields) {
  return boxIn(box, fields);
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
             [&](const auto& value) { text = shownText(value, field.kind, state); });
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
