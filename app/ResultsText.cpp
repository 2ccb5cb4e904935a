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

std::string valueWithUnit(const platform::Label& value, const platform::Label& unit) {
  return value.caption() + " " + unit.caption();
}

}  // namespace

std::string resultsText(const ui::frmWheel& w, const ModCalc::MainFields& m) {
  struct Stream {
    const platform::Frame& frame;
    const platform::Label& dryBulb;
    const std::array<platform::Label, 3>& humidity;
    const platform::Label& enthalpy;
    const platform::Label& standard;
    const platform::Label& actual;
    const platform::Label& actualUnit;
    std::size_t unit;  // index of the frame's unit labels
  };
  const Stream streams[] = {
      {w.fmeOutdoor, w.lblToa, w.lblWoa, w.LblH[0], w.lblVoa, w.lblAcfmO, w.Label6, 0},
      {w.fmeSupply, w.lblTsa, m.lblWsa, w.LblH[2], w.lblVsa, w.lblAcfmS, w.Label7, 1},
      {w.fmeReturn, w.lblTra, w.lblWra, w.LblH[1], w.lblVra, w.lblAcfmR, w.Label8, 2},
      {w.fmeExhaust, w.lblTea, m.lblWea, w.LblH[3], w.lblVea, w.lblAcfmE, w.Label9, 3},
  };
  std::string text = w.caption() + "\n" + w.lblModel.caption() + "    " + w.lblSeason.caption() +
                     (w.lblTitle.caption().empty() ? "" : "    " + w.lblTitle.caption()) + "\n\n";
  for (const Stream& s : streams) {
    text += column(s.frame.caption(), 13) + column(valueWithUnit(s.dryBulb, w.lblFDB[s.unit]), 13) +
            column(valueWithUnit(s.humidity[0], w.lblHum[s.unit]), 13) +
            column(valueWithUnit(s.humidity[1], w.lblHum1[s.unit]), 13) +
            column(valueWithUnit(s.humidity[2], w.LblHum2[s.unit]), 12) +
            column(valueWithUnit(s.enthalpy, w.LblEnth[s.unit]), 14) +
            column(valueWithUnit(s.standard, w.lblSCFM[s.unit]), 14) +
            valueWithUnit(s.actual, s.actualUnit) + "\n";
  }
  text += "\nFace velocity   outdoor " + valueWithUnit(w.lblVelO, w.lblFPM1) + "   exhaust " +
          valueWithUnit(w.lblVelE, w.lblFPM2) +
          (w.HiVelocity.visible() ? "   " + w.HiVelocity.caption() : "") + "\n";
  text += "Wheel speed     " + w.lblWheelSpeed.caption() + "\n";
  text += "Purge           " + valueWithUnit(w.lblVPurge, w.Label3) + "   " +
          valueWithUnit(w.lblAcfmP, w.Label12) + "   " + w.lblPurgeAngle.caption() + " degrees\n";
  text += "Pressure drop   supply " + valueWithUnit(w.lblDPs, w.lblInWC[0]) + "   exhaust " +
          valueWithUnit(w.lblDPr, w.lblInWC[1]) + "\n";
  text += "Water recovered " + valueWithUnit(w.lbldWh, w.lbllbh[0]) + "\n\n";
  text += "                E         energy (" +
          w.Frame5.caption().substr(w.Frame5.caption().find_last_of(' ') + 1) + ")\n";
  text += "Sensible        " + column(w.lblEunbalS.caption(), 10) + w.lblHeatS.caption() + "\n";
  text += "Latent          " + column(w.lblEunbalL.caption(), 10) + w.lblHeatL.caption() + "\n";
  text += "Total           " + column(m.lblEunbalT.visible() ? m.lblEunbalT.caption() : "", 10) +
          w.lblHeatT.caption() + "\n";
  if (m.lblFlute.visible() && w.frmFlute.visible()) {
    text += "Flute size      " + m.lblFlute.caption() + "\n";
  }
  if (m.lblFrost.visible()) {
    text += m.lblFrost.caption() + ": exhaust air supersaturated at or below freezing\n";
  }
  return text;
}

}  // namespace ktr
