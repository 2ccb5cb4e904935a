#include "ui/dialogs/frmOverride.h"

#include "ui/Calculate.h"
#include "ui/Windows.h"

namespace ui {

frmOverride::frmOverride(Windows& windows) : Window("frmOverride", windows) {
  setCaption("Override ");
  ModCalc::OverrideFields& o = fields().overrides;
  o.registerIn(*this);
  add(fmeWheel, lblDiam, Label1, Label3, Label4, fmeCassette, Label10, Label11, Label12, Label9,
      Label6, Label7, fmeOverride, fmeFlute, cmdOROK);
  fmeWheel.holds(lblDiam, o.txtWheelDiam, Label1, o.txtWheelDepth, Label3, o.txtSpokes, Label4,
                 o.txtHubDiam);
  fmeCassette.holds(Label10, o.txtCasHeight, Label11, o.txtCasWidth, Label12, o.txtCasDepth);
  fmeFlute.holds(o.Flute45, o.Flute62, o.Flute94);
  o.chkAutoSelect.onClick = [this] { ShowOverrideFrames(); };
  o.FluteOverride.onClick = [this] { ShowFluteFrames(); };
  o.chkFluteDisplay.onClick = [this] { ShowFluteFrames(); };
  cmdOROK.onClick = [this] { cmdOROK_Click(); };
}

void frmOverride::Form_Load() {
  fields().overrides.FluteOverride.setVisible(state().ExternalVersion != 1);
  ShowOverrideFrames();
  ShowFluteFrames();
}

void frmOverride::ShowOverrideFrames() {
  const bool custom = fields().overrides.chkAutoSelect.value() == 1;
  fmeWheel.setVisible(custom);
  fmeCassette.setVisible(custom);
}

void frmOverride::ShowFluteFrames() {
  const ModCalc::OverrideFields& o = fields().overrides;
  const bool fixed = o.FluteOverride.value() == 1;
  w_.main.frmFlute.setVisible(fluteSizeShown(o));
  fmeFlute.setVisible(fixed);
}

void frmOverride::cmdOROK_Click() {
  // A box without a number has been named; the dialog stays open for it.
  if (!ModCalc::AutoSelect(engine())) {
    return;
  }
  state().ModelSelected = 0;
  // A stopped run keeps the old results: the case is still to be calculated.
  if (ModCalc::Calculate(engine())) {
    w_.inputs.resultsApplied();
  } else {
    w_.inputs.ChangeStatus();
  }
  hide();
}

}  // namespace ui
