#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace ui::testing {
namespace {

using platform::TextBox;
using Texts = std::vector<std::string>;
using Box = TextBox ModCalc::InputsFields::*;

constexpr platform::Rgb kGreen{0, 255, 0};

class InputsTest : public UiTest {
 protected:
  void expectCalculateOffered(const std::string& after) const {
    const platform::CommandButton& button = windows.inputs.cmdCalc;
    EXPECT_TRUE(button.visible()) << after;
    EXPECT_TRUE(button.enabled()) << after;
    EXPECT_EQ(button.backColor(), kGreen) << after;
  }

  ModCalc::InputsFields& in = fields.inputs;
  platform::CommandButton& cmdCalc = windows.inputs.cmdCalc;
};

TEST_F(InputsTest, EntryBoxWritesItsTwinInTheOtherUnits) {
  using F = ModCalc::InputsFields;
  struct Row {
    std::int16_t siUnits;
    std::int16_t moistInOption;
    Box box;
    const char* typed;
    Box twin;
    const char* expected;  // nullptr: the twin keeps its text
    bool offered = true;   // the Calculate button turns green
  };
  const Row rows[] = {
      {0, 2, &F::txtToa, "95", &F::txtToaSI, "35"},
      // Typed in SI units, the English box rates the conversion to one decimal.
      {1, 2, &F::txtTraSI, "23.89", &F::txtTra, "75"},
      // The shortest SI text that, typed, gives the English number back ...
      {0, 2, &F::txtMoa, "75", &F::txtMoaSI, "23.9"},  // wet bulb
      // ... or, when none does, the exact conversion.
      {0, 2, &F::txtToa, "75.25", &F::txtToaSI, "24.0277778"},
      {1, 6, &F::txtMraSI, "10", &F::txtMra, "50"},
      {0, 3, &F::txtMra, "70", &F::txtMraSI, "10"},  // gr/lb to g/kg
      {1, 7, &F::txtMoaSI, "10", &F::txtMoa, "70"},
      {0, 4, &F::txtMoa, "55", &F::txtMoaSI, "55"},  // %RH in both
      {1, 4, &F::txtMraSI, "40", &F::txtMra, "40"},
      {0, 2, &F::txtV, "1000", &F::txtVSI, "1699.2"},  // 0.58851 cfm per m³/h
      {0, 2, &F::txtVra, "2,000", &F::txtVraSI, "3398.4"},
      {1, 2, &F::txtVraSI, "472", &F::txtVra, "277.8"},
      {0, 2, &F::txtToaSI, "50", &F::txtToa, nullptr, false},  // the other units' box
      {1, 2, &F::txtV, "500", &F::txtVSI, nullptr, false},
      {0, 2, &F::txtToa, "-", &F::txtToaSI, nullptr},  // a number being typed
      {1, 2, &F::txtMoaSI, "+", &F::txtMoa, nullptr},
      {0, 2, &F::txtToa, "12a", &F::txtToaSI, nullptr},  // a slip Calculate will name
      {1, 2, &F::txtToaSI, "1e308", &F::txtToa, ""},     // no "Infinity" in the twin
  };
  for (const Row& row : rows) {
    const std::string what = "'" + std::string(row.typed) + "' in " + (in.*row.box).name();
    state.SIUnits = row.siUnits;
    state.MoistInOption = row.moistInOption;
    cmdCalc.setVisible(false);
    const std::string twinBefore = (in.*row.twin).text();
    (in.*row.box).setText(row.typed);
    EXPECT_EQ((in.*row.twin).text(), row.expected ? row.expected : twinBefore) << what;
    EXPECT_EQ(cmdCalc.visible(), row.offered) << what;
    if (row.offered) {
      expectCalculateOffered(what);
    }
  }
}

// Before any calculation each SI box already shows its English twin in SI
// units, for the moisture kind the program starts with (wet bulb).
TEST_F(InputsTest, AtStartUpEachSIBoxShowsItsEnglishTwin) {
  const TextBox* const boxes[] = {&in.txtToaSI, &in.txtTraSI, &in.txtMoaSI,
                                  &in.txtMraSI, &in.txtVSI,   &in.txtVraSI};
  Texts before;
  for (const TextBox* box : boxes) {
    before.push_back(box->text());
  }
  windows.inputs.ShowSIBoxes();
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(boxes[i]->text(), before[i]) << boxes[i]->name();
  }
  EXPECT_EQ(in.txtMoaSI.text(), "23.9");
}

