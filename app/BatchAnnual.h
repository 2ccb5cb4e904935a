#pragma once

// The year columns of `ktr-calc batch`: a schedule with a weather column has
// each row's case rated over the weather file the row names, under the
// default annual operation.

#include <array>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/Annual.h"
#include "engine/Weather.h"

namespace ktr {

// In the order they follow the rating's columns, named as --annual-json
// names the year's figures.
inline constexpr std::array<std::string_view, 8> kYearColumns{
    "heating_recovered", "cooling_recovered", "fan_energy",       "net_energy",
    "cost_saved",        "frost_hours",       "economizer_hours", "operating_hours"};

// The weather files a schedule names, each read once however many rows and
// workers name it. A relative path is taken from the schedule's folder.
class WeatherFiles {
 public:
  using Read = std::variant<ModCalc::Weather, std::string>;

  explicit WeatherFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}

  // The weather at `path`, or what is wrong with the file (its name, line
  // and field).
  std::shared_ptr<const Read> read(const std::string& path);

 private:
  std::filesystem::path folder_;
  std::mutex mutex_;
  std::map<std::filesystem::path, std::shared_ptr<const Read>> read_;
};

// A row's year columns for the weather it names (none: empty texts), or why
// they cannot be given.
std::variant<std::vector<std::string>, std::string> rowYearColumns(
    const std::string& weatherPath, WeatherFiles& files, const ModCalc::Case& c,
    const ModCalc::ModelCatalog& catalog, bool si);

}  // namespace ktr
