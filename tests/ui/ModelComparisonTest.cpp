#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "UiFixture.h"
#include "ui/main/ModelComparison.h"

namespace ui::testing {
namespace {

class ModelComparisonTest : public UiTest {
 protected:
  // The case with these main and return volumes calculated, then compared.
  std::vector<ModelRating> compareAt(const char* volume, const char* returnVolume) {
    fields.inputs.txtV.setText(volume);
    fields.inputs.txtVra.setText(returnVolume);
    windows.inputs.cmdCalc_Click();
    return compareModels(engine);
  }

  const ModelRating& ratingOf(const std::vector<ModelRating>& ratings, const std::string& model) {
    const auto found = std::find_if(ratings.begin(), ratings.end(),
                                    [&](const ModelRating& r) { return r.model == model; });
    EXPECT_NE(found, ratings.end()) << model;
    return *found;
  }

  void expectFiguresOfCase(const ModelRating& r) const {
    EXPECT_TRUE(r.completed);
    const ResultTexts shown = windows.main.shownResults();
    const std::pair<ShownFigure ResultTexts::*, const char*> figures[] = {
        {&ResultTexts::velocityOutdoor, "velocity"}, {&ResultTexts::dpSupply, "dp supply"},
        {&ResultTexts::dpExhaust, "dp exhaust"},     {&ResultTexts::purgeVolume, "purge"},
        {&ResultTexts::eSensible, "e sensible"},     {&ResultTexts::eLatent, "e latent"},
        {&ResultTexts::eTotal, "e total"},           {&ResultTexts::heatSensible, "sensible"},
        {&ResultTexts::heatLatent, "latent"},        {&ResultTexts::heatTotal, "total"},
        {&ResultTexts::waterRecovered, "water"},
    };
    for (const auto& [figure, name] : figures) {
      EXPECT_EQ((r.figures.*figure).value, (shown.*figure).value) << name;
    }
    EXPECT_EQ(r.figures.display.si, shown.display.si);
  }
};

TEST_F(ModelComparisonTest, ListsEveryCatalogModelThenTheCustomWheel) {
  windows.inputs.cmdCalc_Click();
  const auto ratings = compareModels(engine);
  ASSERT_EQ(ratings.size(), static_cast<std::size_t>(state.ModelCount) + 1);
  EXPECT_EQ(ratings.front().model, catalog.ModelName[1]);
  EXPECT_EQ(ratings.back().model, catalog.ModelName[0]);
  EXPECT_TRUE(messages.messages().empty());
}

TEST_F(ModelComparisonTest, TheSelectedModelsRowHoldsTheMainWindowsFigures) {
  const auto ratings = compareAt("4000", "3500");
  const ModelRating& selected = ratingOf(ratings, state.ModelNameSel);
  EXPECT_TRUE(selected.inRange);
  expectFiguresOfCase(selected);
}

TEST_F(ModelComparisonTest, PickingARowThenCalculatingGivesThatRowsFigures) {
  const auto ratings = compareAt("3000", "3000");
  // A larger model in range, one too small for the case, and the custom wheel.
  for (const std::string& model :
       {fields.inputs.lstWheel.items().back(), catalog.ModelName[1], catalog.ModelName[0]}) {
    SCOPED_TRACE(model);
    const ModelRating& row = ratingOf(ratings, model);
    selectComparedModel(windows, model);
    EXPECT_EQ(state.ModelNameSel, model);
    expectFiguresOfCase(row);
  }
}

TEST_F(ModelComparisonTest, ARowChosenBeforeAnyCalculationIsTheModelCalculated) {
  const auto ratings = compareModels(engine);
  const ModelRating& row = ratingOf(ratings, "KW42-4");
  selectComparedModel(windows, "KW42-4");
  EXPECT_EQ(state.ModelNameSel, "KW42-4");
  expectFiguresOfCase(row);
  EXPECT_FALSE(windows.inputs.cmdCalc.visible());
}

TEST_F(ModelComparisonTest, AModelTooSmallForTheCaseIsOutOfRangeAndSaysWhy) {
  const auto ratings = compareAt("6000", "6000");
  const ModelRating& smallest = ratingOf(ratings, catalog.ModelName[1]);
  EXPECT_FALSE(smallest.inRange);
  EXPECT_TRUE(smallest.completed);
  EXPECT_NE(std::find(smallest.messages.begin(), smallest.messages.end(), "Face Velocity Too High"),
            smallest.messages.end());
}

TEST_F(ModelComparisonTest, AWinterCaseReportsFrostInTheSelectedModelsRow) {
  fields.inputs.txtToa.setText("-10");
  fields.inputs.txtMoa.setText("-11");
  fields.inputs.txtTra.setText("72");
  fields.inputs.txtMra.setText("60");
  windows.inputs.cmdCalc_Click();
  const bool caseFrosts = fields.main.lblFrost.visible();
  ASSERT_TRUE(caseFrosts);
  const auto ratings = compareModels(engine);
  const ModelRating& selected = ratingOf(ratings, state.ModelNameSel);
  EXPECT_NE(std::find(selected.messages.begin(), selected.messages.end(),
                      "Exhaust air is supersaturated, frost buildup may occur."),
            selected.messages.end());
}

TEST_F(ModelComparisonTest, AStoppedRunIsARowWithItsReason) {
  windows.inputs.cmdCalc_Click();
  // A custom wheel with no face area stops its own run only.
  catalog.WheelDiam[0] = 4;
  catalog.HubDiam[0] = 4;
  catalog.ModelFaceArea[0] = 0;
  const auto ratings = compareModels(engine);
  EXPECT_FALSE(ratings.back().completed);
  ASSERT_EQ(ratings.back().messages.size(), 1U);
  EXPECT_NE(ratings.back().messages[0].find("face area"), std::string::npos);
  EXPECT_TRUE(ratings.front().completed);
}

}  // namespace
}  // namespace ui::testing
