#include "app/ProgramJson.h"

#include <string>
#include <type_traits>

#include "app/ControlNames.h"
#include "engine/CalcStateFields.h"
#include "platform/NumberText.h"
#include "platform/Overloaded.h"
#include "ui/main/CaseFields.h"

namespace ktr {

namespace {

using nlohmann::ordered_json;

// A float as the shortest decimal that reads back as that float, so 0.757
// shows as 0.757 and not as the double nearest the float.
ordered_json number(float value) {
  if (const auto shortest = platform::parseInvariant<double>(platform::decimalText(value))) {
    return *shortest;
  }
  return value;  // not finite: JSON has no value for it (null)
}

ordered_json variant(const platform::Variant& value) {
  return std::visit(
      [](const auto& held) -> ordered_json {
        using Held = std::decay_t<decltype(held)>;
        if constexpr (std::is_same_v<Held, std::monostate>) {
          return nullptr;
        } else {
          return held;
        }
      },
      value);
}

template <typename T>
ordered_json field(const T& value) {
  if constexpr (std::is_same_v<T, float>) {
    return number(value);
  } else if constexpr (std::is_same_v<T, platform::Variant>) {
    return variant(value);
  } else if constexpr (std::is_same_v<T, std::array<platform::Variant, 5>>) {
    ordered_json list = ordered_json::array();
    for (const platform::Variant& element : value) {
      list.push_back(variant(element));
    }
    return list;
  } else {
    return value;
  }
}

ordered_json stateJson(const ModCalc::CalcState& state) {
  ordered_json json = ordered_json::object();
  ModCalc::forEachField(
      state, [&json](const char* name, const auto& value) { json[name] = field(value); });
  return json;
}

// The custom wheel as entered, then what its sizing gave.
ordered_json catalogRowJson(const ModCalc::CalcState& state, const ModCalc::ModelCatalog& c) {
  ordered_json json = ordered_json::object();
  for (const ui::CaseField& entered : ui::caseFields()) {
    if (ui::keptInCatalog(entered)) {
      ui::visitValue(entered, state, c,
                     [&](const auto& value) { json[entered.name] = field(value); });
    }
  }
  json["ModelMinCfm"] = number(c.ModelMinCfm[0]);
  json["ModelMaxCfm"] = number(c.ModelMaxCfm[0]);
  json["ModelPurgeCfm"] = number(c.ModelPurgeCfm[0]);
  json["ModelCount"] = state.ModelCount;
  return json;
}

ordered_json color(const platform::Rgb& rgb) {
  return {rgb.red, rgb.green, rgb.blue};
}

ordered_json controlJson(const platform::Control& control) {
  ordered_json json = ordered_json::object();
  std::visit(platform::Overloaded{
                 [&json](const platform::TextBox* box) { json["text"] = box->text(); },
                 [&json](const platform::CheckBox* box) {
                   json["caption"] = box->caption();
                   json["value"] = box->value();
                 },
                 [&json](const platform::OptionButton* option) {
                   json["caption"] = option->caption();
                   json["value"] = option->value();
                 },
                 [&json](const platform::MenuItem* item) {
                   json["caption"] = item->caption();
                   json["value"] = item->checked();
                 },
                 [&json](const platform::ListBox* list) {
                   json["items"] = list->items();
                   json["index"] = list->listIndex();
                   json["text"] = list->text();
                 },
                 [&json](const platform::ToolBar* bar) {
                   ordered_json keys = ordered_json::array();
                   for (const platform::ToolButton& button : bar->buttons()) {
                     if (!button.separator) {
                       keys.push_back(button.key);
                     }
                   }
                   json["items"] = keys;
                 },
                 [](const platform::PictureBox*) {},
                 // Labels, frames, buttons and menus show a caption only.
                 [&json](const auto* captioned) { json["caption"] = captioned->caption(); },
             },
             control.ref());
  json["visible"] = control.visible();
  json["enabled"] = control.enabled();
  if (control.backColor()) {
    json["backColor"] = color(*control.backColor());
  }
  if (control.foreColor()) {
    json["foreColor"] = color(*control.foreColor());
  }
  return json;
}

}  // namespace

nlohmann::ordered_json programJson(Program& program,
                                   const std::vector<platform::Message>& messages) {
  // The override password unlocks the engineering functions: what it is
  // and what was typed for it are never printed.
  const std::string hidden = "(hidden)";
  ordered_json controls = ordered_json::object();
  for (const NamedControl& named : namedControls(program.windows.all())) {
    controls[named.key] = controlJson(*named.control);
    if (named.control == &program.windows.password.txtPassword &&
        !program.windows.password.txtPassword.text().empty()) {
      controls[named.key]["text"] = hidden;
    }
  }
  ordered_json state = stateJson(program.state);
  state["OverridePassword"] = hidden;
  ordered_json windows = ordered_json::object();
  for (const platform::Form* form : program.windows.all()) {
    windows[form->name()] = {{"caption", form->caption()}, {"visible", form->visible()}};
  }
  ordered_json shown = ordered_json::array();
  for (const platform::Message& message : messages) {
    shown.push_back({{"title", message.title}, {"text", message.text}});
  }
  return {{"state", state},
          {"catalog", catalogRowJson(program.state, program.catalog)},
          {"controls", controls},
          {"windows", windows},
          {"messages", shown}};
}

}  // namespace ktr
