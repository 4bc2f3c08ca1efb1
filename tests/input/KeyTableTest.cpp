// The bindable-key table, AssignWord, the key names and the tooltip rule.

#include <gtest/gtest.h>

#include "input/KeyTable.h"

namespace tavro {
namespace {

std::array<KeyBinding, kButtonCount> bindingsFor(const std::array<int32_t, kButtonCount>& choices) {
  std::array<KeyBinding, kButtonCount> bindings{};
  for (int b = 0; b < kButtonCount; ++b) {
    bindings[b].choice = choices[b];
    AssignWord(b + 1, bindings[b], bindings[b]);
  }
  return bindings;
}

TEST(KeyTable, RowsAgreeWithTheKeyNamesAndTheCodeRules) {
  const auto names = buildKeyNames();
  for (int choice = 1; choice <= kBindableKeyCount; ++choice) {
    const BindableKey* key = bindableKey(choice);
    ASSERT_NE(key, nullptr) << choice;
    EXPECT_EQ(names[choice], key->name) << choice;
    if (choice <= 36) {
      // Digits and letters: the entry is the character, the code its upper-case code.
      ASSERT_EQ(std::string(key->entry).size(), 1u);
      EXPECT_EQ(key->code, static_cast<uint16_t>(key->entry[0])) << choice;
      EXPECT_EQ(std::string(key->name), std::string("'") + key->entry + "'");
    }
  }
  EXPECT_EQ(bindableKey(1)->code, 48);
  EXPECT_EQ(bindableKey(10)->code, 57);
  EXPECT_EQ(bindableKey(11)->code, 65);
  EXPECT_EQ(bindableKey(36)->code, 90);
  // Arrows are not in code order: up, down, left, right.
  EXPECT_STREQ(bindableKey(37)->entry, "<UP ARROW>");
  EXPECT_EQ(bindableKey(37)->code, 38);
  EXPECT_EQ(bindableKey(38)->code, 40);
  EXPECT_EQ(bindableKey(39)->code, 37);
  EXPECT_EQ(bindableKey(40)->code, 39);
  EXPECT_STREQ(bindableKey(41)->entry, "<ALT>");
  EXPECT_EQ(bindableKey(41)->code, 18);
  EXPECT_EQ(bindableKey(42)->code, 17);
  EXPECT_EQ(bindableKey(43)->code, 16);
  EXPECT_STREQ(bindableKey(44)->entry, "<SPACEBAR>");
  EXPECT_EQ(bindableKey(44)->code, 32);
  EXPECT_STREQ(names[44].c_str(), "'spacebar'");
  EXPECT_STREQ(names[37].c_str(), "'up arrow' key");
}

TEST(KeyTable, ChoicesOutsideTheTableHaveNoRow) {
  for (int choice : {0, 45, -1, 1000, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(bindableKey(choice), nullptr) << choice;
  }
}

TEST(KeyTable, DefaultChoicesGiveKeys123AndTheSideArrows) {
  const auto bindings = bindingsFor(kDefaultChoices);
  EXPECT_EQ(bindings[kGameA].key_code, 49);
  EXPECT_EQ(bindings[kGameB].key_code, 50);
  EXPECT_EQ(bindings[kTime].key_code, 51);
  EXPECT_EQ(bindings[kLeft].key_code, 37);
  EXPECT_EQ(bindings[kRight].key_code, 39);

  const ButtonHints hints = tooltipHints(bindings, buildKeyNames());
  EXPECT_EQ(hints.game_a, "click or press '1' to start game A (hold to view highscore)");
  EXPECT_EQ(hints.game_b, "click or press '2' to start game B (hold to view highscore)");
  EXPECT_EQ(hints.time, "click or press '3' to switch mode");
  EXPECT_EQ(hints.set, "button disabled");
  EXPECT_EQ(hints.left, "click or press 'left arrow' key");
  EXPECT_EQ(hints.right, "click or press 'right arrow' key");
}

TEST(KeyTable, SpacebarUpArrowAndLetters) {
  const auto bindings = bindingsFor({44, 37, 11, 43, 36});
  EXPECT_EQ(bindings[kGameA].key_code, 32);
  EXPECT_EQ(bindings[kGameB].key_code, 38);
  const ButtonHints hints = tooltipHints(bindings, buildKeyNames());
  EXPECT_EQ(hints.game_a, "click or press 'spacebar' to start game A (hold to view highscore)");
  EXPECT_EQ(hints.game_b, "click or press 'up arrow' key to start game B (hold to view highscore)");
  EXPECT_EQ(hints.time, "click or press 'A' to switch mode");
  EXPECT_EQ(hints.left, "click or press 'shift' key");
  EXPECT_EQ(hints.right, "click or press 'Z'");
  EXPECT_EQ(hints.set, "button disabled");
}

TEST(KeyTable, ChoiceOutsideTheTableKeepsTheKeyCodeAndNamesNoKey) {
  KeyBinding fresh;
  fresh.choice = 0;
  AssignWord(1, fresh, fresh);
  EXPECT_EQ(fresh.key_code, 0);  // nothing assigned yet: stays 0

  KeyBinding bound{4, 0};
  AssignWord(3, bound, bound);
  EXPECT_EQ(bound.key_code, 51);
  bound.choice = 45;
  AssignWord(3, bound, bound);
  EXPECT_EQ(bound.key_code, 51);  // unchanged

  auto bindings = bindingsFor({2, 3, 0, 39, 45});
  EXPECT_EQ(bindings[kTime].key_code, 0);
  EXPECT_EQ(bindings[kRight].key_code, 0);
  EXPECT_EQ(matchBinding(bindings, 0), -1);  // an unbound button never matches
  const ButtonHints hints = tooltipHints(bindings, buildKeyNames());
  EXPECT_EQ(hints.time, "click or press (no key) to switch mode");
  EXPECT_EQ(hints.right, "click or press (no key)");
  EXPECT_EQ(hints.game_a, "click or press '1' to start game A (hold to view highscore)");
}

TEST(KeyTable, FirstBindingInButtonOrderWins) {
  const auto bindings = bindingsFor({2, 39, 39, 39, 40});  // left arrow on three buttons
  EXPECT_EQ(matchBinding(bindings, 37), kGameB);
  EXPECT_EQ(matchBinding(bindings, 49), kGameA);
  EXPECT_EQ(matchBinding(bindings, 39), kRight);
  EXPECT_EQ(matchBinding(bindings, 50), -1);
  EXPECT_EQ(matchBinding(bindings, 0x61), -1);  // keypad 1 is not the key 1
}

}  // namespace
}  // namespace tavro
