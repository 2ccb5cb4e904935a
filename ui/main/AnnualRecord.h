#pragma once

// The project file's seventh record: the weather file and the operation
// View, Annual Energy rates the year under. A file without it opens with
// the built-in weather and the default operation, and a project that never
// changed them is saved without it.

#include <string>
#include <variant>
#include <vector>

#include "engine/Annual.h"
#include "platform/ItemReader.h"

namespace ui {

struct AnnualRecord {
  std::string weatherPath;  // empty: the built-in year
  ModCalc::OperationModel op;

  bool operator==(const AnnualRecord&) const = default;
};

// The record's items after the weather path, which the file quotes.
std::vector<std::string> annualRecordNumbers(const AnnualRecord& record);

// The record from its items (the quoted path first); what is wrong, naming
// the field, when an item is no number or out of its range.
std::variant<AnnualRecord, std::string> parseAnnualRecord(const std::vector<platform::Item>& items);

// Items in the record: the path and one per operation setting.
std::size_t annualRecordSize();

}  // namespace ui
