#include "ui/DialogFields.h"

namespace ModCalc {

InputsFields::InputsFields() {
  txtToa.setToolTip("Enter Air Temperature for Process Side");
  txtMoa.setToolTip("Enter Air Inlet Moisture Content for Process Side");
  txtTra.setToolTip("Enter  Return Air Temperature");
  txtMra.setToolTip("Enter Return Air Moisture");
  txtV.setToolTip("Enter Air Volume for Process Side");
  txtVra.setToolTip("Enter Return Air Volume");
  lstWheel.setToolTip("Select Wheel Model from List");
  for (TextBox* box : {&txtToaSI, &txtTraSI, &txtMoaSI, &txtMraSI, &txtVSI, &txtVraSI}) {
    box->setEnabled(false);
  }
}

void InputsFields::registerIn(platform::Form& form) {
  form.add(txtTitle, txtToa, txtTra, txtToaSI, txtTraSI, txtMoa, txtMra, txtMoaSI, txtMraSI, txtV,
           txtVra, txtVSI, txtVraSI, chkSpeed, txtWheelSpeed, chkPurgeAngle, txtPurgeAngle,
           lstWheel, fmeVolume);
}

SettingsFields::SettingsFields() {
  txtElev.setToolTip("Enter Location Elevation in Feet above Sea Level");
}

void SettingsFields::registerIn(platform::Form& form) {
  form.add(KTRSel, KSRSel, SIFlow0, SIFlow1, txtElev, txtPoa, txtPra, optOutdoor, optSupply,
           optOutdoorActual, optSupplyActual, optMoistIn, optOutDP, optOutWB, optOUTDPSI,
           optOUTWBSI);
}

OverrideFields::OverrideFields() {
  chkAutoSelect.setToolTip("Select for Wheel and Cassette Overrride");
  chkSensible.setToolTip("Override Sensible Effectiveness");
  txtESOR.setToolTip("Enter Balanced Sensible Effectivenes");
  chkLatent.setToolTip("Override Latent Effectiveness");
  txtELOR.setToolTip("Enter Balanced Latent Effectiveness");
}

void OverrideFields::registerIn(platform::Form& form) {
  form.add(chkAutoSelect, ListSelect, FluteOverride, Flute45, Flute62, Flute94, chkFluteDisplay,
           chkSensible, chkLatent, txtESOR, txtELOR, txtWheelDiam, txtWheelDepth, txtSpokes,
           txtHubDiam, txtCasHeight, txtCasWidth, txtCasDepth, txtHP);
}

MainFields::MainFields() {
  // Indications appear only when a calculation calls for them.
  lblEunbalT.setVisible(false);
  lblFlute.setVisible(false);
  lblFrost.setVisible(false);
  cmdFrostSpeed.setVisible(false);
}

void MainFields::registerIn(platform::Form& form) {
  form.add(lblEunbalT, lblFlute, lblFrost, cmdFrostSpeed, lblWea);
}

}  // namespace ModCalc
