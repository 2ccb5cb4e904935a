#include "ui/main/ModelComparison.h"

#include <algorithm>
#include <cstddef>

#include "engine/AutoSelection.h"
#include "engine/Calculate.h"
#include "platform/Form.h"
#include "platform/Overloaded.h"
#include "platform/headless/HeadlessMessageBox.h"
#include "ui/Windows.h"

namespace ui {

namespace {

// The dialog fields' controls in one list, in the same order for any two
// sets of fields, so that one set's values can be written into the other.
class FieldsForm : public platform::Form {
 public:
  explicit FieldsForm(ModCalc::DialogFields& fields) : Form("fields") {
    fields.inputs.registerIn(*this);
    fields.settings.registerIn(*this);
    fields.overrides.registerIn(*this);
  }
};

// Writes what the engineer entered and chose into `to`, whose controls have
// no handlers, so nothing runs but the writes. Captions and visibility are
// left as a fresh window has them: a run's indications start anew.
void copyEntries(const FieldsForm& from, const FieldsForm& to) {
  const auto& source = from.controls();
  const auto& target = to.controls();
  for (std::size_t k = 0; k < source.size(); ++k) {
    platform::Control& destination = *target[k];
    std::visit(platform::Overloaded{
                   [&](const platform::TextBox* box) {
                     std::get<platform::TextBox*>(destination.ref())->setText(box->text());
                   },
                   [&](const platform::CheckBox* box) {
                     std::get<platform::CheckBox*>(destination.ref())->setValue(box->value());
                   },
                   [&](const platform::OptionButton* option) {
                     if (option->value()) {
                       std::get<platform::OptionButton*>(destination.ref())->select();
                     }
                   },
                   [&](const platform::ListBox* list) {
                     auto* copy = std::get<platform::ListBox*>(destination.ref());
                     copy->clear();
                     for (const std::string& item : list->items()) {
                       copy->addItem(item);
                     }
                     copy->setListIndex(list->listIndex());
                   },
                   [](const auto*) {},
               },
               std::as_const(*source[k]).ref());
  }
}

ModelRating rate(ModCalc::Engine& copy, platform::HeadlessMessageBox& messages,
                 const std::string& model, std::size_t row) {
  ModelRating rating;
  rating.model = model;
  copy.state.ModelSelected = 1;
  pickListedModel(copy.fields.inputs, model);
  messages.clear();
  rating.completed = ModCalc::Calculate(copy);
  for (const platform::Message& message : messages.messages()) {
    rating.messages.push_back(message.text);
  }
  if (!rating.completed) {
    return rating;
  }
  const ModCalc::CalcState& s = copy.state;
  rating.inRange = row == 0 || ModCalc::ModelCoversCase(s, copy.catalog, row);
  rating.figures = presentRating(s, shownDisplay(s, copy.fields.settings));
  if (rating.figures.velocityTooHigh) {
    rating.messages.emplace_back("Face Velocity Too High");
  }
  return rating;
}

}  // namespace

void pickListedModel(ModCalc::InputsFields& inputs, const std::string& model) {
  platform::ListBox& list = inputs.lstWheel;
  const auto& items = list.items();
  auto found = std::find(items.begin(), items.end(), model);
  if (found == items.end()) {
    list.addItem(model);
    found = std::prev(list.items().end());
  }
  const int index = static_cast<int>(found - list.items().begin());
  if (list.listIndex() == index) {
    list.click();
  } else {
    list.setListIndex(index);
  }
}

void selectComparedModel(Windows& windows, const std::string& model) {
  windows.engine.state.ModelSelected = 1;
  ModCalc::InputsFields& inputs = windows.engine.fields.inputs;
  pickListedModel(inputs, model);
  inputs.lstWheel.dblClick();
}

std::vector<ModelRating> compareModels(const ModCalc::Engine& engine) {
  ModCalc::ModelCatalog catalog = engine.catalog;
  ModCalc::CalcState state;
  ModCalc::DialogFields fields;
  platform::HeadlessMessageBox messages;
  ModCalc::Engine copy{state, catalog, fields, messages, [] {}};
  const FieldsForm original(engine.fields);
  const FieldsForm entries(fields);
  std::vector<ModelRating> ratings;
  const auto count = static_cast<std::size_t>(engine.state.ModelCount);
  ratings.reserve(count + 1);
  for (std::size_t k = 1; k <= count + 1; ++k) {
    const std::size_t row = k % (count + 1);  // the custom wheel, row 0, comes last
    state = engine.state;
    copyEntries(original, entries);
    catalog.ModelFaceArea[0] = engine.catalog.ModelFaceArea[0];
    catalog.ModelPurgeCfm[0] = engine.catalog.ModelPurgeCfm[0];
    ratings.push_back(rate(copy, messages, engine.catalog.ModelName[row], row));
  }
  return ratings;
}

}  // namespace ui
