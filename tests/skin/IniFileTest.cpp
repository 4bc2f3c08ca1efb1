// Config.ini reading: names, values, defaults, comments and repeats.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>

#include "skin/IniFile.h"

namespace tavro {
namespace {

TEST(IniFile, SectionAndKeyNamesIgnoreCase) {
  const IniFile ini = IniFile::fromText("[Image5]\nFilename=a.bmp\n[COMMON]\ngamewidth=300\n");
  EXPECT_EQ(ini.readString("image5", "FILENAME", "x"), "a.bmp");
  EXPECT_EQ(ini.readString("IMAGE5", "filename", "x"), "a.bmp");
  EXPECT_EQ(ini.readInteger("Common", "GameWidth", 561), 300);
}

TEST(IniFile, ValueIsTrimmedAndLosesOnePairOfQuotes) {
  const IniFile ini = IniFile::fromText(
      "[S]\n"
      "  Plain =  \t value with  inner  blanks \t \n"
      "Double=\"  quoted  \"\n"
      "Single=' single '\n"
      "Nested=\"\"twice\"\"\n"
      "Unbalanced=\"open\n"
      "Mixed=\"a'\n"
      "Lone=\"\n"
      "Equals=a=b=c\n");
  EXPECT_EQ(ini.readString("S", "Plain", ""), "value with  inner  blanks");
  EXPECT_EQ(ini.readString("S", "Double", ""), "  quoted  ");
  EXPECT_EQ(ini.readString("S", "Single", ""), " single ");
  EXPECT_EQ(ini.readString("S", "Nested", ""), "\"twice\"");
  EXPECT_EQ(ini.readString("S", "Unbalanced", ""), "\"open");
  EXPECT_EQ(ini.readString("S", "Mixed", ""), "\"a'");
  EXPECT_EQ(ini.readString("S", "Lone", ""), "\"");
  EXPECT_EQ(ini.readString("S", "Equals", ""), "a=b=c");
}

TEST(IniFile, ValuesAreCutTo2047Characters) {
  const std::string longValue(5000, 'v');
  const IniFile ini =
      IniFile::fromText("[S]\nLong=" + longValue + "\nExact=" + std::string(2047, 'e') +
                        "\nQuoted=\"" + std::string(2047, 'q') + "\"\n");
  EXPECT_EQ(ini.readString("S", "Long", ""), std::string(2047, 'v'));
  EXPECT_EQ(ini.readString("S", "Exact", ""), std::string(2047, 'e'));
  EXPECT_EQ(ini.readString("S", "Quoted", ""), std::string(2047, 'q'));
  EXPECT_EQ(ini.readString("S", "Missing", std::string(3000, 'd')), std::string(2047, 'd'));
}

TEST(IniFile, MissingGivesDefaultButEmptyGivesEmptyText) {
  const IniFile ini = IniFile::fromText("[Common]\nSkinDir=\nGameWidth=\nGameHeight=  \n");
  EXPECT_EQ(ini.readString("Common", "SkinDir", "Graphics\\Skin\\"), "");
  EXPECT_EQ(ini.readString("Common", "Absent", "Graphics\\Skin\\"), "Graphics\\Skin\\");
  EXPECT_EQ(ini.readString("Nowhere", "SkinDir", "dflt"), "dflt");
  EXPECT_EQ(ini.readInteger("Common", "GameWidth", 561), 561);
  EXPECT_EQ(ini.readInteger("Common", "GameHeight", 374), 374);
  EXPECT_EQ(ini.readInteger("Common", "Absent", 7), 7);
}

TEST(IniFile, IntegersUseTheIniNotationAndFallBackToTheDefault) {
  const IniFile ini = IniFile::fromText(
      "[Common]\nA=0x200\nB=word\nC=-40\nD=$20\nE=12abc\nF=\"17\"\nG=99999999999\n");
  EXPECT_EQ(ini.readInteger("Common", "A", 561), 512);
  EXPECT_EQ(ini.readInteger("Common", "B", 561), 561);
  EXPECT_EQ(ini.readInteger("Common", "C", 0), -40);
  EXPECT_EQ(ini.readInteger("Common", "D", 0), 32);
  EXPECT_EQ(ini.readInteger("Common", "E", 5), 5);
  EXPECT_EQ(ini.readInteger("Common", "F", 5), 17);
  EXPECT_EQ(ini.readInteger("Common", "G", 5), 5);
}

TEST(IniFile, CommentsBlankLinesAndLinesWithoutEqualsAreIgnored) {
  const IniFile ini = IniFile::fromText(
      "; leading comment\n"
      "Orphan=before any section\n"
      "[S]\n"
      "  ; Key=commented out\n"
      "just some words\n"
      "\n"
      "Key=value ; not a comment\n");
  EXPECT_EQ(ini.readString("S", "Key", "d"), "value ; not a comment");
  EXPECT_EQ(ini.readString("S", "; Key", "d"), "d");
  EXPECT_EQ(ini.readString("", "Orphan", "d"), "d");
}

TEST(IniFile, FirstOccurrenceOfASectionOrKeyWins) {
  const IniFile ini = IniFile::fromText(
      "[Image1]\nFilename=first.bmp\nfilename=second.bmp\n"
      "[Other]\nKey=x\n"
      "[IMAGE1]\nFilename=third.bmp\nLeft=10\n");
  EXPECT_EQ(ini.readString("Image1", "Filename", ""), "first.bmp");
  // Keys of a repeated section are not seen: only the first section counts.
  EXPECT_EQ(ini.readInteger("Image1", "Left", 0), 0);
  EXPECT_EQ(ini.readString("Other", "Key", ""), "x");
}

TEST(IniFile, SectionHeadersToleratesBlanksAndBrokenBrackets) {
  const IniFile ini = IniFile::fromText(
      "  [ Common ]  \nA=1\n"
      "[Broken\nB=2\n"
      "[Image1] trailing\nC=3\n");
  EXPECT_EQ(ini.readInteger("Common", "A", 0), 1);
  // "[Broken" is no header, so B still belongs to Common.
  EXPECT_EQ(ini.readInteger("Common", "B", 0), 2);
  EXPECT_EQ(ini.readInteger("Image1", "C", 0), 3);
}

TEST(IniFile, CrlfLineEndsAndByteOrderMark) {
  const IniFile ini =
      IniFile::fromText("\xEF\xBB\xBF[Common]\r\nSkinDir=Skins\\Retro\r\nGameWidth=320\r\n\r\n");
  EXPECT_EQ(ini.readString("Common", "SkinDir", ""), "Skins\\Retro");
  EXPECT_EQ(ini.readInteger("Common", "GameWidth", 0), 320);
}

TEST(IniFile, EmptyAndBinaryTextDoNotFail) {
  EXPECT_EQ(IniFile::fromText("").readString("S", "K", "d"), "d");
  std::string junk;
  for (int i = 0; i < 4096; ++i) junk += static_cast<char>((i * 7919) % 256);
  const IniFile ini = IniFile::fromText(junk + "\n[S]\nK=v\n");
  EXPECT_EQ(ini.readString("S", "K", "d"), "v");
}

TEST(IniFile, OpenReadsAFileAndRefusesMissingOnesAndFolders) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string path = dir.filePath("Config.ini").toStdString();
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Manual]\r\nManualWidth=415\r\n";
  }
  const std::optional<IniFile> ini = IniFile::open(path);
  ASSERT_TRUE(ini.has_value());
  EXPECT_EQ(ini->readInteger("manual", "manualwidth", 0), 415);

  EXPECT_FALSE(IniFile::open(dir.filePath("absent.ini").toStdString()).has_value());
  EXPECT_FALSE(IniFile::open(dir.path().toStdString()).has_value());
}

