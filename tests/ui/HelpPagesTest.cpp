// The help as shipped: every page the contents or another page links to,
// every picture and every window's F1 page is there, in the program's
// resources, with the anchor asked for.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "ui/Window.h"

namespace ui::testing {
namespace {

namespace fs = std::filesystem;

const fs::path kHelp = KTR_SOURCE_DIR "/resources/help";

std::string fileText(const fs::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// The help files compiled into the program, by their names there.
std::set<std::string> compiledIn() {
  const std::string qrc = fileText(KTR_SOURCE_DIR "/resources/ktr.qrc");
  std::set<std::string> names;
  const std::regex entry(R"re(<file alias="([^"]+)">help/)re");
  for (auto it = std::sregex_iterator(qrc.begin(), qrc.end(), entry); it != std::sregex_iterator();
       ++it) {
    names.insert((*it)[1].str());
  }
  return names;
}

// Why `target` ("page.html", "page.html#anchor") cannot be shown, or empty.
std::string problemWith(const std::string& target) {
  const std::string page = target.substr(0, target.find('#'));
  if (!fs::exists(kHelp / page)) {
    return "no file " + page;
  }
  if (compiledIn().count(page) == 0) {
    return page + " is not in ktr.qrc";
  }
  if (const auto hash = target.find('#'); hash != std::string::npos) {
    const std::string anchor = target.substr(hash + 1);
    if (fileText(kHelp / page).find("name=\"" + anchor + "\"") == std::string::npos) {
      return "no anchor " + anchor + " in " + page;
    }
  }
  return "";
}

TEST(HelpPages, EveryLinkAndPictureResolves) {
  const std::regex reference(R"re((?:href|src)="([^"]+)")re");
  int links = 0;
  for (const auto& file : fs::directory_iterator(kHelp)) {
    if (file.path().extension() != ".html") {
      continue;
    }
    const std::string html = fileText(file.path());
    for (auto it = std::sregex_iterator(html.begin(), html.end(), reference);
         it != std::sregex_iterator(); ++it) {
      const std::string target = (*it)[1].str();
      if (target.rfind("http", 0) == 0) {
        continue;
      }
      ++links;
      EXPECT_EQ(problemWith(target), "") << file.path().filename() << " links " << target;
    }
  }
  EXPECT_GT(links, 10);
}

TEST(HelpPages, TheContentsListTheEngineeringPages) {
  const std::string index = fileText(kHelp / "index.html");
  for (const char* page : {"rated.html", "reading.html", "results.html", "inputs.html"}) {
    EXPECT_NE(index.find(std::string("href=\"") + page + "\""), std::string::npos) << page;
  }
}

TEST(HelpPages, EveryWindowsF1PageExists) {
  for (const char* window :
       {"frmWheel", "frmInputs", "frmSettings", "frmOverride", "dlgPassword", "chart", "compare"}) {
    const std::string page(helpPage(window));
    EXPECT_NE(page, "index.html") << window << " has a page of its own";
    EXPECT_EQ(problemWith(page), "") << window;
  }
  EXPECT_EQ(helpPage("frmQuorvaneSplash"), "index.html");
}

}  // namespace
}  // namespace ui::testing
