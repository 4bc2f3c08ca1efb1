#include "ButtonDispatcher.h"

namespace tavro {

ButtonDispatcher::ButtonDispatcher(const std::array<KeyBinding, kButtonCount>& bindings,
                                   ButtonSink& sink)
    : bindings_(bindings), sink_(sink) {}

bool ButtonDispatcher::keyDown(uint16_t code, bool isAutoRepeat) {
  const int match = matchBinding(bindings_, code);
  if (match < 0) {
    return false;
  }
  const Button button = static_cast<Button>(match);
  Sources& held = held_[button];
  if (held.keySpent) {
    if (isAutoRepeat) {
      return true;  // a repeat of a hold the mouse already ended
    }
    held.keySpent = false;  // a fresh press: its release was lost (focus moved away)
  }
  held.key = true;
  sink_.down(button);
  return true;
}

bool ButtonDispatcher::keyUp(uint16_t code, bool isAutoRepeat) {
  const int match = matchBinding(bindings_, code);
  if (match < 0) {
    return false;
  }
  const Button button = static_cast<Button>(match);
  Sources& held = held_[button];
  if (isAutoRepeat) {
    return true;  // X11 sends a release before every repeated press
  }
  if (held.keySpent) {
    held.keySpent = false;
    return true;
  }
  if (held.key) {
    release(button);
  }
  return true;
}

void ButtonDispatcher::mouseDown(Button button) {
  sourceDown(button, &Sources::mouse);
}

void ButtonDispatcher::mouseUp(Button button) {
  sourceUp(button, &Sources::mouse);
}

void ButtonDispatcher::padDown(Button button) {
  sourceDown(button, &Sources::pad);
}

void ButtonDispatcher::padUp(Button button) {
  sourceUp(button, &Sources::pad);
}

void ButtonDispatcher::sourceDown(Button button, bool Sources::*source) {
  if (button < 0 || button >= kButtonCount) {
    return;
  }
  held_[button].*source = true;
  sink_.down(button);
}

void ButtonDispatcher::sourceUp(Button button, bool Sources::*source) {
  if (button < 0 || button >= kButtonCount) {
    return;
  }
  Sources& held = held_[button];
  if (!(held.*source)) {
    return;  // another source already released this button
  }
  if (held.key) {
    held.keySpent = true;  // the key is still down; its release comes later
  }
  release(button);
}

void ButtonDispatcher::release(Button button) {
  Sources& held = held_[button];
  held.key = false;
  held.mouse = false;
  held.pad = false;
  sink_.up(button);
}

}  // namespace tavro
