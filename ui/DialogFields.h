#pragma once

// The controls of the dialogs and the main window that the engine reads and
// writes directly at every calculation. They are part of the case: the
// engine reads the typed text, check values and option selections from them
// and writes a few back, whether or not their window is shown. Each window
// registers its group and adds its presentation-only controls. Captions,
// texts, tool tips and selections here are the design-time ones.

#include <array>

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/NumberText.h"

namespace ModCalc {

using platform::CheckBox;
using platform::CommandButton;
using platform::Frame;
using platform::Label;
using platform::ListBox;
using platform::OptionButton;
using platform::OptionGroup;
using platform::TextBox;

// Inputs dialog. Every quantity has an English box and an SI twin; the SI
// boxes start disabled because the program starts in English units.
struct InputsFields {
  InputsFields();
  void registerIn(platform::Form& form);

  TextBox txtTitle{"txtTitle"};
  TextBox txtToa{"txtToa", "95"};  // °F
  TextBox txtTra{"txtTra", "75"};
  TextBox txtToaSI{"txtToaSI", "35"};  // °C
  TextBox txtTraSI{"txtTraSI", platform::localNumberText("23.89")};
  TextBox txtMoa{"txtMoa", "75"};  // English form of the chosen humidity kind
  TextBox txtMra{"txtMra", "65"};
  TextBox txtMoaSI{"txtMoaSI", platform::localNumberText("23.9")};  // the wet bulbs in °C
  TextBox txtMraSI{"txtMraSI", platform::localNumberText("18.33")};
  TextBox txtV{"txtV", "1000"};  // cfm, meaning by flow basis
  TextBox txtVra{"txtVra", "1000"};
  TextBox txtVSI{"txtVSI", platform::localNumberText("1699.2")};  // SI flow unit
  TextBox txtVraSI{"txtVraSI", platform::localNumberText("1699.2")};
  CheckBox chkSpeed{"chkSpeed", "Wheel Speed RPM"};
  TextBox txtWheelSpeed{"txtWheelSpeed", "35"};  // rpm
  CheckBox chkPurgeAngle{"chkPurgeAngle", "Purge Angle"};
  TextBox txtPurgeAngle{"txtPurgeAngle", "2"};  // degrees
  ListBox lstWheel{"lstWheel"};
  Frame fmeVolume{"fmeVolume", "Supply"};
};

// Settings dialog: its option buttons and boxes are settings in their own
// right, read at every use.
struct SettingsFields {
  SettingsFields();
  void registerIn(platform::Form& form);

  OptionGroup wheelLine;
  OptionButton KTRSel{"KTRSel", "KTR (Total Energy)", wheelLine, true};
  OptionButton KSRSel{"KSRSel", "KSR (Sensible Only)", wheelLine};

  OptionGroup siFlowUnit;
  OptionButton SIFlow0{"SIFlow0", "cubic meters/hour", siFlowUnit, true};
  OptionButton SIFlow1{"SIFlow1", "liters per second", siFlowUnit};

  TextBox txtElev{"txtElev", "0"};  // ft, or m in SI
  TextBox txtPoa{"txtPoa", "2"};    // in. w.c., or Pa in SI
  TextBox txtPra{"txtPra", "0"};

  OptionGroup flowBasis;
  OptionButton optOutdoor{"optOutdoor", "Outdoor Air Flow Standard Conditions", flowBasis};
  OptionButton optSupply{"optSupply", "Supply Air Flow Standard Conditions", flowBasis};
  OptionButton optOutdoorActual{"optOutdoorActual", "Outdoor Air Flow Actual Conditions",
                                flowBasis};
  OptionButton optSupplyActual{"optSupplyActual", "Supply Air Flow Actual Conditions", flowBasis,
                               true};

