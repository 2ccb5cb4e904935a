#include "ui/main/CodeCheckRecord.h"

#include <array>
#include <optional>

#include "platform/NumberText.h"

namespace ui {

namespace {

constexpr std::array<const char*, kCodeCheckRecordFields> kNames = {"standard",
                                                                    "climate zone",
                                                                    "8,000 hours or more",
                                                                    "outdoor air percent",
                                                                    "cooling outdoor dry bulb",
                                                                    "cooling outdoor wet bulb",
                                                                    "cooling return dry bulb",
                                                                    "cooling return wet bulb",
                                                                    "heating outdoor dry bulb",
                                                                    "heating outdoor wet bulb",
                                                                    "heating return dry bulb",
                                                                    "heating return wet bulb",
                                                                    "fan efficiency",
                                                                    "filters"};

std::string quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string field(std::size_t index) {
  return "field " + std::to_string(index + 1) + " (" + kNames[index] + ")";
}

}  // namespace

std::vector<std::string> codeCheckRecord(const ModCalc::CodeCheckInputs& in) {
  std::vector<std::string> items = {quoted(ModCalc::energyCodeName(in.code)), quoted(in.zone),
                                    in.hours8000 ? "1" : "0",
                                    platform::decimalText(in.outdoorAirPercent)};
  for (const ModCalc::DesignAir* air : {&in.cooling, &in.heating}) {
    for (const float value :
         {air->outdoorDryBulbF, air->outdoorWetBulbF, air->returnDryBulbF, air->returnWetBulbF}) {
      items.push_back(platform::decimalText(value));
    }
  }
  items.push_back(platform::decimalText(in.fanEfficiencyPercent));
  items.push_back(std::to_string(static_cast<int>(in.filters)));
  return items;
}

std::variant<ModCalc::CodeCheckInputs, std::string> readCodeCheckRecord(
    const std::vector<platform::Item>& items) {
  if (items.size() != kCodeCheckRecordFields) {
    return "it has " + std::to_string(items.size()) + " of its " +
           std::to_string(kCodeCheckRecordFields) + " fields";
  }
  ModCalc::CodeCheckInputs in;
  const auto code = ModCalc::energyCodeNamed(items[0].text);
  if (!code) {
    return field(0) + " is not a standard this program checks: '" + items[0].text + "'";
  }
  in.code = *code;
  in.zone = items[1].text;
  std::array<double, kCodeCheckRecordFields> numbers{};
  for (std::size_t k = 2; k < items.size(); ++k) {
    const auto number = platform::parseInvariant<double>(items[k].text);
    if (!number) {
      return field(k) + " is not a number: '" + items[k].text + "'";
    }
    numbers[k] = *number;
  }
  if (numbers[2] != 0 && numbers[2] != 1) {
    return field(2) + " is 0 or 1";
  }
  if (numbers[13] != 0 && numbers[13] != 1 && numbers[13] != 2 && numbers[13] != 3) {
    return field(13) + " is 0, 1, 2 or 3";
  }
  in.hours8000 = numbers[2] == 1;
  in.outdoorAirPercent = numbers[3];
  const auto f = [&numbers](std::size_t k) { return static_cast<float>(numbers[k]); };
  in.cooling = {f(4), f(5), f(6), f(7)};
  in.heating = {f(8), f(9), f(10), f(11)};
  in.fanEfficiencyPercent = numbers[12];
  in.filters = static_cast<ModCalc::FilterSet>(static_cast<int>(numbers[13]));
  if (const auto problem = ModCalc::codeCheckInputProblem(in)) {
    return "the code check: " + *problem;
  }
  return in;
}

}  // namespace ui
