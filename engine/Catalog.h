#pragma once

// The wheel catalog: a comma-separated text file of 17-item records read once
// at start-up. The first record's first item is the override password; the
// other records are the models, in ascending size.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "engine/CalcState.h"

namespace ModCalc {

// The catalog file of an edition: "ktrmodel6.csv" for the standard edition,
// "bskmodel.csv" for the private-label one.
std::string CatalogFileName(std::int16_t privateLabel);

// A catalog file as read: its models, their count and the header record in
// row 0 (its first item is the override password).
struct CatalogFile {
  std::filesystem::path path;
  ModelCatalog catalog;
  std::int16_t modelCount = 0;
};

// Reads the first of `candidates` that exists, or says why it cannot (the
// same words as LoadCatalog).
std::variant<CatalogFile, std::string> ReadCatalog(
    const std::vector<std::filesystem::path>& candidates);

// Copies one row, every column, from one catalog into another.
void CopyCatalogRow(ModelCatalog& to, const ModelCatalog& from, std::size_t row);

}  // namespace ModCalc
