#include "app/BatchAnnual.h"

#include "app/AnnualOutputs.h"
#include "platform/NumberText.h"

namespace ktr {

std::shared_ptr<const WeatherFiles::Read> WeatherFiles::read(const std::string& path) {
  const std::filesystem::path full = folder_ / path;  // an absolute path stays as it is
  {
    const std::lock_guard lock(mutex_);
    if (const auto found = read_.find(full); found != read_.end()) {
      return found->second;
    }
  }
  // Read outside the lock: another worker may read the same file meanwhile,
  // and the first kept wins.
  auto weather = std::make_shared<const Read>(ModCalc::readWeatherFile(full.string()));
  const std::lock_guard lock(mutex_);
  return read_.emplace(full, std::move(weather)).first->second;
}

namespace {

// The kYearColumns texts of the case over `weather` under the default
// operation, in the case's units; or why the year cannot be rated.
std::variant<std::vector<std::string>, std::string> yearColumns(
    const ModCalc::Case& c, const ModCalc::ModelCatalog& catalog, const ModCalc::Weather& weather,
    bool si) {
  const ModCalc::OperationModel op;
  const ModCalc::AnnualResult year = ModCalc::rateYear(c, weather, op, catalog);
  if (year.error) {
    return *year.error;
  }
  const std::vector<AnnualFigure> figures = annualFigures(year.year, op, si);
  std::vector<std::string> texts;
  for (const std::string_view key : kYearColumns) {
    // As --annual-json writes it: the shortest text that reads back the same.
    texts.push_back(platform::decimalText(annualFigure(figures, key).value));
  }
  return texts;
}

}  // namespace

std::variant<std::vector<std::string>, std::string> rowYearColumns(
    const std::string& weatherPath, WeatherFiles& files, const ModCalc::Case& c,
    const ModCalc::ModelCatalog& catalog, bool si) {
  if (weatherPath.empty()) {
    return std::vector<std::string>(kYearColumns.size());
  }
  const std::shared_ptr<const WeatherFiles::Read> read = files.read(weatherPath);
  if (const auto* problem = std::get_if<std::string>(read.get())) {
    return "weather: " + *problem;
  }
  auto year = yearColumns(c, catalog, std::get<ModCalc::Weather>(*read), si);
  if (const auto* problem = std::get_if<std::string>(&year)) {
    return "weather: " + *problem;
  }
  return year;
}

}  // namespace ktr
