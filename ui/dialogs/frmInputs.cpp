#include "ui/dialogs/frmInputs.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "platform/NumberText.h"
#include "ui/Calculate.h"
#include "ui/Windows.h"
#include "units/Units.h"

namespace ui {

namespace {

constexpr platform::Rgb kChangedColor{0, 255, 0};

constexpr std::int16_t kEnglish = 0;
constexpr std::int16_t kSI = 1;

using units::kGrainsPerGramPerKilogram;

}  // namespace

frmInputs::frmInputs(Windows& windows) : Window("frmInputs", windows) {
  setCaption("Inputs");
  resize(7455, 6240);
  ModCalc::InputsFields& in = fields().inputs;
  in.registerIn(*this);
  add(cmdCalc, cmdClose, Frame1, lblSCFM, lblMoistIn, lblFDB, Label1, lblSelect, Label2);
  cmdCalc.setVisible(false);

  in.txtToa.onChange = [this] { txtToa_Change(); };
  in.txtToaSI.onChange = [this] { txtToaSI_Change(); };
  in.txtTra.onChange = [this] { txtTra_Change(); };
  in.txtTraSI.onChange = [this] { txtTraSI_Change(); };
  in.txtMoa.onChange = [this] { txtMoa_Change(); };
  in.txtMoaSI.onChange = [this] { txtMoaSI_Change(); };
  in.txtMra.onChange = [this] { txtMra_Change(); };
  in.txtMraSI.onChange = [this] { txtMraSI_Change(); };
  in.txtV.onChange = [this] { txtV_Change(); };
  in.txtVSI.onChange = [this] { txtVSI_Change(); };
  in.txtVra.onChange = [this] { txtVra_Change(); };
  in.txtVraSI.onChange = [this] { txtVraSI_Change(); };
  for (platform::TextBox* box : {&in.txtTitle, &in.txtWheelSpeed, &in.txtPurgeAngle}) {
    box->onChange = [this] { ChangeStatus(); };
  }
  for (platform::CheckBox* box : {&in.chkSpeed, &in.chkPurgeAngle}) {
    box->onClick = [this] { ChangeStatus(); };
  }
  in.lstWheel.onClick = [this] { ChangeStatus(); };
  in.lstWheel.onDblClick = [this] { lstWheel_DblClick(); };
  cmdCalc.onClick = [this] { cmdCalc_Click(); };
  cmdClose.onClick = [this] { cmdClose_Click(); };
}

void frmInputs::Form_Load() {
  platform::SettingsStore& store = ports().settings;
  const auto stored = [&store](const char* key) {
    return platform::parseNumber<double>(store.value(kApplication, kSection, key, ""));
  };
  const std::optional<double> left = stored("InputsLeft");
  const std::optional<double> top = stored("InputsTop");
  // A position from a larger screen, or a damaged one, leaves the placing
  // to the desktop rather than opening the dialog where nobody sees it.
  const Screen& screen = ports().screen;
  if (left && top && *left >= 0 && *top >= 0 && *left + width() <= screen.width &&
      *top + height() <= screen.height) {
    move(static_cast<int>(*left), static_cast<int>(*top));
  }
}

void frmInputs::cmdCalc_Click() {
  state().ProjectTitle = fields().inputs.txtTitle.text();
  // A run that stopped left the old results: the case still needs one.
  if (ModCalc::Calculate(engine())) {
    cmdCalc.setVisible(false);
  } else {
    ChangeStatus();
  }
}

void frmInputs::ChangeStatus() {
  cmdCalc.setVisible(true);
  cmdCalc.setEnabled(true);
  cmdCalc.setBackColor(kChangedColor);
}

void frmInputs::convertToTwin(const platform::TextBox& box, std::int16_t units,
                              platform::TextBox& twin, const std::function<double(double)>& toTwin,
                              bool volume) {
  // The twin's own handler, run by the write below, stops here.
  if (showing_ || state().SIUnits != units) {
    return;
  }
  // Text that is no number (yet) leaves the twin alone, but the case changed
  // all the same: Calculate will name the box.
  if (const auto x = platform::parseNumber<double>(box.text())) {
    // A number too large to convert leaves no number in the twin rather
    // than "Infinity"; Calculate names the entry.
    const double converted = toTwin(*x);
    twin.setText(std::isfinite(converted) ? platform::formatNumber(converted, "##0.0") : "");
  }
  if (volume) {
    state().ModelSelected = 0;
  }
  ChangeStatus();
}

void frmInputs::ShowSIVolumes() {
  ModCalc::InputsFields& in = fields().inputs;
  const float factor = state().SIFlowFactor;
  showing_ = true;
  for (const auto& [english, metric] :
       {std::pair{&in.txtV, &in.txtVSI}, {&in.txtVra, &in.txtVraSI}}) {
    if (const auto cfm = platform::parseNumber<double>(english->text())) {
      metric->setText(platform::formatNumber(*cfm / factor, "#,##0"));
    }
  }
  showing_ = false;
}

double frmInputs::moistureToSI(double x) const {
  switch (state().MoistInOption) {
    case 4:
      return x;
    case 3:
      return x / kGrainsPerGramPerKilogram;
    default:
      return units::celsius(x);
  }
}

double frmInputs::moistureToEnglish(double x) const {
  switch (state().MoistInOption) {
    case 4:
      return x;
    case 7:
      return x * kGrainsPerGramPerKilogram;
    default:
      return units::fahrenheit(x);
  }
}

void frmInputs::txtToa_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(in.txtToa, kEnglish, in.txtToaSI, units::celsius<double>, false);
}

