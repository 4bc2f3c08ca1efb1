// Game controllers through SDL, driven by SDL's virtual joysticks: presses,
// releases, the stick, plugging in and out, and the window that must be
// taking keys.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <QTest>
#include <algorithm>
#include <string>
#include <vector>

#include "WindowSkin.h"
#include "device/window/QtDeviceInput.h"
#include "device/window/QtGamepad.h"
#include "device/window/unit1.h"
#include "sound/SdlLibrary.h"

namespace tavro::testing {
namespace {

// The virtual joystick calls, from the SDL that the program opened.
struct VirtualApi {
  decltype(&SDL_JoystickAttachVirtualEx) attach = nullptr;
  decltype(&SDL_JoystickDetachVirtual) detach = nullptr;
  decltype(&SDL_JoystickSetVirtualButton) setButton = nullptr;
  decltype(&SDL_JoystickSetVirtualAxis) setAxis = nullptr;
  decltype(&SDL_JoystickGetDeviceInstanceID) instanceId = nullptr;
  decltype(&SDL_JoystickFromInstanceID) fromInstanceId = nullptr;
  decltype(&SDL_NumJoysticks) count = nullptr;

  bool load() {
    void* sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_NOLOAD);
    if (!sdl) {
      return false;
    }
    attach = reinterpret_cast<decltype(attach)>(dlsym(sdl, "SDL_JoystickAttachVirtualEx"));
    detach = reinterpret_cast<decltype(detach)>(dlsym(sdl, "SDL_JoystickDetachVirtual"));
    setButton = reinterpret_cast<decltype(setButton)>(dlsym(sdl, "SDL_JoystickSetVirtualButton"));
    setAxis = reinterpret_cast<decltype(setAxis)>(dlsym(sdl, "SDL_JoystickSetVirtualAxis"));
    instanceId =
        reinterpret_cast<decltype(instanceId)>(dlsym(sdl, "SDL_JoystickGetDeviceInstanceID"));
    fromInstanceId =
        reinterpret_cast<decltype(fromInstanceId)>(dlsym(sdl, "SDL_JoystickFromInstanceID"));
    count = reinterpret_cast<decltype(count)>(dlsym(sdl, "SDL_NumJoysticks"));
    return count && attach && detach && setButton && setAxis && instanceId && fromInstanceId;
  }
};

// A virtual controller with SDL's own mapping (buttons and axes in SDL's order).
class VirtualPad {
 public:
  explicit VirtualPad(const VirtualApi& api) : api_(api) {}
  ~VirtualPad() { unplug(); }

  void plugIn() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "test pad";
    const int index = api_.attach(&desc);
    ASSERT_GE(index, 0);
    id_ = api_.instanceId(index);
  }
  void unplug() {
    // Device indexes move down as joysticks go: look the pad up by its id.
    for (int index = 0; id_ >= 0 && index < api_.count(); ++index) {
      if (api_.instanceId(index) == id_) {
        api_.detach(index);
        id_ = -1;
      }
    }
  }
  // The pad must be open (by the program) for its state to be set.
  void button(int button, bool pressed) {
    ASSERT_EQ(api_.setButton(api_.fromInstanceId(id_), button, pressed ? 1 : 0), 0);
  }
  void stickX(int value) {
    ASSERT_EQ(api_.setAxis(api_.fromInstanceId(id_), SDL_CONTROLLER_AXIS_LEFTX,
                           static_cast<Sint16>(value)),
              0);
  }

 private:
  const VirtualApi& api_;
  SDL_JoystickID id_ = -1;
};

class Recorder : public ButtonSink {
 public:
  void down(Button b) override { calls.push_back("down " + std::to_string(b)); }
  void up(Button b) override { calls.push_back("up " + std::to_string(b)); }
  std::vector<std::string> calls;
};
using Calls = std::vector<std::string>;

class QtGamepadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!gamepad.openSdl() || !api.load()) {
      GTEST_SKIP() << "no SDL with virtual joysticks";
    }
  }

  Recorder sink;
  bool acting = true;
  QtGamepad gamepad{sink, [this] { return acting; }};
  VirtualApi api;
};

TEST_F(QtGamepadTest, ButtonsAndTheStickWorkTheDeviceButtons) {
  VirtualPad pad(api);
  pad.plugIn();
  gamepad.poll();
  ASSERT_EQ(gamepad.controllerCount(), 1);

  struct Step {
    int button;  // a controller button, or -1 for the stick
    int value;   // pressed (0/1), or the stick's position
    Calls calls;
  };
  const Step steps[] = {
      {SDL_CONTROLLER_BUTTON_A, 1, {"down 0"}},
      {SDL_CONTROLLER_BUTTON_A, 0, {"up 0"}},
      {SDL_CONTROLLER_BUTTON_B, 1, {"down 1"}},
      {SDL_CONTROLLER_BUTTON_B, 0, {"up 1"}},
      {SDL_CONTROLLER_BUTTON_Y, 1, {"down 2"}},
      {SDL_CONTROLLER_BUTTON_BACK, 1, {"down 2"}},
      {SDL_CONTROLLER_BUTTON_Y, 0, {}},
      {SDL_CONTROLLER_BUTTON_BACK, 0, {"up 2"}},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1, {"down 3"}},
      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0, {"up 3"}},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 1, {"down 4"}},
      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0, {"up 4"}},
      {SDL_CONTROLLER_BUTTON_X, 1, {}},
      {SDL_CONTROLLER_BUTTON_START, 1, {}},
      {SDL_CONTROLLER_BUTTON_DPAD_UP, 1, {}},
      // The stick: past half its travel, held until back within a third.
      {-1, 12000, {}},
      {-1, 17000, {"down 4"}},
      {-1, 15000, {}},
      {-1, 17000, {}},
      {-1, 11500, {}},
      {-1, 9000, {"up 4"}},
      {-1, -20000, {"down 3"}},
      {-1, 32767, {"up 3", "down 4"}},
      {-1, 0, {"up 4"}},
  };
  for (const Step& step : steps) {
    sink.calls.clear();
    if (step.button >= 0) {
      pad.button(step.button, step.value != 0);
    } else {
      pad.stickX(step.value);
    }
    gamepad.poll();
    EXPECT_EQ(sink.calls, step.calls) << "button " << step.button << " value " << step.value;
  }
}

