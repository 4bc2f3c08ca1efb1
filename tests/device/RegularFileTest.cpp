// Files the program reads are taken only when they are regular files within
// a size bound: pipes, devices and folders count as no file and are never
// opened, so none of them can block or flood the reader.

#include "device/RegularFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace tavro {
namespace {

namespace fs = std::filesystem;

class RegularFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tavro-regular-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }
  // A file of `size` bytes that takes no room on disk.
  std::string sparse(const std::string& name, std::uint64_t size) const {
    std::ofstream(path(name), std::ios::binary).flush();
    fs::resize_file(path(name), size);
    return path(name);
  }

  fs::path dir_;
};

const char* statusName(FileStatus status) {
  switch (status) {
    case FileStatus::Ok:
      return "Ok";
    case FileStatus::Absent:
      return "Absent";
    case FileStatus::NotRegular:
      return "NotRegular";
    case FileStatus::TooLarge:
      return "TooLarge";
    case FileStatus::Unreadable:
      return "Unreadable";
  }
  return "?";
}

TEST_F(RegularFileTest, OnlyRegularFilesAndLinksToThemAreRead) {
  write("plain.ini", "[Common]\n");
  fs::create_symlink(path("plain.ini"), path("link.ini"));
  fs::create_directory(path("folder.ini"));
  ASSERT_EQ(::mkfifo(path("pipe.png").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", path("zero.ini"));
  fs::create_symlink(path("pipe.png"), path("link-to-pipe.png"));
  fs::create_symlink(path("gone.ini"), path("dangling.ini"));

  struct Case {
    std::string path;
    FileStatus status;
  };
  const Case cases[] = {
      {path("plain.ini"), FileStatus::Ok},
      {path("link.ini"), FileStatus::Ok},
      {path("folder.ini"), FileStatus::NotRegular},
      {path("pipe.png"), FileStatus::NotRegular},  // would block a reader for ever
      {path("link-to-pipe.png"), FileStatus::NotRegular},
      {path("zero.ini"), FileStatus::NotRegular},  // would never end
      {"/dev/null", FileStatus::NotRegular},
      {path("dangling.ini"), FileStatus::Absent},
      {path("gone.ini"), FileStatus::Absent},
      {"", FileStatus::Absent},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_STREQ(statusName(checkRegularFile(c.path)), statusName(c.status));
    const FileContents read = readRegularFile(c.path, 1 << 20);
    EXPECT_STREQ(statusName(read.status), statusName(c.status));
    EXPECT_EQ(read.bytes, c.status == FileStatus::Ok ? "[Common]\n" : "");
  }
}

TEST_F(RegularFileTest, SizeBoundIsInclusiveAndLargerFilesAreNotRead) {
  struct Case {
    std::uint64_t size;
    std::uint64_t bound;
    FileStatus status;
  };
  const Case cases[] = {
      {0, 0, FileStatus::Ok},
      {0, 100, FileStatus::Ok},
      {100, 100, FileStatus::Ok},
      {101, 100, FileStatus::TooLarge},
      {std::uint64_t{3} << 30, 4 << 20, FileStatus::TooLarge},  // 3 GB, refused unread
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.size) + " bytes, bound " + std::to_string(c.bound));
    const std::string file = sparse("f" + std::to_string(c.size), c.size);
    EXPECT_STREQ(statusName(checkRegularFile(file, c.bound)), statusName(c.status));
    const FileContents read = readRegularFile(file, c.bound);
    EXPECT_STREQ(statusName(read.status), statusName(c.status));
    EXPECT_EQ(read.bytes.size(), c.status == FileStatus::Ok ? c.size : 0u);
  }
}

TEST_F(RegularFileTest, EveryByteComesBackWhateverTheSize) {
  // Sizes about the reader's 64 KiB steps, and a whole manual page.
  for (const std::size_t size : {std::size_t{1}, std::size_t{65535}, std::size_t{65536},
                                 std::size_t{65537}, std::size_t{336150}}) {
    SCOPED_TRACE(size);
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + i / 251);
    const std::string file = write("f" + std::to_string(size), bytes);
    const FileContents read = readRegularFile(file, size);
    EXPECT_STREQ(statusName(read.status), "Ok");
    EXPECT_TRUE(read.bytes == bytes);
  }
}

TEST_F(RegularFileTest, AFileThatCannotBeOpenedIsUnreadableWithTheReason) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads every file";
  const std::string file = write("locked.ini", "[Common]\n");
  fs::permissions(file, fs::perms::none);
  const FileContents read = readRegularFile(file, 1 << 20);
  EXPECT_EQ(read.status, FileStatus::Unreadable);
  EXPECT_EQ(read.error, EACCES);
  EXPECT_EQ(checkRegularFile(file), FileStatus::Ok);  // looking at it needs no permission
}

}  // namespace
}  // namespace tavro
