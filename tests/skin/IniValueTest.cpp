// The value notations: integers, offsets, flags, folders and "nil".

#include <gtest/gtest.h>

#include "skin/IniFile.h"

namespace tavro {
namespace {

TEST(IniInteger, DecimalWithBlanksAndSigns) {
  EXPECT_EQ(parseIniInteger("0"), 0);
  EXPECT_EQ(parseIniInteger("561"), 561);
  EXPECT_EQ(parseIniInteger("  \t42"), 42);
  EXPECT_EQ(parseIniInteger("+7"), 7);
  EXPECT_EQ(parseIniInteger("-40"), -40);
  EXPECT_EQ(parseIniInteger("007"), 7);
}

TEST(IniInteger, HexAfterEveryPrefix) {
  EXPECT_EQ(parseIniInteger("$20"), 32);
  EXPECT_EQ(parseIniInteger("x1f"), 31);
  EXPECT_EQ(parseIniInteger("X1F"), 31);
  EXPECT_EQ(parseIniInteger("0x200"), 512);
  EXPECT_EQ(parseIniInteger("0X200"), 512);
  EXPECT_EQ(parseIniInteger("$00ff00ff"), 0x00FF00FF);
  EXPECT_EQ(parseIniInteger("-$10"), -16);
  EXPECT_EQ(parseIniInteger("+0x10"), 16);
}

TEST(IniInteger, ThirtyTwoBitLimits) {
  EXPECT_EQ(parseIniInteger("2147483647"), 2147483647);
  EXPECT_EQ(parseIniInteger("-2147483648"), INT32_MIN);
  EXPECT_EQ(parseIniInteger("2147483648"), std::nullopt);
  EXPECT_EQ(parseIniInteger("-2147483649"), std::nullopt);
  EXPECT_EQ(parseIniInteger("99999999999999999999999"), std::nullopt);
  // Hex numbers may use all 32 bits.
  EXPECT_EQ(parseIniInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(parseIniInteger("$80000000"), INT32_MIN);
  EXPECT_EQ(parseIniInteger("0x000000000000001"), 1);
  EXPECT_EQ(parseIniInteger("$100000000"), std::nullopt);
}

TEST(IniInteger, AnythingElseIsInvalid) {
  for (const char* text : {"", " ", "+", "-", "$", "0x", "x", "12abc", "12 ", "1.5", "red", "$G0",
                           "--1", "+-1", "0x-1", "1e3", "$ 10", "\"17\""}) {
    EXPECT_EQ(parseIniInteger(text), std::nullopt) << "text: [" << text << "]";
  }
}

TEST(IniOffset, ZeroAndWordsCentreNumbersPlace) {
  EXPECT_EQ(parseOffset("0"), std::nullopt);
  EXPECT_EQ(parseOffset("$0"), std::nullopt);
  EXPECT_EQ(parseOffset("Center"), std::nullopt);
  EXPECT_EQ(parseOffset(""), std::nullopt);
  EXPECT_EQ(parseOffset("left"), std::nullopt);
  EXPECT_EQ(parseOffset("-40"), -40);
  EXPECT_EQ(parseOffset("$20"), 32);
  EXPECT_EQ(parseOffset("10"), 10);
}

TEST(IniFlag, OnlyTheLowEightBitsCount) {
  EXPECT_FALSE(flagValue(0));
  EXPECT_FALSE(flagValue(256));
  EXPECT_FALSE(flagValue(0x7FFFFF00));
  EXPECT_TRUE(flagValue(1));
  EXPECT_TRUE(flagValue(2));
  EXPECT_TRUE(flagValue(257));
  EXPECT_TRUE(flagValue(-1));
}

TEST(IniFolder, TrailingBackslashIsAddedOnce) {
  EXPECT_EQ(makeFolder("Skins\\Retro"), "Skins\\Retro\\");
  EXPECT_EQ(makeFolder("Skins\\Retro\\"), "Skins\\Retro\\");
  EXPECT_EQ(makeFolder(""), "\\");
  EXPECT_EQ(makeFolder("Graphics\\Skin\\"), "Graphics\\Skin\\");
}

TEST(IniFileName, OnlyLowerCaseNilMeansNoFile) {
  EXPECT_TRUE(isNoFile(""));
  EXPECT_TRUE(isNoFile("nil"));
  EXPECT_FALSE(isNoFile("NIL"));
  EXPECT_FALSE(isNoFile("Nil"));
  EXPECT_FALSE(isNoFile("nil.bmp"));
  EXPECT_FALSE(isNoFile(" nil"));
}

}  // namespace
}  // namespace tavro