// The outline numbers the lines the reader takes and marks the ones it
// ignores; the lookups of the same text see only the first occurrences.
TEST(IniFile, OutlineNumbersLinesAndMarksRepeats) {
  const std::string text =
      "\xEF\xBB\xBFstray=1\r\n"  // 1: before any section
      "; comment\n"              // 2
      "[Image5]\n"               // 3
      "Filename = a.bmp\n"       // 4
      "\n"                       // 5
      "FILENAME=b.bmp\n"         // 6: repeated key
      "no equals here\n"         // 7
      "[image5]\n"               // 8: repeated section
      "Left=3\n"                 // 9: in the repeated section
      "[Other\n";                // 10: no closing bracket: an ordinary line
  using Kind = IniLine::Kind;
  struct Row {
    int number;
    Kind kind;
    const char* section;
    const char* key;
    const char* value;
    bool repeated;
  };
  const Row expected[] = {
      {1, Kind::Outside, "", "stray", "1", false},
      {3, Kind::Section, "Image5", "", "", false},
      {4, Kind::Key, "Image5", "Filename", "a.bmp", false},
      {6, Kind::Key, "Image5", "FILENAME", "b.bmp", true},
      {7, Kind::NoEquals, "Image5", "no equals here", "", false},
      {8, Kind::Section, "image5", "", "", true},
      {9, Kind::Key, "image5", "Left", "3", true},
      {10, Kind::NoEquals, "image5", "[Other", "", true},
  };
  const std::vector<IniLine> lines = IniFile::outline(text);
  ASSERT_EQ(lines.size(), std::size(expected));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    SCOPED_TRACE(expected[i].number);
    EXPECT_EQ(lines[i].number, expected[i].number);
    EXPECT_EQ(lines[i].kind, expected[i].kind);
    EXPECT_EQ(lines[i].section, expected[i].section);
    EXPECT_EQ(lines[i].key, expected[i].key);
    EXPECT_EQ(lines[i].value, expected[i].value);
    EXPECT_EQ(lines[i].repeated, expected[i].repeated);
  }
  const IniFile ini = IniFile::fromText(text);
  EXPECT_EQ(ini.readString("Image5", "Filename", "x"), "a.bmp");
  EXPECT_EQ(ini.readInteger("Image5", "Left", -1), -1);
  EXPECT_EQ(ini.readString("", "stray", "none"), "none");
}

}  // namespace
}  // namespace tavro
