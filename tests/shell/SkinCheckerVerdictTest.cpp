// The checker says what each load does: the fullscreen and windowed verdicts
// on the pixel budget apart, every manual page after one the load stops at,
// controls placed at the ends of the 32-bit range; and a check, like a load,
// lists each folder once.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "shell/SkinChecker.h"
#include "skin/ManualLoader.h"
#include "skin/PictureFiles.h"
#include "skin/gfxinit.h"
#include "support/FolderListingCount.h"

namespace tavro {
namespace {

using testing::Bytes;
using testing::folderListings;
using testing::mostFolderListings;
using testing::resetFolderListings;

// A folder with Config.ini and pictures in Graphics/Skin (also the backdrop
// folder) and Graphics/Manual.
class CheckedSkin {
 public:
  CheckedSkin() {
    QDir(dir_.path()).mkpath("Graphics/Skin");
    QDir(dir_.path()).mkpath("Graphics/Manual");
  }
  void write(const QString& relative, const Bytes& bytes) const {
    QFile file(dir_.filePath(relative));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  }
  std::vector<SkinProblem> check(const std::string& config) const {
    write("Config.ini", Bytes(config.begin(), config.end()));
    return checkSkin(dir_.path().toStdString());
  }
  // "[Section] message" of the problems whose message starts with `start`.
  std::vector<std::string> found(const std::string& config, const std::string& start) const {
    std::vector<std::string> out;
    for (const SkinProblem& p : check(config)) {
      if (p.message.rfind(start, 0) == 0) out.push_back("[" + p.section + "] " + p.message);
    }
    return out;
  }
  std::string root() const { return dir_.path().toStdString(); }

 private:
  QTemporaryDir dir_;
};

const std::string kCommon =
    "[Common]\nSkinDir=Graphics\\Skin\nGameWidth=100\nGameHeight=50\n"
    "[Fullscreen]\nBackdropDir=Graphics\\Skin\n";

std::string image(int n, const char* file) {
  return "[Image" + std::to_string(n) + "]\nFilename=" + file + "\n";
}

// big.bmp is half the budget: two fill it, the one pixel of dot.bmp after
// them goes over.
TEST(SkinCheckerVerdict, TheBudgetErrorSaysWhichModesStopAndWhatTheOtherDoes) {
  const std::string over = std::string(kSkinTooLargeMessage) + ": ";
  const std::string backdropAndLogo = "BackdropFile=big.bmp\nLogoFile=big.bmp\n";
  const struct {
    const char* name;
    std::string config;
    std::vector<std::string> verdicts;
  } cases[] = {
      {"backdrop and logo fill it",
       kCommon + backdropAndLogo + image(1, "dot.bmp"),
       {"[Image1] " + over + "a fullscreen load stops here; a windowed load takes every picture"}},
      {"the windowed load stops later",
       kCommon + backdropAndLogo + image(1, "big.bmp") + image(2, "big.bmp") + image(3, "dot.bmp"),
       {"[Image1] " + over +
            "a fullscreen load stops here; a windowed load stops at [Image3] Filename",
        "[Image3] " + over +
            "a windowed load stops here; a fullscreen load stops at [Image1] Filename"}},
      {"both stop at the same picture",
       kCommon + image(1, "big.bmp") + image(2, "big.bmp") + image(3, "dot.bmp"),
       {"[Image3] " + over + "a load stops here, in either mode"}},
  };
  CheckedSkin skin;
  skin.write("Graphics/Skin/big.bmp", testing::makeLargeBmp(16384, 4096));
  skin.write("Graphics/Skin/dot.bmp", testing::makeLargeBmp(1, 1));
  for (const auto& c : cases) {
    EXPECT_EQ(skin.found(c.config, over), c.verdicts) << c.name;
  }
}

TEST(SkinCheckerVerdict, EveryManualPageIsListedAfterOneTheLoadStopsAt) {
  CheckedSkin skin;
  for (int page : {1, 3, 4, 6, 8}) {
    skin.write(QString("Graphics/Manual/%1.bmp").arg(page), testing::makeLargeBmp(40, 30));
  }
  skin.write("Graphics/Manual/2.bmp", Bytes{'B', 'M'});
  skin.write("Graphics/Manual/7.bmp", Bytes{'B', 'M', 1});
  const std::string root = skin.root() + "/Graphics/Manual/";
  const struct {
    int page;
    const char* text;
  } expected[] = {{2, "does not load (Bitmap image is not valid)"},
                  {5, "not found"},
                  {7, "does not load (Bitmap image is not valid)"}};
  std::vector<std::string> pages;
  for (const SkinProblem& p : skin.check("[Manual]\nManualWidth=40\nManualHeight=30\n")) {
    if (p.section == "Manual") pages.push_back(p.message);
  }
  ASSERT_EQ(pages.size(), std::size(expected));
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const std::string wanted =
        root + std::to_string(expected[i].page) + ".bmp\" " + expected[i].text;
    EXPECT_NE(pages[i].find(wanted), std::string::npos) << pages[i];
  }
}

TEST(SkinCheckerVerdict, ControlsAtTheEndsOfTheIntegerRangeAreOutsideTheGameArea) {
  const struct {
    const char* place;
    const char* key;
  } cases[] = {
      {"Left=2147483647\nWidth=10\nHeight=10\n", "Left"},
      {"Top=2147483647\nWidth=10\nHeight=10\n", "Top"},
      {"Left=90\nWidth=2147483647\nHeight=10\n", "Left"},
      {"Top=-2147483648\nWidth=10\nHeight=2147483647\n", "Top"},
  };
  CheckedSkin skin;
  for (const auto& c : cases) {
    std::vector<SkinProblem> outside;
    for (const SkinProblem& p :
         skin.check("[Common]\nGameWidth=100\nGameHeight=50\n[Image3]\n" + std::string(c.place))) {
      if (p.message.find("reaches outside the game area 100x50") != std::string::npos) {
        outside.push_back(p);
      }
    }
    ASSERT_EQ(outside.size(), 1u) << c.place;
    EXPECT_EQ(outside[0].key, c.key) << c.place;
  }
}

class NoManualWindow : public ManualTarget {
 public:
  void setClientHeight(int) override {}
  void setClientWidth(int) override {}
  void placePageTop(int, int) override {}
  void setPage(int, Picture) override {}
  void sizePage(int, int, int) override {}
};

// Names missing from a folder (every picture, @2x variant and page here):
// a check and a manual load list each folder once.
TEST(SkinCheckerVerdict, ACheckAndAManualLoadListEachFolderOnce) {
  CheckedSkin skin;
  std::string config = kCommon + "BackdropFile=gone.bmp\n[Manual]\nManualDir=Graphics\\Manual\n";
  for (int n = 1; n <= 81; ++n) config += image(n, n % 2 ? "gone.bmp" : "Dot.BMP");
  skin.write("Graphics/Skin/dot.bmp", testing::makeLargeBmp(1, 1));
  resetFolderListings();
  skin.check(config);
  EXPECT_EQ(folderListings(skin.root() + "/Graphics/Skin/"), 1);
  EXPECT_EQ(mostFolderListings(), 1);

  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(skin.root()));
  resetFolderListings();
  NoManualWindow manual;
  Gfx_Load_Manual(manual, skin.root() + "/Config.ini");
  QDir::setCurrent(previous);
  EXPECT_EQ(folderListings("Graphics/Manual/"), 1);
}

}  // namespace
}  // namespace tavro
