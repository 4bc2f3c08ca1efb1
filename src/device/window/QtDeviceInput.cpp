#include "device/window/QtDeviceInput.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <utility>

#include "device/window/QtGamepad.h"
#include "device/window/unit1.h"
#include "input/KeyMapper.h"
#include "shell/ErrorBox.h"
#include "shell/FirstFrame.h"
#include "shell/WindowSystem.h"

namespace tavro {
namespace {

enum CursorKind { kArrow = 0, kHand, kHelp };

}  // namespace

QtDeviceInput::QtDeviceInput(TForm1& form) : form_(form), dispatcher_(form.key_bindings, *this) {
  pendingTimer_.setSingleShot(true);
  pendingTimer_.setInterval(kPairWindowMs);
  pendingTimer_.callOnTimeout([this] { flushKeyRelease(); });
  gamepad_ = std::make_unique<QtGamepad>(padSource_, [this] { return takesKeys(); });
  afterFirstFrame(form_, [this] { gamepad_->start(); });
}

QtDeviceInput::~QtDeviceInput() = default;

bool QtDeviceInput::takesKeys() const {
  return form_.isActiveWindow() && form_.isEnabled();
}

int QtDeviceInput::buttonOfControl(SkinImage control) {
  switch (control) {
    case btn_game_a_top:
      return kGameA;
    case btn_game_b_top:
      return kGameB;
    case btn_time_top:
      return kTime;
    case btn_left_top:
      return kLeft;
    case btn_right_top:
      return kRight;
    default:
      return -1;
  }
}

bool QtDeviceInput::isBackgroundControl(SkinImage control) {
  return control == im_background || control == im_background_screen_top || control == btn_set_top;
}

void QtDeviceInput::down(Button button) {
  Device& d = form_.device();
  switch (button) {
    case kGameA:
      d.Inp_game_a_down();
      break;
    case kGameB:
      d.Inp_game_b_down();
      break;
    case kTime:
      d.Inp_time_down();
      break;
    case kLeft:
      d.Inp_left_down();
      break;
    case kRight:
      d.Inp_right_down();
      break;
    default:
      break;
  }
}

void QtDeviceInput::up(Button button) {
  Device& d = form_.device();
  switch (button) {
    case kGameA:
      d.Inp_game_a_up();
      break;
    case kGameB:
      d.Inp_game_b_up();
      break;
    case kTime:
      d.Inp_time_up();
      break;
    case kLeft:
      d.Inp_left_up();
      break;
    case kRight:
      d.Inp_right_up();
      break;
    default:
      break;
  }
}

bool QtDeviceInput::handleEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return false;
  }
  auto* help = static_cast<QHelpEvent*>(event);
  const std::optional<SkinImage> control = form_.skinControlAt(help->pos());
  std::string text;
  if (control) {
    switch (*control) {
      case btn_game_a_top:
        text = form_.hints.game_a;
        break;
      case btn_game_b_top:
        text = form_.hints.game_b;
        break;
      case btn_time_top:
        text = form_.hints.time;
        break;
      case btn_left_top:
        text = form_.hints.left;
        break;
      case btn_right_top:
        text = form_.hints.right;
        break;
      case btn_set_top:
        text = form_.hints.set;
        break;
      default:
        break;
    }
  }
  if (text.empty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), QString::fromStdString(text), &form_);
  }
  return true;
}

void QtDeviceInput::keyPress(QKeyEvent* event) {
  bool repeat = event->isAutoRepeat();
  const quint32 scanCode = event->nativeScanCode();
  if (pending_) {
    const qint64 gap =
        static_cast<qint64>(event->timestamp()) - static_cast<qint64>(pending_->timestamp);
    const bool sameKey =
        scanCode != 0 ? pending_->scanCode == scanCode : pending_->key == event->key();
    if (sameKey && gap >= -kPairSlackMs && gap <= kPairSlackMs) {
      pending_.reset();  // release and press of one auto-repeat
      pendingTimer_.stop();
      repeat = true;
    } else {
      flushKeyRelease();
    }
  }
  if (form_.shortcutKey && form_.shortcutKey(event, repeat)) {
    return;
  }
  uint16_t code = virtualKeyCode(*event);
  if (scanCode != 0) {
    const HeldKey* held = heldKey(scanCode);
    if (repeat && held) {
      code = held->code;  // a held key keeps the button it pressed
    } else if (repeat) {
      // The repeat of a key pressed while another window had the keyboard
      // (1 held on the launcher's play): not a press of this window's.
      return;
    } else {
      rememberPress(scanCode, code);
    }
  }
  if (!dispatcher_.keyDown(code, repeat)) {
    event->ignore();
  }
}

void QtDeviceInput::keyRelease(QKeyEvent* event) {
  const uint16_t code = releaseCode(*event);
  if (event->isAutoRepeat()) {
    dispatcher_.keyUp(code, true);
    return;
  }
  flushKeyRelease();
  const quint32 scanCode = event->nativeScanCode();
  const bool pressedHere = scanCode == 0 || heldKey(scanCode) != nullptr;
  pending_ = PendingRelease{event->key(), scanCode, code, event->timestamp(), pressedHere};
  pendingTimer_.start();
}

