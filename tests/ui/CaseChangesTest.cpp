// Unsaved changes and the save question, Cancel in the settings dialog, the
// inputs dialog's stored position and the version shown.

#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ui/UiFixture.h"

namespace ui::testing {
namespace {

namespace fs = std::filesystem;

class CaseChangesTest : public UiTest {
 protected:
  CaseChangesTest() {
    dir = fs::temp_directory_path() /
          ("ktr-case-changes-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~CaseChangesTest() override { fs::remove_all(dir); }

  fs::path dir;
  frmWheel& main = windows.main;
  ModCalc::InputsFields& in = fields.inputs;
};

TEST_F(CaseChangesTest, AnEditMarksTheCaseAndSavingOrOpeningClearsIt) {
  EXPECT_FALSE(main.caseModified()) << "the start-up case";
  in.txtV.setText("3000");
  EXPECT_TRUE(main.caseModified());
  in.txtV.setText("1000");
  EXPECT_FALSE(main.caseModified()) << "typed back as it was";

  fields.settings.optMoistIn[0].select();
  EXPECT_TRUE(main.caseModified()) << "an option is part of the case";
  files.answer = (dir / "case.cse").string();
  main.mnuFileSave.click();
  EXPECT_FALSE(main.caseModified());
  main.refreshModified();
  EXPECT_FALSE(main.modified());

  in.txtTitle.setText("Changed");
  main.refreshModified();
  EXPECT_TRUE(main.modified()) << "the title bar's mark";
  files.asked.clear();
  main.mnuFileSave.click();
  EXPECT_TRUE(files.asked.empty()) << "Save writes to the case's own file";
  EXPECT_FALSE(main.caseModified());
}

// Each command that would lose the case, with each answer: what is left in
// the boxes, whether the file was written, and the question asked.
TEST_F(CaseChangesTest, TheSaveQuestionBeforeOpenCloseAndExit) {
  const fs::path other = dir / "other.cse";
  in.txtV.setText("2500");
  in.txtVra.setText("2500");
  files.answer = other.string();
  main.mnuFileSaveAs.click();
  ASSERT_TRUE(fs::exists(other));

  struct Row {
    const char* command;
    std::function<void(frmWheel&)> run;
    platform::SaveAnswer answer;
    const char* volumeAfter;  // what txtV shows once the command is done
    bool saved;
    bool mainVisible;
  };
  using platform::SaveAnswer;
  const auto open = [](frmWheel& m) { m.mnuFileOpen.click(); };
  const auto close = [](frmWheel& m) { m.mnuFileClose.click(); };
  const auto exit = [](frmWheel& m) { m.mnuFileExit.click(); };
  const Row rows[] = {
      {"open", open, SaveAnswer::Cancel, "4321", false, true},
      {"open", open, SaveAnswer::Discard, "2500", false, true},
      {"open", open, SaveAnswer::Save, "2500", true, true},
      {"close", close, SaveAnswer::Cancel, "4321", false, true},
      {"close", close, SaveAnswer::Discard, "1000", false, true},
      {"close", close, SaveAnswer::Save, "1000", true, true},
      {"exit", exit, SaveAnswer::Cancel, "4321", false, true},
      {"exit", exit, SaveAnswer::Discard, "4321", false, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.command) + " " + std::to_string(static_cast<int>(row.answer)));
    const fs::path path = dir / "case.cse";
    fs::remove(path);
    files.answer = path.string();
    in.txtV.setText("2500");
    main.mnuFileSaveAs.click();  // the case now belongs to case.cse
    in.txtV.setText("4321");
    messages.clear();
    messages.saveAnswer = row.answer;
    // Open asks for other.cse; Save goes to case.cse without a dialog.
    files.answer = other.string();
    fs::remove(path);
    row.run(main);
    EXPECT_EQ(texts(), std::vector<std::string>{"Unsaved changes: Save the changes to " +
                                                path.string() + "?"});
    EXPECT_EQ(in.txtV.text(), row.volumeAfter);
    EXPECT_EQ(fs::exists(path), row.saved);
    EXPECT_EQ(main.visible(), row.mainVisible);
    main.show();
  }
}

TEST_F(CaseChangesTest, ASaveThatIsNotMadeKeepsTheCase) {
  in.txtV.setText("3000");
  messages.saveAnswer = platform::SaveAnswer::Save;
  files.answer.reset();  // the Save As dialog cancelled
  main.mnuFileClose.click();
  EXPECT_EQ(in.txtV.text(), "3000");
  EXPECT_TRUE(main.caseModified());
  EXPECT_EQ(files.asked, std::vector<std::string>{"Save As|Project Files (*.cse)|*.cse"});
}

TEST_F(CaseChangesTest, CloseGoesBackToTheStartupCase) {
  const float startupVolume = state.VoaInput;
  in.txtV.setText("2500");
  in.txtVra.setText("2500");
  windows.inputs.cmdCalc.click();
  ASSERT_TRUE(main.resultsUpToDate());
  messages.saveAnswer = platform::SaveAnswer::Discard;
  main.mnuFileClose.click();
  EXPECT_EQ(in.txtV.text(), "1000");
  EXPECT_FALSE(main.resultsUpToDate()) << "the results of the closed case are gone";
  EXPECT_EQ(state.VoaInput, startupVolume);
  EXPECT_FALSE(main.caseModified());
  files.asked.clear();
  main.mnuFileSave.click();
  EXPECT_EQ(files.asked, std::vector<std::string>{"Save As|Project Files (*.cse)|*.cse"})
      << "a closed case has no file of its own";
}

TEST_F(CaseChangesTest, SettingsCancelPutsBackWhatTheDialogChanged) {
  frmSettings& settings = windows.settings;
  ModCalc::SettingsFields& f = fields.settings;
  const std::string elevation = f.txtElev.text();
  const std::string volume = in.txtVSI.text();
  const bool outdoorBasis = f.optOutdoor.value();
  main.mnuEditSettings.click();
  settings.cmdSIUnits.click();
  settings.cmdSIUnitType.click();
  f.txtElev.setText("1234");
  (outdoorBasis ? f.optSupply : f.optOutdoor).select();
  ASSERT_EQ(state.SIUnits, 1);
  settings.cmdSettingsCancel.click();
  EXPECT_FALSE(settings.visible());
  EXPECT_EQ(state.SIUnits, 0);
  EXPECT_EQ(state.SIFlowUnit, 0);
  EXPECT_EQ(f.txtElev.text(), elevation);
  EXPECT_EQ(f.optOutdoor.value(), outdoorBasis);
  EXPECT_TRUE(f.SIFlow0.value());
  EXPECT_TRUE(in.txtV.enabled()) << "the inputs dialog is back in English units";
  EXPECT_EQ(in.txtVSI.text(), volume);
  EXPECT_FALSE(main.caseModified());
}

TEST(InputsPosition, IsRestoredWhenItLiesOnTheScreen) {
  struct Row {
    const char* left;
    const char* top;
    bool restored;
  };
  // The screen is 19200 x 15360 twips; the dialog about 7455 x 6240.
  const Row rows[] = {
      {"1500", "3000", true}, {"-15", "3000", false}, {"15000", "3000", false},
      {"1500", "", false},    {"x", "3000", false},
  };
  for (const Row& row : rows) {
    Program p;
    p.settings.setValue("KTR", "Startup", "InputsLeft", row.left);
    if (*row.top != '\0') {
      p.settings.setValue("KTR", "Startup", "InputsTop", row.top);
    }
    p.start();
    const frmInputs& inputs = p.windows.inputs;
    EXPECT_EQ(inputs.left() == 1500 && inputs.top() == 3000, row.restored) << row.left;
  }
}

// The build's project version, read from the top-level CMakeLists.txt.
TEST(Version, IsTheBuildsEverywhere) {
  std::ifstream file(KTR_SOURCE_DIR "/CMakeLists.txt");
  std::stringstream text;
  text << file.rdbuf();
  std::smatch match;
  const std::string cmake = text.str();
  ASSERT_TRUE(std::regex_search(cmake, match, std::regex(R"(project\(ktr VERSION ([0-9.]+))")));
  EXPECT_EQ(versionText(), "Version " + match[1].str());
  Program p;
  p.start();
  EXPECT_EQ(p.windows.splash.LblVersion.caption(), versionText());
}

}  // namespace
}  // namespace ui::testing
