// The skin checker: the default skin is clean, a skin with one mistake of
// each kind gets each reported once where it stands, and the executable's
// exit status and output without a display.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "shell/CommandLine.h"
#include "shell/SkinChecker.h"

namespace tavro {
namespace {

std::string distFolder() {
  return std::getenv("TAVRO_TEST_DIST");
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  file.write(bytes);
}

void writeImage(const QString& path, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::blue);
  ASSERT_TRUE(image.save(path)) << path.toStdString();
}

// A WAV of four silent 16-bit mono frames.
QByteArray silentWav() {
  QByteArray wav(
      "RIFF\x2c\0\0\0WAVEfmt "
      "\x10\0\0\0\x01\0\x01\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0data\x08\0\0\0",
      44);
  return wav + QByteArray(8, '\0');
}

// One mistake of each kind; the line numbers are those of the table below.
constexpr const char* kBrokenConfig =
    "[Common]\n"             // 1
    "GameWidth=100\n"        // 2
    "GameHeight=50\n"        // 3
    "[VideoMode]\n"          // 4
    "TranspColor=pink\n"     // 5  invalid colour
    "[Image1]\n"             // 6
    "Filename=body.bmp\n"    // 7  body@2x.bmp is not twice its size
    "Width=100\n"            // 8
    "Height=50\n"            // 9
    "[Image2]\n"             // 10
    "Filname=seg.png\n"      // 11 unknown key
    "[Image3]\n"             // 12
    "Filename=gone.bmp\n"    // 13 missing picture
    "[Image4]\n"             // 14
    "Filename=broken.bmp\n"  // 15 does not decode
    "[Image5]\n"             // 16
    "Filename=seg.gif\n"     // 17 unknown extension
    "[Image6]\n"             // 18
    "Filename=seg.png\n"     // 19
    "Width=20\n"             // 20 the 10x10 picture does not fill 20x10
    "Height=10\n"            // 21
    "[Image7]\n"             // 22
    "Filename=seg.png\n"     // 23
    "Left=95\n"              // 24 outside the 100-pixel game area
    "Width=10\n"             // 25
    "Height=10\n"            // 26
    "[Image9]\n"             // 27
    "Left=1\n"               // 28
    "Left=2\n"               // 29 repeated key
    "Top=abc\n"              // 30 invalid integer
    "[Image1]\n"             // 31 repeated section
    "Filename=other.bmp\n"   // 32
    "[Manual]\n"             // 33
    "ManualWidth=40\n"       // 34
    "ManualHeight=30\n";     // 35 page 6 is missing

struct Expected {
  Severity severity;
  int line;
  const char* section;
  const char* key;
  const char* text;  // a part of the message
};

const Expected kBrokenSkinProblems[] = {
    {Severity::Error, 5, "VideoMode", "TranspColor", "'pink' is not a valid integer value"},
    {Severity::Warning, 7, "Image1", "Filename", "is 150x100, not twice the size"},
    {Severity::Warning, 11, "Image2", "Filname", "unknown key, ignored (did you mean Filename?)"},
    {Severity::Error, 13, "Image3", "Filename", "gone.bmp\" not found: the missing-image marker"},
    {Severity::Error, 15, "Image4", "Filename", "does not load (Bitmap image is not valid)"},
    {Severity::Error, 17, "Image5", "Filename", "Unknown picture file extension (.gif)"},
    {Severity::Warning, 20, "Image6", "Width", "is 10x10, its control 20x10: it does not fill it"},
    {Severity::Warning, 24, "Image7", "Left", "reaches outside the game area 100x50"},
    {Severity::Warning, 29, "Image9", "Left", "repeated key, ignored: the first one, at line 28"},
    {Severity::Warning, 30, "Image9", "Top", "'abc' is not a valid integer: the default 0"},
    {Severity::Warning, 31, "Image1", "", "repeated section, ignored"},
    {Severity::Error, 0, "Manual", "ManualDir", "6.bmp\" not found"},
    {Severity::Warning, 0, "", "", "(not a Waveform file)): the Move cue stays silent"},
};

// Builds the broken skin in a fresh folder.
class BrokenSkin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    ASSERT_TRUE(QDir(root).mkpath("Graphics/Skin"));
    ASSERT_TRUE(QDir(root).mkpath("Graphics/Manual"));
    ASSERT_TRUE(QDir(root).mkpath("Sound"));
    writeFile(root + "/Config.ini", kBrokenConfig);
    const QString skin = root + "/Graphics/Skin/";
    writeImage(skin + "body.bmp", 100, 50);
    writeImage(skin + "body@2x.bmp", 150, 100);
    writeImage(skin + "seg.png", 10, 10);
    writeFile(skin + "seg.gif", "GIF89a");
    writeFile(skin + "broken.bmp", "BM not a bitmap");
    for (int page = 1; page <= 8; ++page) {
      if (page != 6) writeImage(root + QString("/Graphics/Manual/%1.bmp").arg(page), 40, 30);
    }
    for (const char* cue : {"Gameover", "Got", "Miss", "Start"}) {
      writeFile(root + "/Sound/" + cue + ".wav", silentWav());
    }
    writeFile(root + "/Sound/Move.wav", "not a sound");
  }

  std::string folder() const { return dir.path().toStdString(); }

  QTemporaryDir dir;
};

std::string listed(const std::vector<SkinProblem>& problems) {
  std::string text;
  for (const SkinProblem& problem : problems) text += formatProblem(problem) + '\n';
  return text;
}

TEST(SkinChecker, DefaultSkinHasNoProblem) {
  const std::vector<SkinProblem> problems = checkSkin(distFolder());
  EXPECT_TRUE(problems.empty()) << listed(problems);
}

