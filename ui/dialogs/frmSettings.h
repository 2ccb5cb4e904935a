#pragma once

// The settings dialog: units, SI flow unit, humidity input and output
// measures, flow basis, wheel line, elevation and static pressures.

#include <array>
#include <string>

#include "platform/ControlSnapshot.h"
#include "platform/Controls.h"
#include "ui/Window.h"

namespace ui {

class frmSettings final : public Window {
 public:
  explicit frmSettings(Windows& windows);

  void cmdSIUnits_Click();
  void cmdSIUnitType_Click();
  // Re-expresses the pressure boxes in the units just switched to.
  void ChangePressure();
  // Enables the controls of the units system in force.
  void ChangeUnits();
  // Takes the case and the settings into the state, relabels both windows,
  // calculates and hides the dialog. A box without a number is named in a
  // message and nothing changes; the dialog stays open.
  void cmdSettingsOK_Click();
  // Shows the dialog; what it shows now is what Cancel puts back.
  void showDialog();
  // Puts back what the dialog changed since it was opened (the unit
  // switches too) and hides it.
  void cmdSettingsCancel_Click();
  // The same at start-up, where no calculation runs.
  void confirmWithoutCalculation();
  // Takes the elevation and the two pressures as OK read them from txtElev,
  // txtPoa and txtPra, in the units in force.
  void CalculateSettings(double elevation, double poa, double pra);
  void FillWheelInputsCaptions();

  platform::Frame KSR{"KSR", "Total/Sensible Selector"};
  platform::Frame SIFlowFrame{"SIFlowFrame", "SI Flow Units"};
  platform::CommandButton cmdSIUnitType{"cmdSIUnitType",
                                        "Click to Change SI Flow to/from m3/hr to l/sec"};
  platform::CommandButton cmdSIUnits{"cmdSIUnits", "Click to Change to/from SI Units"};
  platform::Frame fmePressure{"fmePressure", "Static Pressure"};
  platform::Label Label3{"Label3", "Outdoor Air"};
  platform::Label Label4{"Label4", "Return Air"};
  platform::Label lblSPress{"lblSPress", "in. w.c."};
  platform::Frame fmeElev{"fmeElev", "Elevation"};
  platform::Label lblElev{"lblElev", "feet"};
  platform::Frame fmeInput{"fmeInput", "Input Air Flow Basis"};
  platform::Frame fmeUnits{"fmeUnits", "Humidity Input Units"};
  platform::Frame fmeOutUnits{"fmeOutUnits", "Humidity Output Units"};
  platform::CommandButton cmdSettingsOK{"cmdSettingsOK", "OK"};
  platform::CommandButton cmdSettingsCancel{"cmdSettingsCancel", "Cancel"};

  // Unit words for the captions: 0 output humidity, 1 humidity ratio,
  // 2 relative humidity, 4 English input humidity, 5 SI input humidity,
  // 6 dry bulb, 7 enthalpy (3 unused).
  std::array<std::string, 8> UnitLabels;

 private:
  // Puts SI flow unit `unit` (0 m3/h, 1 l/s) in force: state, option, the
  // inputs dialog's SI volume boxes and their labels.
  void setSIFlowUnit(std::int16_t unit);
  // The OK step; `calculate` is false only at start-up.
  void confirm(bool calculate);
  // FillWheelInputsCaptions; `calculate` is false only at start-up.
  void fillCaptions(bool calculate);
  // The inputs dialog's volume units, for the flow basis and SI flow unit.
  void fillVolumeLabels();

  // What the dialog and the inputs dialog showed when it was opened, and
  // the state the unit switches change.
  platform::ControlSnapshot opened_;
  ModCalc::CalcState openedState_;
};

}  // namespace ui