// Each box of a twin pair writes the other, and every write runs the
// written box's handler: the twin's handler must leave the typed box alone,
// or the two would write each other without end. Every twin box's handler
// is cut after its first run here, so such an exchange fails the test
// instead of overflowing the stack.
TEST_F(InputsTest, TwinWritesNeverComeBackToTheTypedBox) {
  using F = ModCalc::InputsFields;
  const std::pair<Box, Box> twins[] = {
      {&F::txtToa, &F::txtToaSI}, {&F::txtTra, &F::txtTraSI}, {&F::txtMoa, &F::txtMoaSI},
      {&F::txtMra, &F::txtMraSI}, {&F::txtV, &F::txtVSI},     {&F::txtVra, &F::txtVraSI},
  };
  std::map<const TextBox*, int> runs;
  std::vector<std::pair<TextBox*, std::function<void()>>> handlers;
  for (const auto& [english, metric] : twins) {
    for (TextBox* box : {&(in.*english), &(in.*metric)}) {
      handlers.emplace_back(box, box->onChange);
      box->onChange = [&runs, box, handler = box->onChange] {
        if (++runs[box] == 1) {
          handler();
        }
      };
    }
  }
  for (const std::int16_t si : {0, 1}) {
    state.SIUnits = si;
    for (const auto& [english, metric] : twins) {
      TextBox& typed = in.*(si == 1 ? metric : english);
      TextBox& twin = in.*(si == 1 ? english : metric);
      const std::string twinBefore = twin.text();
      runs.clear();
      typed.setText("41");
      EXPECT_EQ(typed.text(), "41") << typed.name();
      EXPECT_NE(twin.text(), twinBefore) << twin.name() << " was written";
      for (const auto& [box, count] : runs) {
        EXPECT_EQ(count, 1) << box->name() << " after a write to " << typed.name();
      }
    }
  }
  for (auto& [box, handler] : handlers) {
    box->onChange = handler;
  }
}

TEST_F(InputsTest, VolumeEditsMarkTheModelForReselection) {
  const std::pair<TextBox*, std::int16_t> rows[] = {
      {&in.txtToa, 1}, {&in.txtV, 0}, {&in.txtVra, 0}};
  for (const auto& [box, modelSelected] : rows) {
    state.ModelSelected = 1;
    box->setText("");
    EXPECT_EQ(state.ModelSelected, modelSelected) << box->name();
  }
}

TEST_F(InputsTest, CalculateButtonShowsWhetherResultsAreCurrent) {
  EXPECT_FALSE(cmdCalc.visible()) << "nothing typed since start-up";
  in.txtTitle.setText("Lab wing");
  expectCalculateOffered("title typed");
  cmdCalc.click();
  EXPECT_EQ(texts(), Texts{});
  EXPECT_EQ(state.ProjectTitle, "Lab wing");
  EXPECT_FALSE(cmdCalc.visible());

  const std::pair<const char*, std::function<void()>> edits[] = {
      {"wheel speed typed", [&] { in.txtWheelSpeed.setText("30"); }},
      {"purge angle typed", [&] { in.txtPurgeAngle.setText("3"); }},
      {"speed ticked", [&] { in.chkSpeed.click(); }},
      {"purge angle ticked", [&] { in.chkPurgeAngle.click(); }},
      {"model picked", [&] { in.lstWheel.setListIndex(in.lstWheel.listIndex() + 1); }},
  };
  for (const auto& [what, edit] : edits) {
    // As a calculation leaves it.
    cmdCalc.setVisible(false);
    cmdCalc.setEnabled(false);
    edit();
    expectCalculateOffered(what);
  }

  in.lstWheel.dblClick();
  EXPECT_FALSE(cmdCalc.visible()) << "a double click calculates the picked model";
  EXPECT_EQ(state.ModelNameSel, in.lstWheel.text());

  // A run that stops leaves the old results, so the case still wants one.
  in.txtV.setText("");
  messages.clear();
  cmdCalc.click();
  EXPECT_EQ(texts(), Texts{"Error: Enter a number for the supply air volume."});
  expectCalculateOffered("stopped run");
}

TEST_F(InputsTest, CloseKeepsThePositionUnlessMinimised) {
  const std::pair<platform::WindowState, const char*> rows[] = {
      {platform::WindowState::Minimized, "unset"},
      {platform::WindowState::Normal, "1200"},
  };
  for (const auto& [windowState, expected] : rows) {
    frmInputs& dialog = windows.inputs;
    dialog.show();
    dialog.move(1200, 2400);
    dialog.setWindowState(windowState);
    dialog.cmdClose.click();
    EXPECT_FALSE(dialog.visible());
    EXPECT_EQ(settings.value(kApplication, kSection, "InputsLeft", "unset"), expected);
  }
  EXPECT_EQ(settings.value(kApplication, kSection, "InputsTop", "unset"), "2400");
}

}  // namespace
}  // namespace ui::testing