TEST_F(BrokenSkin, ReportsEachMistakeOnceWhereItStands) {
  const std::vector<SkinProblem> problems = checkSkin(folder());
  EXPECT_EQ(problems.size(), std::size(kBrokenSkinProblems)) << listed(problems);
  for (const Expected& expected : kBrokenSkinProblems) {
    int found = 0;
    for (const SkinProblem& problem : problems) {
      if (problem.message.find(expected.text) != std::string::npos) {
        ++found;
        EXPECT_EQ(problem.severity, expected.severity) << expected.text;
        EXPECT_EQ(problem.line, expected.line) << expected.text;
        EXPECT_EQ(problem.section, expected.section) << expected.text;
        EXPECT_EQ(problem.key, expected.key) << expected.text;
      }
    }
    EXPECT_EQ(found, 1) << expected.text << "\n" << listed(problems);
  }
  EXPECT_EQ(problemSummary(problems), "5 errors, 8 warnings");
}

TEST_F(BrokenSkin, MissingFoldersAreReportedOnceEach) {
  ASSERT_TRUE(QDir(dir.path() + "/Graphics").removeRecursively());
  ASSERT_TRUE(QDir(dir.path() + "/Sound").removeRecursively());
  const std::string text = listed(checkSkin(folder()));
  for (const char* expected : {"[Common] SkinDir: folder", "[Manual] ManualDir: folder",
                               "Sound: error: folder not found"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  EXPECT_EQ(text.find("not found: the missing-image marker is shown"), std::string::npos) << text;
}

// Without a Config.ini the program ends: nothing else is worth a report.
TEST(SkinChecker, ConfigThatStopsTheProgramIsTheOnlyProblem) {
  struct Case {
    const char* name;
    void (*make)(const QString& path);
    const char* text;
  } cases[] = {
      {"missing", [](const QString&) {}, "not found"},
      {"folder", [](const QString& path) { QDir().mkpath(path); }, "not found"},
      {"too large", [](const QString& path) { writeFile(path, QByteArray(5 << 20, ';')); },
       "too large"},
  };
  for (const Case& c : cases) {
    QTemporaryDir dir;
    c.make(dir.path() + "/Config.ini");
    const std::vector<SkinProblem> problems = checkSkin(dir.path().toStdString());
    ASSERT_EQ(problems.size(), 1u) << c.name << "\n" << listed(problems);
    EXPECT_EQ(problems[0].severity, Severity::Error) << c.name;
    EXPECT_EQ(problems[0].file, dir.path().toStdString() + "/Config.ini") << c.name;
    EXPECT_EQ(problems[0].message.rfind(c.text, 0), 0u) << c.name << ": " << problems[0].message;
  }
}

// Options decided without running a check: the exit status, or the window.
TEST(CommandLine, OptionsAndTheirExitStatus) {
  struct Case {
    std::vector<std::string> args;
    int status;  // -1: the program opens its window
    const char* out;
    const char* err;
  } cases[] = {
      {{}, -1, "", ""},
      {{"-platform", "offscreen", "-style=fusion", "--reverse"}, -1, "", ""},
      {{"stray"}, -1, "", ""},
      {{"--help"}, 0, "Usage: tavro50 [OPTION]", ""},
      {{"-h", "--bogus"}, 2, "", "tavro50: unknown option '--bogus' (see tavro50 --help)\n"},
      {{"--version"}, 0, "Tavro50 5.0.0\n", ""},
      {{"--check-skin", "a", "b"}, 2, "", "tavro50: --check-skin takes one folder"},
      {{"-x"}, 2, "", "unknown option '-x'"},
  };
  for (const Case& c : cases) {
    std::ostringstream out, err;
    const std::optional<int> status = runCommandLine(c.args, out, err);
    const std::string name = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(status.value_or(-1), c.status) << name;
    EXPECT_EQ(out.str().rfind(c.out, 0), 0u) << name << ": " << out.str();
    EXPECT_NE(err.str().find(c.err), std::string::npos) << name << ": " << err.str();
    EXPECT_EQ(err.str().empty(), std::string(c.err).empty()) << name;
  }
}

// The real executable, with no display to open a window on.
TEST_F(BrokenSkin, ExecutableExitStatusAndSummaryWithoutDisplay) {
  const QString program = QString::fromStdString(distFolder() + "/tavro50");
  ASSERT_TRUE(QFile::exists(program));
  struct Case {
    QStringList args;
    int status;
    const char* lastLine;
  } cases[] = {
      {{"--check-skin", QString::fromStdString(distFolder())}, 0, "0 errors, 0 warnings"},
      {{"--check-skin", dir.path()}, 1, "5 errors, 8 warnings"},
      {{"--check-skin=" + dir.path() + "/nothing-here"}, 1, "1 error, 0 warnings"},
      {{"--check-skin"}, 0, "0 errors, 0 warnings"},  // the executable's own
      {{"--version"}, 0, "Tavro50 5.0.0"},
      {{"--no-such-option"}, 2, ""},
  };
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  env.remove("TAVRO_CONFIG_DIR");
  env.insert("QT_QPA_PLATFORM", "xcb");  // would fail without a display
  for (const Case& c : cases) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, c.args);
    ASSERT_TRUE(process.waitForFinished(60000)) << c.args.join(' ').toStdString();
    const QStringList out =
        QString(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList err = QString(process.readAllStandardError()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), c.status) << c.args.join(' ').toStdString();
    EXPECT_EQ(out.isEmpty() ? QString() : out.last(), c.lastLine) << c.args.join(' ').toStdString();
    EXPECT_EQ(err.size(), c.status == 2 ? 1 : 0) << err.join('\n').toStdString();
  }
}

}  // namespace
}  // namespace tavro
