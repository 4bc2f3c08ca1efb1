#pragma once
// The device window's key and mouse input: bound keys and left-button presses
// on the drawn buttons become the device's button operations; a press on the
// background drags the window (windowed mode only); the pointer shape and the
// hints follow the control under the pointer.

#include <QPoint>
#include <optional>

#include "device/SkinImage.h"
#include "input/ButtonDispatcher.h"
#include "input/KeyTable.h"

class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace tavro {

class TForm1;

class QtDeviceInput : public ButtonSink {
 public:
  explicit QtDeviceInput(TForm1& form);
  ~QtDeviceInput() override;
  QtDeviceInput(const QtDeviceInput&) = delete;
  QtDeviceInput& operator=(const QtDeviceInput&) = delete;

  // Tool tips; true when the event was taken.
  bool handleEvent(QEvent* event);
  void keyPress(QKeyEvent* event);
  void keyRelease(QKeyEvent* event);
  void mousePress(QMouseEvent* event);
  void mouseRelease(QMouseEvent* event);
  void mouseMove(QMouseEvent* event);

  // The button whose top image is the control, or -1.
  static int buttonOfControl(SkinImage control);
  // im_background, im_background_screen_top and btn_set_top.
  static bool isBackgroundControl(SkinImage control);

  // The device's button operations, keyboard and mouse alike.
  void down(Button button) override;
  void up(Button button) override;

 private:
  void updateCursor(QPoint pos);

  TForm1& form_;
  ButtonDispatcher dispatcher_;
  int mouseButton_ = -1;  // the button that took the left press, or -1
  bool dragging_ = false;
  bool menuPressed_ = false;
  QPoint dragAnchor_;  // pointer position within the pressed control
  std::optional<SkinImage> dragControl_;
  int cursorKind_ = -1;
};

}  // namespace tavro
