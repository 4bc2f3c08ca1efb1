// What the checker reports and prints: the fullscreen and windowed verdicts
// on the pixel budget apart, every manual page after one the load stops at,
// controls at the ends of the 32-bit range, each folder listed once; text
// from files and paths escaped and shortened; and exit status 3 when the
// output cannot be written.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/PrintableText.h"
#include "shell/SkinChecker.h"
#include "skin/PictureFiles.h"
#include "skin/gfxinit.h"
#include "support/FolderListingCount.h"

namespace tavro {
namespace {

// A skin folder `name` with Graphics/Skin (also the backdrop folder here) and
// Graphics/Manual; check() writes its Config.ini and checks it.
class CheckedSkin {
 public:
  explicit CheckedSkin(const QString& name = "skin") : root_(dir_.filePath(name)) {
    for (const char* folder : {"/Graphics/Manual", "/Graphics/Skin"}) QDir().mkpath(root_ + folder);
  }
  void write(const QString& relative, const std::string& bytes) const {
    QFile file(root_ + "/" + relative);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  void write(const QString& relative, const testing::Bytes& bytes) const {
    write(relative, std::string(bytes.begin(), bytes.end()));
  }
  // "[Section] Key: message" of the problems whose message holds `part`.
  std::vector<std::string> check(const std::string& config, const std::string& part) const {
    write("Config.ini", config);
    std::vector<std::string> found;
    for (const SkinProblem& p : checkSkin(root())) {
      if (p.message.find(part) != std::string::npos)
        found.push_back("[" + p.section + "] " + p.key + ": " + p.message);
    }
    return found;
  }
  std::string root() const { return root_.toStdString(); }

 private:
  QTemporaryDir dir_;
  QString root_;
};

std::string image(int n, const char* file) {
  return "[Image" + std::to_string(n) + "]\nFilename=" + file + "\n";
}

// big.bmp is half the budget: two fill it, the one pixel of dot.bmp after them goes over.
TEST(SkinCheckerReport, TheBudgetErrorSaysWhichModesStopAndWhatTheOtherDoes) {
  const std::string common =
      "[Common]\nSkinDir=Graphics\\Skin\n[Fullscreen]\nBackdropDir=Graphics\\Skin\n";
  const std::string fullscreenFull = common + "BackdropFile=big.bmp\nLogoFile=big.bmp\n";
  const std::string over = std::string(kSkinTooLargeMessage) + ": ";
  const struct {
    std::string config;
    std::vector<std::string> verdicts;
  } cases[] = {
      {fullscreenFull + image(1, "dot.bmp"),
       {"[Image1] Filename: " + over +
        "a fullscreen load stops here; a windowed load takes every picture"}},
      {fullscreenFull + image(1, "big.bmp") + image(2, "big.bmp") + image(3, "dot.bmp"),
       {"[Image1] Filename: " + over +
            "a fullscreen load stops here; a windowed load stops at [Image3] Filename",
        "[Image3] Filename: " + over +
            "a windowed load stops here; a fullscreen load stops at [Image1] Filename"}},
      {common + image(1, "big.bmp") + image(2, "big.bmp") + image(3, "dot.bmp"),
       {"[Image3] Filename: " + over + "a load stops here, in either mode"}},
  };
  CheckedSkin skin;
  skin.write("Graphics/Skin/big.bmp", testing::makeLargeBmp(16384, 4096));
  skin.write("Graphics/Skin/dot.bmp", testing::makeLargeBmp(1, 1));
  for (const auto& c : cases) EXPECT_EQ(skin.check(c.config, over), c.verdicts) << c.config;
}

TEST(SkinCheckerReport, EveryManualPageIsListedAfterOneTheLoadStopsAt) {
  CheckedSkin skin;
  for (int page : {1, 3, 4, 6, 8}) {
    skin.write(QString("Graphics/Manual/%1.bmp").arg(page), testing::makeLargeBmp(40, 30));
  }
  skin.write("Graphics/Manual/2.bmp", "BM");
  skin.write("Graphics/Manual/7.bmp", "BM\x01");
  const std::string pages = "[Manual] ManualDir: picture \"" + skin.root() + "/Graphics/Manual/";
  const std::string stops = ".bmp\" does not load (Bitmap image is not valid): the load stops here";
  const std::vector<std::string> expected{
      pages + "2" + stops,
      "[Manual] ManualDir: page \"" + skin.root() +
          "/Graphics/Manual/5.bmp\" not found: the missing-image marker is shown",
      pages + "7" + stops};
  EXPECT_EQ(skin.check("[Manual]\nManualWidth=40\nManualHeight=30\n", ".bmp"), expected);
}

TEST(SkinCheckerReport, ControlsAtTheEndsOfTheIntegerRangeAreOutsideTheGameArea) {
  const std::pair<const char*, const char*> cases[] = {
      {"Left=2147483647\nWidth=10\nHeight=10\n", "[Image3] Left"},
      {"Top=2147483647\nWidth=10\nHeight=10\n", "[Image3] Top"},
      {"Left=90\nWidth=2147483647\nHeight=10\n", "[Image3] Left"},
      {"Top=-2147483648\nWidth=10\nHeight=2147483647\n", "[Image3] Top"},
  };
  CheckedSkin skin;
  for (const auto& [place, key] : cases) {
    const std::vector<std::string> found =
        skin.check("[Common]\nGameWidth=100\nGameHeight=50\n[Image3]\n" + std::string(place),
                   "reaches outside the game area 100x50");
    ASSERT_EQ(found.size(), 1u) << place;
    EXPECT_EQ(found[0].rfind(key, 0), 0u) << found[0];
  }
}

// Names missing from a folder (pictures, their @2x names, a backdrop, pages).
TEST(SkinCheckerReport, ACheckListsEachFolderOnce) {
  CheckedSkin skin;
  std::string config = "[Fullscreen]\nBackdropDir=Graphics\\Skin\nBackdropFile=gone.bmp\n";
  for (int n = 1; n <= 81; ++n) config += image(n, n % 2 ? "gone.bmp" : "Dot.BMP");
  skin.write("Graphics/Skin/dot.bmp", testing::makeLargeBmp(1, 1));
  testing::resetFolderListings();
  skin.check(config, "");
  EXPECT_EQ(testing::mostFolderListings(), 1);
}

TEST(SkinCheckerReport, PrintableTextEscapesWhatATerminalActsOnAndShortensLongText) {
  const struct {
    std::string text;
    std::size_t limit;
    const char* shown;
  } cases[] = {
      {"Graphics\\Skin\\Körper.bmp", 200, "Graphics\\Skin\\Körper.bmp"},
      {std::string("a\tb\nc\rd\x1b[2J\0\x7f", 13), 200, "a\\tb\\nc\\rd\\x1b[2J\\x00\\x7f"},
      {"[\xc2\x9b|\xe2\x80\xae|\xe2\x80\xa8", 200, "[\\u009b|\\u202e|\\u2028"},  // CSI, RLO, LS
      {"\xff\xc0\xaf\xed\xa0\x80", 200, "\\xff\\xc0\\xaf\\xed\\xa0\\x80"},       // not UTF-8
      {"üüüüü", 2, "üü…(3 more characters)"},
      {std::string(5, '\n'), 1, "\\n…(4 more characters)"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.text, c.limit), c.shown) << c.shown;
}

// A folder name and a Config.ini with control characters and endless values:
// each problem prints as one short line without control characters.
TEST(SkinCheckerReport, HostileNamesAndValuesArePrintedEscapedAndShortened) {
  CheckedSkin skin("skin\nforged.ini:1: error: \x1b[2J");
  skin.write("Config.ini", "[Common]\nGameWidth=\x1b]0;title\x07\nGameHeight=" +
                               std::string(300, '9') + "\n[Image2]\nFil" + std::string(1, '\0') +
                               "name=x\n" + std::string(200000, 'y') + "\n");
  std::ostringstream out, err;
  EXPECT_EQ(runCommandLine({"--check-skin", skin.root()}, out, err), 1);
  for (const char* expected :
       {"skin\\nforged.ini:1: error: \\x1b[2J/Config.ini:2: warning: [Common] GameWidth: "
        "'\\x1b]0;title\\x07' is not a valid integer",
        "9…(100 more characters)' is not a valid integer", "[Image2] Fil\\x00name: unknown key",
        "y…(199800 more characters)' has no '='"}) {
    EXPECT_NE(out.str().find(expected), std::string::npos) << expected << "\n" << out.str();
  }
  std::istringstream lines(out.str());
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(line.size(), 1000u) << line.substr(0, 100);
    for (unsigned char c : line) ASSERT_GE(c, 0x20) << line;
  }
}

// A stream that takes nothing, as stdout on a full disk.
class FullDisk : public std::streambuf {
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// In the function, and in the executable with stdout on a full device or closed.
TEST(SkinCheckerReport, OutputThatCannotBeWrittenExitsWithStatus3) {
  const std::string dist = std::getenv("TAVRO_TEST_DIST");
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"}, {"--version"}, {"--check-skin", dist}}) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(runCommandLine(args, out, err), 3) << args[0];
    EXPECT_EQ(err.str(), "tavro50: the output could not be written\n") << args[0];
    for (const char* redirect : {">/dev/full", ">&-"}) {
      QStringList command{"-c", QString("exec \"$0\" \"$@\" ") + redirect,
                          QString::fromStdString(dist + "/tavro50")};
      for (const std::string& arg : args) command << QString::fromStdString(arg);
      QProcess process;
      process.start("/bin/sh", command);
      ASSERT_TRUE(process.waitForFinished(60000));
      EXPECT_EQ(process.exitCode(), 3) << args[0] << redirect;
    }
  }
}

}  // namespace
}  // namespace tavro