TEST_F(QtGamepadTest, PluggingInAndOutWhileTheProgramRuns) {
  EXPECT_EQ(gamepad.controllerCount(), 0);
  VirtualPad first(api);
  VirtualPad second(api);
  first.plugIn();
  second.plugIn();
  gamepad.poll();
  EXPECT_EQ(gamepad.controllerCount(), 2);
  EXPECT_TRUE(gamepad.polling());

  // A controller unplugged while it holds buttons releases them.
  first.button(SDL_CONTROLLER_BUTTON_A, true);
  gamepad.poll();
  first.stickX(-32768);
  gamepad.poll();
  second.button(SDL_CONTROLLER_BUTTON_B, true);
  gamepad.poll();
  first.unplug();
  gamepad.poll();
  EXPECT_EQ(gamepad.controllerCount(), 1);
  // (SDL may let go of the stick before the button.)
  ASSERT_EQ(sink.calls.size(), 5u);
  std::sort(sink.calls.begin() + 3, sink.calls.end());
  EXPECT_EQ(sink.calls, (Calls{"down 0", "down 3", "down 1", "up 0", "up 3"}));

  sink.calls.clear();
  second.unplug();
  gamepad.poll();
  EXPECT_EQ(gamepad.controllerCount(), 0);
  EXPECT_EQ(sink.calls, (Calls{"up 1"}));

  // A controller plugged in again works at once.
  sink.calls.clear();
  first.plugIn();
  gamepad.poll();
  first.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  gamepad.poll();
  EXPECT_EQ(sink.calls, (Calls{"down 4"}));
  first.unplug();
  gamepad.poll();

  // Without a controller the pump stops once the device change has settled.
  EXPECT_TRUE(QTest::qWaitFor([this] { return !gamepad.polling(); }, QtGamepad::kSettleMs + 2000));
}

TEST_F(QtGamepadTest, PressesWaitForTheWindowToActReleasesDoNot) {
  VirtualPad pad(api);
  pad.plugIn();
  gamepad.poll();

  acting = false;  // another window has the keyboard
  pad.button(SDL_CONTROLLER_BUTTON_A, true);
  gamepad.poll();
  EXPECT_TRUE(sink.calls.empty());
  pad.button(SDL_CONTROLLER_BUTTON_A, false);
  gamepad.poll();
  EXPECT_EQ(sink.calls, (Calls{"up 0"}));  // the dispatcher swallows a release it did not press

  sink.calls.clear();
  pad.button(SDL_CONTROLLER_BUTTON_B, true);
  gamepad.poll();
  acting = true;  // a button held from before is no press; the next one is
  pad.button(SDL_CONTROLLER_BUTTON_B, false);
  pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  gamepad.poll();
  EXPECT_EQ(sink.calls, (Calls{"up 1", "down 3"}));
}

// Through the device window: only the active, enabled window takes the pad,
// and the pad shares the button with the mouse.
TEST(QtGamepadWindow, TheActiveWindowTakesThePad) {
  TestSkin skin;
  writeWindowSkin(skin);
  TForm1 form;
  form.fullscreen_mode = false;
  Gfx_Load_Skin(form);
  QtDeviceInput input(form);
  VirtualApi api;
  if (!input.gamepad().openSdl() || !api.load()) {
    GTEST_SKIP() << "no SDL with virtual joysticks";
  }
  VirtualPad pad(api);
  pad.plugIn();
  QtGamepad& gamepad = input.gamepad();
  gamepad.poll();
  const auto pressLeft = [&](bool pressed) {
    pad.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, pressed);
    gamepad.poll();
  };

  pressLeft(true);  // the window is not shown: no press
  EXPECT_FALSE(form.device().latch_shared);
  pressLeft(false);

  form.show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  EXPECT_TRUE(input.takesKeys());
  pressLeft(true);
  EXPECT_TRUE(form.device().latch_shared);
  EXPECT_EQ(form.frame().pixel(12, 15), kLeftDown);

  // A click on the drawn button while the pad holds it: the first release wins.
  const auto mouse = [&](QEvent::Type type) {
    const QPointF pos(20, 15);
    QMouseEvent event(type, pos, form.mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    type == QEvent::MouseButtonPress ? input.mousePress(&event) : input.mouseRelease(&event);
  };
  mouse(QEvent::MouseButtonPress);
  mouse(QEvent::MouseButtonRelease);
  EXPECT_FALSE(form.device().latch_shared);
  pressLeft(false);
  EXPECT_FALSE(form.device().latch_shared);

  // Key settings disable the window: the pad does nothing.
  form.setEnabled(false);
  EXPECT_FALSE(input.takesKeys());
  pressLeft(true);
  EXPECT_FALSE(form.device().latch_shared);
  pressLeft(false);
  form.setEnabled(true);

  // Unplugged while held: released.
  pressLeft(true);
  EXPECT_TRUE(form.device().latch_shared);
  pad.unplug();
  gamepad.poll();
  EXPECT_FALSE(form.device().latch_shared);
  EXPECT_NE(form.frame().pixel(12, 15), kLeftDown);
}

}  // namespace
}  // namespace tavro::testing
