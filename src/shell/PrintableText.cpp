#include "shell/PrintableText.h"

#include <cstdint>
#include <cstdio>

namespace tavro {
namespace {

// One character of the text: its code point (or the stray byte) and length.
struct Character {
  uint32_t code = 0;
  std::size_t length = 1;
  bool valid = false;  // a UTF-8 sequence, not a stray byte
};

Character next(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
  Character c{byte(0), 1, byte(0) < 0x80};
  if (c.valid) return c;
  // The lead byte gives the length, its payload bits and the lowest code
  // point that needs that length (anything lower is an overlong form).
  std::size_t length = 0;
  uint32_t code = 0;
  uint32_t lowest = 0;
  if (byte(0) >= 0xC2 && byte(0) <= 0xDF) {
    length = 2;
    code = byte(0) & 0x1Fu;
    lowest = 0x80;
  } else if (byte(0) >= 0xE0 && byte(0) <= 0xEF) {
    length = 3;
    code = byte(0) & 0x0Fu;
    lowest = 0x800;
  } else if (byte(0) >= 0xF0 && byte(0) <= 0xF4) {
    length = 4;
    code = byte(0) & 0x07u;
    lowest = 0x10000;
  } else {
    return c;
  }
  if (at + length > text.size()) return c;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return c;
    code = code << 6 | (byte(i) & 0x3Fu);
  }
  if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return c;
  return Character{code, length, true};
}

bool actedOn(uint32_t code) {
  return code < 0x20 || code == 0x7F || (code >= 0x80 && code <= 0x9F) || code == 0x2028 ||
         code == 0x2029 || (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

void append(std::string& out, std::string_view text, std::size_t at, const Character& c) {
  char escape[16];
  if (!c.valid) {
    std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(c.code));
  } else if (!actedOn(c.code)) {
    out.append(text.substr(at, c.length));
    return;
  } else if (c.code == '\t' || c.code == '\n' || c.code == '\r') {
    out += '\\';
    out += c.code == '\t' ? 't' : c.code == '\n' ? 'n' : 'r';
    return;
  } else if (c.code < 0x80) {
    std::snprintf(escape, sizeof escape, "\\x%02x", static_cast<unsigned>(c.code));
  } else {
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c.code));
  }
  out += escape;
}

}  // namespace

std::string printable(std::string_view text) {
  return shown(text, text.size());
}

std::string shown(std::string_view text, std::size_t limit) {
  std::string out;
  out.reserve(text.size() < limit ? text.size() : limit);
  std::size_t at = 0;
  std::size_t count = 0;
  for (; at < text.size() && count < limit; ++count) {
    const Character c = next(text, at);
    append(out, text, at, c);
    at += c.length;
  }
  std::size_t more = 0;
  for (; at < text.size(); ++more) at += next(text, at).length;
  if (more > 0) out += "…(" + std::to_string(more) + " more characters)";
  return out;
}

}  // namespace tavro
