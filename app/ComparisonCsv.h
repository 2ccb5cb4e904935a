#pragma once

// The model comparison as comma-separated text (RFC 4180), in the units the
// program shows.

#include <optional>
#include <string>
#include <vector>

#include "app/AnnualOutputs.h"
#include "engine/CalcState.h"
#include "ui/main/ModelComparison.h"

namespace ktr {

// Every rating, or none when no catalog model's range covers the case: a
// table of models that all miss it would only mislead. Ratings that all
// stopped are kept: their messages say why.
std::vector<ui::ModelRating> comparisonTable(std::vector<ui::ModelRating> ratings);

// What an empty table says.
inline constexpr const char* kNoModelCoversNote =
    "No catalog model's volume range covers this case. Change the air volumes, or tick "
    "\"Display All Wheels in Input List Box\" in the override window to pick a model anyway.";

// The column names, then one record per rating; every record ends in CR LF.
// With `years` (one per rating), the year's cost saved, net energy and
// payback come before the messages.
std::string comparisonCsv(const std::vector<ui::ModelRating>& ratings,
                          const std::optional<ComparedYears>& years = std::nullopt);

// One completed rating's figures in the units shown: face velocity, supply
// and exhaust pressure drop, purge volume, the three effectiveness
// fractions, sensible, latent and total energy and water recovered.
std::vector<std::string> shownFigures(const ui::ModelRating& rating);

}  // namespace ktr
