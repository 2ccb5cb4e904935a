#include "engine/AutoSelection.h"
#include "tests/engine/EngineFixture.h"

namespace ModCalc::testing {
namespace {

using Texts = std::vector<std::string>;
const std::string kBelow =
    "Warning: No Wheel matches your selection, minimum air volume and Wheel size will be "
    "selected.";
const std::string kAbove =
    "Warning: No Wheel matches your selection, maximum air volume and Wheel size will be "
    "selected.";

struct SelectionHarness : Harness {
  SelectionHarness(std::int16_t basis, double volume, float returnVolume) {
    state.FlowBasis = static_cast<VolumeBasis>(basis);
    state.VoaInput = volume;
    state.Vra = returnVolume;
    state.Toa = 95;
    state.Woa = 100;
    state.PoaAbs = 14.768F;
  }
  Texts listed() const { return fields.inputs.lstWheel.items(); }
};

TEST(AutoSelection, ListsCoveringModelsAndMovesToTheLimits) {
  const struct {
    const char* name;
    std::int16_t basis;
    double volume;
    float returnVolume;
    Texts listed;
    const char* selected;
    Texts warnings;
    double movedInput;  // VoaInput afterwards
    const char* shown;  // txtV and txtVra after a move ("" when none)
  } rows[] = {
      {"both ends of a range count", 1, 1300, 900, {"K-24", "K-36"}, "K-24", {}, 1300, ""},
      {"return volume widens the listing", 1, 1000, 3000, {"K-36", "K-48"}, "K-36", {}, 1000, ""},
      {"below the smallest", 1, 240, 240, {"K-24"}, "K-24", {kBelow}, 250, "255"},
      {"above the largest", 1, 9500, 9500, {"K-60"}, "K-60", {kAbove}, 9000, "8995"},
      {"supply basis adds the purge", 2, 215, 215, {"K-24"}, "K-24", {}, 215, ""},
      {"supply basis below", 2, 205, 205, {"K-24"}, "K-24", {kBelow}, 210, "215"},
      {"gap between two ranges", 1, 5800, 5800, {"K-60"}, "K-60", {}, 5800, ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    SelectionHarness h(row.basis, row.volume, row.returnVolume);
    AutoSelectA(h.engine);
    EXPECT_EQ(h.listed(), row.listed);
    EXPECT_EQ(h.fields.inputs.lstWheel.listIndex(), 0);
    EXPECT_EQ(h.state.ModelNameSel, row.selected);
    EXPECT_EQ(h.texts(), row.warnings);
    EXPECT_DOUBLE_EQ(h.state.VoaInput, row.movedInput);
    if (*row.shown != '\0') {
      EXPECT_EQ(h.fields.inputs.txtV.text(), row.shown);
      EXPECT_EQ(h.fields.inputs.txtVra.text(), row.shown);
      EXPECT_EQ(h.state.Vra, h.state.Vsa) << "return air is made equal to supply air";
      EXPECT_EQ(h.state.VraInput, h.state.Vsa);
    }
  }
}

// In the actual bases the moved volume goes through the specific volume and
// back; the move must still land inside the range at once.
TEST(AutoSelection, LimitMoveInActualBasesWarnsOnce) {
  for (const std::int16_t basis : {3, 4}) {
    for (const double volume : {100.0, 20000.0}) {
      SCOPED_TRACE(std::to_string(basis) + " " + std::to_string(volume));
      SelectionHarness h(basis, volume, static_cast<float>(volume));
      AutoSelectA(h.engine);
      EXPECT_EQ(h.texts().size(), 1u);
      EXPECT_EQ(h.state.ModelNameSel, volume < 1000 ? "K-24" : "K-60");
    }
  }
}

TEST(AutoSelection, OverrideOptions) {
  {
    SCOPED_TRACE("custom wheel only, whatever the volume");
    SelectionHarness h(1, 50, 50);
    h.fields.overrides.chkAutoSelect.setValue(1);
    AutoSelectA(h.engine);
    EXPECT_EQ(h.listed(), Texts{"Custom 364"});
    EXPECT_EQ(h.state.ModelIndex, 0);
    EXPECT_EQ(h.state.ModelNameSel, "Custom 364");
    EXPECT_TRUE(h.texts().empty());
    EXPECT_NEAR(h.catalog.ModelFaceArea[0], 6.8296, 1e-4);
    EXPECT_NEAR(h.catalog.ModelPurgeCfm[0], 77.55, 0.01);
    EXPECT_EQ(h.state.FaceArea, h.catalog.ModelFaceArea[0]);
  }
  for (const bool standardEdition : {true, false}) {
    SCOPED_TRACE(standardEdition ? "every model listed" : "private label ignores ListSelect");
    SelectionHarness h(1, 4000, 4000);
    h.fields.overrides.ListSelect.setValue(1);
    standardEdition ? AutoSelectA(h.engine) : AutoSelectB(h.engine);
    const Texts expected = standardEdition ? Texts{"K-24", "K-36", "K-48", "K-60"} : Texts{"K-48"};
    EXPECT_EQ(h.listed(), expected);
    EXPECT_EQ(h.state.ModelNameSel, standardEdition ? "K-24" : "K-48");
  }
}

TEST(AutoSelection, EmptyCatalogCannotSelect) {
  SelectionHarness h(1, 1000, 1000);
  h.state.ModelCount = 0;
  EXPECT_THROW(AutoSelectA(h.engine), CalcError);
}

}  // namespace
}  // namespace ModCalc::testing
