#include "app/ComparisonCsv.h"

#include <algorithm>
#include <cstdio>

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

std::vector<std::string> shownFigures(const ui::ModelRating& r) {
  const ui::ResultTexts& f = r.figures;
  const bool si = f.display.si;
  return {fixed(f.velocityOutdoor.value, si ? 2 : 0),
          fixed(f.dpSupply.value, si ? 1 : 2),
          fixed(f.dpExhaust.value, si ? 1 : 2),
          fixed(f.purgeVolume.value, 0),
          fixed(f.eSensible.value, 4),
          fixed(f.eLatent.value, 4),
          fixed(f.eTotal.value, 4),
          fixed(f.heatSensible.value, si ? 2 : 0),
          fixed(f.heatLatent.value, si ? 2 : 0),
          fixed(f.heatTotal.value, si ? 2 : 0),
          fixed(f.waterRecovered.value, 2)};
}

std::string comparisonCsv(const std::vector<ui::ModelRating>& ratings,
                          const std::optional<ComparedYears>& years) {
  std::string csv =
      "model,in_range,face_velocity,dp_supply,dp_exhaust,purge_volume,e_sensible,e_latent,"
      "e_total,heat_sensible,heat_latent,heat_total,water_recovered,";
  csv += years ? "cost_saved,net_energy,payback_years,messages\r\n" : "messages\r\n";
  for (std::size_t k = 0; k < ratings.size(); ++k) {
    const ui::ModelRating& r = ratings[k];
    std::vector<std::string> fields{field(r.model), r.inRange ? "1" : "0"};
    if (r.completed) {
      for (std::string& figure : shownFigures(r)) {
        fields.push_back(std::move(figure));
      }
    } else {
      fields.resize(fields.size() + 11);
    }
    if (years) {
      const std::optional<YearSavings>& year = years->models[k];
      fields.push_back(year ? fixed(year->costSaved, 1) : "");
      fields.push_back(year ? fixed(year->netEnergy, 1) : "");
      fields.push_back(year && year->paybackYears ? fixed(*year->paybackYears, 2) : "");
    }
    fields.push_back(field(joined(r.messages, "; ")));
    csv += joined(fields, ",") + "\r\n";
  }
  return csv;
}

}  // namespace ktr
