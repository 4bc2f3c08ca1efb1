// The value notations of Config.ini: integers, folders, file names, offsets
// and flags.

#include <cstdint>

#include "skin/IniFile.h"

namespace tavro {
namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<int32_t> parseIniInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }

  bool hex = false;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    i += 1;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == text.size()) return std::nullopt;  // no digits at all

  // Accumulate in 64 bits and stop as soon as the value leaves 32 bits.
  const uint64_t limit = hex ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit =
        hex ? hexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  uint32_t bits = static_cast<uint32_t>(value);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

std::string makeFolder(std::string_view text) {
  std::string folder(text);
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

bool isNoFile(std::string_view name) {
  return name.empty() || name == "nil";
}

std::optional<int32_t> parseOffset(std::string_view text) {
  const std::optional<int32_t> value = parseIniInteger(text);
  if (!value || *value == 0) return std::nullopt;
  return value;
}

bool flagValue(int32_t value) {
  return (static_cast<uint32_t>(value) & 0xFFu) != 0;
}

}  // namespace tavro
