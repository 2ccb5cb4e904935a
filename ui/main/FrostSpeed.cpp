#include "platform/NumberText.h"
#include "ui/Calculate.h"
#include "ui/Windows.h"
#include "ui/main/frmWheel.h"

// The frost speed control: slower wheel speeds until the exhaust no longer
// frosts.

namespace ui {

namespace {

// A wheel slower than this is no longer a sensible answer, and 0.9^50 of any
// catalog speed is far below it anyway.
constexpr float kLowestFrostSpeed = 1;
constexpr int kMaxFrostPasses = 50;

}  // namespace

void frmWheel::cmdFrostSpeed_Click() {
  ModCalc::InputsFields& in = fields().inputs;
  const ModCalc::CalcState& s = state();
  // The next calculations take the typed wheel speed.
  in.chkSpeed.setValue(1);
  for (int pass = 0;; ++pass) {
    const double next = 0.9 * s.WheelRpm;
    if (pass == kMaxFrostPasses || next < kLowestFrostSpeed) {
      engine().warn("Frost persists at the lowest wheel speed; the last calculation is shown.");
      return;
    }
    in.txtWheelSpeed.setText(platform::localNumberText(platform::decimalText(next)));
    // A run that stopped has shown why.
    if (!ModCalc::Calculate(engine())) {
      return;
    }
    if (!s.Status.frost) {
      return;
    }
  }
}

}  // namespace ui
