#include "engine/Catalog.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/CustomWheel.h"
#include "platform/FileRead.h"
#include "platform/ItemReader.h"
#include "platform/NumberText.h"
#include "platform/TextEncoding.h"

namespace ModCalc {
namespace {

constexpr std::size_t kItemsPerRecord = 17;
constexpr std::size_t kMaxModels = kCatalogRows - 1;
// Far above any catalog of kMaxModels rows, far below what a device that
// never ends would fill.
constexpr std::size_t kMostCatalogBytes = std::size_t{16} << 20;

// The columns as a problem names them, in file order.
constexpr const char* kColumnNames[kItemsPerRecord] = {
    "ModelName",  "ModelFaceArea", "ModelMinCfm", "ModelMaxCfm", "ModelPurgeCfm", "WheelDiam",
    "WheelDepth", "SpokeCount",    "ModelRpm",    "CasHeight",   "CasWidth",      "CasDepth",
    "HubDiam",    "ModelExtra",    "MotorHP",     "FrameText",   "BearingText"};

platform::Variant textOrNumberIn(const std::string& item) {
  if (item.empty()) {
    return {};
  }
  if (const auto number = platform::parseInvariant<double>(item)) {
    return *number;
  }
  return item;
}

class CatalogText {
 public:
  CatalogText(std::string path, std::string_view text) : path_(std::move(path)), reader_(text) {}

  // Reads every record into `catalog`, the first into row 0; returns the
  // problem, if any. Nothing here touches the engine.
  std::optional<std::string> readInto(ModelCatalog& catalog, std::int16_t& modelCount) {
    if (reader_.atEnd()) {
      return problem("is empty.");
    }
    if (auto failed = readRecord(catalog, 0)) {
      return failed;
    }
    std::size_t row = 0;
    while (!reader_.atEnd()) {
      ++row;
      if (row > kMaxModels) {
        return problem("holds more than " + std::to_string(kMaxModels) +
                       " models: " + place(row + 1, reader_.line()) + " is one too many.");
      }
      if (auto failed = readRecord(catalog, row)) {
        return failed;
      }
    }
    modelCount = static_cast<std::int16_t>(row);
    catalog.ModelCount = modelCount;
    return std::nullopt;
  }

 private:
  // Row 0 is the file's first record.
  std::optional<std::string> readRecord(ModelCatalog& catalog, std::size_t row) {
    const std::size_t record = row + 1;
    const std::size_t firstLine = reader_.line();
    std::vector<platform::Item> items;
    while (items.size() < kItemsPerRecord) {
      auto item = reader_.next();
      if (!item) {
        return problem("ends in the middle of " + place(record, firstLine) + ": " +
                       std::to_string(kItemsPerRecord) + " items expected, " +
                       std::to_string(items.size()) + " found.");
      }
      items.push_back(std::move(*item));
    }
    // The first record's items are the password and column headings.
    std::optional<std::string> failed;
    const auto numberIn = [&](std::size_t index) -> float {
      const platform::Item& item = items[index];
      if (const auto number = platform::parseInvariant<float>(item.text); number || row == 0) {
        return number.value_or(0.0F);
      }
      if (!failed) {
        failed = problem("has no number in " + place(record, item.line) + ", item " +
                         std::to_string(index + 1) + " (" + kColumnNames[index] + "): \"" +
                         item.text + "\".");
      }
      return 0;
    };

    const auto spokes = platform::toInteger16(numberIn(7));
    if (!spokes) {
      return problem("has a spoke count out of range in " + place(record, items[7].line) +
                     ", item 8: " + items[7].text + " is not within -32768 to 32767.");
    }
    catalog.ModelName[row] = items[0].text;
    catalog.ModelFaceArea[row] = numberIn(1);
    catalog.ModelMinCfm[row] = numberIn(2);
    catalog.ModelMaxCfm[row] = numberIn(3);
    catalog.ModelPurgeCfm[row] = numberIn(4);
    catalog.WheelDiam[row] = numberIn(5);
    catalog.WheelDepth[row] = numberIn(6);
    catalog.SpokeCount[row] = *spokes;
    catalog.ModelRpm[row] = numberIn(8);
    catalog.CasHeight[row] = numberIn(9);
    catalog.CasWidth[row] = numberIn(10);
    catalog.CasDepth[row] = numberIn(11);
    catalog.HubDiam[row] = numberIn(12);
    catalog.ModelExtra[row] = textOrNumberIn(items[13].text);
    catalog.MotorHP[row] = items[14].text;
    catalog.FrameText[row] = items[15].text;
    catalog.BearingText[row] = textOrNumberIn(items[16].text);
    if (failed || row == 0) {
      return failed;
    }
    return impossibleSize(catalog, row, items);
  }

