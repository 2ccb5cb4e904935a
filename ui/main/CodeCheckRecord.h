#pragma once

// The project file's eighth record: the code check inputs, written only
// once the engineer has set a check up, so files without a check keep their
// six records. The standard's name and the zone are quoted, then the hours
// class (0/1), the outdoor air share, the cooling and the heating design
// dry and wet bulbs (outdoor, then return), the fan efficiency and the
// filter configuration (0 both filters, 1 medium missing, 2 fine missing,
// 3 both missing).

#include <string>
#include <variant>
#include <vector>

#include "engine/CodeCheck.h"
#include "platform/ItemReader.h"

namespace ui {

inline constexpr std::size_t kCodeCheckRecordFields = 14;

std::vector<std::string> codeCheckRecord(const ModCalc::CodeCheckInputs& inputs);

// The inputs the record's items hold; on a problem, the field and why.
std::variant<ModCalc::CodeCheckInputs, std::string> readCodeCheckRecord(
    const std::vector<platform::Item>& items);

}  // namespace ui
