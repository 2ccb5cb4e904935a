#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/RecentFiles.h"
#include "platform/headless/MemorySettingsStore.h"

namespace {

TEST(RecentFiles, KeepsTheLastFiveNewestFirstEachOnce) {
  platform::MemorySettingsStore settings;
  ktr::RecentFiles recent(settings);
  EXPECT_TRUE(recent.paths().empty());
  for (const char* path :
       {"/p/1.cse", "/p/2.cse", "/p/3.cse", "/p/4.cse", "/p/5.cse", "/p/6.cse", "/p/3.cse"}) {
    recent.add(path);
  }
  const std::vector<std::string> expected{"/p/3.cse", "/p/6.cse", "/p/5.cse", "/p/4.cse",
                                          "/p/2.cse"};
  EXPECT_EQ(recent.paths(), expected);
  // Another program reading the same store sees the same list.
  EXPECT_EQ(ktr::RecentFiles(settings).paths(), expected);
  EXPECT_EQ(settings.value("KTR", "Recent", "File1", ""), "/p/3.cse");
}

TEST(RecentFiles, KeepsARelativePathAsAbsolute) {
  platform::MemorySettingsStore settings;
  ktr::RecentFiles recent(settings);
  recent.add("sub/../case.cse");
  ASSERT_EQ(recent.paths().size(), 1U);
  EXPECT_EQ(recent.paths().front(), (std::filesystem::current_path() / "case.cse").string());
}

}  // namespace
