#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <variant>

#include "tests/ui/UiFixture.h"
#include "ui/main/ProjectFile.h"

namespace ui::testing {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

void writeText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ProjectFileTest : public UiTest {
 protected:
  ProjectFileTest() {
    dir = fs::temp_directory_path() /
          ("ktr-project-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~ProjectFileTest() override { fs::remove_all(dir); }

  // A fresh program, started, as a second session would open the file.
  static std::unique_ptr<Program> freshProgram() {
    auto program = std::make_unique<Program>();
    program->start();
    return program;
  }

  ModCalc::SettingsFields& f = fields.settings;
  ModCalc::InputsFields& in = fields.inputs;
  frmWheel& main = windows.main;
  fs::path dir;
};

// The inputs a project stores, and the results that follow from them.
auto storedInputs(const ModCalc::CalcState& s) {
  return std::make_tuple(s.ProjectTitle, s.VoaInput, s.Toa, s.Woa, s.Vra, s.VraActual, s.ModelIndex,
                         s.Tra, s.Wra, s.PoaInWC, s.PraInWC, s.ElevFt, s.ElOverride, s.EsOverride,
                         s.PurgeAngleEntered, s.WheelRpmEntered, s.MoistInOption, s.MoistInKind,
                         s.SIUnits, s.FlowBasis, s.SIFlowUnit);
}

auto results(const ModCalc::CalcState& s) {
  return std::make_tuple(s.ModelNameSel, s.Voa, s.Vsa, s.Vea, s.Tsa, s.Tea, s.Wsa, s.Wea, s.HeatS,
                         s.HeatL, s.HeatT, s.EunbalS, s.EunbalL, s.dPs, s.dPr, s.PurgeAngle,
                         s.WheelRpm);
}

auto switches(const ModCalc::DialogFields& f) {
  return std::make_tuple(
      f.overrides.chkAutoSelect.value(), f.inputs.chkSpeed.value(), f.overrides.chkSensible.value(),
      f.overrides.chkLatent.value(), f.settings.optOutDP.value(), f.settings.optOUTDPSI.value(),
      f.settings.optOutWB.value(), f.settings.optOUTWBSI.value(), f.settings.optOutdoor.value(),
      f.settings.optSupply.value(), f.settings.optOutdoorActual.value(),
      f.settings.optSupplyActual.value(), f.settings.KTRSel.value(), f.settings.KSRSel.value(),
      f.inputs.chkPurgeAngle.value(), f.overrides.FluteOverride.value(),
      f.overrides.Flute94.value(), f.overrides.chkFluteDisplay.value(),
      f.overrides.ListSelect.value());
}

auto customWheel(const ModCalc::ModelCatalog& c) {
  return std::make_tuple(c.ModelName[0], c.ModelFaceArea[0], c.WheelDiam[0], c.WheelDepth[0],
                         c.SpokeCount[0], c.ModelRpm[0], c.CasHeight[0], c.CasWidth[0],
                         c.CasDepth[0], c.HubDiam[0], c.MotorHP[0], c.FrameText[0]);
}

TEST_F(ProjectFileTest, EveryHumidityOptionAndFlowBasisComesBack) {
  struct Row {
    bool si;
    std::size_t humidity;  // optMoistIn index, in the row's units
    int basis;             // 0 outdoor .. 3 supply actual
    const char* outdoor;   // moisture box texts in the row's units
    const char* ret;
    const char* toa = "95";
  };
  const Row rows[] = {
      {false, 0, 0, "62", "55"},
      {false, 1, 1, "70.5", "62"},
      {false, 2, 2, "98", "64.5"},
      {false, 3, 3, "45", "50"},
      {false, 1, 3, "18", "50", "20"},
      {true, 4, 0, "18", "12.5", "26.5"},
      {true, 5, 1, "24", "17", "30"},
      {true, 6, 2, "1.4", "9.3", "-5"},
      {true, 3, 3, "45", "50", "2"},
      {false, 0, 2, "-12", "35"},
      // Entries to two decimals come back as typed.
      {false, 0, 0, "9.05", "55.8", "40"},
      {false, 2, 1, "63.84", "48.31"},
      {false, 3, 2, "47.23", "38.6"},
      {true, 5, 3, "21.47", "17.02", "33.05"},
  };
  platform::OptionButton* const bases[] = {&f.optOutdoor, &f.optSupply, &f.optOutdoorActual,
                                           &f.optSupplyActual};
  for (const Row& row : rows) {
    SCOPED_TRACE(::testing::Message() << "si " << row.si << " option " << row.humidity + 1
                                      << " basis " << row.basis + 1);
    if ((state.SIUnits == 1) != row.si) {
      windows.settings.cmdSIUnits.click();
    }
    f.optMoistIn[row.humidity].select();
    bases[row.basis]->select();
    f.txtElev.setText(row.si ? "750" : "2400");
    f.txtPoa.setText(row.si ? "-250" : "-1.5");
    f.txtPra.setText(row.si ? "125" : "0.5");
    windows.settings.cmdSettingsOK.click();
    in.txtTitle.setText("Case, one \"quoted\"");
    (row.si ? in.txtVSI : in.txtV).setText(row.si ? "5600" : "3300");
    (row.si ? in.txtVraSI : in.txtVra).setText(row.si ? "5300" : "3100");
    (row.si ? in.txtMoaSI : in.txtMoa).setText(row.outdoor);
    (row.si ? in.txtMraSI : in.txtMra).setText(row.ret);
    (row.si ? in.txtToaSI : in.txtToa).setText(row.toa);
    windows.inputs.cmdCalc.click();
    ASSERT_FALSE(windows.inputs.cmdCalc.visible());
    const fs::path path = dir / "case.cse";
    ASSERT_TRUE(main.saveProjectFile(path.string()));

    auto other = freshProgram();
    ASSERT_TRUE(other->windows.main.openProjectFile(path.string()));
    ModCalc::CalcState expected = state;
    expected.ProjectTitle = "Case, one 'quoted'";
    EXPECT_EQ(storedInputs(other->state), storedInputs(expected));
    EXPECT_EQ(std::make_pair(other->state.Moa, other->state.Mra),
              std::make_pair(state.Moa, state.Mra));
    if (!row.si) {
      EXPECT_EQ(
          std::make_pair(other->fields.inputs.txtMoa.text(), other->fields.inputs.txtMra.text()),
          std::make_pair(std::string(row.outdoor), std::string(row.ret)));
    }
    EXPECT_EQ(results(other->state), results(state));
    EXPECT_EQ(switches(other->fields), switches(fields));
    EXPECT_EQ(other->fields.inputs.txtTitle.text(), expected.ProjectTitle);
    EXPECT_EQ(other->windows.main.lblTitle.caption(), expected.ProjectTitle);
    EXPECT_FALSE(other->windows.inputs.cmdCalc.visible()) << "opened results are up to date";
    EXPECT_EQ(other->state.ModelSelected, 1);
    EXPECT_EQ(other->texts(), std::vector<std::string>{});
    // Saving the opened case again gives the same file.
    const fs::path again = dir / "again.cse";
    ASSERT_TRUE(other->windows.main.saveProjectFile(again.string()));
    EXPECT_EQ(fileText(again), fileText(path));
  }
}

TEST_F(ProjectFileTest, CustomWheelAndOverridesComeBackIntoTheOverrideDialog) {
  ModCalc::OverrideFields& o = fields.overrides;
  o.chkAutoSelect.setValue(1);
  o.chkSensible.setValue(1);
  o.txtESOR.setText("74.5");
  o.txtWheelDiam.setText("41");
  o.txtWheelDepth.setText("8");
  o.txtSpokes.setText("8");
  o.txtHP.setText("3/4");
  o.FluteOverride.setValue(1);
  o.Flute94.select();
  windows.overrides.cmdOROK.click();
  ASSERT_EQ(state.ModelIndex, 0);
  const fs::path path = dir / "custom.cse";
  ASSERT_TRUE(main.saveProjectFile(path.string()));

  auto other = freshProgram();
  ASSERT_TRUE(other->windows.main.openProjectFile(path.string()));
  EXPECT_EQ(other->state.ModelIndex, 0);
  EXPECT_EQ(customWheel(other->catalog), customWheel(catalog));
  EXPECT_EQ(results(other->state), results(state));
  EXPECT_EQ(switches(other->fields), switches(fields));
  const ModCalc::OverrideFields& p = other->fields.overrides;
  EXPECT_EQ(std::tie(p.txtWheelDiam.text(), p.txtWheelDepth.text(), p.txtSpokes.text(),
                     p.txtHP.text(), p.txtESOR.text()),
            std::make_tuple("41", "8", "8", "3/4", "74.5"));
  // The override dialog's OK rebuilds the same wheel from its boxes.
  other->windows.overrides.cmdOROK.click();
  EXPECT_EQ(customWheel(other->catalog), customWheel(catalog));
  EXPECT_EQ(results(other->state), results(state));
}

TEST_F(ProjectFileTest, WritesTheDocumentedFormat) {
  Project p;
  p.ProjectTitle = "North wing, \"AHU-2\"";
  p.VoaInput = 3300;
  p.Toa = 95.5F;
  p.Woa = 110.25;
  p.Vra = 3100;
  p.VraActual = 3187.5F;
  p.ModelIndex = 12;
  p.ModelName = "Custom 364";
  p.ModelExtra = std::string{};
  p.BearingText = platform::Variant{};
  p.MotorHP = "1/3";
  p.ProjectSwitches = {0.0,  1.0,   0.0,   0.0,   false, false, true, false,
                       true, false, false, false, true,  false, 1.0};
  const std::string text = projectText(p);
  EXPECT_TRUE(
      text.starts_with("\"North wing, 'AHU-2'\",3300,95.5,110.25\r\n"
                       "3100,3187.5,12\r\n"
                       "0,0,0,0,0,\"Custom 364\",0,0,0,0,0,0,0,0,0,\"\",\"1/3\",\"\",\r\n"
                       "0,0,0,0,2,2,0,1\r\n"
                       "0,1,0,0,#FALSE#,#FALSE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,#FALSE#,"
                       "#FALSE#,#TRUE#,#FALSE#,1\r\n"))
      << text;
  EXPECT_EQ(text.size(), text.find("1\r\n", text.size() - 3) + 3) << "no sixth record asked for";
}

TEST_F(ProjectFileTest, ReadsHandWrittenFiles) {
  const std::string body =
      "\"Hand, made\",2E3,.95E2,1.1e2\n"
      "2000,0,3\n"
      "75,65.0,-.5,0,1e3,\"Custom 364\",5.9,36,4,6,40,42,42,6.5,4.5,,\"1/3\",\"\",\n"
      "68,72,2,35,3,3,0,1\n"
      "0,0,0,0,#FALSE#,#FALSE#,#TRUE#,#FALSE#,#TRUE#,#FALSE#,#FALSE#,#FALSE#,#TRUE#,#FALSE#,0\n";
  for (const std::string& text : {body, body + "\n\n", body + "1,94,0,1,1\r\n"}) {
    const auto parsed = parseProject(text, 40);
    ASSERT_TRUE(std::holds_alternative<Project>(parsed)) << std::get<std::string>(parsed);
    const Project& p = std::get<Project>(parsed);
    EXPECT_EQ(std::tie(p.ProjectTitle, p.VoaInput, p.Toa, p.Woa, p.PoaInWC, p.ElevFt),
              std::make_tuple("Hand, made", 2000.0, 95.0F, 110.0, -0.5F, 1000.0F));
    EXPECT_EQ(p.ModelExtra, platform::Variant{});
    EXPECT_EQ(p.ProjectSwitches[6], platform::Variant{true});
    EXPECT_EQ(p.extras.has_value(), text.size() > body.size() + 2);
  }
  // Older Windows machines wrote Windows-1252.
  const auto latin = parseProject("\"Caf\xE9 \x80" + body.substr(body.find('"', 1)), 40);
  ASSERT_TRUE(std::holds_alternative<Project>(latin));
  EXPECT_EQ(std::get<Project>(latin).ProjectTitle, "Café €");
}

TEST_F(ProjectFileTest, BrokenFilesChangeNothing) {
  const fs::path good = dir / "good.cse";
  ASSERT_TRUE(main.saveProjectFile(good.string()));
  const std::string text = fileText(good);
  const auto replaced = [&text](const std::string& from, const std::string& to) {
    std::string changed = text;
    changed.replace(changed.find(from), from.size(), to);
    return changed;
  };
  const std::string lines[] = {text.substr(0, text.find("\r\n") + 2)};
  const ModCalc::CalcState before = state;
  const auto boxes = [this] {
    return std::make_tuple(in.txtV.text(), in.txtMoa.text(), f.txtElev.text(),
                           fields.overrides.txtWheelDiam.text());
  };
  const auto boxesBefore = boxes();
  const auto switchesBefore = switches(fields);

  const auto project = std::get<Project>(parseProject(text, state.ModelCount));
  const auto broken = [&](const std::function<void(Project&)>& change) {
    Project p = project;
    change(p);
    return projectText(p);
  };
  const struct {
    const char* name;
    std::string text;
    std::string why;
  } cases[] = {
      {"empty", "", "it is empty"},
      {"ends early", lines[0] + "1000,1000", "it ends early: record 2 has 2 of its 3 fields"},
      {"text for a number", replaced(",95,", ",\"95\","),
       "record 1, field 3 (Toa) is not a number: \"95\""},
      {"model beyond the catalog", broken([this](Project& p) {
         p.ModelIndex = static_cast<std::int16_t>(state.ModelCount + 1);
       }),
       "record 2, field 3 (ModelIndex) is " + std::to_string(state.ModelCount + 1) +
           ", not a model from 0 to " + std::to_string(state.ModelCount)},
      {"humidity option 8", broken([](Project& p) { p.MoistInOption = 8; }),
       "record 4, field 5 (MoistInOption) is 8, not 1 to 7"},
      {"kind not the option's", broken([](Project& p) { p.MoistInKind = 1; }),
       "record 4, field 6 (MoistInKind) is 1 where the humidity option 2 needs 2"},
      {"units 2", broken([](Project& p) { p.SIUnits = 2; }),
       "record 4, field 7 (SIUnits) is 2, not 0 or 1"},
      {"flow basis 0", broken([](Project& p) { p.FlowBasis = 0; }),
       "record 4, field 8 (FlowBasis) is 0, not 1 to 4"},
      {"check box 2", broken([](Project& p) { p.ProjectSwitches[1] = 2.0; }),
       "record 5, field 2 (chkSpeed) is a check box: 0 or 1, not \"2\""},
      {"option as a number", broken([](Project& p) { p.ProjectSwitches[12] = 1.0; }),
       "record 5, field 13 (KTRSel) is an option: #TRUE# or #FALSE#, not \"1\""},
      {"two flow bases", broken([](Project& p) { p.ProjectSwitches[8] = true; }),
       "record 5, fields 9 to 12 (optOutdoor to optSupplyActual) select 2 options where one "
       "must be #TRUE#"},
      {"flute 50", broken([](Project& p) { p.extras->FluteSize = 50; }),
       "record 6, field 2 (flute size) is 50, not 45, 62 or 94"},
      {"a seventh record that is no annual one", text + "1\r\n",
       "it ends early: record 7 has 1 of its 21 fields"},
      {"a short eighth record", broken([](Project& p) { p.annual = AnnualRecord{}; }) + "1\r\n",
       "it ends early: record 8 has 1 of its 14 fields"},
      {"frost control 3", broken([](Project& p) {
         p.annual = AnnualRecord{};
         p.annual->op.frost = static_cast<ModCalc::FrostControl>(3);
       }),
       "record 7, field 13 (frost control) is \"3\", not a whole number from 0 to 2"},
      {"fan efficiency 0", broken([](Project& p) {
         p.annual = AnnualRecord{};
         p.annual->op.fanEfficiency = 0;
       }),
       "record 7, field 15 (fan efficiency) is \"0\", not a number from 0.05 to 1"},
      {"a ninth record", broken([](Project& p) { p.codeCheck.emplace(); }) + "1\r\n",
       "it holds more than eight records"},
      {"an unknown standard",
       [&] {
         std::string file = broken([](Project& p) { p.codeCheck.emplace(); });
         return file.replace(file.find("\"ashrae-90.1-2019\""), 18, "\"ashrae-90.1-2016\"");
       }(),
       "record 8: field 1 (standard) is not a standard this program checks: "
       "'ashrae-90.1-2016'"},
      {"outdoor air 0 %", broken([](Project& p) { p.codeCheck.emplace().outdoorAirPercent = 0; }),
       "record 8: the code check: Outdoor air, % of design flow: enter a number above 0 and at "
       "most 100."},
      {"a long text for a number", replaced(",95,", "," + std::string(100, 'x') + ","),
       "record 1, field 3 (Toa) is not a number: \"" + std::string(24, 'x') + "…\""},
      {"no quoted title", "root:x:0:0:root:/root:/bin/bash\n",
       "it is not a project file: it does not begin with a quoted title"},
      // Fields beyond the range of the box they go to, with that box's message.
      {"dry bulb 300", broken([](Project& p) { p.Toa = 300; }),
       "record 1, field 3 (Toa) is 300. Enter a number from -60 to 160 °F for the outdoor air "
       "dry bulb"},
      {"dry bulb 1e21", broken([](Project& p) { p.Tra = 1e21F; }),
       "record 3, field 1 (Tra) is 1e+21. Enter a number from -60 to 160 °F for the return air "
       "dry bulb"},
      {"no water", broken([](Project& p) { p.Woa = 0; }),
       "record 1, field 4 (Woa) is 0. Enter a number greater than 0 and at most 7000 gr/lb for "
       "the outdoor air humidity ratio"},
      {"negative return volume", broken([](Project& p) { p.Vra = p.VraActual = -5; }),
       std::string(project.FlowBasis >= 3 ? "record 2, field 2 (VraActual)"
                                          : "record 2, field 1 (Vra)") +
           " is -5. Enter a number greater than 0 for the return air volume"},
      {"elevation -2^31", broken([](Project& p) { p.ElevFt = -2147483648.0F; }),
       "record 3, field 5 (ElevFt) is -2147483648. Enter a number from -1500 to 15000 ft for the "
       "elevation"},
      {"static pressure 1e6", broken([](Project& p) { p.PoaInWC = 1e6F; }),
       "record 3, field 3 (PoaInWC) is 1e+06. Enter a number from -20 to 20 in. w.c. for the "
       "outdoor air static pressure"},
      {"wheel 1e20 in", broken([](Project& p) { p.WheelDiam = 1e20F; }),
       "record 3, field 8 (WheelDiam) is 1e+20. Enter a number greater than 0 and at most 5000 "
       "in for the custom wheel's diameter"},
      {"no spokes", broken([](Project& p) { p.SpokeCount = 0; }),
       "record 3, field 10 (SpokeCount) is 0. Enter a whole number from 1 to 32767 for the "
       "custom wheel's number of spokes"},
      {"hub as wide as the wheel", broken([](Project& p) { p.HubDiam = p.WheelDiam; }),
       "record 3, field 15 (HubDiam) is " + platform::decimalText(project.WheelDiam) +
           ". Enter a number from 0 up to, but not including, " +
           platform::decimalText(project.WheelDiam) + " in for the custom wheel's hub diameter"},
      {"full effectiveness", broken([](Project& p) { p.EsOverride = 100; }),
       "record 4, field 2 (EsOverride) is 100. Enter a number from 0 up to, but not including, "
       "100% for the sensible effectiveness override"},
      {"a full turn of purge", broken([](Project& p) { p.PurgeAngleEntered = 360; }),
       "record 4, field 3 (PurgeAngleEntered) is 360. Enter a number from 0 up to, but not "
       "including, 360 degrees for the purge angle"},
      {"wheel speed -1", broken([](Project& p) { p.WheelRpmEntered = -1; }),
       "record 4, field 4 (WheelRpmEntered) is -1. Enter a number greater than 0 rpm for the "
       "wheel speed"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.name);
    const fs::path path = dir / "broken.cse";
    writeText(path, row.text);
    messages.clear();
    EXPECT_FALSE(main.openProjectFile(path.string()));
    EXPECT_EQ(texts(),
              std::vector<std::string>{"Open: The project file " + path.string() +
                                       " cannot be opened: " + row.why + ". Nothing was changed."});
    EXPECT_EQ(storedInputs(state), storedInputs(before));
    EXPECT_EQ(boxes(), boxesBefore);
    EXPECT_EQ(switches(fields), switchesBefore);
  }
  messages.clear();
  EXPECT_FALSE(main.openProjectFile((dir / "missing.cse").string()));
  EXPECT_EQ(texts(),
            std::vector<std::string>{"Open: The project file " + (dir / "missing.cse").string() +
                                     " cannot be opened: No such file or directory. "
                                     "Nothing was changed."});
}

TEST_F(ProjectFileTest, SaveLeavesTheOldFileWhenItCannotWrite) {
  const fs::path folder = dir / "locked";
  fs::create_directories(folder);
  const fs::path path = folder / "case.cse";
  writeText(path, "the old case");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  const bool root = ::geteuid() == 0;
  if (!root) {
    EXPECT_FALSE(main.saveProjectFile(path.string()));
    EXPECT_EQ(texts(), std::vector<std::string>{"Save: The project could not be saved to " +
                                                path.string() + ": Permission denied."});
  }
  fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(fileText(path), "the old case");

  // A folder that does not exist fails for root too.
  messages.clear();
  const fs::path nowhere = dir / "no-such-folder" / "case.cse";
  EXPECT_FALSE(main.saveProjectFile(nowhere.string()));
  EXPECT_EQ(texts(), std::vector<std::string>{"Save: The project could not be saved to " +
                                              nowhere.string() + ": No such file or directory."});
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
      << "no temporary file left behind";
}

TEST_F(ProjectFileTest, SaveWritesToTheFileThePathNames) {
  const fs::path real = dir / "real.cse";
  writeText(real, "the old case");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  const bool root = ::geteuid() == 0;
  // Root can hand the file to another owner and group, which must stay.
  if (root) {
    ASSERT_EQ(::chown(real.c_str(), 1, 1), 0);
  }
  struct stat before {};
  ASSERT_EQ(::stat(real.c_str(), &before), 0);
  const fs::path link = dir / "link.cse";
  fs::create_symlink("real.cse", link);
  ASSERT_TRUE(main.saveProjectFile(link.string())) << ::testing::PrintToString(texts());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(fileText(real).starts_with("\"")) << "the linked file holds the project";
  struct stat after {};
  ASSERT_EQ(::stat(real.c_str(), &after), 0);
  EXPECT_EQ(after.st_mode & 07777, 0600U);
  EXPECT_EQ(std::tie(after.st_uid, after.st_gid), std::tie(before.st_uid, before.st_gid));

  const fs::path readOnly = dir / "read-only.cse";
  writeText(readOnly, "kept");
  fs::permissions(readOnly, fs::perms::owner_read);
  const fs::path pipe = dir / "pipe.cse";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_directories(dir / "folder.cse");
  const struct {
    fs::path path;
    const char* why;
  } refused[] = {
      {readOnly, "it is read-only"},
      {pipe, "it is not a regular file but a device, a pipe or a socket"},
      {dir / "folder.cse", "it is a folder"},
  };
  for (const auto& row : refused) {
    messages.clear();
    EXPECT_FALSE(main.saveProjectFile(row.path.string()));
    EXPECT_EQ(texts(), std::vector<std::string>{"Save: The project could not be saved to " +
                                                row.path.string() + ": " + row.why + "."});
  }
  EXPECT_EQ(fileText(readOnly), "kept");
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 5)
      << "no temporary file left behind";
}

TEST_F(ProjectFileTest, SaveBringsTheResultsUpToDateFirst) {
  in.txtV.setText("2500");
  ASSERT_TRUE(windows.inputs.cmdCalc.visible());
  const fs::path path = dir / "case.cse";
  ASSERT_TRUE(main.saveProjectFile(path.string()));
  EXPECT_EQ(state.VoaInput, 2500);
  EXPECT_FALSE(windows.inputs.cmdCalc.visible());
  EXPECT_TRUE(fileText(path).find(",2500,") != std::string::npos);

  // A calculation that stops writes nothing.
  in.txtV.setText("");
  const fs::path other = dir / "other.cse";
  EXPECT_FALSE(main.saveProjectFile(other.string()));
  EXPECT_FALSE(fs::exists(other));
  EXPECT_EQ(messages.messages().size(), 1U);
}

// The annual operation goes into a seventh record only when it is not the
// default, comes back on open, and File Close forgets it.
TEST_F(ProjectFileTest, TheAnnualRecordIsSavedOnlyWhenSet) {
  const fs::path plain = dir / "plain.cse";
  ASSERT_TRUE(main.saveProjectFile(plain.string()));
  const std::string sixRecords = fileText(plain);

  AnnualRecord annual;
  annual.weatherPath = "/data/denver.epw";
  annual.op.occupiedTo = 17;
  annual.op.frost = ModCalc::FrostControl::Preheat;
  annual.op.firstCost = 12500.5;
  main.annualRecord = annual;
  const fs::path path = dir / "annual.cse";
  ASSERT_TRUE(main.saveProjectFile(path.string()));
  const std::string text = fileText(path);
  EXPECT_EQ(text.substr(0, sixRecords.size()), sixRecords);
  EXPECT_EQ(text.substr(sixRecords.size()),
            "\"/data/denver.epw\",7,17,0,0,72,50,70,30,1,55,65,1,15,0.6,0.9,0.12,1,3.5,0.85,"
            "12500.5\r\n");

  main.mnuFileClose_Click();
  EXPECT_FALSE(main.annualRecord);
  ASSERT_TRUE(main.openProjectFile(path.string()));
  EXPECT_EQ(main.annualRecord, annual);
  ASSERT_TRUE(main.openProjectFile(plain.string()));
  EXPECT_FALSE(main.annualRecord) << "a file without the record has the defaults";
}

TEST_F(ProjectFileTest, AFiveRecordFileLeavesTheLaterSettingsAsTheyAre) {
  const fs::path path = dir / "five.cse";
  ASSERT_TRUE(main.saveProjectFile(path.string()));
  std::string text = fileText(path);
  text.erase(text.rfind("0,62,"));  // the sixth record
  writeText(path, text);

  auto other = freshProgram();
  ModCalc::OverrideFields& o = other->fields.overrides;
  o.FluteOverride.setValue(1);
  o.Flute45.select();
  other->windows.settings.cmdSIUnitType_Click();
  ASSERT_TRUE(other->windows.main.openProjectFile(path.string()));
  EXPECT_EQ(o.FluteOverride.value(), 1);
  EXPECT_TRUE(o.Flute45.value());
  EXPECT_EQ(other->state.SIFlowUnit, 1);
  EXPECT_EQ(other->state.FluteMils, 45);
}

// The eighth record comes only with a code check set up, and brings back
// every input of it; a file without it leaves the check as it was.
TEST_F(ProjectFileTest, TheCodeCheckComesBackWithTheProject) {
  const fs::path plain = dir / "plain.cse";
  ASSERT_TRUE(main.saveProjectFile(plain.string()));
  ModCalc::CodeCheckInputs set;
  set.code = ModCalc::EnergyCode::Eu1253_2014;
  set.zone = "6B";
  set.hours8000 = true;
  set.outdoorAirPercent = 37.5;
  set.cooling = {91.5F, 74, 76, 64.25F};
  set.heating = {-12, -12.5F, 68, 55};
  set.fanEfficiencyPercent = 55.5;
  set.filters = ModCalc::FilterSet::BothMissing;
  windows.codeCheck = set;
  const fs::path checked = dir / "checked.cse";
  ASSERT_TRUE(main.saveProjectFile(checked.string()));
  // The default operation comes first, as record 7.
  EXPECT_EQ(fileText(checked),
            fileText(plain) +
                "\"\",7,19,0,0,72,50,70,30,1,55,65,0,15,0.6,0.9,0.12,1,3.5,0.85,0\r\n" +
                "\"eu-1253-2014\",\"6B\",1,37.5,91.5,74,76,64.25,-12,-12.5,68,55,55.5,3\r\n");

  auto other = freshProgram();
  ASSERT_TRUE(other->windows.main.openProjectFile(plain.string()));
  EXPECT_FALSE(other->windows.codeCheck);
  ASSERT_TRUE(other->windows.main.openProjectFile(checked.string()));
  EXPECT_EQ(other->windows.codeCheck, set);
  ASSERT_TRUE(other->windows.main.openProjectFile(plain.string()));
  EXPECT_EQ(other->windows.codeCheck, set);
}

TEST_F(ProjectFileTest, OpenKeepsTheStoredModelWhateverTheListShowedBefore) {
  in.txtV.setText("6000");
  in.txtVra.setText("6000");
  windows.inputs.cmdCalc.click();
  const std::string stored = state.ModelNameSel;
  const fs::path path = dir / "big.cse";
  ASSERT_TRUE(main.saveProjectFile(path.string()));

  auto other = freshProgram();
  other->windows.inputs.cmdCalc.click();
  ASSERT_NE(other->state.ModelNameSel, stored);
  ASSERT_TRUE(other->windows.main.openProjectFile(path.string()));
  EXPECT_EQ(other->state.ModelNameSel, stored);
  EXPECT_EQ(other->fields.inputs.lstWheel.text(), stored) << "the list shows it selected";
  EXPECT_EQ(results(other->state), results(state));
  // Later calculations keep it until a volume changes.
  other->windows.inputs.cmdCalc.click();
  EXPECT_EQ(other->state.ModelNameSel, stored);
  other->fields.inputs.txtV.setText("1000");
  other->fields.inputs.txtVra.setText("1000");
  other->windows.inputs.cmdCalc.click();
  EXPECT_NE(other->state.ModelNameSel, stored);
}

TEST_F(ProjectFileTest, FillTextWritesTheBoxesOfEachUnitSystem) {
  state.Moa = 70;
  state.Mra = 56;
  state.Toa = 95;
  state.Tra = 75;
  state.VoaInput = 3300.5;
  state.Vra = 3100;
  state.VraActual = 3187.4F;
  state.ElevFt = 1000;
  state.PoaInWC = 1.25F;
  state.PraInWC = -0.5F;
  state.MoistInOption = 3;
  state.FlowBasis = ModCalc::VolumeBasis::OutdoorActual;
  main.FillText();
  EXPECT_EQ(std::make_tuple(in.txtMoa.text(), in.txtV.text(), in.txtVra.text(), f.txtElev.text(),
                            f.txtPoa.text(), f.txtPra.text()),
            std::make_tuple("70", "3300.5", "3187.4", "1000", "1.25", "-0.5"));
  state.FlowBasis = ModCalc::VolumeBasis::Supply;
  main.FillText();
  EXPECT_EQ(in.txtVra.text(), "3100") << "standard air outside the actual bases";

  // SI: gr/lb to g/kg divides by 7; each box gives its value back (1000 ft,
  // 1.25 in. w.c.), typed as it stands.
  windows.settings.cmdSIUnits.click();
  state.MoistInOption = 7;
  state.FlowBasis = ModCalc::VolumeBasis::SupplyActual;
  main.FillText();
  EXPECT_EQ(std::make_tuple(in.txtMoaSI.text(), in.txtMraSI.text(), in.txtToaSI.text(),
                            in.txtVraSI.text(), f.txtElev.text(), f.txtPoa.text()),
            std::make_tuple("10", "8", "35", "5416", "304.78513", "311.25"));
  EXPECT_EQ(std::make_tuple(in.txtMoa.text(), in.txtV.text(), in.txtVra.text()),
            std::make_tuple("70", "3300.5", "3187.4"))
      << "the English boxes the calculation reads keep the exact values";
  windows.settings.cmdSettingsOK.click();
  EXPECT_EQ(state.ElevFt, 1000);
}

TEST_F(ProjectFileTest, CommandsGoThroughTheFileDialogs) {
  const fs::path path = dir / "case.cse";
  files.answer = path.string();
  main.mnuFileSave.click();
  ASSERT_TRUE(fs::exists(path));
  state.Toa = 10;
  files.answer = path.string();
  main.tbToolBar_ButtonClick(*main.tbToolBar.find("Open"));
  EXPECT_EQ(state.Toa, 95);
  main.mnuFileOpen.click();  // cancelled
  EXPECT_EQ(files.asked, (std::vector<std::string>{"Save As|Project Files (*.cse)|*.cse",
                                                   "Open|Project Files (*.cse)|*.cse",
                                                   "Open|Project Files (*.cse)|*.cse"}));
  EXPECT_EQ(texts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace ui::testing
