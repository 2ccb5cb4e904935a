#pragma once

// The wheel catalog: a comma-separated text file of 17-item records read once
// at start-up. The first record's first item is the override password; the
// other records are the models, in ascending size.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/Engine.h"

namespace ModCalc {

// The catalog file of an edition: "ktrmodel6.csv" for the standard edition,
// "bskmodel.csv" for the private-label one.
std::string CatalogFileName(std::int16_t privateLabel);

// Reads the first of `candidates` that exists into the catalog, sets
// ModelCount and OverridePassword, then builds the custom wheel in row 0
// (AutoSelect). Returns the problem in the engineer's words (naming the file,
// the paths tried, the record and line) when the catalog cannot be used; the
// catalog and the state are then left as they were.
std::optional<std::string> LoadCatalog(Engine& engine,
                                       const std::vector<std::filesystem::path>& candidates);

}  // namespace ModCalc
