// The device timer model and the virtual clock that drives it in tests.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "DeviceFakes.h"
#include "device/DeviceTimer.h"

namespace tavro::testing {
namespace {

struct BackendCall {
  bool start;
  TimerId id;
  int interval;
  bool operator==(const BackendCall&) const = default;
};

class RecordingBackend : public TimerBackend {
 public:
  void start(TimerId id, int intervalMs) override { calls.push_back({true, id, intervalMs}); }
  void stop(TimerId id) override { calls.push_back({false, id, 0}); }
  std::vector<BackendCall> calls;
};

TEST(DeviceTimer, StartsDisabledWithIntervalOneAndTouchesNothing) {
  RecordingBackend backend;
  DeviceTimer timer(backend, TimerId::Game);
  EXPECT_EQ(timer.interval(), 1);
  EXPECT_FALSE(timer.enabled());
  timer.setEnabled(false);
  timer.setInterval(1);
  EXPECT_TRUE(backend.calls.empty());
}

TEST(DeviceTimer, IntervalChangesRestartOnlyWhenEnabledAndDifferent) {
  RecordingBackend backend;
  DeviceTimer timer(backend, TimerId::Game);
  timer.setInterval(250);  // disabled: remembered only
  EXPECT_TRUE(backend.calls.empty());
  timer.setEnabled(true);
  timer.setInterval(250);  // same value: nothing
  timer.setInterval(215);  // different: restart
  timer.setEnabled(true);  // already enabled: nothing
  timer.setEnabled(false);
  timer.setEnabled(false);
  const std::vector<BackendCall> expected = {
      {true, TimerId::Game, 250}, {true, TimerId::Game, 215}, {false, TimerId::Game, 0}};
  EXPECT_EQ(backend.calls, expected);
  EXPECT_EQ(timer.interval(), 215);
}

TEST(DeviceTimer, ZeroOrNegativeIntervalIsKeptAtOneMillisecond) {
  RecordingBackend backend;
  DeviceTimer timer(backend, TimerId::Clock);
  timer.setInterval(0);
  timer.setInterval(-5);
  EXPECT_EQ(timer.interval(), 1);
  EXPECT_TRUE(backend.calls.empty());
}

// Counts ticks per timer and can act inside a tick.
class CountingSink : public TimerSink {
 public:
  void onTimer(TimerId id) override {
    log.push_back({id, clock->now()});
    if (onTick) onTick(id);
  }
  struct Tick {
    TimerId id;
    int64_t at;
    bool operator==(const Tick&) const = default;
  };
  VirtualClock* clock = nullptr;
  std::vector<Tick> log;
  std::function<void(TimerId)> onTick;
};

TEST(VirtualClock, PeriodicTicksDoNotDriftAndTiesKeepScheduleOrder) {
  VirtualClock clock;
  CountingSink sink;
  sink.clock = &clock;
  clock.setSink(&sink);
  clock.start(TimerId::Date, 100);
  clock.start(TimerId::Alarm, 50);
  clock.advance(200);
  const std::vector<CountingSink::Tick> expected = {{TimerId::Alarm, 50},  {TimerId::Date, 100},
                                                    {TimerId::Alarm, 100}, {TimerId::Alarm, 150},
                                                    {TimerId::Date, 200},  {TimerId::Alarm, 200}};
  EXPECT_EQ(sink.log, expected);
  EXPECT_EQ(clock.now(), 200);
  EXPECT_EQ(clock.nextDue(), 250);
}

TEST(VirtualClock, RestartInsideATickReplacesThePendingTickAndStopCancels) {
  VirtualClock clock;
  CountingSink sink;
  sink.clock = &clock;
  clock.setSink(&sink);
  sink.onTick = [&](TimerId id) {
    if (id == TimerId::Clock) clock.start(TimerId::Clock, 500);  // 1 ms, then 500 ms
    if (id == TimerId::Hit) clock.stop(TimerId::Hit);            // one shot
  };
  clock.start(TimerId::Clock, 1);
  clock.start(TimerId::Hit, 100);
  clock.advance(1200);
  const std::vector<CountingSink::Tick> expected = {
      {TimerId::Clock, 1}, {TimerId::Hit, 100}, {TimerId::Clock, 501}, {TimerId::Clock, 1001}};
  EXPECT_EQ(sink.log, expected);
  EXPECT_FALSE(clock.running(TimerId::Hit));
  clock.stop(TimerId::Clock);
  EXPECT_FALSE(clock.advanceToNext());
  EXPECT_EQ(clock.nextDue(), std::nullopt);
}

TEST(VirtualClock, DeviceTimerOverVirtualClock) {
  VirtualClock clock;
  CountingSink sink;
  sink.clock = &clock;
  clock.setSink(&sink);
  DeviceTimer timer(clock, TimerId::Game);
  timer.setInterval(400);
  timer.setEnabled(true);
  clock.advance(300);
  timer.setInterval(400);  // the same value does not restart: tick at 400
  timer.setEnabled(true);
  clock.advance(100);
  ASSERT_EQ(sink.log.size(), 1u);
  EXPECT_EQ(sink.log[0].at, 400);
  clock.advance(100);
  timer.setInterval(300);  // a new value restarts from 500: next tick at 800
  clock.advance(299);
  EXPECT_EQ(sink.log.size(), 1u);
  clock.advance(1);
  ASSERT_EQ(sink.log.size(), 2u);
  EXPECT_EQ(sink.log[1].at, 800);
}

TEST(DeviceTimers, OneShotTimersTickOnceAndStaleTicksAreDropped) {
  DeviceRig rig;
  rig.setMode(1);
  rig.pressGameA();  // mode 6, game start timer 1800 ms, one shot
  EXPECT_TRUE(rig.device.timer(TimerId::GameStart).enabled());
  rig.clock.advance(1800);
  EXPECT_EQ(rig.device.device_mode, 8);
  EXPECT_FALSE(rig.device.timer(TimerId::GameStart).enabled());
  EXPECT_FALSE(rig.clock.running(TimerId::GameStart));
  // A tick delivered for a stopped timer (a late queued event) changes nothing.
  rig.device.onTimer(TimerId::Reprise);
  EXPECT_TRUE(rig.device.playing);
  EXPECT_FALSE(rig.device.timer(TimerId::Reprise).enabled());
}

}  // namespace
}  // namespace tavro::testing
