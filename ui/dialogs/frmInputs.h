#pragma once

// The inputs dialog: one case typed in English or SI units through paired
// boxes, the model list and the Calculate button.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Controls.h"
#include "ui/Window.h"

namespace ui {

struct CaseField;
enum class FieldKind;

// What an English box takes when `si` is typed in its SI twin: the
// conversion (by the SI flow factor and the humidity option in force) to one
// decimal, which the calculation then rates; none when it has no number.
std::optional<double> typedEnglish(FieldKind quantity, double si, float siFlowFactor,
                                   std::int16_t moistInOption);

// The tidiest text of an SI box that gives back `english` (nothing when the
// conversion has no number).
std::string tidiestSIText(FieldKind quantity, double english, float siFlowFactor,
                          std::int16_t moistInOption);

class frmInputs final : public Window {
 public:
  explicit frmInputs(Windows& windows);

  // Takes the title into the state, calculates and hides the button.
  void cmdCalc_Click();
  // Marks the case as changed since the last calculation.
  void ChangeStatus();
  // The rating just applied is the case's: the results are up to date and
  // Calculate waits for the next edit.
  void resultsApplied();
  // Writes the SI boxes (volumes in the SI flow unit in force) from the
  // English boxes, which hold the case: a change of view, not of the case.
  // Each shows the tidiest text that, typed, would give the English box's
  // number (the one it already shows when that does), or else the exact
  // conversion's tidy text.
  void ShowSIBoxes();

  void txtToa_Change();
  void txtToaSI_Change();
  void txtTra_Change();
  void txtTraSI_Change();
  void txtMoa_Change();
  void txtMoaSI_Change();
  void txtMra_Change();
  void txtMraSI_Change();
  void txtV_Change();
  void txtVSI_Change();
  void txtVra_Change();
  void txtVraSI_Change();
  void lstWheel_DblClick();
  void cmdClose_Click();

  platform::CommandButton cmdCalc{"cmdCalc", "Calculate"};
  platform::CommandButton cmdClose{"cmdClose", "Close"};
  std::array<platform::Frame, 2> Frame1{platform::Frame{"Frame1(0)", "Outdoor Air"},
                                        platform::Frame{"Frame1(1)", "Return Air"}};
  // Volume units: 0 main English, 1 return English, 2 main SI, 3 return SI.
  std::array<platform::Label, 4> lblSCFM{
      platform::Label{"lblSCFM(0)", "scfm"}, platform::Label{"lblSCFM(1)", "scfm"},
      platform::Label{"lblSCFM(2)", "m3/hr"}, platform::Label{"lblSCFM(3)", "m3/hr"}};
  // Moisture units: 0 outdoor English, 1 return English, 2 return SI,
  // 3 outdoor SI.
  std::array<platform::Label, 4> lblMoistIn{
      platform::Label{"lblMoistIn(0)", "gr/lb"}, platform::Label{"lblMoistIn(1)", "gr/lb"},
      platform::Label{"lblMoistIn(2)", "g/kg"}, platform::Label{"lblMoistIn(3)", "g/kg"}};
  // Temperature units: 0 outdoor English, 1 return English, 2 outdoor SI,
  // 3 return SI.
  std::array<platform::Label, 4> lblFDB{
      platform::Label{"lblFDB(0)", "°F DB"}, platform::Label{"lblFDB(1)", "°F DB"},
      platform::Label{"lblFDB(2)", "°C DB"}, platform::Label{"lblFDB(3)", "°C DB"}};
  platform::Label Label1{"Label1", "Title"};
  platform::Label lblSelect{"lblSelect", "Model Selection"};
  platform::Label Label2{"Label2", "Go to settings to change between English and Metric units"};

 protected:
  // Opens where the engineer left it, when that is on the screen.
  void Form_Load() override;

 private:
  // An entry's English box and its SI twin.
  struct Twins {
    platform::TextBox& english;
    platform::TextBox& si;
    FieldKind quantity;
  };
  Twins twinsOf(const CaseField& field);
  Twins twinsOf(std::string_view name);

  // What every paired box's change handler does: the box typed in is the
  // one of the units system in force; the other shows its number.
  void convertToTwin(const Twins& twins, std::int16_t units);
  // A number of the quantity in the other system's units (the moisture in
  // the other system's form of the chosen kind).
  std::string siText(const Twins& twins, double english) const;

  // Set while the program rewrites a box for display only.
  bool showing_ = false;
};

}  // namespace ui
