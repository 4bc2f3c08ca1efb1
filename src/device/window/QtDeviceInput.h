#pragma once
// The device window's key, mouse and game controller input: bound keys,
// left-button presses on the drawn buttons and controller buttons (from the
// first frame on) become the device's button operations; a press on the
// background drags the window (windowed mode only); the pointer shape and the
// hints follow the control under the pointer.

#include <QPoint>
#include <QTimer>
#include <array>
#include <memory>
#include <optional>

#include "device/SkinImage.h"
#include "input/ButtonDispatcher.h"
#include "input/KeyTable.h"

class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace tavro {

class TForm1;
class QtGamepad;

class QtDeviceInput : public ButtonSink {
 public:
  explicit QtDeviceInput(TForm1& form);
  ~QtDeviceInput() override;
  QtDeviceInput(const QtDeviceInput&) = delete;
  QtDeviceInput& operator=(const QtDeviceInput&) = delete;

  // Tool tips; true when the event was taken.
  bool handleEvent(QEvent* event);
  // A key press goes to the form's shortcut hook first, then to the bindings.
  // The code a press maps to is kept with its native scan code until the
  // key's release, which releases that code whatever modifiers changed in
  // between (Shift pressed while Alt is held turns Alt into Meta on X11).
  void keyPress(QKeyEvent* event);
  // A plain release waits kPairWindowMs for a press of the same key: under
  // X11 an auto-repeat pair may come without its auto-repeat flag. A press
  // stamped with the release's time (within kPairSlackMs) completes such a
  // pair and is taken as a repeat of the held key; a later one is a new tap.
  void keyRelease(QKeyEvent* event);
  // Runs the waiting release at once, if any. Every mouse press and release
  // runs it first, so a click never overtakes a key release before it.
  void flushKeyRelease();
  bool keyReleasePending() const { return pending_.has_value(); }

  static constexpr int kPairWindowMs = 20;
  static constexpr int kPairSlackMs = 2;
  void mousePress(QMouseEvent* event);
  void mouseRelease(QMouseEvent* event);
  void mouseMove(QMouseEvent* event);

  // The button whose top image is the control, or -1.
  static int buttonOfControl(SkinImage control);
  // im_background, im_background_screen_top and btn_set_top.
  static bool isBackgroundControl(SkinImage control);

  // The game controllers; they start after the window's first frame.
  QtGamepad& gamepad() { return *gamepad_; }
  // Whether the window takes the keyboard now, which the controllers follow:
  // not while key settings, the splash or the manual has it.
  bool takesKeys() const;

  // The device's button operations, keyboard, mouse and controllers alike.
  void down(Button button) override;
  void up(Button button) override;

 private:
  void updateCursor(QPoint pos);

  // The key a waiting release belongs to.
  struct PendingRelease {
    int key = 0;
    quint32 scanCode = 0;
    uint16_t code = 0;
    quint64 timestamp = 0;
    bool pressedHere = true;  // false: the key went down while another window had it
  };
  // A key held down: its native scan code and the code its press mapped to.
  struct HeldKey {
    quint32 scanCode = 0;  // 0: a free slot
    uint16_t code = 0;
  };
  // The code of a release: that of the held key's press, else the event's own.
  uint16_t releaseCode(const QKeyEvent& event) const;
  void rememberPress(quint32 scanCode, uint16_t code);
  void forgetPress(quint32 scanCode);
  HeldKey* heldKey(quint32 scanCode);
  const HeldKey* heldKey(quint32 scanCode) const;

  // The controllers' presses and releases, into the dispatcher.
  class PadSource : public ButtonSink {
   public:
    explicit PadSource(ButtonDispatcher& dispatcher) : dispatcher_(dispatcher) {}
    void down(Button button) override { dispatcher_.padDown(button); }
    void up(Button button) override { dispatcher_.padUp(button); }

   private:
    ButtonDispatcher& dispatcher_;
  };

  TForm1& form_;
  ButtonDispatcher dispatcher_;
  PadSource padSource_{dispatcher_};
  std::unique_ptr<QtGamepad> gamepad_;
  int mouseButton_ = -1;  // the button that took the left press, or -1
  bool dragging_ = false;
  bool systemDragTried_ = false;
  bool menuPressed_ = false;
  QPoint dragAnchor_;  // pointer position within the pressed control
  std::optional<SkinImage> dragControl_;
  int cursorKind_ = -1;
  std::optional<PendingRelease> pending_;
  QTimer pendingTimer_;
  // More keys than anyone holds at once; a press finding no free slot takes
  // the first one.
  std::array<HeldKey, 16> heldKeys_{};
};

}  // namespace tavro
