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

}  // namespace
}  // namespace tavro
