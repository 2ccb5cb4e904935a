#include "ui/main/AnnualRecord.h"

#include "platform/NumberText.h"

namespace ui {

namespace {

using ModCalc::OperationModel;
using Member = std::variant<int OperationModel::*, bool OperationModel::*, double OperationModel::*,
                            ModCalc::FrostControl OperationModel::*>;

struct Setting {
  const char* name;
  Member member;
  double low;
  double high;
};

// In the order the record holds them, with the ranges the window allows.
const Setting kSettings[] = {
    {"occupied from", &OperationModel::occupiedFrom, 0, 24},
    {"occupied to", &OperationModel::occupiedTo, 0, 24},
    {"weekends occupied", &OperationModel::weekendsOccupied, 0, 1},
    {"case return air", &OperationModel::caseReturnAir, 0, 1},
    {"cooling return dry bulb", &OperationModel::coolingReturnF, -76, 122},
    {"cooling return humidity", &OperationModel::coolingReturnRhPct, 1, 99},
    {"heating return dry bulb", &OperationModel::heatingReturnF, -76, 122},
    {"heating return humidity", &OperationModel::heatingReturnRhPct, 1, 99},
    {"economizer", &OperationModel::economizer, 0, 1},
    {"economizer low limit", &OperationModel::economizerLowF, -76, 122},
    {"economizer high limit", &OperationModel::economizerHighF, -76, 122},
    {"frost control", &OperationModel::frost, 0, 2},
    {"preheat temperature", &OperationModel::preheatF, -76, 122},
    {"fan efficiency", &OperationModel::fanEfficiency, 0.05, 1},
    {"motor efficiency", &OperationModel::motorEfficiency, 0.05, 1},
    {"electricity price", &OperationModel::electricityPerKWh, 0, 10},
    {"fuel price", &OperationModel::fuelPerTherm, 0, 100},
    {"cooling COP", &OperationModel::coolingCop, 0.5, 10},
    {"heating efficiency", &OperationModel::heatingEfficiency, 0.05, 1.5},
    {"first cost", &OperationModel::firstCost, 0, 1e9},
};

}  // namespace

std::size_t annualRecordSize() {
  return 1 + std::size(kSettings);
}

std::vector<std::string> annualRecordNumbers(const AnnualRecord& record) {
  std::vector<std::string> texts;
  for (const Setting& setting : kSettings) {
    const double value = std::visit(
        [&](auto member) { return static_cast<double>(record.op.*member); }, setting.member);
    texts.push_back(platform::decimalText(value));
  }
  return texts;
}

std::variant<AnnualRecord, std::string> parseAnnualRecord(
    const std::vector<platform::Item>& items) {
  AnnualRecord record;
  if (items.size() != annualRecordSize() || !items[0].quoted) {
    return std::string("record 7, field 1 (weather file) is not a quoted path");
  }
  record.weatherPath = items[0].text;
  for (std::size_t k = 0; k < std::size(kSettings); ++k) {
    const Setting& setting = kSettings[k];
    const platform::Item& item = items[k + 1];
    const auto value = item.quoted ? std::nullopt : platform::parseInvariant<double>(item.text);
    const bool whole = !std::holds_alternative<double OperationModel::*>(setting.member);
    if (!value || *value < setting.low || *value > setting.high ||
        (whole && *value != static_cast<int>(*value))) {
      return "record 7, field " + std::to_string(k + 2) + " (" + setting.name + ") is \"" +
             item.text + "\", not " + (whole ? "a whole number" : "a number") + " from " +
             platform::decimalText(setting.low) + " to " + platform::decimalText(setting.high);
    }
    std::visit(
        [&](auto member) {
          using Field = std::remove_reference_t<decltype(record.op.*member)>;
          record.op.*member = static_cast<Field>(*value);
        },
        setting.member);
  }
  return record;
}

}  // namespace ui
