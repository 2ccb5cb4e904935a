#include "ui/dialogs/frmSettings.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Case.h"
#include "engine/InputChecks.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"
#include "ui/EnteredUnits.h"
#include "ui/Windows.h"

namespace ui {

namespace {

using platform::OptionButton;
using platform::TextBox;

// The number of a site box (elevation, static pressure) in the units just
// left, read as the calculation reads it there.
std::optional<double> typedSiteNumber(const TextBox& box, bool toSI) {
  if (toSI) {
    return platform::parseNumber<float>(box.text());
  }
  return platform::parseNumber<double>(box.text());
}

// Re-expresses a pressure box typed in the units just left, with a text
// that gives the same pressure back; a box without a number stays as it is
// for OK to name.
void convertPressureBox(TextBox& box, bool toSI, float& inWC, float& pa) {
  if (const auto typed = typedSiteNumber(box, toSI)) {
    ModCalc::setStaticPressure(*typed, !toSI, inWC, pa);
    box.setText(ModCalc::staticPressureText(inWC, toSI));
  }
}

std::string siFlowWord(bool cubicMetres, bool actual) {
  return std::string(actual ? "a." : "") + (cubicMetres ? "m3/hr" : "l/sec");
}

}  // namespace

frmSettings::frmSettings(Windows& windows) : Window("frmSettings", windows) {
  setCaption("Settings");
  resize(7935, 6810);
  ModCalc::SettingsFields& f = fields().settings;
  f.registerIn(*this);
  add(KSR, SIFlowFrame, cmdSIUnitType, cmdSIUnits, fmePressure, Label3, Label4, lblSPress, fmeElev,
      lblElev, fmeInput, fmeUnits, fmeOutUnits, cmdSettingsOK, cmdSettingsCancel);
  fmePressure.setToolTip("Pressures used to calculate purge");
  fmeElev.setToolTip("Enter Location Elevation in Feet above Sea Level");
  fmeInput.setToolTip("Select Air Volume to Input");
  fmeUnits.setToolTip("Select Coice of units for Input");
  fmeOutUnits.setToolTip("Select Humidity Units for Output");
  // The dialog opens in English units.
  for (OptionButton* si :
       {&f.optMoistIn[4], &f.optMoistIn[5], &f.optMoistIn[6], &f.optOUTDPSI, &f.optOUTWBSI}) {
    si->setEnabled(false);
  }
  cmdSIUnits.onClick = [this] { cmdSIUnits_Click(); };
  cmdSIUnitType.onClick = [this] { cmdSIUnitType_Click(); };
  // Either option gives the same change as the toggle button.
  for (const std::int16_t unit : {0, 1}) {
    (unit == 0 ? f.SIFlow0 : f.SIFlow1).onClick = [this, unit] {
      if (state().SIFlowUnit != unit) {
        setSIFlowUnit(unit);
      }
    };
  }
  cmdSettingsOK.onClick = [this] { cmdSettingsOK_Click(); };
  cmdSettingsCancel.onClick = [this] { cmdSettingsCancel_Click(); };
}

void frmSettings::showDialog() {
  if (!visible()) {
    std::vector<platform::Control*> shown = controls();
    const std::vector<platform::Control*>& inputs = w_.inputs.controls();
    shown.insert(shown.end(), inputs.begin(), inputs.end());
    opened_ = platform::ControlSnapshot(shown);
    openedState_ = state();
  }
  show();
}

void frmSettings::cmdSettingsCancel_Click() {
  {
    // Held: a handler would act on a dialog half put back.
    const platform::HoldHandlers held;
    opened_.restore();
  }
  // Only OK takes the dialog's entries into the state; the unit switches
  // take theirs at once.
  ModCalc::CalcState& s = state();
  s.SIUnits = openedState_.SIUnits;
  s.SIFlowUnit = openedState_.SIFlowUnit;
  s.SIFlowFactor = openedState_.SIFlowFactor;
  s.PoaInWC = openedState_.PoaInWC;
  s.PoaPa = openedState_.PoaPa;
  s.PraInWC = openedState_.PraInWC;
  s.PraPa = openedState_.PraPa;
  hide();
}

void frmSettings::cmdSIUnits_Click() {
  ModCalc::CalcState& s = state();
  s.SIUnits = s.SIUnits == 0 ? 1 : 0;
  ChangePressure();
  ChangeUnits();
  // Dew point, wet bulb and humidity ratio keep their kind in the new units;
  // relative humidity serves both.
  auto& options = fields().settings.optMoistIn;
  if (options[3].value()) {
    return;
  }
  const bool toSI = s.SIUnits == 1;
  for (std::size_t i = 0; i < options.size(); ++i) {
    if (options[i].value()) {
      // A selection already in the new units (after an opened project) stays.
      if (toSI ? i + 4 < options.size() : i >= 4) {
        options[toSI ? i + 4 : i - 4].select();
      }
      return;
    }
  }
}

void frmSettings::ChangePressure() {
  ModCalc::CalcState& s = state();
  ModCalc::SettingsFields& f = fields().settings;
  const bool toSI = s.SIUnits == 1;
  convertPressureBox(f.txtPoa, toSI, s.PoaInWC, s.PoaPa);
  convertPressureBox(f.txtPra, toSI, s.PraInWC, s.PraPa);
  // The elevation too: read in the new unit as it stood, it would put the
  // site elsewhere (1000 ft would become 1000 m).
  if (const auto typed = typedSiteNumber(f.txtElev, toSI)) {
    const auto unitsLeft = static_cast<std::int16_t>(toSI ? 0 : 1);
    f.txtElev.setText(ModCalc::elevationText(ModCalc::elevationFeet(*typed, unitsLeft), s.SIUnits));
  }
}

void frmSettings::ChangeUnits() {
  const bool si = state().SIUnits == 1;
  ModCalc::SettingsFields& f = fields().settings;
  ModCalc::InputsFields& in = fields().inputs;
  lblElev.setCaption(si ? "meters" : "feet");
  lblSPress.setCaption(si ? "pascals" : "in. w.c.");
  for (std::size_t i = 0; i < 3; ++i) {
    f.optMoistIn[i].setEnabled(!si);
    f.optMoistIn[i + 4].setEnabled(si);
  }
  for (OptionButton* english : {&f.optOutDP, &f.optOutWB}) {
    english->setEnabled(!si);
  }
  for (OptionButton* metric : {&f.optOUTDPSI, &f.optOUTWBSI}) {
    metric->setEnabled(si);
  }
  for (TextBox* english : {&in.txtV, &in.txtToa, &in.txtMoa, &in.txtVra, &in.txtTra, &in.txtMra}) {
    english->setEnabled(!si);
  }
  for (TextBox* metric :
       {&in.txtVSI, &in.txtToaSI, &in.txtMoaSI, &in.txtVraSI, &in.txtTraSI, &in.txtMraSI}) {
    metric->setEnabled(si);
  }
  fmeUnits.setVisible(true);
  // The output measure keeps its kind in the new units.
  const std::pair<OptionButton*, OptionButton*> twins[] = {{&f.optOutDP, &f.optOUTDPSI},
                                                           {&f.optOutWB, &f.optOUTWBSI}};
  for (const auto& [english, metric] : twins) {
    const OptionButton& from = si ? *english : *metric;
    if (from.value()) {
      (si ? metric : english)->select();
      break;
    }
  }
}

void frmSettings::cmdSIUnitType_Click() {
  setSIFlowUnit(state().SIFlowUnit == 0 ? 1 : 0);
}

void frmSettings::setSIFlowUnit(std::int16_t unit) {
  ModCalc::CalcState& s = state();
  ModCalc::SettingsFields& f = fields().settings;
  s.SIFlowUnit = unit;
  s.SIFlowFactor = unit == 0 ? units::kCfmPerCubicMetrePerHour : units::kCfmPerLitrePerSecond;
  // Selecting runs the option's click handler, which finds the unit in force.
  (unit == 0 ? f.SIFlow0 : f.SIFlow1).select();
  w_.inputs.ShowSIBoxes();
  fillVolumeLabels();
}

void frmSettings::cmdSettingsOK_Click() {
  confirm(true);
}

void frmSettings::confirmWithoutCalculation() {
  confirm(false);
}

void frmSettings::confirm(bool calculate) {
  ModCalc::AirEntries typed{};
  try {
    typed = ModCalc::readAirEntries(fields(), state().MoistInOption, state().SIUnits);
  } catch (const ModCalc::CalcError& error) {
    ports().messages.show(error.what(), "Error", platform::MessageIcon::Exclamation);
    return;
  }
  ModCalc::CalcState& s = state();
  const ModCalc::CalcState before = s;
  s.Toa = typed.toa;
  s.Tra = typed.tra;
  s.Moa = typed.moa;
  s.Mra = typed.mra;
  CalculateSettings(typed.elevation, typed.poa, typed.pra);
  // A moisture the air cannot hold at this pressure (a wet bulb above the
  // dry bulb high in the mountains) has no humidity ratio: nothing changes.
  for (const double value : {s.Woa, s.Wra, s.Moa, s.Mra, s.MoaSI, s.MraSI}) {
    if (!std::isfinite(value)) {
      s = before;
      ports().messages.show(
          "The outdoor or return air moisture cannot be held by air at this dry bulb and "
          "elevation. Check the moisture entries, the dry bulbs and the elevation.",
          "Error", platform::MessageIcon::Exclamation);
      return;
    }
  }
  fillCaptions(calculate);
}

void frmSettings::CalculateSettings(double elevation, double poa, double pra) {
  ModCalc::CalcState& s = state();
  const ModCalc::SettingsFields& f = fields().settings;
  s.ElevFt = ModCalc::elevationFeet(elevation, s.SIUnits);
  s.Patm = modPsych::AtmPressure(s.ElevFt);
  // The humidity ratios come from the kind the moisture was typed in, before
  // the new kind is read.
  for (const auto& [t, m] : {std::pair{s.Toa, s.Moa}, {s.Tra, s.Mra}}) {
    if (!modPsych::MoistureInRange(t, m, s.MoistInKind)) {
      ports().messages.show(modPsych::kRangeMessage, "Error", platform::MessageIcon::Exclamation);
    }
  }
  s.Woa = modPsych::MoistToGrains(s.Toa, s.Moa, s.Patm, s.MoistInKind);
  s.Wra = modPsych::MoistToGrains(s.Tra, s.Mra, s.Patm, s.MoistInKind);
  for (std::size_t i = 0; i < f.optMoistIn.size(); ++i) {
    if (f.optMoistIn[i].value()) {
      s.MoistInOption = static_cast<std::int16_t>(i + 1);
      break;
    }
  }
  const std::int16_t typedKind = s.MoistInKind;
  s.MoistInKind = ModCalc::moistureKind(s.MoistInOption);
  // Converted there and back, an entry would come back a little changed.
  if (s.MoistInKind != typedKind) {
    s.Moa = modPsych::GrainsToMoist(s.Toa, s.Woa, s.Patm, s.MoistInKind);
    s.Mra = modPsych::GrainsToMoist(s.Tra, s.Wra, s.Patm, s.MoistInKind);
  }
  if (const auto outdoor = ModCalc::moistureSI(s.Moa, s.MoistInOption, s.SIUnits)) {
    s.MoaSI = *outdoor;
    s.MraSI = *ModCalc::moistureSI(s.Mra, s.MoistInOption, s.SIUnits);
  }
  const bool pascals = s.SIUnits == 1;
  ModCalc::setStaticPressure(poa, pascals, s.PoaInWC, s.PoaPa);
  ModCalc::setStaticPressure(pra, pascals, s.PraInWC, s.PraPa);
}

void frmSettings::FillWheelInputsCaptions() {
  fillCaptions(true);
}

void frmSettings::fillCaptions(bool calculate) {
  ModCalc::CalcState& s = state();
  const ModCalc::SettingsFields& f = fields().settings;
  ModCalc::InputsFields& in = fields().inputs;
  const bool si = s.SIUnits == 1;

  struct OutputUnits {
    const OptionButton* option;
    const char* humidity;
    const char* ratio;
    const char* enthalpy;
  };
  const OutputUnits outputs[] = {
      {&f.optOutWB, "°F WB", "gr/lb", "BTU/lb"},
      {&f.optOutDP, "°F DP", "gr/lb", "BTU/lb"},
      {&f.optOUTWBSI, "°C WB", "g/kg", "kJ/kg"},
      {&f.optOUTDPSI, "°C DP", "g/kg", "kJ/kg"},
  };
  for (const OutputUnits& output : outputs) {
    if (output.option->value()) {
      UnitLabels[0] = output.humidity;
      UnitLabels[1] = output.ratio;
      UnitLabels[7] = output.enthalpy;
      break;
    }
  }
  UnitLabels[2] = "%, RH";

  // English and SI words of the four moisture kinds.
  constexpr std::pair<const char*, const char*> kInputUnits[] = {
      {"°F DP", "°C DP"}, {"°F WB", "°C WB"}, {"gr/lb", "g/kg"}, {"%, RH", "%, RH"}};
  const std::int16_t option = s.MoistInOption;
  if (option >= 1 && option <= 7) {
    const auto& [english, metric] = kInputUnits[ModCalc::moistureKind(option) - 1];
    UnitLabels[4] = english;
    UnitLabels[5] = metric;
    UnitLabels[6] = option > 4 || (option == 4 && si) ? "°C DB" : "°F DB";
    // The English boxes hold the case; the SI ones show it.
    in.txtMoa.setText(ModCalc::moistureText(s.Moa, s.MoistInKind));
    in.txtMra.setText(ModCalc::moistureText(s.Mra, s.MoistInKind));
  }
  w_.inputs.ShowSIBoxes();
  frmInputs& inputs = w_.inputs;
  inputs.lblMoistIn[0].setCaption(UnitLabels[4]);
  inputs.lblMoistIn[1].setCaption(UnitLabels[4]);
  inputs.lblMoistIn[2].setCaption(UnitLabels[5]);
  inputs.lblMoistIn[3].setCaption(UnitLabels[5]);
  fillVolumeLabels();

  frmWheel& main = w_.main;
  const bool cubicMetres = f.SIFlow0.value();
  main.lblFPM1.setCaption(si ? "m/sec" : "sfpm");
  main.lblFPM2.setCaption(si ? "m/sec" : "sfpm");
  const std::pair<std::array<platform::Label, 4>*, const std::string*> units[] = {
      {&main.lblHum, &UnitLabels[0]},  {&main.lblHum1, &UnitLabels[1]},
      {&main.LblHum2, &UnitLabels[2]}, {&main.lblFDB, &UnitLabels[6]},
      {&main.LblEnth, &UnitLabels[7]},
  };
  for (const auto& [labels, unit] : units) {
    for (platform::Label& label : *labels) {
      label.setCaption(*unit);
    }
  }
  const std::string standardVolume = si ? siFlowWord(cubicMetres, false) : "scfm";
  for (platform::Label& label : main.lblSCFM) {
    label.setCaption(standardVolume);
  }
  main.Label3.setCaption(standardVolume);
  for (platform::Label& label : main.lblInWC) {
    label.setCaption(si ? "pascals" : "in. w.c.");
  }
  main.lbllbh[0].setCaption(si ? "kg H2O/h" : "lb H2O/h");
  const std::string actualVolume = si ? siFlowWord(cubicMetres, true) : "acfm";
  for (platform::Label* label :
       {&main.Label6, &main.Label7, &main.Label8, &main.Label9, &main.Label12}) {
    label->setCaption(actualVolume);
  }
  main.Frame5.setCaption(std::string(21, ' ') + "E" +
                         (si ? std::string(14, ' ') + "KW" : std::string(10, ' ') + "BTU/H"));

  const std::pair<const OptionButton*, const char*> bases[] = {
      {&f.optOutdoor, "Outdoor Std. Volume"},
      {&f.optSupply, "Supply Std. Volume"},
      {&f.optOutdoorActual, "Outdoor Act. Volume"},
      {&f.optSupplyActual, "Supply Act. Volume"},
  };
  for (std::size_t i = 0; i < std::size(bases); ++i) {
    if (bases[i].first->value()) {
      in.fmeVolume.setCaption(bases[i].second);
      s.FlowBasis = static_cast<ModCalc::VolumeBasis>(i + 1);
    }
  }

  if (calculate) {
    inputs.cmdCalc_Click();
  } else {
    // Start-up calculates nothing; writing the boxes was no edit of the user's.
    inputs.cmdCalc.setVisible(false);
  }
  hide();
}

void frmSettings::fillVolumeLabels() {
  const ModCalc::SettingsFields& f = fields().settings;
  const bool actual = !(f.optOutdoor.value() || f.optSupply.value());
  const bool cubicMetres = f.SIFlow0.value();
  std::array<platform::Label, 4>& labels = w_.inputs.lblSCFM;
  for (std::size_t i = 0; i < 2; ++i) {
    labels[i].setCaption(actual ? "acfm" : "scfm");
    labels[i + 2].setCaption(siFlowWord(cubicMetres, actual));
  }
}

}  // namespace ui
