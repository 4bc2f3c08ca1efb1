#include "input/JoystickKeyBits.h"

#include <cstdint>

namespace tavro {
namespace {

constexpr int kFirstJoystickButton = 0x120;
constexpr int kLastJoystickButton = 0x13e;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool hasJoystickButtons(std::string_view keyBits, int wordBits) {
  if (wordBits != 32 && wordBits != 64) {
    return false;
  }
  // Split into words, the last one holding bits 0 .. wordBits-1.
  constexpr int kMaxWords = 16;  // 768 keys fit in 12 words of 64 bits
  std::string_view words[kMaxWords];
  int count = 0;
  std::size_t pos = 0;
  while (pos < keyBits.size()) {
    while (pos < keyBits.size() && (keyBits[pos] == ' ' || keyBits[pos] == '\n')) ++pos;
    const std::size_t start = pos;
    while (pos < keyBits.size() && keyBits[pos] != ' ' && keyBits[pos] != '\n') ++pos;
    if (pos == start) break;
    if (count == kMaxWords) return false;
    words[count++] = keyBits.substr(start, pos - start);
  }
  for (int bit = kFirstJoystickButton; bit <= kLastJoystickButton; ++bit) {
    const int index = count - 1 - bit / wordBits;
    if (index < 0) {
      return false;
    }
    const std::string_view word = words[index];
    const int inWord = bit % wordBits;
    // Digit counted from the word's right end; a short word has leading zeros left out.
    const std::size_t fromRight = static_cast<std::size_t>(inWord / 4);
    if (fromRight >= word.size()) {
      continue;
    }
    const int digit = hexDigit(word[word.size() - 1 - fromRight]);
    if (digit < 0) {
      return false;
    }
    if (digit & (1 << (inWord % 4))) {
      return true;
    }
  }
  return false;
}

}  // namespace tavro