void QtDeviceInput::flushKeyRelease() {
  if (!pending_) {
    return;
  }
  const uint16_t code = pending_->code;
  const bool pressedHere = pending_->pressedHere;
  forgetPress(pending_->scanCode);
  pending_.reset();
  pendingTimer_.stop();
  if (pressedHere) {  // the release of a key pressed elsewhere is not one of ours
    runHandler([this, code] { dispatcher_.keyUp(code, false); }, &form_);
  }
}

uint16_t QtDeviceInput::releaseCode(const QKeyEvent& event) const {
  if (const HeldKey* held = heldKey(event.nativeScanCode())) {
    return held->code;
  }
  return virtualKeyCode(event);
}

QtDeviceInput::HeldKey* QtDeviceInput::heldKey(quint32 scanCode) {
  return const_cast<HeldKey*>(std::as_const(*this).heldKey(scanCode));
}

const QtDeviceInput::HeldKey* QtDeviceInput::heldKey(quint32 scanCode) const {
  if (scanCode == 0) {
    return nullptr;
  }
  for (const HeldKey& held : heldKeys_) {
    if (held.scanCode == scanCode) {
      return &held;
    }
  }
  return nullptr;
}

void QtDeviceInput::rememberPress(quint32 scanCode, uint16_t code) {
  HeldKey* slot = heldKey(scanCode);
  for (HeldKey& held : heldKeys_) {
    if (!slot && held.scanCode == 0) {
      slot = &held;
    }
  }
  if (!slot) {
    slot = &heldKeys_.front();  // releases were lost (focus moved away)
  }
  *slot = HeldKey{scanCode, code};
}

void QtDeviceInput::forgetPress(quint32 scanCode) {
  if (HeldKey* held = heldKey(scanCode)) {
    *held = HeldKey{};
  }
}

void QtDeviceInput::mousePress(QMouseEvent* event) {
  flushKeyRelease();
  if (event->button() != Qt::LeftButton) {
    return;  // the right button belongs to the context menu
  }
  const QPoint pos = event->position().toPoint();
  if (form_.gameMenuAt(pos)) {
    menuPressed_ = true;
    return;
  }
  const std::optional<SkinImage> control = form_.skinControlAt(pos);
  if (!control) {
    return;
  }
  const int button = buttonOfControl(*control);
  if (button >= 0) {
    mouseButton_ = button;
    dispatcher_.mouseDown(static_cast<Button>(button));
    return;
  }
  if (isBackgroundControl(*control) && !form_.fullscreen_mode) {
    dragging_ = true;
    systemDragTried_ = false;
    dragControl_ = control;
    dragAnchor_ = pos - form_.skinControl(*control).rect().topLeft();
  }
}

void QtDeviceInput::mouseRelease(QMouseEvent* event) {
  flushKeyRelease();
  if (event->button() != Qt::LeftButton) {
    return;
  }
  dragging_ = false;
  if (menuPressed_) {
    menuPressed_ = false;
    if (form_.gameMenuAt(event->position().toPoint()) && form_.gameMenuClick) {
      form_.gameMenuClick();
    }
    return;
  }
  if (mouseButton_ >= 0) {
    const int button = mouseButton_;
    mouseButton_ = -1;
    dispatcher_.mouseUp(static_cast<Button>(button));
  }
}

void QtDeviceInput::mouseMove(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (dragging_ && (event->buttons() & Qt::LeftButton) && !form_.fullscreen_mode && dragControl_) {
    // The drag goes to the window system at its first step (a click alone
    // must not start one: some window managers would then wait for a second
    // click); where it cannot take it, the window moves itself.
    if (!systemDragTried_) {
      systemDragTried_ = true;
      if (startSystemDrag(form_)) {
        dragging_ = false;
        return;
      }
    }
    const QPoint inControl = pos - form_.skinControl(*dragControl_).rect().topLeft();
    const QPoint delta = inControl - dragAnchor_;
    form_.move(form_.x(), form_.y() + delta.y());
    form_.move(form_.x() + delta.x(), form_.y());
    return;
  }
  if (event->buttons() == Qt::NoButton) {
    updateCursor(pos);
  }
}

void QtDeviceInput::updateCursor(QPoint pos) {
  const std::optional<SkinImage> control = form_.skinControlAt(pos);
  int kind = kArrow;
  if (form_.gameMenuAt(pos)) {
    kind = kHand;  // the game menu lies over the skin
  } else if (control && buttonOfControl(*control) >= 0) {
    kind = kHand;
  } else if (control && *control == btn_set_top) {
    kind = kHelp;
  }
  if (kind == cursorKind_) {
    return;
  }
  cursorKind_ = kind;
  switch (kind) {
    case kHand:
      form_.setCursor(Qt::PointingHandCursor);
      break;
    case kHelp:
      form_.setCursor(Qt::WhatsThisCursor);
      break;
    default:
      form_.unsetCursor();
      break;
  }
}

}  // namespace tavro
