#include "KeyTable.h"

namespace tavro {

namespace {

// Rows 1..44; index 0 is row 1.
constexpr std::array<BindableKey, kBindableKeyCount> kTable{{
    {"0", 48, "'0'"},
    {"1", 49, "'1'"},
    {"2", 50, "'2'"},
    {"3", 51, "'3'"},
    {"4", 52, "'4'"},
    {"5", 53, "'5'"},
    {"6", 54, "'6'"},
    {"7", 55, "'7'"},
    {"8", 56, "'8'"},
    {"9", 57, "'9'"},
    {"A", 65, "'A'"},
    {"B", 66, "'B'"},
    {"C", 67, "'C'"},
    {"D", 68, "'D'"},
    {"E", 69, "'E'"},
    {"F", 70, "'F'"},
    {"G", 71, "'G'"},
    {"H", 72, "'H'"},
    {"I", 73, "'I'"},
    {"J", 74, "'J'"},
    {"K", 75, "'K'"},
    {"L", 76, "'L'"},
    {"M", 77, "'M'"},
    {"N", 78, "'N'"},
    {"O", 79, "'O'"},
    {"P", 80, "'P'"},
    {"Q", 81, "'Q'"},
    {"R", 82, "'R'"},
    {"S", 83, "'S'"},
    {"T", 84, "'T'"},
    {"U", 85, "'U'"},
    {"V", 86, "'V'"},
    {"W", 87, "'W'"},
    {"X", 88, "'X'"},
    {"Y", 89, "'Y'"},
    {"Z", 90, "'Z'"},
    {"<UP ARROW>", 38, "'up arrow' key"},
    {"<DOWN ARROW>", 40, "'down arrow' key"},
    {"<LEFT ARROW>", 37, "'left arrow' key"},
    {"<RIGHT ARROW>", 39, "'right arrow' key"},
    {"<ALT>", 18, "'alt' key"},
    {"<CTRL>", 17, "'ctrl' key"},
    {"<SHIFT>", 16, "'shift' key"},
    {"<SPACEBAR>", 32, "'spacebar'"},
}};

std::string hintName(int32_t choice,
                     const std::array<std::string, kBindableKeyCount + 1>& keyNames) {
  if (bindableKey(choice) == nullptr) {
    return kNoKeyName;
  }
  return keyNames[static_cast<size_t>(choice)];
}

}  // namespace

const BindableKey* bindableKey(int choice) {
  if (choice < 1 || choice > kBindableKeyCount) {
    return nullptr;
  }
  return &kTable[static_cast<size_t>(choice - 1)];
}

void AssignWord(int /*n*/, KeyBinding& binding, const KeyBinding& record) {
  if (const BindableKey* key = bindableKey(record.choice)) {
    binding.key_code = key->code;
  }
}

std::array<std::string, kBindableKeyCount + 1> buildKeyNames() {
  std::array<std::string, kBindableKeyCount + 1> names;
  for (int choice = 1; choice <= 10; ++choice) {
    names[choice] = std::string("'") + static_cast<char>(choice + 47) + "'";
  }
  for (int choice = 11; choice <= 36; ++choice) {
    names[choice] = std::string("'") + static_cast<char>(choice + 54) + "'";
  }
  names[37] = "'up arrow' key";
  names[38] = "'down arrow' key";
  names[39] = "'left arrow' key";
  names[40] = "'right arrow' key";
  names[41] = "'alt' key";
  names[42] = "'ctrl' key";
  names[43] = "'shift' key";
  names[44] = "'spacebar'";
  return names;
}

ButtonHints tooltipHints(const std::array<KeyBinding, kButtonCount>& bindings,
                         const std::array<std::string, kBindableKeyCount + 1>& keyNames) {
  auto name = [&](Button b) { return hintName(bindings[b].choice, keyNames); };
  ButtonHints hints;
  hints.game_a =
      "click or press " + name(kGameA) + " " + "to start game A (hold to view highscore)";
  hints.game_b =
      "click or press " + name(kGameB) + " " + "to start game B (hold to view highscore)";
  hints.time = "click or press " + name(kTime) + " " + "to switch mode";
  hints.set = "button disabled";
  hints.left = "click or press " + name(kLeft);
  hints.right = "click or press " + name(kRight);
  return hints;
}

int matchBinding(const std::array<KeyBinding, kButtonCount>& bindings, uint16_t code) {
  if (code == 0) {
    return -1;  // 0 is "no key": an unassigned binding never matches
  }
  for (int b = 0; b < kButtonCount; ++b) {
    if (bindings[b].key_code == code) {
      return b;
    }
  }
  return -1;
}

}  // namespace tavro
