#pragma once

// Every catalog model and the custom wheel rated for the current case, each
// as if it had been picked from the inputs dialog's model list: the case is
// read once and rated per model, and the windows never change.

#include <string>
#include <vector>

#include "ui/Engine.h"
#include "ui/main/ResultTexts.h"

namespace ui {

// One model's figures, in the units the main window shows.
struct ModelRating {
  std::string model;
  // The model's catalog volume range covers the case as the selection judges
  // it (the custom wheel has no range: always).
  bool inRange = false;
  // False when the run stopped; the figures are then zero and `messages`
  // says why.
  bool completed = false;
  ResultTexts figures;
  std::vector<std::string> messages;  // what the run showed, in order
};

// The catalog's models in order, then the custom wheel.
std::vector<ModelRating> compareModels(const ModCalc::Engine& engine);

// Puts `model` in the model list (adding it when the list does not hold it)
// and selects it, as the engineer does in the inputs dialog before
// calculating.
void pickListedModel(ModCalc::InputsFields& inputs, const std::string& model);

class Windows;

// A row of the comparison chosen: the model picked in the list and
// double-clicked there, which calculates. The pick holds even where the next
// calculation would otherwise select a model afresh (no case calculated yet,
// a volume changed since): the row's figures are what the engineer chose.
void selectComparedModel(Windows& windows, const std::string& model);

}  // namespace ui