void frmInputs::txtToaSI_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(in.txtToaSI, kSI, in.txtToa, units::fahrenheit, false);
}

void frmInputs::txtTra_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(in.txtTra, kEnglish, in.txtTraSI, units::celsius<double>, false);
}

void frmInputs::txtTraSI_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(in.txtTraSI, kSI, in.txtTra, units::fahrenheit, false);
}

void frmInputs::txtMoa_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtMoa, kEnglish, in.txtMoaSI, [this](double x) { return moistureToSI(x); }, false);
}

void frmInputs::txtMoaSI_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtMoaSI, kSI, in.txtMoa, [this](double x) { return moistureToEnglish(x); }, false);
}

void frmInputs::txtMra_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtMra, kEnglish, in.txtMraSI, [this](double x) { return moistureToSI(x); }, false);
}

void frmInputs::txtMraSI_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtMraSI, kSI, in.txtMra, [this](double x) { return moistureToEnglish(x); }, false);
}

void frmInputs::txtV_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtV, kEnglish, in.txtVSI, [this](double x) { return x / state().SIFlowFactor; }, true);
}

void frmInputs::txtVSI_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtVSI, kSI, in.txtV, [this](double x) { return x * state().SIFlowFactor; }, true);
}

void frmInputs::txtVra_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtVra, kEnglish, in.txtVraSI, [this](double x) { return x / state().SIFlowFactor; },
      true);
}

void frmInputs::txtVraSI_Change() {
  ModCalc::InputsFields& in = fields().inputs;
  convertToTwin(
      in.txtVraSI, kSI, in.txtVra, [this](double x) { return x * state().SIFlowFactor; }, true);
}

void frmInputs::lstWheel_DblClick() {
  if (!ModCalc::Calculate(engine())) {
    return;
  }
  w_.main.FillCaptions();
  cmdCalc.setVisible(false);
}

void frmInputs::cmdClose_Click() {
  if (windowState() != platform::WindowState::Minimized) {
    platform::SettingsStore& store = ports().settings;
    store.setValue(kApplication, kSection, "InputsLeft",
                   platform::decimalText(static_cast<float>(left())));
    store.setValue(kApplication, kSection, "InputsTop",
                   platform::decimalText(static_cast<float>(top())));
  }
  hide();
}

}  // namespace ui
