#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <variant>

#include "platform/FileRead.h"
#include "platform/FileWrite.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FileWriteTest : public ::testing::Test {
 protected:
  FileWriteTest() { fs::create_directories(dir); }
  ~FileWriteTest() override { fs::remove_all(dir); }

  std::string text() const {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream read;
    read << file.rdbuf();
    return read.str();
  }
  long entries() const { return std::distance(fs::directory_iterator(dir), {}); }

  fs::path dir = fs::temp_directory_path() / ("ktr-file-write-" + std::to_string(::getpid()));
  std::string path = (dir / "case.cse").string();
};

// As two saves of one project at once: the last to finish wins and neither
// trips over the other's temporary file.
TEST_F(FileWriteTest, WritersOfOnePathEachHaveATemporaryOfTheirOwn) {
  AtomicFileWriter first(path);
  AtomicFileWriter second(path);
  first.stream() << "first";
  second.stream() << "second";
  EXPECT_EQ(first.commit(), std::nullopt);
  EXPECT_EQ(second.commit(), std::nullopt);
  EXPECT_EQ(text(), "second");
  {
    AtomicFileWriter abandoned(path);
    abandoned.stream() << "abandoned";
  }
  EXPECT_EQ(text(), "second");
  EXPECT_EQ(entries(), 1);
}

TEST_F(FileWriteTest, ANewFileTakesTheUsersDefaultPermissions) {
  const mode_t mask = ::umask(027);
  EXPECT_EQ(writeFileAtomically(path, "new"), std::nullopt);
  ::umask(mask);
  EXPECT_EQ(fs::status(path).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(FileWriteTest, ReadsUpToTheLimitAndNoFurther) {
  std::ofstream(path) << "0123456789";
  const auto whole = readFileBounded(path, 10);
  ASSERT_TRUE(std::holds_alternative<std::string>(whole));
  EXPECT_EQ(std::get<std::string>(whole), "0123456789");
  const auto refused = readFileBounded(path, 9);
  ASSERT_TRUE(std::holds_alternative<ReadRefusal>(refused));
  EXPECT_EQ(std::get<ReadRefusal>(refused).kind, ReadRefusal::Kind::TooLarge);
}

}  // namespace
}  // namespace platform
