#include "input/PadState.h"

namespace tavro {

int padInputButton(int input) {
  switch (input) {
    case kPadSouth:
      return kGameA;
    case kPadEast:
      return kGameB;
    case kPadNorth:
    case kPadBack:
      return kTime;
    case kPadDpadLeft:
      return kLeft;
    case kPadDpadRight:
      return kRight;
    default:
      return -1;
  }
}

void PadState::button(int32_t pad, int input, bool pressed) {
  const int button = padInputButton(input);
  if (button < 0) {
    return;
  }
  Pad* state = pressed ? findOrAdd(pad) : find(pad);
  if (state) {
    hold(*state, static_cast<Button>(button), 1u << input, pressed);
  }
}

void PadState::stickX(int32_t pad, int value) {
  Pad* state = findOrAdd(pad);
  if (!state) {
    return;
  }
  const int direction = state->stick.update(value);
  hold(*state, kLeft, kStickLeftBit, direction < 0);
  hold(*state, kRight, kStickRightBit, direction > 0);
}

void PadState::remove(int32_t pad) {
  Pad* state = find(pad);
  if (!state) {
    return;
  }
  for (int b = 0; b < kButtonCount; ++b) {
    const Button button = static_cast<Button>(b);
    const bool held = state->inputs[b] != 0;
    state->inputs[b] = 0;
    if (held && !holds(button)) {
      sink_.up(button);
    }
  }
  *state = Pad{};
}

bool PadState::holds(Button button) const {
  for (const Pad& pad : pads_) {
    if (pad.used && pad.inputs[button] != 0) {
      return true;
    }
  }
  return false;
}

PadState::Pad* PadState::find(int32_t pad) {
  for (Pad& state : pads_) {
    if (state.used && state.id == pad) {
      return &state;
    }
  }
  return nullptr;
}

PadState::Pad* PadState::findOrAdd(int32_t pad) {
  if (Pad* state = find(pad)) {
    return state;
  }
  for (Pad& state : pads_) {
    if (!state.used) {
      state.used = true;
      state.id = pad;
      return &state;
    }
  }
  return nullptr;
}

void PadState::hold(Pad& pad, Button button, uint32_t bit, bool on) {
  uint32_t& inputs = pad.inputs[button];
  if (((inputs & bit) != 0) == on) {
    return;
  }
  if (on) {
    inputs |= bit;
    sink_.down(button);
    return;
  }
  inputs &= ~bit;
  if (!holds(button)) {
    sink_.up(button);
  }
}

}  // namespace tavro
