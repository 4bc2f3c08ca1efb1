// Clock modes: time of day, alarm, chronometer and date, with injected local time.
#include <gtest/gtest.h>

#include "DeviceFakes.h"

namespace tavro::testing {
namespace {

struct TimeCase {
  int hour, minute;
  const char* panel;
  bool am, pm;
};

class TimeOfDay : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeOfDay, ShowsTwelveHourTimeWithHalfDayIndicator) {
  const TimeCase& c = GetParam();
  DeviceRig rig;
  rig.time.set(6, 15, c.hour, c.minute);
  rig.setMode(1);
  rig.clock.advance(1);
  EXPECT_EQ(rig.device.lcd().panelText(), c.panel);
  EXPECT_EQ(rig.device.lcd().visible(im_panel_time_am), c.am);
  EXPECT_EQ(rig.device.lcd().visible(im_panel_time_pm), c.pm);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_1));
}

INSTANTIATE_TEST_SUITE_P(
    Table, TimeOfDay,
    ::testing::Values(TimeCase{0, 5, "1205", true, false}, TimeCase{0, 59, "1259", true, false},
                      TimeCase{9, 30, " 930", true, false}, TimeCase{11, 59, "1159", true, false},
                      TimeCase{12, 0, "1200", false, true}, TimeCase{12, 45, "1245", false, true},
                      TimeCase{13, 7, " 107", false, true}, TimeCase{23, 59, "1159", false, true},
                      TimeCase{1, 0, " 100", true, false}));

struct DateCase {
  int month, day;
  const char* panel;
};

class DateDisplay : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateDisplay, ShowsMonthLeftAndDayRightWithoutLeadingZeros) {
  const DateCase& c = GetParam();
  DeviceRig rig;
  rig.time.set(c.month, c.day, 10, 0);
  rig.setMode(5);
  rig.clock.advance(1);
  EXPECT_EQ(rig.device.lcd().panelText(), c.panel);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_date));
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_time_am));
}

INSTANTIATE_TEST_SUITE_P(Table, DateDisplay,
                         ::testing::Values(DateCase{1, 1, " 1 1"}, DateCase{3, 5, " 3 5"},
                                           DateCase{1, 10, " 110"}, DateCase{12, 25, "1225"},
                                           DateCase{11, 30, "1130"}));

TEST(ClockModes, ColonBlinksFromTheModeEntryAndTimeFollowsTheHost) {
  DeviceRig rig;
  rig.time.set(3, 5, 13, 7);
  rig.clock.advanceTo(10000);
  rig.setMode(1);
  const Lcd& lcd = rig.device.lcd();
  EXPECT_FALSE(lcd.visible(im_panel_time_colon));
  EXPECT_EQ(lcd.panelText(), "    ");
  rig.clock.advanceTo(10001);
  EXPECT_TRUE(lcd.visible(im_panel_time_colon));
  EXPECT_EQ(rig.device.timer(TimerId::Clock).interval(), 500);
  rig.clock.advanceTo(10500);
  EXPECT_TRUE(lcd.visible(im_panel_time_colon));
  rig.time.set(3, 5, 13, 8);
  rig.clock.advanceTo(10501);
  EXPECT_FALSE(lcd.visible(im_panel_time_colon));
  EXPECT_EQ(lcd.panelText(), " 108");
  rig.clock.advanceTo(11001);
  EXPECT_TRUE(lcd.visible(im_panel_time_colon));
}

TEST(ClockModes, TimeTwoKeepsDigitsAndBlink) {
  DeviceRig rig;
  rig.time.set(3, 5, 9, 41);
  rig.setMode(1);
  rig.clock.advanceTo(700);  // colon on at 1, off at 501
  ASSERT_FALSE(rig.device.lcd().visible(im_panel_time_colon));
  rig.pressTime();
  EXPECT_EQ(rig.device.device_mode, 2);
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_time_1));
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_2));
  EXPECT_EQ(rig.device.lcd().panelText(), " 941");
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_am));
  rig.clock.advanceTo(1000);
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_time_colon)) << "blink was not restarted";
  rig.clock.advanceTo(1001);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_colon));
}

TEST(ClockModes, AlarmShowsTwelveNoonWithoutHalfDayAndBlinks) {
  DeviceRig rig;
  rig.time.set(3, 5, 15, 0);
  rig.setMode(1);
  rig.clock.advance(1);
  ASSERT_TRUE(rig.device.lcd().visible(im_panel_time_pm));
  rig.pressTime();
  rig.pressTime();
  EXPECT_EQ(rig.device.device_mode, 3);
  const int64_t entry = rig.clock.now();
  EXPECT_EQ(rig.device.lcd().panelText(), "1200");
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_alarm));
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_time_pm));
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_time_am));
  EXPECT_FALSE(rig.device.timer(TimerId::Clock).enabled());
  rig.clock.advanceTo(entry + 1);
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_colon));
  rig.clock.advanceTo(entry + 501);
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_time_colon));
  rig.clock.advanceTo(entry + 60000);
  EXPECT_EQ(rig.device.lcd().panelText(), "1200");
}

TEST(ClockModes, ChronometerIsSteadyZero) {
  DeviceRig rig;
  rig.setMode(3);
  rig.clock.advance(1234);
  rig.pressTime();
  EXPECT_EQ(rig.device.device_mode, 4);
  rig.display.calls.clear();
  rig.clock.advance(60000);
  EXPECT_TRUE(rig.display.calls.empty());
  EXPECT_EQ(rig.device.lcd().panelText(), "0000");
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_time_colon));
  EXPECT_TRUE(rig.device.lcd().visible(im_panel_chrono));
  EXPECT_FALSE(rig.device.lcd().visible(im_panel_alarm));
  EXPECT_EQ(rig.clock.nextDue(), std::nullopt);
}

TEST(ClockModes, OnlyTheCurrentModesTimerRuns) {
  DeviceRig rig;
  rig.setMode(1);
  rig.clock.advance(2000);
  rig.setMode(5);
  EXPECT_FALSE(rig.device.timer(TimerId::Clock).enabled());
  EXPECT_TRUE(rig.device.timer(TimerId::Date).enabled());
  // Back to time 1 from the date: the first tick comes at once again.
  rig.device.device_mode = 5;
  rig.pressTime();
  EXPECT_EQ(rig.device.device_mode, 1);
  EXPECT_EQ(rig.device.timer(TimerId::Clock).interval(), 1);
  EXPECT_EQ(rig.clock.nextDue(), rig.clock.now() + 1);
}

TEST(ClockModes, BellStaysOffThroughADayOfClockModes) {
  DeviceRig rig;
  rig.setMode(1);
  for (int hour = 0; hour < 24; ++hour) {
    rig.time.set(1 + hour % 12, 1 + hour, hour, hour * 2);
    rig.pressTime();
    rig.clock.advance(3600);
  }
  EXPECT_FALSE(rig.display.everShown(im_panel_bell));
}

TEST(ClockModes, OutOfRangeHostTimeNeverShowsGarbage) {
  DeviceRig rig;
  rig.time.set(13, 0, 25, 61);
  rig.setMode(1);
  rig.clock.advance(1);
  EXPECT_EQ(rig.device.lcd().panelText(), " 101");
  rig.setMode(5);
  rig.clock.advance(1);
  EXPECT_EQ(rig.device.lcd().panelText(), " 131");
}

}  // namespace
}  // namespace tavro::testing
