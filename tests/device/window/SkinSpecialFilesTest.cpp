// The skin loader with files that are not regular files, or are too large:
// Config.ini then counts as missing (its box, then the end), or gets its own
// box when too large; a picture counts as missing (the marker for a skin
// image, nothing for the backdrop and the logo). Nothing is ever opened that
// could block or never end.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <filesystem>
#include <fstream>

#include "FakeSkinTarget.h"
#include "TestSkin.h"
#include "skin/IniFile.h"
#include "skin/gfxinit.h"

namespace tavro::testing {
namespace {

namespace fs = std::filesystem;

enum class Kind { Folder, Pipe, LinkToZero, Dangling };

struct Case {
  const char* name;
  Kind kind;
};

const Case kSpecial[] = {
    {"folder", Kind::Folder},
    {"named pipe", Kind::Pipe},
    {"link to /dev/zero", Kind::LinkToZero},
    {"dangling link", Kind::Dangling},
};

void make(const QString& where, Kind kind) {
  const std::string path = where.toStdString();
  fs::create_directories(fs::path(path).parent_path());
  fs::remove_all(path);
  switch (kind) {
    case Kind::Folder:
      fs::create_directory(path);
      break;
    case Kind::Pipe:
      ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
      break;
    case Kind::LinkToZero:
      fs::create_symlink("/dev/zero", path);
      break;
    case Kind::Dangling:
      fs::create_symlink(path + ".gone", path);
      break;
  }
}

const std::string kMissingBox =
    "box:Configuration file (Config.ini) not found. Please reinstall the game.";

TEST(SkinSpecialFiles, ConfigThatIsNoRegularFileCountsAsMissing) {
  for (const Case& c : kSpecial) {
    SCOPED_TRACE(c.name);
    TestSkin skin;
    make(skin.path("Config.ini"), c.kind);
    FakeSkinTarget target;
    Gfx_Load_Skin(target);
    EXPECT_EQ(target.events, (std::vector<std::string>{kMissingBox, "quit"}));
    EXPECT_EQ(target.width, 561);  // nothing else is read or changed
  }
}

TEST(SkinSpecialFiles, ConfigLinkedToARegularFileLoads) {
  TestSkin skin;
  skin.writeBytes("elsewhere.ini", "[Common]\nGameWidth=300\nGameHeight=200\n");
  ASSERT_TRUE(QFile::link(skin.path("elsewhere.ini"), skin.path("Config.ini")));
  FakeSkinTarget target;
  Gfx_Load_Skin(target);
  EXPECT_TRUE(target.events.empty());
  EXPECT_EQ(target.width, 300);
  EXPECT_EQ(target.height, 200);
}

TEST(SkinSpecialFiles, ConfigAboveTheBoundGetsItsOwnBoxAndEndsTheProgram) {
  struct Size {
    std::uint64_t bytes;
    bool refused;
  };
  for (const Size size : {Size{kMaxConfigFileSize, false}, Size{kMaxConfigFileSize + 1, true}}) {
    SCOPED_TRACE(size.bytes);
    TestSkin skin;
    const std::string path = skin.path("Config.ini").toStdString();
    std::ofstream(path, std::ios::binary) << "[Common]\nGameWidth=300\n";
    fs::resize_file(path, size.bytes);  // the rest is zero bytes, not read when refused
    FakeSkinTarget target;
    target.fullscreen = true;
    Gfx_Load_Skin(target);
    if (size.refused) {
      EXPECT_EQ(target.events,
                (std::vector<std::string>{"box:" + std::string(kConfigTooLargeMessage), "quit"}));
      EXPECT_EQ(target.width, 561);
      EXPECT_TRUE(target.menuTop.isVisible());  // the game menu controls are still set
    } else {
      EXPECT_TRUE(target.events.empty());
      EXPECT_EQ(target.screen.width(), target.width);  // the fullscreen load ran
    }
  }
}

TEST(SkinSpecialFiles, PicturesThatAreNoRegularFilesCountAsMissing) {
  for (const Case& c : kSpecial) {
    SCOPED_TRACE(c.name);
    TestSkin skin;
    skin.writePicture("Graphics/Skin/body.bmp", solid(20, 20, Qt::green));
    make(skin.path("Graphics/Skin/segment.png"), c.kind);
    make(skin.path("Graphics/Backdrops/back.png"), c.kind);
    make(skin.path("Graphics/Backdrops/logo.png"), c.kind);
    skin.writeConfig("[Fullscreen]\nBackdropFile=back.png\nLogoFile=logo.png\n" +
                     imageSection(1, "body.bmp", 0, 0, 20, 20) +
                     imageSection(2, "segment.png", 5, 6, 30, 30) +
                     imageSection(3, "body.bmp", 0, 0, 20, 20));
    FakeSkinTarget target;
    target.fullscreen = true;
    target.backdrop.setVisible(false);
    target.logo.setVisible(false);
    Gfx_Load_Skin(target);
    EXPECT_TRUE(target.events.empty());
    EXPECT_EQ(target.skin[2].picture().image.size(), QSize(10, 10));  // the marker
    EXPECT_EQ(target.skin[2].picture().image.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(target.skin[3].picture().image.size(), QSize(20, 20));  // the load went on
    EXPECT_FALSE(target.backdrop.hasPicture());
    EXPECT_FALSE(target.backdrop.isVisible());
    EXPECT_FALSE(target.logo.hasPicture());
    EXPECT_FALSE(target.logo.isVisible());
  }
}

}  // namespace
}  // namespace tavro::testing
