#include "ui/dialogs/frmQuorvaneSplash.h"

#include "ui/Windows.h"
#include "units/Units.h"

namespace ui {

frmQuorvaneSplash::frmQuorvaneSplash(Windows& windows) : Window("frmQuorvaneSplash", windows) {
  add(Frame1, picLogo0, picLogo1, lblCompanyProduct, Label1, LblVersion, lblInternalUse, Command1);
  Command1.onClick = [this] { dismiss(); };
}

void frmQuorvaneSplash::Form_Load() {
  ModCalc::CalcState& s = state();
  s.PrivateLabel = 0;
  s.ExternalVersion = 0;
  ModCalc::SettingsFields& settings = fields().settings;
  if (settings.SIFlow0.value()) {
    s.SIFlowUnit = 0;
    s.SIFlowFactor = units::kCfmPerCubicMetrePerHour;
    settings.SIFlow0.select();
  } else {
    s.SIFlowUnit = 1;
    s.SIFlowFactor = units::kCfmPerLitrePerSecond;
    settings.SIFlow1.select();
  }
  lblInternalUse.setVisible(false);
  LblVersion.setCaption(versionText());
  const bool privateLabel = s.PrivateLabel == 1;
  picLogo1.setVisible(privateLabel);
  picLogo0.setVisible(!privateLabel);
  const char* title =
      privateLabel ? "Rotary Energy Recovery Selection Program" : "Thermarotor Selection Program";
  lblCompanyProduct.setCaption(title);
  // Titling the main window is its first use: its start-up runs now.
  w_.main.setCaption(title);
  w_.main.load();
}

void frmQuorvaneSplash::dismiss() {
  unload();
  w_.main.show();
}

}  // namespace ui