  // Index + 1 is MoistInOption; 4..6 are the SI forms of 0..2.
  OptionGroup humidityInput;
  std::array<OptionButton, 7> optMoistIn{
      OptionButton{"optMoistIn(0)", "Dew Point, °F", humidityInput},
      OptionButton{"optMoistIn(1)", "Wet Bulb, °F", humidityInput, true},
      OptionButton{"optMoistIn(2)", "Humidity Ratio, gr/lb", humidityInput},
      OptionButton{"optMoistIn(3)", "RH, %", humidityInput},
      OptionButton{"optMoistIn(4)", "Dew Point, °C", humidityInput},
      OptionButton{"optMoistIn(5)", "Wet Bulb, °C", humidityInput},
      OptionButton{"optMoistIn(6)", "Humidity Ratio, g/kg", humidityInput},
  };

  // One group for both unit systems. The SI captions carry the ordinal
  // indicator º where the English ones carry the degree sign: they are the
  // program's own texts, kept character for character.
  OptionGroup humidityOutput;
  OptionButton optOutDP{"optOutDP", "Dew Point, °F", humidityOutput};
  OptionButton optOutWB{"optOutWB", "Wet Bulb, °F", humidityOutput, true};
  OptionButton optOUTDPSI{"optOUTDPSI", "Dew Point, °C", humidityOutput};
  OptionButton optOUTWBSI{"optOUTWBSI", "Wet Bulb, °C", humidityOutput};
};

// Override dialog: the custom wheel, the flute and effectiveness overrides.
struct OverrideFields {
  OverrideFields();
  void registerIn(platform::Form& form);

  CheckBox chkAutoSelect{"chkAutoSelect", "Override AutoSelect"};
  CheckBox ListSelect{"ListSelect", "Display All Wheels in Input List Box"};
  CheckBox FluteOverride{"FluteOverride", "Override Flute Size"};
  OptionGroup flute;
  OptionButton Flute45{"Flute45", "Flute 45", flute};
  OptionButton Flute62{"Flute62", "Flute 62", flute, true};
  OptionButton Flute94{"Flute94", "Flute 94", flute};
  CheckBox chkFluteDisplay{"chkFluteDisplay", "Display Flute Size"};
  CheckBox chkSensible{"chkSensible", "E Sensible, %"};
  CheckBox chkLatent{"chkLatent", "E Latent, %"};
  TextBox txtESOR{"txtESOR", "72"};  // percent
  TextBox txtELOR{"txtELOR", "68"};
  TextBox txtWheelDiam{"txtWheelDiam", "36"};  // in
  TextBox txtWheelDepth{"txtWheelDepth", "4"};
  TextBox txtSpokes{"txtSpokes", "6"};
  TextBox txtHubDiam{"txtHubDiam", platform::localNumberText("4.5")};
  TextBox txtCasHeight{"txtCasHeight", "42"};
  TextBox txtCasWidth{"txtCasWidth", "42"};
  TextBox txtCasDepth{"txtCasDepth", platform::localNumberText("6.5")};
  TextBox txtHP{"txtHP", "1/3"};  // horsepower, as text
};

// Main-window indications the engine writes.
struct MainFields {
  MainFields();
  void registerIn(platform::Form& form);

  // Shown only once a calculation finds the total effectiveness not above
  // the sensible one.
  Label lblEunbalT{"lblEunbalT"};
  Label lblFlute{"lblFlute", "62 mils"};
  Label lblFrost{"lblFrost", "Frost"};
  CommandButton cmdFrostSpeed{"cmdFrostSpeed", "Frost Speed Control"};
  // Exhaust humidity: 0 wet bulb or dew point, 1 humidity ratio, 2 relative
  // humidity (whose background tells condensation).
  std::array<Label, 3> lblWea = platform::controlArray<Label, 3>("lblWea");
  // Supply humidity, the same three; its relative humidity's background
  // tells supersaturated supply air. Not registered here: the main window
  // lists it in its supply frame.
  std::array<Label, 3> lblWsa = platform::controlArray<Label, 3>("lblWsa");
};

struct DialogFields {
  InputsFields inputs;
  SettingsFields settings;
  OverrideFields overrides;
  MainFields main;
};

}  // namespace ModCalc
