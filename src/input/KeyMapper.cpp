#include "KeyMapper.h"

#include <QKeyEvent>
#include <string_view>

#include "X11BaseKeysym.h"

namespace tavro {

namespace {

constexpr uint16_t kVkNumpad0 = 0x60;
constexpr uint16_t kVkMultiply = 0x6A;
constexpr uint16_t kVkAdd = 0x6B;
constexpr uint16_t kVkSubtract = 0x6D;
constexpr uint16_t kVkDecimal = 0x6E;
constexpr uint16_t kVkDivide = 0x6F;

bool isDigitCode(uint32_t code) {
  return code >= '0' && code <= '9';
}
bool isLetterCode(uint32_t code) {
  return code >= 'A' && code <= 'Z';
}

uint16_t keypadCode(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    return static_cast<uint16_t>(kVkNumpad0 + (key - Qt::Key_0));
  }
  switch (key) {
    case Qt::Key_Asterisk:
      return kVkMultiply;
    case Qt::Key_Plus:
      return kVkAdd;
    case Qt::Key_Minus:
      return kVkSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma:
      return kVkDecimal;
    case Qt::Key_Slash:
      return kVkDivide;
    default:
      return 0;  // the rest of the keypad (Enter, arrows) is mapped like the main keys
  }
}

uint16_t namedKeyCode(int key) {
  switch (key) {
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
      return 18;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
    return static_cast<uint16_t>(112 + (key - Qt::Key_F1));
  }
  return 0;
}

uint16_t digitOrLetterOfKeysym(uint32_t keysym) {
  if (isDigitCode(keysym) || isLetterCode(keysym)) {
    return static_cast<uint16_t>(keysym);
  }
  if (keysym >= 'a' && keysym <= 'z') {
    return static_cast<uint16_t>(keysym - 'a' + 'A');
  }
  return 0;
}

// A digit or letter key whose Qt key was changed by a modifier (Shift+1 gives
// '!', AltGr+E may give a euro sign): the host's own code for the key.
uint16_t nativeDigitOrLetter(const QKeyEvent& event, BaseKeysymLookup baseKeysym) {
#if defined(Q_OS_WIN)
  (void)baseKeysym;
  const uint32_t vk = event.nativeVirtualKey();  // already a Windows virtual-key code
  if (isDigitCode(vk) || isLetterCode(vk)) {
    return static_cast<uint16_t>(vk);
  }
#elif defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // X11 and Wayland: the native virtual key is the keysym, whose Latin digits
  // and letters are their ASCII codes.
  const uint32_t keysym = event.nativeVirtualKey();
  if (const uint16_t code = digitOrLetterOfKeysym(keysym)) {
    return code;
  }
  // The character of the key without modifiers in the active layout: the
  // letter under AltGr, as Windows gives the key's own code.
  const uint32_t scan = event.nativeScanCode();
  if (scan != 0 && baseKeysym) {
    if (const uint16_t code = digitOrLetterOfKeysym(baseKeysym(scan, event.nativeModifiers()))) {
      return code;
    }
  }
  // The digit row by position (XKB key codes 10..19 are 1..9, 0), as the
  // Windows codes of that row are digits on every layout.
  if (scan >= 10 && scan <= 18) {
    return static_cast<uint16_t>('1' + (scan - 10));
  }
  if (scan == 19) {
    return '0';
  }
  // A letter key of a non-Latin layout (its keysym lies beyond Latin-1): the
  // letter at its position on a US keyboard, as Windows gives it.
  if (keysym <= 0xFF) {
    return 0;
  }
  static constexpr std::string_view kRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  static constexpr uint32_t kRowStarts[] = {24, 38, 52};
  for (int row = 0; row < 3; ++row) {
    if (scan >= kRowStarts[row] && scan < kRowStarts[row] + kRows[row].size()) {
      return static_cast<uint16_t>(kRows[row][scan - kRowStarts[row]]);
    }
  }
#else
  (void)event;
  (void)baseKeysym;
#endif
  return 0;
}

// X11 keymaps put Meta on the Alt keys' shifted level: Shift+Alt arrives as
// Qt::Key_Meta. The Windows key (Super) is Qt::Key_Meta too and is no Alt.
bool isShiftedAlt(const QKeyEvent& event) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  constexpr uint32_t kKeysymMetaL = 0xFFE7;
  constexpr uint32_t kKeysymMetaR = 0xFFE8;
  const uint32_t keysym = event.nativeVirtualKey();
  return event.key() == Qt::Key_Meta && (keysym == kKeysymMetaL || keysym == kKeysymMetaR);
#else
  (void)event;
  return false;
#endif
}

}  // namespace

uint16_t virtualKeyCode(const QKeyEvent& event) {
  return virtualKeyCode(event, x11BaseKeysym);
}

uint16_t virtualKeyCode(const QKeyEvent& event, BaseKeysymLookup baseKeysym) {
  const int key = event.key();
  if (event.modifiers().testFlag(Qt::KeypadModifier)) {
    if (const uint16_t code = keypadCode(key)) {
      return code;
    }
  }
  if (const uint16_t code = namedKeyCode(key)) {
    return code;
  }
  if (isShiftedAlt(event)) {
    return 18;
  }
  if (isDigitCode(static_cast<uint32_t>(key)) || isLetterCode(static_cast<uint32_t>(key))) {
    return static_cast<uint16_t>(key);  // Qt::Key_0..9 and Key_A..Z are their ASCII codes
  }
  return nativeDigitOrLetter(event, baseKeysym);
}

}  // namespace tavro
