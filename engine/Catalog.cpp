#include "engine/Catalog.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "engine/CustomWheel.h"
#include "platform/NumberText.h"

namespace ModCalc {
namespace {

constexpr std::size_t kItemsPerRecord = 17;
constexpr std::size_t kMaxModels = kCatalogRows - 1;

std::size_t lineBreaks(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // CR LF is one break; a lone CR or LF is one too.
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
      ++count;
    }
  }
  return count;
}

// Reads comma-separated items: a record is the next 17 items whatever lines
// they stand on, so a line break is just another separator (catalogs edited
// by hand wrap long records). It counts lines so a problem can be placed.
class ItemReader {
 public:
  explicit ItemReader(std::string_view text) : text_(text) {}

  bool atEnd() const { return pos_ == text_.size(); }
  // The line the next item starts on, from 1.
  std::size_t line() const { return line_; }

  // The next item; nothing once the text is used up.
  std::optional<std::string> next() {
    if (atEnd()) {
      return std::nullopt;
    }
    pos_ = std::min(text_.find_first_not_of(" \t", pos_), text_.size());
    std::string item;
    if (pos_ < text_.size() && text_[pos_] == '"') {
      // Up to the closing quote, commas and all; whatever follows it up to
      // the separator is dropped.
      const std::size_t close = std::min(text_.find('"', pos_ + 1), text_.size());
      item = text_.substr(pos_ + 1, close - pos_ - 1);
      line_ += lineBreaks(item);
      pos_ = std::min(text_.find_first_of(kSeparators, close), text_.size());
    } else {
      const std::size_t end = std::min(text_.find_first_of(kSeparators, pos_), text_.size());
      const std::string_view raw = text_.substr(pos_, end - pos_);
      item = raw.substr(0, raw.find_last_not_of(" \t") + 1);
      pos_ = end;
    }
    skipSeparator();
    return item;
  }

 private:
  static constexpr std::string_view kSeparators = ",\r\n";

  void skipSeparator() {
    if (atEnd()) {
      return;
    }
    const char c = text_[pos_++];
    if (c == ',') {
      return;
    }
    if (c == '\r' && !atEnd() && text_[pos_] == '\n') {
      ++pos_;
    }
    ++line_;
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};

// Numeric columns take an empty or non-numeric item as 0, so a header of
// column headings loads.
float numberIn(const std::string& item) {
  return platform::parseInvariant<float>(item).value_or(0.0f);
}

platform::Variant textOrNumberIn(const std::string& item) {
  if (item.empty()) {
    return {};
  }
  if (const auto number = platform::parseInvariant<double>(item)) {
    return *number;
  }
  return item;
}

struct Item {
  std::string text;
  std::size_t line;
};

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
    return std::nullopt;
  }

 private:
  // Row 0 is the file's first record.
  std::optional<std::string> readRecord(ModelCatalog& catalog, std::size_t row) {
    const std::size_t record = row + 1;
    const std::size_t firstLine = reader_.line();
    std::vector<Item> items;
    while (items.size() < kItemsPerRecord) {
      const std::size_t line = reader_.line();
      auto text = reader_.next();
      if (!text) {
        return problem("ends in the middle of " + place(record, firstLine) + ": " +
                       std::to_string(kItemsPerRecord) + " items expected, " +
                       std::to_string(items.size()) + " found.");
      }
      items.push_back({std::move(*text), line});
    }

    const auto spokes =
        platform::toInteger16(platform::parseInvariant<double>(items[7].text).value_or(0.0));
    if (!spokes) {
      return problem("has a spoke count out of range in " + place(record, items[7].line) +
                     ", item 8: " + items[7].text + " is not within -32768 to 32767.");
    }
    catalog.ModelName[row] = items[0].text;
    catalog.ModelFaceArea[row] = numberIn(items[1].text);
    catalog.ModelMinCfm[row] = numberIn(items[2].text);
    catalog.ModelMaxCfm[row] = numberIn(items[3].text);
    catalog.ModelPurgeCfm[row] = numberIn(items[4].text);
    catalog.WheelDiam[row] = numberIn(items[5].text);
    catalog.WheelDepth[row] = numberIn(items[6].text);
    catalog.SpokeCount[row] = *spokes;
    catalog.ModelRpm[row] = numberIn(items[8].text);
    catalog.CasHeight[row] = numberIn(items[9].text);
    catalog.CasWidth[row] = numberIn(items[10].text);
    catalog.CasDepth[row] = numberIn(items[11].text);
    catalog.HubDiam[row] = numberIn(items[12].text);
    catalog.ModelExtra[row] = textOrNumberIn(items[13].text);
    catalog.MotorHP[row] = items[14].text;
    catalog.FrameText[row] = items[15].text;
    catalog.BearingText[row] = textOrNumberIn(items[16].text);
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
  ItemReader reader_;
};

std::string notFound(const std::vector<std::filesystem::path>& candidates) {
  if (candidates.empty()) {
    return "The wheel catalog was not found: no place to look for it was given.";
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

std::optional<std::string> LoadCatalog(Engine& engine,
                                       const std::vector<std::filesystem::path>& candidates) {
  for (const auto& path : candidates) {
    std::error_code ignored;
    std::ifstream file;
    if (std::filesystem::is_regular_file(path, ignored)) {
      file.open(path, std::ios::binary);
    }
    if (!file.is_open()) {
      continue;
    }
    std::ostringstream buffer;
    buffer << file.rdbuf();
    std::string_view text = buffer.view();
    if (text.starts_with("\xEF\xBB\xBF")) {
      text.remove_prefix(3);
    }

    // Read into a catalog of our own and build the custom wheel there, so a
    // failure anywhere leaves the one in use as it was.
    ModelCatalog catalog;
    std::int16_t modelCount = 0;
    if (auto failed = CatalogText(path.string(), text).readInto(catalog, modelCount)) {
      return failed;
    }
    std::string password = catalog.ModelName[0];
    Engine loading{engine.state, catalog, engine.fields, engine.messages, engine.redraw};
    if (!AutoSelect(loading)) {
      return "The wheel catalog " + path.string() +
             " was not loaded because the custom wheel could not be built from the override "
             "dialog.";
    }
    engine.catalog = std::move(catalog);
    engine.state.ModelCount = modelCount;
    engine.state.OverridePassword = std::move(password);
    return std::nullopt;
  }
  return notFound(candidates);
}

}  // namespace ModCalc
