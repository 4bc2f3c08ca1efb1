// Key releases on the device window: a release reaches the button its press
// went to, whatever modifiers changed meanwhile, and in its place among the
// mouse events.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "WindowSkin.h"
#include "device/window/unit1.h"

namespace tavro::testing {
namespace {

// An X11 key event as the xcb platform delivers it.
struct NativeKey {
  int key;
  Qt::KeyboardModifiers modifiers;
  quint32 scanCode, keysym, state;
};

constexpr quint32 kShiftMask = 0x1;
constexpr quint32 kLevel3Mask = 0x80;  // AltGr
const NativeKey kAltL{Qt::Key_Alt, Qt::NoModifier, 64, 0xFFE9, 0};
const NativeKey kMetaL{Qt::Key_Meta, Qt::ShiftModifier, 64, 0xFFE7, kShiftMask};
const NativeKey kQ{Qt::Key_Q, Qt::NoModifier, 24, 'q', 0};
const NativeKey kAltGrQ{Qt::Key_At, Qt::NoModifier, 24, '@', kLevel3Mask};

class HeldKeyRelease : public ::testing::Test {
 protected:
  void SetUp() override {
    writeWindowSkin(skin, imageSection(13, "left_top.png", 30, 25, 20, 10));
    form.fullscreen_mode = false;
    Gfx_Load_Skin(form);
  }
  void key(QEvent::Type type, const NativeKey& k) {
    QKeyEvent event(type, k.key, k.modifiers, k.scanCode, k.keysym, k.state);
    QCoreApplication::sendEvent(&form, &event);
  }
  void mouse(QEvent::Type type, QPoint pos) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(Qt::LeftButton) : Qt::NoButton;
    QMouseEvent event(type, QPointF(pos), QPointF(form.mapToGlobal(pos)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &event);
  }
  bool leftPressedShown() { return form.frame().pixel(12, 15) == kLeftDown; }

  TestSkin skin;
  TForm1 form;
};

TEST_F(HeldKeyRelease, ReleaseReachesTheButtonOfThePress) {
  struct Case {
    const char* what;
    uint16_t bound;
    NativeKey press, release;
  };
  const Case cases[] = {
      {"Alt, then Shift: released as Meta", 18, kAltL, kMetaL},
      {"Shift+Alt pressed as Meta, released after Shift", 18, kMetaL, kAltL},
      {"Q, then AltGr: released as @", 'Q', kQ, kAltGrQ},
  };
  for (const Case& c : cases) {
    form.key_bindings[kLeft] = KeyBinding{1, c.bound};
    key(QEvent::KeyPress, c.press);
    EXPECT_TRUE(form.device().latch_shared) << c.what;
    EXPECT_TRUE(leftPressedShown()) << c.what;
    key(QEvent::KeyRelease, c.release);
    form.flushKeyRelease();
    EXPECT_FALSE(form.device().latch_shared) << c.what;
    EXPECT_FALSE(leftPressedShown()) << c.what;
  }
}

TEST_F(HeldKeyRelease, ClickOnTheOtherArrowComesAfterTheKeyRelease) {
  form.key_bindings[kLeft] = KeyBinding{39, 37};
  form.device().device_mode = 8;
  form.device().Gam_Set_Mode();
  form.device().playing = true;
  const NativeKey left{Qt::Key_Left, Qt::NoModifier, 113, 0xFF51, 0};
  key(QEvent::KeyPress, left);
  ASSERT_EQ(form.device().hero_column, 1);
  key(QEvent::KeyRelease, left);  // held back for the auto-repeat check
  mouse(QEvent::MouseButtonPress, QPoint(40, 30));
  EXPECT_EQ(form.device().hero_column, 2);  // not blocked by a key still held
  mouse(QEvent::MouseButtonRelease, QPoint(40, 30));
  EXPECT_FALSE(form.device().latch_shared);
}

}  // namespace
}  // namespace tavro::testing
