// Windows paths from Config.ini on a case-sensitive host, and where
// Config.ini itself is looked for.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "skin/IniFile.h"

namespace tavro {
namespace {

class HostPathTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    ASSERT_TRUE(QDir(dir_.path()).mkpath("Graphics/Skin"));
    touch("Graphics/Skin/Body.PNG");
    touch("Graphics/Skin/NIL");
    root_ = dir_.path().toStdString();
  }
  void touch(const QString& relative) {
    QFile file(dir_.filePath(relative));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
  }

  QTemporaryDir dir_;
  std::string root_;
};

TEST_F(HostPathTest, BackslashesAndLetterCaseAreResolved) {
  const std::string expected = root_ + "/Graphics/Skin/Body.PNG";
  EXPECT_EQ(hostPath(root_ + "\\graphics\\skin\\body.png"), expected);
  EXPECT_EQ(hostPath(root_ + "\\GRAPHICS\\Skin\\BODY.png"), expected);
  EXPECT_EQ(hostPath(root_ + "/Graphics/Skin/Body.PNG"), expected);
  EXPECT_TRUE(fileExists(hostPath(root_ + "\\graphics\\skin\\body.png")));
}

TEST_F(HostPathTest, FilesAddedOrRenamedBetweenLookupsAreSeen) {
  const std::string wanted = root_ + "\\graphics\\skin\\late.bmp";
  EXPECT_FALSE(fileExists(hostPath(wanted)));
  touch("Graphics/Skin/LATE.BMP");
  EXPECT_EQ(hostPath(wanted), root_ + "/Graphics/Skin/LATE.BMP");
  ASSERT_TRUE(QFile::rename(dir_.filePath("Graphics/Skin/LATE.BMP"),
                            dir_.filePath("Graphics/Skin/Late.Bmp")));
  EXPECT_EQ(hostPath(wanted), root_ + "/Graphics/Skin/Late.Bmp");
}

TEST_F(HostPathTest, MissingFilesKeepTheirNameWithSlashes) {
  const std::string path = hostPath(root_ + "\\graphics\\skin\\absent.png");
  EXPECT_EQ(path, root_ + "/graphics/skin/absent.png");
  EXPECT_FALSE(fileExists(path));
}

TEST_F(HostPathTest, UpperCaseNilIsAnOrdinaryFileName) {
  const std::string folder = makeFolder(root_ + "\\Graphics\\Skin");
  EXPECT_FALSE(isNoFile("NIL"));
  EXPECT_TRUE(fileExists(hostPath(folder + "NIL")));
  EXPECT_TRUE(fileExists(hostPath(folder + "nil")));  // found without regard to case
}

TEST_F(HostPathTest, RelativePathsStayRelativeToTheWorkingDirectory) {
  const std::string previous = QDir::currentPath().toStdString();
  ASSERT_EQ(::chdir(root_.c_str()), 0);
  const std::string relative = hostPath(makeFolder("graphics\\SKIN") + "body.png");
  const std::string dotted = hostPath(".\\graphics\\skin\\..\\SKIN\\body.png");
  ASSERT_EQ(::chdir(previous.c_str()), 0);
  EXPECT_EQ(relative, "Graphics/Skin/Body.PNG");
  EXPECT_EQ(dotted, "./Graphics/Skin/../Skin/Body.PNG");
}

TEST_F(HostPathTest, FoldersAreNotFiles) {
  EXPECT_FALSE(fileExists(root_ + "/Graphics/Skin"));
  EXPECT_FALSE(fileExists(""));
  EXPECT_EQ(hostPath(root_ + "\\graphics\\skin\\"), root_ + "/Graphics/Skin/");
}

TEST(HostPath, EmptyFolderIsTheRoot) {
  EXPECT_EQ(hostPath(makeFolder("")), "/");
  EXPECT_EQ(hostPath(makeFolder("") + "tmp"), "/tmp");
  EXPECT_EQ(hostPath(""), "");
}

TEST(ConfigPath, BesideTheExecutableUnlessOverridden) {
  const std::string folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(QFile::exists(QString::fromStdString(folder)));

  const char* saved = std::getenv("TAVRO_CONFIG_DIR");
  const std::string savedValue = saved ? saved : "";
  unsetenv("TAVRO_CONFIG_DIR");
  EXPECT_EQ(configPath(), folder + "Config.ini");
  setenv("TAVRO_CONFIG_DIR", "/some/where", 1);
  EXPECT_EQ(configPath(), "/some/where/Config.ini");
  setenv("TAVRO_CONFIG_DIR", "", 1);
  EXPECT_EQ(configPath(), folder + "Config.ini");
  if (saved) {
    setenv("TAVRO_CONFIG_DIR", savedValue.c_str(), 1);
  } else {
    unsetenv("TAVRO_CONFIG_DIR");
  }
}

}  // namespace
}  // namespace tavro
