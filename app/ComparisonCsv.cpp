#include "app/ComparisonCsv.h"

#include <algorithm>
#include <cstdio>

#include "units/Units.h"

namespace ktr {

namespace {

std::string fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its
// quotes doubled.
std::string field(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    return text;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    quoted += c == '"' ? "\"\"" : std::string(1, c);
  }
  return quoted + "\"";
}

std::string joined(const std::vector<std::string>& texts, const char* separator) {
  std::string result;
  for (std::size_t k = 0; k < texts.size(); ++k) {
    result += (k == 0 ? "" : separator) + texts[k];
  }
  return result;
}

}  // namespace

std::vector<ui::ModelRating> comparisonTable(std::vector<ui::ModelRating> ratings) {
  // The custom wheel, last, has no range of its own. Where every run
  // stopped (a box without a number), the rows say why instead.
  const auto catalogEnd = ratings.end() - (ratings.empty() ? 0 : 1);
  const bool covered =
      std::any_of(ratings.begin(), catalogEnd, [](const ui::ModelRating& r) { return r.inRange; });
  const bool judged = std::any_of(ratings.begin(), catalogEnd,
                                  [](const ui::ModelRating& r) { return r.completed; });
  if (judged && !covered) {
    ratings.clear();
  }
  return ratings;
}

std::vector<std::string> shownFigures(const ui::ModelRating& r, const ModCalc::CalcState& s) {
  if (s.SIUnits == 0) {
    return {fixed(r.faceVelocity, 0), fixed(r.dpSupply, 2),      fixed(r.dpExhaust, 2),
            fixed(r.purgeVolume, 0),  fixed(r.eSensible, 4),     fixed(r.eLatent, 4),
            fixed(r.eTotal, 4),       fixed(r.heatSensible, 0),  fixed(r.heatLatent, 0),
            fixed(r.heatTotal, 0),    fixed(r.waterRecovered, 2)};
  }
  const double flow = s.SIFlowFactor;
  const auto kilowatts = [](double btuh) { return btuh * units::kKilowattsPerBtuPerHour; };
  return {fixed(r.faceVelocity * units::kMetresPerFoot / units::kMinutesPerHour, 2),
          fixed(r.dpSupply * units::kPascalsPerInchOfWater, 1),
          fixed(r.dpExhaust * units::kPascalsPerInchOfWater, 1),
          fixed(r.purgeVolume / flow, 0),
          fixed(r.eSensible, 4),
          fixed(r.eLatent, 4),
          fixed(r.eTotal, 4),
          fixed(kilowatts(r.heatSensible), 2),
          fixed(kilowatts(r.heatLatent), 2),
          fixed(kilowatts(r.heatTotal), 2),
          fixed(r.waterRecovered / units::kPoundsPerKilogram, 2)};
}

std::string comparisonCsv(const std::vector<ui::ModelRating>& ratings,
                          const ModCalc::CalcState& state) {
  std::string csv =
      "model,in_range,face_velocity,dp_supply,dp_exhaust,purge_volume,e_sensible,e_latent,"
      "e_total,heat_sensible,heat_latent,heat_total,water_recovered,messages\r\n";
  for (const ui::ModelRating& r : ratings) {
    std::vector<std::string> fields{field(r.model), r.inRange ? "1" : "0"};
    if (r.completed) {
      for (std::string& figure : shownFigures(r, state)) {
        fields.push_back(std::move(figure));
      }
    } else {
      fields.resize(fields.size() + 11);
    }
    fields.push_back(field(joined(r.messages, "; ")));
    csv += joined(fields, ",") + "\r\n";
  }
  return csv;
}

}  // namespace ktr
