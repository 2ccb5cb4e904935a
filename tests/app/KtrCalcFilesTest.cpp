#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "KtrCalcFixture.h"
#include "app/KtrCalc.h"
#include "platform/FileWrite.h"

namespace {

namespace fs = std::filesystem;

CalcRun run(const std::vector<std::string>& args) {
  return runWithCatalog(args);
}

std::string fileText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class KtrCalcFiles : public TempFolderTest {
 protected:
  KtrCalcFiles() : TempFolderTest("ktr-calc-files-") {}
};

TEST_F(KtrCalcFiles, SaveThenOpenGivesTheSameCaseAndSummary) {
  const CalcRun saved =
      run({"optOutdoor=1", "txtElev=1000", "--settings-ok", "txtTitle=Lab, east", "txtV=2000",
           "txtVra=2000", "--calc", "--save", path("lab.cse"), "--copy", path("lab.txt")});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_TRUE(fileText(path("lab.cse")).starts_with("\"Lab, east\",2000,95,"));

  const CalcRun opened = run({"--open", path("lab.cse"), "--copy", "-"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  EXPECT_EQ(opened.err, "");
  EXPECT_EQ(opened.out, fileText(path("lab.txt")));
  EXPECT_TRUE(opened.out.starts_with("Lab, east\nModel: "));
}

// A saved case with its dry bulb edited to 300 °F: refused with status 3,
// and the case calculated before stays as it was.
TEST_F(KtrCalcFiles, AProjectBeyondARangeIsRefusedAndTheCaseStays) {
  ASSERT_EQ(run({"--save", path("hot.cse")}).status, 0);
  std::string text = fileText(path("hot.cse"));
  text.replace(text.find(",95,"), 4, ",300,");
  std::ofstream(path("hot.cse"), std::ios::binary) << text;

  const CalcRun before = run({"txtToa=100", "--calc", "--copy", "-"});
  const CalcRun r = run({"txtToa=100", "--calc", "--open", path("hot.cse"), "--copy", "-"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, before.err + "Open: The project file " + path("hot.cse") +
                       " cannot be opened: record 1, field 3 (Toa) is 300. Enter a number from "
                       "-60 to 160 °F for the outdoor air dry bulb. Nothing was changed.\n");
  EXPECT_EQ(r.out, before.out);
}

TEST_F(KtrCalcFiles, AFailedFileActionReportsAndTheRunGoesOn) {
  const CalcRun r =
      run({"--open", path("missing.cse"), "--save", path("no-folder/case.cse"), "--copy", "-"});
  EXPECT_EQ(r.status, 3);
  EXPECT_EQ(r.err, "Open: The project file " + path("missing.cse") +
                       " cannot be opened: No such file or directory. Nothing was changed.\n"
                       "Save: The project could not be saved to " +
                       path("no-folder/case.cse") + ": No such file or directory.\n");
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 28) << "the copy still ran";
}

TEST_F(KtrCalcFiles, ReportIsAOnePagePdf) {
  const CalcRun r = run({"txtTitle=Report check", "--report", path("case.pdf")});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string pdf = fileText(path("case.pdf"));
  EXPECT_TRUE(pdf.starts_with("%PDF-"));
  EXPECT_NE(pdf.find("/Count 1"), std::string::npos) << "one page";

  const CalcRun denied = run({"--report", path("no-folder/case.pdf")});
  EXPECT_EQ(denied.status, 3);
  EXPECT_TRUE(denied.err.starts_with("Export PDF: The report could not be written to " +
                                     path("no-folder/case.pdf") + ": "))
      << denied.err;
}

TEST_F(KtrCalcFiles, FileActionsNeedAPathAndShowInTheHelp) {
  for (const char* action : {"--open", "--save", "--copy", "--report"}) {
    const CalcRun r = run({action});
    EXPECT_EQ(r.status, 2) << action;
    EXPECT_EQ(r.err, std::string("ktr-calc: ") + action + " needs a path\n");
  }
  std::ostringstream out;
  std::ostringstream err;
  ASSERT_EQ(ktr::runKtrCalc({"--help"}, out, err), 0);
  for (const char* text :
       {"--open PATH", "--save PATH", "--copy PATH", "--report PATH", "--catalog PATH",
        "NAME=VALUE", "--password TEXT", "--json", "3 an output or file action"}) {
    EXPECT_NE(out.str().find(text), std::string::npos) << text;
  }
}

TEST_F(KtrCalcFiles, OpenRefusesWhatIsNoProjectFileAtOnce) {
  const std::string pipe = path("pipe.cse");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_directories(path("folder"));
  std::ofstream(path("big.cse")) << "\"Big\"";
  fs::resize_file(path("big.cse"), (1 << 20) + 1);
  std::ofstream(path("passwords")) << "root:$6$secret$hash:19000:0:99999:7:::\n";
  const std::string device = "it is a device or a pipe, not a project file";
  const struct {
    std::string path;
    std::string why;
  } rows[] = {
      {"/dev/zero", device},
      {pipe, device},
      {path("folder"), "it is a folder, not a project file"},
      {path("big.cse"), "it is larger than 1 MB, too large for a project file"},
      {path("passwords"), "it is not a project file: it does not begin with a quoted title"},
  };
  for (const auto& row : rows) {
    const CalcRun r = run({"--open", row.path});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.err, "Open: The project file " + row.path + " cannot be opened: " + row.why +
                         ". Nothing was changed.\n");
  }
}

TEST_F(KtrCalcFiles, FileActionsRefuseWhatIsNoRegularFile) {
  const std::string pipe = path("pipe.svg");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const std::string why = ": it is not a regular file but a device, a pipe or a socket.\n";
  const struct {
    const char* action;
    std::string message;
  } rows[] = {
      {"--save", "Save: The project could not be saved to "},
      {"--copy", "Copy: The summary could not be written to "},
      {"--report", "Export PDF: The report could not be written to "},
      {"--compare", "Compare Models: The comparison could not be written to "},
      {"--chart", "Psychrometric Chart: The chart could not be written to "},
  };
  for (const auto& row : rows) {
    const CalcRun r = run({row.action, pipe});
    EXPECT_EQ(r.status, 3) << row.action;
    EXPECT_EQ(r.err, row.message + pipe + why);
  }
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "no temporary left";
}

// What reaches standard output is a result only once it is written.
TEST_F(KtrCalcFiles, AFullStandardOutputFailsTheRun) {
  if (!fs::exists("/dev/full")) {
    GTEST_SKIP() << "no /dev/full here";
  }
  const std::string catalog = KTR_SOURCE_DIR "/resources/ktrmodel6.csv";
  const std::vector<std::string> runs[] = {
      {"batch", KTR_SOURCE_DIR "/docs/schedule-example.csv", "--catalog", catalog},
      {"--catalog", catalog, "--json"},
      {"--catalog", catalog, "--results"},
      {"--catalog", catalog, "--copy", "-"},
      {"--catalog", catalog, "--compare", "-"},
      {"psych", "AtmPressure", "5000"},
  };
  for (const auto& args : runs) {
    SCOPED_TRACE(args[args.size() - 2]);
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    platform::DescriptorStreamBuf buffer(full);
    std::ostream out(&buffer);
    std::ostringstream err;
    EXPECT_EQ(ktr::runKtrCalc(args, out, err), 3);
    ::close(full);
    EXPECT_TRUE(err.str().ends_with(
        "ktr-calc: standard output could not be written: No space left on device\n"))
        << err.str();
  }
  const CalcRun save = run({"--save", "/dev/full"});
  EXPECT_EQ(save.status, 3);
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

}  // namespace
