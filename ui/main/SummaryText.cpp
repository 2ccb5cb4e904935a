// The main window's Edit Copy: a tab-separated summary of the case.

#include <algorithm>
#include <string>
#include <vector>

#include "platform/NumberText.h"
#include "ui/Windows.h"

namespace ui {

namespace {

std::string joined(std::initializer_list<std::string> cells) {
  std::string line;
  bool first = true;
  for (const std::string& cell : cells) {
    line += (first ? "" : "\t") + cell;
    first = false;
  }
  return line;
}

}  // namespace

void frmWheel::mnuEditCopy_Click() {
  if (calculateForOutput()) {
    BuildSummaryText();
  }
}

void frmWheel::BuildSummaryText() {
  const std::string text = summaryText();
  ports().clipboard.clear();
  ports().clipboard.setText(text);
}

std::string frmWheel::summaryText() const {
  const ModCalc::CalcState& s = state();
  const ModCalc::ModelCatalog& c = engine().catalog;
  const std::size_t sel = static_cast<std::size_t>(s.ModelIndex);
  // In the user's number locale, as every other figure of the summary.
  const auto shortest = [](float value) {
    return platform::localNumberText(platform::decimalText(value));
  };
  const auto fmt = [](double value, const char* pattern) {
    return platform::formatNumber(value, pattern);
  };

  // The headings are English, so the figures are too, whatever the window
  // shows; the humidity output is the one chosen for the units shown.
  ResultDisplay english = shownDisplay(s, fields().settings);
  english.si = false;
  const ResultTexts r = presentRating(s, english);

  const auto stream = [&](std::size_t k) {
    const StreamTexts& t = r.streams[k];
    return joined({t.name, t.standardVolume.text(), t.actualVolume.text(),
                   fmt(t.dryBulb.value, "##0.0"), t.humidity.text(), t.ratio.text(),
                   t.relativeHumidity.text(), fmt(t.enthalpy.value, "##0.00")});
  };
  // The summary is one line per row and one tab per column: a line break or
  // tab typed into the title must not start another.
  std::string title = s.ProjectTitle;
  std::replace_if(
      title.begin(), title.end(), [](char ch) { return ch == '\n' || ch == '\r' || ch == '\t'; },
      ' ');
  const std::vector<std::string> lines{
      title,
      "Model: " + s.ModelNameSel,
      "",
      joined({"Wheel Parameters", "", "", "Face Velocity, sfpm"}),
      joined({"Wheel Diameter, in.", shortest(c.WheelDiam[sel]), "", "Supply Side",
              r.velocityOutdoor.text()}),
      joined({"Wheel Depth, in.", shortest(s.WheelDepthSel), "", "Exhaust Side",
              r.velocityExhaust.text()}),
      joined({"Purge Angle, degrees", r.purgeAngle.text()}),
      joined({"Purge Volume, scfm", r.purgeVolume.text(), "", "Pressures, in. w.c."}),
      joined({"Wheel Speed, RPM", shortest(s.WheelRpm), "", "OA Static", fmt(s.PoaInWC, "#0.00")}),
      joined({"Hub diameter, in.", shortest(c.HubDiam[sel]), "", "RA Static",
              fmt(s.PraInWC, "#0.00")}),
      joined({"", "", "", "Supply Delta P", r.dpSupply.text()}),
      joined({"Cassette Parameters", "", "", "Exhaust Delta P", r.dpExhaust.text()}),
      joined({"Drive Motor, HP", c.MotorHP[sel]}),
      joined({"Height, in.", shortest(c.CasHeight[sel])}),
      joined({"Width, in.", shortest(c.CasWidth[sel])}),
      joined({"Depth, in.", shortest(c.CasDepth[sel])}),
      "",
      joined({"", "", "E Bal.", "E Unbal.", "BTU/h"}),
      joined({"Sensible Exchange", "", fmt(s.EsBal, "##0.000"), fmt(r.eSensible.value, "##0.000"),
              r.heatSensible.text()}),
      joined({"Latent Exchange", "", fmt(s.ElBal, "##0.000"), fmt(r.eLatent.value, "##0.000"),
              r.heatLatent.text()}),
      // The wheel model rates total exchange at the actual flows only.
      joined({"Total Exchange", "", "n/a", fmt(r.eTotal.value, "##0.000"), r.heatTotal.text()}),
      joined({"Water Recovered, lb/h", r.waterRecovered.text()}),
      joined({"", "Volume", "Volume", "", "", "", "", "Enthalpy"}),
      joined({"", "scfm", "acfm", "°F DB", r.units.humidity, r.units.ratio, "RH%", "BTU / lb"}),
      stream(0),
      stream(1),
      stream(2),
      stream(3),
  };

  std::string text;
  for (const std::string& line : lines) {
    text += line + '\n';
  }
  return text;
}

}  // namespace ui
