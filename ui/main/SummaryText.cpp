// The main window's Edit Copy: a tab-separated summary of the case.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/NumberText.h"
#include "psych/modPsych.h"
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

std::string frmWheel::summaryText() {
  ModCalc::CalcState& s = state();
  ModCalc::SettingsFields& settings = fields().settings;
  const ModCalc::ModelCatalog& c = engine().catalog;
  const std::size_t sel = static_cast<std::size_t>(s.ModelIndex);
  // In the user's number locale, as every other figure of the summary.
  const auto shortest = [](float value) {
    return platform::localNumberText(platform::decimalText(value));
  };
  const auto fmt = [](double value, const char* pattern) {
    return platform::formatNumber(value, pattern);
  };

  // The headings are English, so in SI units the cells taken from the
  // window's captions are those it shows for the case in English units.
  const bool si = s.SIUnits == 1;
  platform::OptionButton* const siOutput =
      settings.optOUTWBSI.value() ? &settings.optOUTWBSI : &settings.optOUTDPSI;
  if (si) {
    (siOutput == &settings.optOUTWBSI ? settings.optOutWB : settings.optOutDP).select();
    s.SIUnits = 0;
    FillCaptions();
  }
  const bool wetBulb = settings.optOutWB.value() || settings.optOUTWBSI.value();
  const std::string humidityUnit = si ? (wetBulb ? "°F WB" : "°F DP") : lblHum[0].caption();
  const std::string ratioUnit = si ? "gr/lb" : lblHum1[0].caption();

  const auto stream = [&](const char* name, const Label& volume, std::size_t k, float t,
                          const std::array<Label, 3>& humidity, double h) {
    const auto* acfm = std::get_if<double>(&s.AcfmList[k]);
    return joined({name, volume.caption(), fmt(acfm != nullptr ? *acfm : 0, "###,###"),
                   fmt(t, "##0.0"), humidity[0].caption(), humidity[1].caption(),
                   humidity[2].caption(), fmt(h, "##0.00")});
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
              fmt(s.VelOa, "#,###")}),
      joined(
          {"Wheel Depth, in.", shortest(s.WheelDepthSel), "", "Exhaust Side", lblVelE.caption()}),
      joined({"Purge Angle, degrees", lblPurgeAngle.caption()}),
      joined({"Purge Volume, scfm", lblVPurge.caption(), "", "Pressures, in. w.c."}),
      joined({"Wheel Speed, RPM", shortest(s.WheelRpm), "", "OA Static", fmt(s.PoaInWC, "#0.00")}),
      joined({"Hub diameter, in.", shortest(c.HubDiam[sel]), "", "RA Static",
              fmt(s.PraInWC, "#0.00")}),
      joined({"", "", "", "Supply Delta P", lblDPs.caption()}),
      joined({"Cassette Parameters", "", "", "Exhaust Delta P", lblDPr.caption()}),
      joined({"Drive Motor, HP", c.MotorHP[sel]}),
      joined({"Height, in.", shortest(c.CasHeight[sel])}),
      joined({"Width, in.", shortest(c.CasWidth[sel])}),
      joined({"Depth, in.", shortest(c.CasDepth[sel])}),
      "",
      joined({"", "", "E Bal.", "E Unbal.", "BTU/h"}),
      joined({"Sensible Exchange", "", fmt(s.EsBal, "##0.000"), fmt(s.EunbalS, "##0.000"),
              lblHeatS.caption()}),
      joined({"Latent Exchange", "", fmt(s.ElBal, "##0.000"), fmt(s.EunbalL, "##0.000"),
              lblHeatL.caption()}),
      // The wheel model rates total exchange at the actual flows only.
      joined({"Total Exchange", "", "n/a", fmt(s.EunbalT, "##0.000"), lblHeatT.caption()}),
      joined({"Water Recovered, lb/h", lbldWh.caption()}),
      joined({"", "Volume", "Volume", "", "", "", "", "Enthalpy"}),
      joined({"", "scfm", "acfm", "°F DB", humidityUnit, ratioUnit, "RH%", "BTU / lb"}),
      stream("Outdoor", lblVoa, 0, s.Toa, lblWoa, s.Hoa),
      stream("Supply", lblVsa, 1, s.Tsa, fields().main.lblWsa, s.Hsa),
      stream("Return", lblVra, 2, s.Tra, lblWra, s.Hra),
      stream("Exhaust", lblVea, 3, s.Tea, fields().main.lblWea, modPsych::Enthalpy(s.Tea, s.Wea)),
  };

  if (si) {
    siOutput->select();
    s.SIUnits = 1;
    FillCaptions();
  }
  std::string text;
  for (const std::string& line : lines) {
    text += line + '\n';
  }
  return text;
}

}  // namespace ui
