// The LCD segment model and the Vid_ display operations.
#include <gtest/gtest.h>

#include <climits>

#include "DeviceFakes.h"
#include "device/Lcd.h"

namespace tavro::testing {
namespace {

class LcdTest : public ::testing::Test {
 protected:
  RecordingDisplay display;
  Lcd lcd{display};
};

TEST_F(LcdTest, StartsHiddenAndEmpty) {
  for (int image = 1; image <= kSkinImageCount; ++image) {
    EXPECT_FALSE(lcd.visible(SkinImage(image))) << image;
  }
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(lcd.digit(p), -1);
  EXPECT_EQ(lcd.visibleSegmentCount(), 0);
}

TEST_F(LcdTest, PanelScoreBlanksLeadingZerosAndWrapsAtTenThousand) {
  const struct {
    int32_t value;
    const char* shown;
  } cases[] = {
      {7, "   7"},  {0, "   0"},     {1200, "1200"},      {10000, "   0"}, {12345, "2345"},
      {99, "  99"}, {100, " 100"},   {9999, "9999"},      {20010, "  10"}, {INT32_MAX, "3647"},
      {-5, "   5"}, {-1200, "1200"}, {INT32_MIN, "3648"},
  };
  lcd.Vid_Show_All(false);
  for (const auto& c : cases) {
    lcd.Vid_Show_Panel_Score(c.value, true);
    EXPECT_EQ(lcd.panelText(), c.shown) << "value " << c.value;
  }
  lcd.Vid_Show_Panel_Score(1234, false);
  EXPECT_EQ(lcd.panelText(), "    ");
  for (int p = 1; p <= 4; ++p) EXPECT_EQ(lcd.digit(p), -1);
}

TEST_F(LcdTest, PanelScoreLeavesTheColonAlone) {
  lcd.setVisible(im_panel_time_colon, true);
  lcd.Vid_Show_Panel_Score(42, true);
  lcd.Vid_Show_Panel_Score(42, false);
  EXPECT_TRUE(lcd.visible(im_panel_time_colon));
}

TEST_F(LcdTest, SegmentTestLightsAllFiftyEightSegmentsAnd8888) {
  lcd.Vid_Show_All(true);
  EXPECT_EQ(lcd.visibleSegmentCount(), 58) << lcd.render();
  EXPECT_EQ(lcd.panelText(), "8888");
  for (int i = 1; i <= 10; ++i) EXPECT_TRUE(lcd.visible(im_panel_miss(i)));
  EXPECT_TRUE(lcd.visible(im_panel_bell));
  // Digit pictures and buttons are not segments.
  for (int d = 0; d <= 9; ++d) EXPECT_FALSE(lcd.visible(im_panel_number(d)));
  EXPECT_FALSE(lcd.visible(btn_left_down));
}

TEST_F(LcdTest, AllOffKeepsDigitPositionsShownWithEmptyPictures) {
  lcd.Vid_Show_All(true);
  lcd.Vid_Show_All(false);
  EXPECT_EQ(lcd.visibleSegmentCount(), 4);
  for (int p = 1; p <= 4; ++p) {
    EXPECT_TRUE(lcd.visible(im_panel_digit_pos(p)));
    EXPECT_EQ(lcd.digit(p), -1);
  }
  // A digit given later is seen without any show operation.
  display.calls.clear();
  lcd.setDigit(2, 5);
  const std::vector<DisplayCall> expected = {{im_panel_digit_pos(2), true, 5}};
  EXPECT_EQ(display.calls, expected);
}

TEST_F(LcdTest, ShowAllFollowsTheFixedOrderAndForwardsOnlyChanges) {
  lcd.Vid_Show_All(true);
  ASSERT_GE(display.calls.size(), 19u);
  const SkinImage first[] = {im_panel_game_a,       im_panel_game_b,       im_panel_time_1,
                             im_panel_time_2,       im_panel_time_am,      im_panel_time_pm,
                             im_panel_bell,         im_panel_alarm,        im_panel_date,
                             im_panel_chrono,       im_panel_time_colon,   im_panel_digit_pos_1,
                             im_panel_digit_pos(2), im_panel_digit_pos(3), im_panel_digit_pos(4)};
  for (size_t i = 0; i < std::size(first); ++i) {
    EXPECT_EQ(display.calls[i], (DisplayCall{first[i], false, 1})) << i;
  }
  for (int p = 1; p <= 4; ++p) {
    EXPECT_EQ(display.calls[14 + p], (DisplayCall{im_panel_digit_pos(p), true, 8}));
  }
  EXPECT_EQ(display.calls[19], (DisplayCall{im_panel_miss_01, false, 1}));
  EXPECT_EQ(display.calls.back(), (DisplayCall{im_item_3_target, false, 1}));
  // 58 segments shown and four digits given, each once.
  EXPECT_EQ(display.calls.size(), 62u);
  display.calls.clear();
  lcd.Vid_Show_All(true);
  EXPECT_TRUE(display.calls.empty());
}

TEST_F(LcdTest, HeroPosesTouchOnlyTheirColumn) {
  lcd.Vid_Show_All_Hero(true);
  lcd.Vid_Show_Hero(2, kHeroCatching);
  EXPECT_TRUE(lcd.visible(im_hero(2, 1)));
  EXPECT_FALSE(lcd.visible(im_hero(2, 2)));
  EXPECT_TRUE(lcd.visible(im_hero(2, 3)));
  for (int c : {1, 3}) {
    for (int i = 1; i <= 3; ++i) EXPECT_TRUE(lcd.visible(im_hero(c, i)));
  }
  lcd.Vid_Show_Hero(2, kHeroStanding);
  EXPECT_TRUE(lcd.visible(im_hero(2, 2)));
  EXPECT_FALSE(lcd.visible(im_hero(2, 3)));
  lcd.Vid_Show_Hero(2, kHeroHidden);
  for (int i = 1; i <= 3; ++i) EXPECT_FALSE(lcd.visible(im_hero(2, i)));
  // Unknown poses and columns change nothing.
  display.calls.clear();
  lcd.Vid_Show_Hero(2, 3);
  lcd.Vid_Show_Hero(0, kHeroStanding);
  lcd.Vid_Show_Hero(4, kHeroStanding);
  EXPECT_TRUE(display.calls.empty());
}

TEST_F(LcdTest, MissMarksCountFromTheLeftAndClampAtBothEnds) {
  lcd.Vid_Show_Panel_Miss(3);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(lcd.visible(im_panel_miss(i)), i <= 3) << i;
  lcd.Vid_Show_Panel_Miss(25);
  for (int i = 1; i <= 10; ++i) EXPECT_TRUE(lcd.visible(im_panel_miss(i)));
  lcd.Vid_Show_Panel_Miss(-2);
  for (int i = 1; i <= 10; ++i) EXPECT_FALSE(lcd.visible(im_panel_miss(i)));
}

TEST_F(LcdTest, OutOfRangeArgumentsAreIgnored) {
  lcd.setVisible(SkinImage(0), true);
  lcd.setVisible(SkinImage(82), true);
  lcd.setDigit(0, 3);
  lcd.setDigit(5, 3);
  EXPECT_TRUE(display.calls.empty());
  lcd.setDigit(1, 12);  // not a digit: empty picture, which it already has
  EXPECT_TRUE(display.calls.empty());
  EXPECT_FALSE(lcd.visible(SkinImage(-3)));
  EXPECT_EQ(lcd.digit(9), -1);
}

TEST_F(LcdTest, RenderShowsTheLcdAsText) {
  lcd.Vid_Show_All(false);
  lcd.setVisible(im_panel_game_a, true);
  lcd.setVisible(im_item(3, 5), true);
  lcd.Vid_Show_Hero(3, kHeroStanding);
  lcd.Vid_Show_Panel_Score(17, true);
  lcd.Vid_Show_Panel_Miss(2);
  lcd.setVisible(btn_left_down, true);
  const std::string text = lcd.render();
  EXPECT_NE(text.find("GAME_A"), std::string::npos) << text;
  EXPECT_NE(text.find("[  17]"), std::string::npos) << text;
  EXPECT_NE(text.find("XX--------"), std::string::npos) << text;
  EXPECT_NE(text.find("row 5:  . . o"), std::string::npos) << text;
  EXPECT_NE(text.find("hero:   . . H"), std::string::npos) << text;
  EXPECT_NE(text.find("buttons: LEFT"), std::string::npos) << text;
}

}  // namespace
}  // namespace tavro::testing
