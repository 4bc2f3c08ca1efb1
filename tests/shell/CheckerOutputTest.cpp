// What --check-skin, --help and --version print: text from files and paths
// escaped and shortened so that a skin cannot drive the terminal or forge a
// line, and a non-zero exit status when the output cannot be written.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>

#include "shell/CommandLine.h"
#include "shell/PrintableText.h"
#include "shell/SkinChecker.h"

namespace tavro {
namespace {

TEST(PrintableText, EscapesWhatATerminalActsOnAndShortensLongText) {
  const struct {
    std::string text;
    std::size_t limit;
    const char* shown;
  } cases[] = {
      {"Graphics\\Skin\\Körper.bmp", 200, "Graphics\\Skin\\Körper.bmp"},
      {"a\tb\nc\rd", 200, "a\\tb\\nc\\rd"},
      {std::string("\x1b[2J\0\x7f", 6), 200, "\\x1b[2J\\x00\\x7f"},
      {"\xc2\x9b"
       "31m",
       200, "\\u009b31m"},  // C1 control sequence introducer
      {"\xe2\x80\xae"
       "gpj.exe",
       200, "\\u202egpj.exe"},           // right-to-left override
      {"\xe2\x80\xa8", 200, "\\u2028"},  // line separator
      {"\xff\xc0\xaf\xed\xa0\x80", 200, "\\xff\\xc0\\xaf\\xed\\xa0\\x80"},  // not UTF-8
      {"abcdef", 3, "abc…(3 more characters)"},
      {"üüüüü", 2, "üü…(3 more characters)"},
      {std::string(5, '\n'), 1, "\\n…(4 more characters)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(shown(c.text, c.limit), c.shown) << c.shown;
  }
}

// A skin folder whose name and Config.ini carry control characters and
// endless values: every printed line is one line, without control
// characters, and short.
TEST(CheckerOutput, HostileNamesAndValuesArePrintedEscapedAndShortened) {
  QTemporaryDir dir;
  const QString folder = dir.filePath("skin\nforged.ini:1: error: \x1b[2J");
  ASSERT_TRUE(QDir().mkpath(folder));
  QFile config(folder + "/Config.ini");
  ASSERT_TRUE(config.open(QIODevice::WriteOnly));
  config.write(QByteArray("[Common]\nGameWidth=\x1b]0;title\x07\nGameHeight=") +
               QByteArray(300, '9') + "\n[Image2]\nFil" + QByteArray(1, '\0') + "name=x\n");
  config.write(QByteArray(200000, 'y') + "\n");
  config.close();

  std::ostringstream out, err;
  EXPECT_EQ(runCommandLine({"--check-skin", folder.toStdString()}, out, err), 1);
  const std::string text = out.str();
  for (const char* expected :
       {"skin\\nforged.ini:1: error: \\x1b[2J/Config.ini:2: warning: [Common] GameWidth: "
        "'\\x1b]0;title\\x07' is not a valid integer",
        "'99999", "9…(100 more characters)' is not a valid integer",
        "[Image2] Fil\\x00name: unknown key", "'yyyy", "y…(199800 more characters)' has no '='"}) {
    EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
  }
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LT(line.size(), 1000u) << line.substr(0, 100);
    for (unsigned char c : line) ASSERT_GE(c, 0x20) << line;
  }
}

// A stream that takes nothing, as stdout on a full disk.
class FullDisk : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(CheckerOutput, OutputThatCannotBeWrittenExitsWithStatus3) {
  const std::string dist = std::getenv("TAVRO_TEST_DIST");
  const std::vector<std::vector<std::string>> cases{
      {"--help"}, {"--version"}, {"--check-skin", dist}};
  for (const auto& args : cases) {
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream err;
    EXPECT_EQ(runCommandLine(args, out, err), 3) << args[0];
    EXPECT_EQ(err.str(), "tavro50: the output could not be written\n") << args[0];
  }
  // The executable, with stdout on a full device and closed.
  const QString program = QString::fromStdString(dist + "/tavro50");
  for (const auto& args : cases) {
    QStringList arguments;
    for (const std::string& arg : args) arguments << QString::fromStdString(arg);
    QProcess full;
    full.setStandardOutputFile("/dev/full");
    full.start(program, arguments);
    ASSERT_TRUE(full.waitForFinished(60000));
    EXPECT_EQ(full.exitCode(), 3) << args[0] << " >/dev/full";
    QProcess closed;
    closed.start("/bin/sh", QStringList{"-c", "exec \"$0\" \"$@\" >&-", program} + arguments);
    ASSERT_TRUE(closed.waitForFinished(60000));
    EXPECT_EQ(closed.exitCode(), 3) << args[0] << " >&-";
  }
}

}  // namespace
}  // namespace tavro
