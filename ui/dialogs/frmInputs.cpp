#include "ui/dialogs/frmInputs.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "engine/Case.h"
#include "platform/NumberText.h"
#include "psych/modPsych.h"
#include "ui/Calculate.h"
#include "ui/Windows.h"
#include "ui/main/CaseFields.h"
#include "units/Units.h"

namespace ui {

namespace {

constexpr platform::Rgb kChangedColor{0, 255, 0};

constexpr std::int16_t kEnglish = 0;
constexpr std::int16_t kSI = 1;

using units::kGrainsPerGramPerKilogram;

double toEnglish(FieldKind quantity, double si, float siFlowFactor, std::int16_t moistInOption) {
  switch (quantity) {
    case FieldKind::Temperature:
      return units::fahrenheit(si);
    case FieldKind::Volume:
      return si * siFlowFactor;
    default:
      switch (ModCalc::moistureKind(moistInOption)) {
        case modPsych::kRelHum:
          return si;
        case modPsych::kGrains:
          return si * kGrainsPerGramPerKilogram;
        default:
          return units::fahrenheit(si);
      }
  }
}

double toSI(FieldKind quantity, double english, float siFlowFactor, std::int16_t moistInOption) {
  switch (quantity) {
    case FieldKind::Temperature:
      return units::celsius(english);
    case FieldKind::Volume:
      return english / siFlowFactor;
    default:
      switch (ModCalc::moistureKind(moistInOption)) {
        case modPsych::kRelHum:
          return english;
        case modPsych::kGrains:
          return english / kGrainsPerGramPerKilogram;
        default:
          return units::celsius(english);
      }
  }
}

}  // namespace

std::optional<double> typedEnglish(FieldKind quantity, double si, float siFlowFactor,
                                   std::int16_t moistInOption) {
  const double english = toEnglish(quantity, si, siFlowFactor, moistInOption);
  if (!std::isfinite(english)) {
    return std::nullopt;
  }
  return platform::parseNumber<double>(platform::formatNumber(english, "##0.0"));
}

std::string tidiestSIText(FieldKind quantity, double english, float siFlowFactor,
                          std::int16_t moistInOption) {
  const double estimate = toSI(quantity, english, siFlowFactor, moistInOption);
  if (!std::isfinite(estimate)) {
    return "";
  }
  return platform::tidiestTextReadingBack(estimate, [&](double si) {
    return typedEnglish(quantity, si, siFlowFactor, moistInOption) == english;
  });
}

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
    resultsApplied();
  } else {
    ChangeStatus();
  }
}

void frmInputs::ChangeStatus() {
  state().Status.current = false;
  cmdCalc.setVisible(true);
  cmdCalc.setEnabled(true);
  cmdCalc.setBackColor(kChangedColor);
}

void frmInputs::resultsApplied() {
  state().Status.current = true;
  cmdCalc.setVisible(false);
}

frmInputs::Twins frmInputs::twinsOf(const CaseField& field) {
  ModCalc::DialogFields& f = fields();
  return {*boxOf(field.box, f), *boxOf(field.boxSI, f), field.kind};
}

frmInputs::Twins frmInputs::twinsOf(std::string_view name) {
  return twinsOf(caseField(name));
}

void frmInputs::convertToTwin(const Twins& twins, std::int16_t units) {
  // The twin's own handler, run by the write below, stops here.
  if (showing_ || state().SIUnits != units) {
    return;
  }
  // Text that is no number (yet) leaves the twin alone, but the case changed
  // all the same: Calculate will name the box. A number too large to
  // convert leaves no number in the twin rather than "Infinity".
  if (units == kSI) {
    if (const auto x = platform::parseNumber<double>(twins.si.text())) {
      const std::optional<double> english =
          typedEnglish(twins.quantity, *x, state().SIFlowFactor, state().MoistInOption);
      twins.english.setText(english ? platform::tidyText(*english) : "");
    }
  } else if (const auto x = platform::parseNumber<double>(twins.english.text())) {
    twins.si.setText(siText(twins, *x));
  }
  if (twins.quantity == FieldKind::Volume) {
    state().ModelSelected = 0;
  }
  ChangeStatus();
}

void frmInputs::ShowSIBoxes() {
  showing_ = true;
  for (const CaseField& field : caseFields()) {
    // The return volume's two fields share their boxes.
    if (std::holds_alternative<std::monostate>(field.boxSI) ||
        (field.entered && !field.entered(state().FlowBasis))) {
      continue;
    }
    const Twins pair = twinsOf(field);
    if (const auto english = platform::parseNumber<double>(pair.english.text())) {
      pair.si.setText(siText(pair, *english));
    }
  }
  showing_ = false;
}

std::string frmInputs::siText(const Twins& twins, double english) const {
  const float factor = state().SIFlowFactor;
  const std::int16_t option = state().MoistInOption;
  // What the box shows stays while it still gives the case's number.
  if (const auto shown = platform::parseNumber<double>(twins.si.text());
      shown && typedEnglish(twins.quantity, *shown, factor, option) == english) {
    return platform::tidyText(*shown);
  }
  return tidiestSIText(twins.quantity, english, factor, option);
}

void frmInputs::txtToa_Change() {
  convertToTwin(twinsOf("Toa"), kEnglish);
}

void frmInputs::txtToaSI_Change() {
  convertToTwin(twinsOf("Toa"), kSI);
}

void frmInputs::txtTra_Change() {
  convertToTwin(twinsOf("Tra"), kEnglish);
}

void frmInputs::txtTraSI_Change() {
  convertToTwin(twinsOf("Tra"), kSI);
}

void frmInputs::txtMoa_Change() {
  convertToTwin(twinsOf("Moa"), kEnglish);
}

void frmInputs::txtMoaSI_Change() {
  convertToTwin(twinsOf("Moa"), kSI);
}

void frmInputs::txtMra_Change() {
  convertToTwin(twinsOf("Mra"), kEnglish);
}

void frmInputs::txtMraSI_Change() {
  convertToTwin(twinsOf("Mra"), kSI);
}

void frmInputs::txtV_Change() {
  convertToTwin(twinsOf("VoaInput"), kEnglish);
}

void frmInputs::txtVSI_Change() {
  convertToTwin(twinsOf("VoaInput"), kSI);
}

void frmInputs::txtVra_Change() {
  convertToTwin(twinsOf("Vra"), kEnglish);
}

void frmInputs::txtVraSI_Change() {
  convertToTwin(twinsOf("Vra"), kSI);
}

void frmInputs::lstWheel_DblClick() {
  if (!ModCalc::Calculate(engine())) {
    return;
  }
  w_.main.FillCaptions();
  resultsApplied();
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
