#include "app/ResultsText.h"

#include <string_view>

namespace ktr {

namespace {

// A column of `width` characters; the unit words hold multi-byte signs
// (°), so the width counts characters, not bytes.
std::string column(std::string_view text, std::size_t width) {
  std::size_t characters = 0;
  for (const char c : text) {
    characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  }
  return std::string(text) + std::string(characters < width ? width - characters : 1, ' ');
}

std::string withUnit(const ui::ShownFigure& figure, const std::string& unit) {
  return figure.text() + " " + unit;
}

}  // namespace

std::string resultsText(const ui::frmWheel& w) {
  const ui::ResultTexts r = w.shownResults();
  const ui::ResultUnits& u = r.units;
  const platform::Frame* const frames[] = {&w.fmeOutdoor, &w.fmeSupply, &w.fmeReturn,
                                           &w.fmeExhaust};
  std::string text = w.caption() + "\n" + r.model + "    " + r.season +
                     (r.title.empty() ? "" : "    " + r.title) + "\n\n";
  for (std::size_t k = 0; k < r.streams.size(); ++k) {
    const ui::StreamTexts& s = r.streams[k];
    text += column(frames[k]->caption(), 13) + column(withUnit(s.dryBulb, u.dryBulb), 13) +
            column(withUnit(s.humidity, u.humidity), 13) + column(withUnit(s.ratio, u.ratio), 13) +
            column(withUnit(s.relativeHumidity, u.relativeHumidity), 12) +
            column(withUnit(s.enthalpy, u.enthalpy), 14) +
            column(withUnit(s.standardVolume, u.standardVolume), 14) +
            withUnit(s.actualVolume, u.actualVolume) + "\n";
  }
  text += "\nFace velocity   outdoor " + withUnit(r.velocityOutdoor, u.velocity) + "   exhaust " +
          withUnit(r.velocityExhaust, u.velocity) +
          (r.velocityTooHigh ? std::string("   ") + ui::kVelocityTooHighText : "") + "\n";
  text += "Wheel speed     " + r.wheelSpeed.text() + " RPM\n";
  text += "Purge           " + withUnit(r.purgeVolume, u.standardVolume) + "   " +
          withUnit(r.purgeActualVolume, u.actualVolume) + "   " + r.purgeAngle.text() +
          " degrees\n";
  text += "Pressure drop   supply " + withUnit(r.dpSupply, u.pressure) + "   exhaust " +
          withUnit(r.dpExhaust, u.pressure) + "\n";
  text += "Water recovered " + withUnit(r.waterRecovered, u.water) + "\n\n";
  text += "                E         energy (" + u.energy + ")\n";
  text += "Sensible        " + column(r.eSensible.text(), 10) + r.heatSensible.text() + "\n";
  text += "Latent          " + column(r.eLatent.text(), 10) + r.heatLatent.text() + "\n";
  text += "Total           " + column(r.eTotalShown ? r.eTotal.text() : "", 10) +
          r.heatTotal.text() + "\n";
  if (!r.flute.empty()) {
    text += "Flute size      " + r.flute + "\n";
  }
  if (r.frost) {
    text += std::string(ui::kFrostText) + ": exhaust air supersaturated at or below freezing\n";
  }
  return text;
}

}  // namespace ktr
