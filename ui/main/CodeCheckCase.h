#pragma once

// The energy code check of the case the dialogs hold, and its verdicts as
// lines of text: the same lines on screen, on the report and from ktr-calc.

#include <optional>
#include <string>
#include <vector>

#include "engine/ClimateZone.h"
#include "engine/CodeCheck.h"
#include "ui/Engine.h"

namespace ui {

class Windows;

// The windows' code check inputs, made with the defaults on first use: from
// then on the check is part of the case (report, project).
ModCalc::CodeCheckInputs& codeCheckInputs(Windows& windows);

// Reads the case as Calculate does and checks it, with `model` when one is
// named as if picked from the model list; a case that cannot be read gives a
// check that says why.
ModCalc::CodeCheck checkCase(const ModCalc::Engine& engine, const ModCalc::CodeCheckInputs& inputs,
                             const std::optional<std::string>& model = std::nullopt);

// What was checked, each figure against its limit, and the verdict; the
// design conditions in °C when `si`.
std::vector<std::string> codeCheckLines(const ModCalc::CodeCheck& check,
                                        const ModCalc::CodeCheckInputs& inputs, bool si);

// A design temperature (kept in °F) as shown: °C to two decimals in SI
// units, English number form.
std::string designTemperatureText(float fahrenheit, bool si);

// The same, short enough for the report's block: a heading, what was
// checked, the figures against their limits and the verdict last.
std::vector<std::string> codeCheckReportLines(const ModCalc::CodeCheck& check,
                                              const ModCalc::CodeCheckInputs& inputs);

// The zone a weather file suggests, "Suggested: 5A (HDD18 3,430, CDD10
// 1,743 from NAME)", and, when the file could not tell the moisture regime,
// which letter was taken, why, and what else the site could be.
std::vector<std::string> zoneSuggestionLines(const ModCalc::ZoneSuggestion& suggestion,
                                             const std::string& weatherName);

}  // namespace ui
