#include "ui/main/ModelComparison.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "engine/AutoSelection.h"
#include "engine/Rate.h"
#include "ui/Calculate.h"
#include "ui/Windows.h"

namespace ui {

namespace {

ModelRating compared(const ModCalc::Case& c, const ModCalc::ModelCatalog& catalog,
                     const ModCalc::SettingsFields& settings, std::size_t row) {
  ModelRating rating;
  rating.model = c.model;
  const ModCalc::Rating rated = ModCalc::rate(c, catalog);
  for (const ModCalc::Warning& warning : rated.warnings) {
    rating.messages.push_back(warning.text);
  }
  if (!rated.completed()) {
    rating.messages.push_back(*rated.error);
    return rating;
  }
  rating.completed = true;
  const ModCalc::CalcState& s = rated.results;
  rating.inRange = row == 0 || ModCalc::ModelCoversCase(s, catalog, row);
  rating.figures = presentRating(s, shownDisplay(s, settings));
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
  const auto count = static_cast<std::size_t>(engine.state.ModelCount);
  std::vector<ModelRating> ratings;
  ratings.reserve(count + 1);
  ModCalc::Case c;
  std::optional<std::string> unread;
  try {
    c = ModCalc::readCase(engine);
  } catch (const ModCalc::CalcError& error) {
    unread = error.what();
  }
  c.selectModel = false;
  for (std::size_t k = 1; k <= count + 1; ++k) {
    const std::size_t row = k % (count + 1);  // the custom wheel, row 0, comes last
    c.model = engine.catalog.ModelName[row];
    if (unread) {
      ModelRating rating;
      rating.model = c.model;
      rating.messages = {*unread};
      ratings.push_back(std::move(rating));
    } else {
      ratings.push_back(compared(c, engine.catalog, engine.fields.settings, row));
    }
  }
  return ratings;
}

}  // namespace ui
