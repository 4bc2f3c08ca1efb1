// Qt key events as the X11 platform delivers them, mapped to key codes.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <utility>

#include "input/KeyMapper.h"

namespace tavro {
namespace {

uint16_t code(int key, Qt::KeyboardModifiers modifiers, quint32 scan, quint32 keysym) {
  const QKeyEvent event(QEvent::KeyPress, key, modifiers, scan, keysym, 0);
  return virtualKeyCode(event);
}

TEST(KeyMapper, MainKeyboardDigitsWithAndWithoutShift) {
  EXPECT_EQ(code(Qt::Key_1, Qt::NoModifier, 10, 0x31), 49);
  EXPECT_EQ(code(Qt::Key_0, Qt::NoModifier, 19, 0x30), 48);
  EXPECT_EQ(code(Qt::Key_9, Qt::NoModifier, 18, 0x39), 57);
  // Shift+1 arrives as '!' with the scan code of the 1 key.
  EXPECT_EQ(code(Qt::Key_Exclam, Qt::ShiftModifier, 10, 33), 49);
  // Shift+2 (US '@'), Shift+0 (')'), and the AZERTY 1 key unshifted ('&').
  EXPECT_EQ(code(Qt::Key_At, Qt::ShiftModifier, 11, 0x40), 50);
  EXPECT_EQ(code(Qt::Key_ParenRight, Qt::ShiftModifier, 19, 0x29), 48);
  EXPECT_EQ(code(Qt::Key_Ampersand, Qt::NoModifier, 10, 0x26), 49);
  // Ctrl and Alt change nothing.
  EXPECT_EQ(code(Qt::Key_3, Qt::ControlModifier | Qt::AltModifier, 12, 0x33), 51);
}

TEST(KeyMapper, KeypadDigitsAreNotTheDigitKeys) {
  const uint16_t keypad1 = code(Qt::Key_1, Qt::KeypadModifier, 87, 0xFFB1);
  EXPECT_NE(keypad1, 49);
  EXPECT_EQ(keypad1, 0x61);  // VK_NUMPAD1
  EXPECT_EQ(code(Qt::Key_0, Qt::KeypadModifier, 90, 0xFFB0), 0x60);
  // Keypad with NumLock off: a navigation key, no code of the table.
  EXPECT_EQ(code(Qt::Key_End, Qt::KeypadModifier, 87, 0xFF9C), 0);
  EXPECT_EQ(code(Qt::Key_Enter, Qt::KeypadModifier, 104, 0xFF8D), 13);
}

TEST(KeyMapper, LettersInEitherCaseAndWithModifiers) {
  EXPECT_EQ(code(Qt::Key_A, Qt::NoModifier, 38, 'a'), 65);
  EXPECT_EQ(code(Qt::Key_A, Qt::ShiftModifier, 38, 'A'), 65);
  EXPECT_EQ(code(Qt::Key_Z, Qt::ControlModifier, 52, 'z'), 90);
  EXPECT_EQ(code(Qt::Key_M, Qt::NoModifier, 47, 'm'), 77);  // AZERTY: M beside L
  // AltGr+E gives the euro sign: still the E key.
  EXPECT_EQ(code(0x20AC, Qt::GroupSwitchModifier, 26, 0x20AC), 69);
  // A Cyrillic layout: the letter at the key's US position.
  EXPECT_EQ(code(0x0444, Qt::NoModifier, 38, 0x6C6), 65);
  // The AZERTY comma sits where US has M: a comma is no letter.
  EXPECT_EQ(code(Qt::Key_Comma, Qt::NoModifier, 58, ','), 0);
}

TEST(KeyMapper, ArrowsModifiersSpaceAndWindowKeys) {
  EXPECT_EQ(code(Qt::Key_Left, Qt::NoModifier, 113, 0xFF51), 37);
  EXPECT_EQ(code(Qt::Key_Up, Qt::NoModifier, 111, 0xFF52), 38);
  EXPECT_EQ(code(Qt::Key_Right, Qt::ShiftModifier, 114, 0xFF53), 39);
  EXPECT_EQ(code(Qt::Key_Down, Qt::NoModifier, 116, 0xFF54), 40);
  EXPECT_EQ(code(Qt::Key_Shift, Qt::ShiftModifier, 50, 0xFFE1), 16);  // left Shift
  EXPECT_EQ(code(Qt::Key_Shift, Qt::ShiftModifier, 62, 0xFFE2), 16);  // right Shift
  EXPECT_EQ(code(Qt::Key_Control, Qt::ControlModifier, 37, 0xFFE3), 17);
  EXPECT_EQ(code(Qt::Key_Control, Qt::ControlModifier, 105, 0xFFE4), 17);
  EXPECT_EQ(code(Qt::Key_Alt, Qt::AltModifier, 64, 0xFFE9), 18);
  EXPECT_EQ(code(Qt::Key_AltGr, Qt::NoModifier, 108, 0xFE03), 18);
  EXPECT_EQ(code(Qt::Key_Space, Qt::NoModifier, 65, 0x20), 32);
  EXPECT_EQ(code(Qt::Key_Space, Qt::ShiftModifier, 65, 0x20), 32);
  EXPECT_EQ(code(Qt::Key_Escape, Qt::NoModifier, 9, 0xFF1B), 27);
  EXPECT_EQ(code(Qt::Key_Return, Qt::NoModifier, 36, 0xFF0D), 13);
  EXPECT_EQ(code(Qt::Key_F1, Qt::NoModifier, 67, 0xFFBE), 112);
  EXPECT_EQ(code(Qt::Key_F12, Qt::NoModifier, 96, 0xFFC9), 123);
}

TEST(KeyMapper, AltHeldWithShiftIsStillAlt) {
  // X11 reports Shift+Alt as Meta on the Alt key; the Windows key is Super.
  EXPECT_EQ(code(Qt::Key_Meta, Qt::ShiftModifier | Qt::AltModifier, 64, 0xFFE7), 18);   // Meta_L
  EXPECT_EQ(code(Qt::Key_Meta, Qt::ShiftModifier, 108, 0xFFE8), 18);                    // Meta_R
  EXPECT_EQ(code(Qt::Key_Meta, Qt::ShiftModifier | Qt::MetaModifier, 133, 0xFFEB), 0);  // Super_L
}

// A German layout: the unmodified keysym at each key code, group 1 only.
uint32_t germanBase(uint32_t keycode, uint32_t state) {
  if ((state >> 13) & 3) {
    return 0;
  }
  static constexpr std::pair<uint32_t, uint32_t> kKeys[] = {
      {24, 'q'}, {29, 'z'}, {52, 'y'}, {58, 'm'}, {26, 'e'}, {11, '2'}, {59, ','}};
  for (const auto& [key, sym] : kKeys) {
    if (key == keycode) {
      return sym;
    }
  }
  return 0;
}

TEST(KeyMapper, AltGrLettersGiveTheLetterOfTheLayout) {
  constexpr uint32_t kLevel3 = 0x80;  // Mod5: AltGr held
  struct Case {
    int key;
    quint32 scan, keysym, state;
    uint16_t expected;
  };
  const Case cases[] = {
      {Qt::Key_At, 24, '@', kLevel3, 'Q'},
      {Qt::Key_mu, 58, 0xB5, kLevel3, 'M'},
      {Qt::Key_Z, 29, 'z', 0, 'Z'},  // unmodified: the keysym itself
      {Qt::Key_guillemotright, 52, 0xBB, kLevel3, 'Y'},
      {0x20AC, 26, 0x20AC, kLevel3, 'E'},
      {Qt::Key_twosuperior, 11, 0xB2, kLevel3, '2'},
      {Qt::Key_periodcentered, 59, 0xB7, kLevel3, 0},  // the comma key is no letter
      {Qt::Key_At, 24, '@', kLevel3 | (1u << 13), 0},  // a group the layout lacks
  };
  for (const Case& c : cases) {
    const QKeyEvent event(QEvent::KeyPress, c.key, Qt::NoModifier, c.scan, c.keysym, c.state);
    EXPECT_EQ(virtualKeyCode(event, germanBase), c.expected) << "key code " << c.scan;
  }
}

TEST(KeyMapper, OtherKeysGiveNoCode) {
  EXPECT_EQ(code(Qt::Key_Tab, Qt::NoModifier, 23, 0xFF09), 0);
  EXPECT_EQ(code(Qt::Key_Meta, Qt::MetaModifier, 133, 0xFFEB), 0);
  EXPECT_EQ(code(Qt::Key_BracketLeft, Qt::NoModifier, 34, '['), 0);
  EXPECT_EQ(code(Qt::Key_CapsLock, Qt::NoModifier, 66, 0xFFE5), 0);
  EXPECT_EQ(code(Qt::Key_unknown, Qt::NoModifier, 0, 0), 0);
}

}  // namespace
}  // namespace tavro
