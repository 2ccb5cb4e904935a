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

#include "engine/Engine.h"

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

// Makes a catalog already read the one in use, as LoadCatalog does after
// reading; a program rating many cases reads its file once.
std::optional<std::string> UseCatalog(Engine& engine, const CatalogFile& read);

// Reads the first of `candidates` that exists into the catalog, sets
// ModelCount and OverridePassword, then builds the custom wheel in row 0
// (AutoSelect). Returns the problem in the engineer's words (naming the file,
// the paths tried, the record and line) when the catalog cannot be used; the
// catalog and the state are then left as they were.
std::optional<std::string> LoadCatalog(Engine& engine,
                                       const std::vector<std::filesystem::path>& candidates);

// Copies one row, every column, from one catalog into another.
void CopyCatalogRow(ModelCatalog& to, const ModelCatalog& from, std::size_t row);

}  // namespace ModCalc
