#pragma once
// The 44 bindable keys (one table for list entries, key codes and hint names),
// the five key bindings, AssignWord and the tooltip rule.

#include <array>
#include <cstdint>
#include <string>

namespace tavro {

struct BindableKey {
  const char* entry;  // text in the key settings lists, e.g. "<SPACEBAR>"
  uint16_t code;      // Windows virtual-key code, e.g. 32
  const char* name;   // name in hints, e.g. "'spacebar'"
};

inline constexpr int kBindableKeyCount = 44;
// Row `choice` (1..44) of the table; nullptr outside 1..44.
const BindableKey* bindableKey(int choice);

struct KeyBinding {
  int32_t choice = 0;     // 1..44
  uint16_t key_code = 0;  // 0 while no valid choice was assigned
};

enum Button : int { kGameA = 0, kGameB, kTime, kLeft, kRight, kButtonCount };

// Binding n (1..5) takes the key code of record's choice; a choice outside
// 1..44 leaves key_code as it was.
void AssignWord(int n, KeyBinding& binding, const KeyBinding& record);

// The key names of the hints, filled once at start-up (rows 1..44).
std::array<std::string, kBindableKeyCount + 1> buildKeyNames();

struct ButtonHints {
  std::string game_a, game_b, time, set, left, right;
};
// The name a hint shows for a choice outside 1..44, which has no key.
inline constexpr const char* kNoKeyName = "(no key)";

// The tooltip rule. A choice outside 1..44 has no name: its hint shows
// kNoKeyName in its place ("click or press (no key) to switch mode").
ButtonHints tooltipHints(const std::array<KeyBinding, kButtonCount>& bindings,
                         const std::array<std::string, kBindableKeyCount + 1>& keyNames);

// The first binding (game A, game B, time, left, right) whose key code is
// `code`, or -1. Code 0 (no key) matches nothing.
int matchBinding(const std::array<KeyBinding, kButtonCount>& bindings, uint16_t code);

// Default choices: 2, 3, 4, 39, 40 (keys 1, 2, 3, left arrow, right arrow).
inline constexpr std::array<int32_t, kButtonCount> kDefaultChoices{2, 3, 4, 39, 40};

}  // namespace tavro