  // A model no wheel can be: sizes and speed must be above zero, and its
  // volume range must not be upside down, or its figures would be nonsense.
  std::optional<std::string> impossibleSize(const ModelCatalog& catalog, std::size_t row,
                                            const std::vector<platform::Item>& items) const {
    const std::pair<std::size_t, float> positive[] = {{1, catalog.ModelFaceArea[row]},
                                                      {5, catalog.WheelDiam[row]},
                                                      {6, catalog.WheelDepth[row]},
                                                      {8, catalog.ModelRpm[row]}};
    for (const auto& [index, value] : positive) {
      if (!(value > 0)) {
        return problem("has " + std::string(kColumnNames[index]) + " " + items[index].text +
                       " in " + place(row + 1, items[index].line) + ", item " +
                       std::to_string(index + 1) + ": it must be greater than 0.");
      }
    }
    if (catalog.ModelMinCfm[row] > catalog.ModelMaxCfm[row]) {
      return problem("has ModelMinCfm " + items[2].text + " above ModelMaxCfm " + items[3].text +
                     " in " + place(row + 1, items[2].line) + ".");
    }
    return std::nullopt;
  }

  // Records count from 1 with the password record; the line is where the
  // named record or item starts.
  static std::string place(std::size_t record, std::size_t line) {
    return "record " + std::to_string(record) + " (line " + std::to_string(line) + ")";
  }

  std::string problem(const std::string& what) const {
    return "The wheel catalog " + path_ + " " + what;
  }

  std::string path_;
  platform::ItemReader reader_;
};

std::string notFound(const std::vector<std::filesystem::path>& candidates) {
  if (candidates.empty()) {
    return "The wheel catalog was not found: no place to look for it was given.";
  }
  if (candidates.size() == 1) {
    return "The wheel catalog " + candidates.front().string() + " was not found.";
  }
  std::string tried;
  for (const auto& path : candidates) {
    tried += (tried.empty() ? "" : ", ") + path.string();
  }
  return "The wheel catalog \"" + candidates.front().filename().string() +
         "\" was not found. Looked in: " + tried + ".";
}

}  // namespace

std::string CatalogFileName(std::int16_t privateLabel) {
  return privateLabel == 0 ? "ktrmodel6.csv" : "bskmodel.csv";
}

std::variant<CatalogFile, std::string> ReadCatalog(
    const std::vector<std::filesystem::path>& candidates) {
  for (const auto& path : candidates) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
      continue;
    }
    const auto file = platform::readFileBounded(path.string(), kMostCatalogBytes);
    if (const auto* refused = std::get_if<platform::ReadRefusal>(&file)) {
      return "The wheel catalog " + path.string() + " " +
             (refused->kind == platform::ReadRefusal::Kind::System
                  ? std::string("cannot be read")
                  : platform::refusalText(*refused, "catalog file")) +
             ".";
    }
    std::string_view bytes = std::get<std::string>(file);
    if (bytes.starts_with("\xEF\xBB\xBF")) {
      bytes.remove_prefix(3);
    }
    // Catalogs edited on older Windows machines are in Windows-1252.
    const std::string text = platform::toUtf8(bytes);

    CatalogFile read;
    read.path = path;
    if (auto failed = CatalogText(path.string(), text).readInto(read.catalog, read.modelCount)) {
      return *failed;
    }
    return read;
  }
  return notFound(candidates);
}

void CopyCatalogRow(ModelCatalog& to, const ModelCatalog& from, std::size_t row) {
  to.ModelName[row] = from.ModelName[row];
  to.ModelFaceArea[row] = from.ModelFaceArea[row];
  to.ModelMinCfm[row] = from.ModelMinCfm[row];
  to.ModelMaxCfm[row] = from.ModelMaxCfm[row];
  to.ModelPurgeCfm[row] = from.ModelPurgeCfm[row];
  to.WheelDiam[row] = from.WheelDiam[row];
  to.WheelDepth[row] = from.WheelDepth[row];
  to.SpokeCount[row] = from.SpokeCount[row];
  to.ModelRpm[row] = from.ModelRpm[row];
  to.CasHeight[row] = from.CasHeight[row];
  to.CasWidth[row] = from.CasWidth[row];
  to.CasDepth[row] = from.CasDepth[row];
  to.HubDiam[row] = from.HubDiam[row];
  to.ModelExtra[row] = from.ModelExtra[row];
  to.MotorHP[row] = from.MotorHP[row];
  to.FrameText[row] = from.FrameText[row];
  to.BearingText[row] = from.BearingText[row];
}

}  // namespace ModCalc
