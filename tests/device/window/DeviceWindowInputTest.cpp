// Mouse and key input on the device window: drawn buttons, bound keys, the
// window drag, pointer shapes and hints.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include "WindowSkin.h"
#include "device/window/unit1.h"

namespace tavro::testing {
namespace {

class DeviceWindowInput : public ::testing::Test {
 protected:
  void SetUp() override {
    writeWindowSkin(skin);
    form.fullscreen_mode = false;
    Gfx_Load_Skin(form);
    form.move(100, 100);
  }

  void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::MouseButtons();
    QMouseEvent event(type, QPointF(pos), QPointF(form.mapToGlobal(pos)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &event);
  }
  void key(QEvent::Type type, int qtKey, bool autoRepeat = false) {
    QKeyEvent event(type, qtKey, Qt::NoModifier, QString(), autoRepeat);
    QCoreApplication::sendEvent(&form, &event);
    form.flushKeyRelease();  // no auto-repeat press follows
  }
  bool leftPressedShown() { return form.frame().pixel(12, 15) == kLeftDown; }

  TestSkin skin;
  TForm1 form;
  const QPoint leftButton{20, 15};
  const QPoint body{50, 5};
  const QPoint setButton{72, 42};
};

TEST_F(DeviceWindowInput, LeftPressOnAButtonPressesItUntilTheReleaseWherever) {
  mouse(QEvent::MouseButtonPress, leftButton);
  EXPECT_TRUE(form.device().latch_shared);
  EXPECT_TRUE(leftPressedShown());
  mouse(QEvent::MouseMove, QPoint(90, 55));
  mouse(QEvent::MouseButtonRelease, QPoint(90, 55));  // far outside the button
  EXPECT_FALSE(form.device().latch_shared);
  EXPECT_FALSE(leftPressedShown());
}

TEST_F(DeviceWindowInput, OtherMouseButtonsDoNothing) {
  mouse(QEvent::MouseButtonPress, leftButton, Qt::RightButton);
  mouse(QEvent::MouseButtonPress, leftButton, Qt::MiddleButton);
  EXPECT_FALSE(form.device().latch_shared);
  EXPECT_FALSE(leftPressedShown());
}

TEST_F(DeviceWindowInput, BoundKeysPressAndReleaseTheirButton) {
  form.key_bindings[kLeft] = KeyBinding{39, 37};  // left arrow
  key(QEvent::KeyPress, Qt::Key_Left);
  EXPECT_TRUE(form.device().latch_shared);
  EXPECT_TRUE(leftPressedShown());
  key(QEvent::KeyRelease, Qt::Key_Left, true);  // auto-repeat: still held
  key(QEvent::KeyPress, Qt::Key_Left, true);
  EXPECT_TRUE(form.device().latch_shared);
  key(QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_FALSE(form.device().latch_shared);
  EXPECT_FALSE(leftPressedShown());

  key(QEvent::KeyPress, Qt::Key_Right);  // not bound
  EXPECT_FALSE(form.device().latch_shared);
}

TEST_F(DeviceWindowInput, KeyAndMouseAreOnePress) {
  form.key_bindings[kLeft] = KeyBinding{39, 37};
  key(QEvent::KeyPress, Qt::Key_Left);
  mouse(QEvent::MouseButtonPress, leftButton);
  mouse(QEvent::MouseButtonRelease, leftButton);  // the first release lets go
  EXPECT_FALSE(form.device().latch_shared);
  EXPECT_FALSE(leftPressedShown());
  key(QEvent::KeyRelease, Qt::Key_Left);
  EXPECT_FALSE(form.device().latch_shared);
}

TEST_F(DeviceWindowInput, BackgroundAndSetButtonDragTheWindowInWindowedMode) {
  for (const QPoint start : {body, setButton}) {
    form.move(100, 100);
    mouse(QEvent::MouseButtonPress, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + QPoint(10, 3)),
                     QPointF(form.mapToGlobal(start + QPoint(10, 3))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &move);
    mouse(QEvent::MouseButtonRelease, start + QPoint(10, 3));
    EXPECT_EQ(form.pos(), QPoint(110, 103));
    EXPECT_FALSE(form.device().latch_shared);
  }
}

TEST_F(DeviceWindowInput, NoDragInFullscreen) {
  form.fullscreen_mode = true;
  mouse(QEvent::MouseButtonPress, body);
  QMouseEvent move(QEvent::MouseMove, QPointF(body + QPoint(10, 3)),
                   QPointF(form.mapToGlobal(body + QPoint(10, 3))), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QCoreApplication::sendEvent(&form, &move);
  EXPECT_EQ(form.pos(), QPoint(100, 100));
}

TEST_F(DeviceWindowInput, PointerShapeFollowsTheControl) {
  mouse(QEvent::MouseMove, leftButton);
  EXPECT_EQ(form.cursor().shape(), Qt::PointingHandCursor);
  mouse(QEvent::MouseMove, setButton);
  EXPECT_EQ(form.cursor().shape(), Qt::WhatsThisCursor);
  mouse(QEvent::MouseMove, body);
  EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
  // The game menu's symbol, here over the body.
  form.gameMenuBackgroundControl().setVisible(true);
  form.gameMenuBackgroundControl().setGeometry(QRect(40, 0, 36, 32));
  mouse(QEvent::MouseMove, body);
  EXPECT_EQ(form.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(DeviceWindowInput, HintsFollowTheControlUnderThePointer) {
  form.hints.left = "left hint";
  form.hints.set = "set hint";
  const auto hintAt = [this](QPoint pos) {
    QHelpEvent help(QEvent::ToolTip, pos, form.mapToGlobal(pos));
    QCoreApplication::sendEvent(&form, &help);
    return help.isAccepted() ? QToolTip::text() : QString();
  };
  EXPECT_EQ(hintAt(leftButton), "left hint");
  EXPECT_EQ(hintAt(setButton), "set hint");
  EXPECT_EQ(hintAt(body), "");
}

TEST_F(DeviceWindowInput, ControlUnderThePointer) {
  EXPECT_EQ(form.skinControlAt(leftButton), btn_left_top);
  EXPECT_EQ(form.skinControlAt(setButton), btn_set_top);
  EXPECT_EQ(form.skinControlAt(body), im_background);
  form.setVisible(im_hero(1, 1), true);  // shown segments lie over the buttons
  EXPECT_EQ(form.skinControlAt(QPoint(17, 14)), im_hero(1, 1));
  EXPECT_EQ(form.skinControlAt(QPoint(500, 500)), std::nullopt);
}

TEST_F(DeviceWindowInput, GameMenuTakesClicksInFullscreen) {
  int clicks = 0;
  form.gameMenuClick = [&] { ++clicks; };
  form.gameMenuBackgroundControl().setVisible(true);
  form.gameMenuBackgroundControl().setGeometry(QRect(0, 0, 36, 32));
  mouse(QEvent::MouseButtonPress, QPoint(20, 15));
  mouse(QEvent::MouseButtonRelease, QPoint(20, 15));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(form.device().latch_shared);  // the left button below got nothing
}

}  // namespace
}  // namespace tavro::testing
