#include "shell/SettingsText.h"

#include <algorithm>

namespace tavro {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool sameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One UTF-16 code unit as UTF-8 (a lone surrogate becomes U+FFFD).
void appendUnit(std::string& out, unsigned unit) {
  if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;
  if (unit < 0x80) {
    out += static_cast<char>(unit);
  } else if (unit < 0x800) {
    out += static_cast<char>(0xC0 | (unit >> 6));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (unit >> 12));
    out += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  }
}

// QSettings' key escapes: %XX and %UXXXX stand for one character, a backslash
// for the group separator '/'.
std::string decodedKey(std::string_view raw) {
  std::string key;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '\\') {
      key += '/';
    } else if (c == '%' && i + 5 < raw.size() && raw[i + 1] == 'U' && hexDigit(raw[i + 2]) >= 0 &&
               hexDigit(raw[i + 3]) >= 0 && hexDigit(raw[i + 4]) >= 0 &&
               hexDigit(raw[i + 5]) >= 0) {
      appendUnit(key, static_cast<unsigned>(hexDigit(raw[i + 2]) << 12 | hexDigit(raw[i + 3]) << 8 |
                                            hexDigit(raw[i + 4]) << 4 | hexDigit(raw[i + 5])));
      i += 5;
    } else if (c == '%' && i + 2 < raw.size() && hexDigit(raw[i + 1]) >= 0 &&
               hexDigit(raw[i + 2]) >= 0) {
      appendUnit(key, static_cast<unsigned>(hexDigit(raw[i + 1]) << 4 | hexDigit(raw[i + 2])));
      i += 2;
    } else {
      key += c;
    }
  }
  return key;
}

// A backslash escape at raw[i] (the backslash); i ends on its last character.
// False for a backslash that ends the line (QSettings would join the next
// line to this one).
bool unescape(std::string_view raw, std::size_t& i, std::string& out) {
  if (i + 1 >= raw.size()) return false;
  const char c = raw[++i];
  switch (c) {
    case 'a':
      out += '\a';
      break;
    case 'b':
      out += '\b';
      break;
    case 'f':
      out += '\f';
      break;
    case 'n':
      out += '\n';
      break;
    case 'r':
      out += '\r';
      break;
    case 't':
      out += '\t';
      break;
    case 'v':
      out += '\v';
      break;
    case '"':
    case '\'':
    case '?':
    case '\\':
      out += c;
      break;
    case 'x': {
      unsigned unit = 0;
      bool any = false;
      while (i + 1 < raw.size() && hexDigit(raw[i + 1]) >= 0) {
        unit = ((unit << 4) | static_cast<unsigned>(hexDigit(raw[++i]))) & 0xFFFF;
        any = true;
      }
      if (any) appendUnit(out, unit);
      break;
    }
    default:
      if (c >= '0' && c <= '7') {
        unsigned unit = static_cast<unsigned>(c - '0');
        for (int n = 0; n < 2 && i + 1 < raw.size() && raw[i + 1] >= '0' && raw[i + 1] <= '7'; ++n)
          unit = unit * 8 + static_cast<unsigned>(raw[++i] - '0');
        appendUnit(out, unit);
      }
      // Any other escaped character is dropped with its backslash.
      break;
  }
  return true;
}

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// QSettings' typed values: "@@" escapes a leading '@'; @String(...) and
// @ByteArray(...) are text; @Invalid() and the other types are not (false).
bool untyped(std::string& text) {
  if (text.empty() || text[0] != '@') return true;
  if (startsWith(text, "@@")) {
    text.erase(0, 1);
    return true;
  }
  if (text.back() != ')') return true;
  for (std::string_view prefix : {"@String(", "@ByteArray("}) {
    if (startsWith(text, prefix)) {
      text = text.substr(prefix.size(), text.size() - prefix.size() - 1);
      return true;
    }
  }
  for (std::string_view prefix :
       {"@Invalid(", "@Variant(", "@DateTime(", "@Rect(", "@Size(", "@Point("}) {
    if (startsWith(text, prefix)) return false;
  }
  return true;
}

// The text after '=': blanks around it dropped, "..." quoting, backslash
// escapes, ';' starts a comment, an unquoted ',' makes a list.
std::optional<std::string> decodedValue(std::string_view raw) {
  std::string out;
  std::size_t keep = 0;  // out up to here: blanks after it are trailing
  bool quoted = false;
  bool started = false;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i];
    if (c == '\\') {
      if (!unescape(raw, i, out)) return std::nullopt;
      started = true;
      keep = out.size();
    } else if (c == '"') {
      quoted = !quoted;
      started = true;
    } else if (quoted) {
      out += c;
      keep = out.size();
    } else if (c == ';') {
      break;
    } else if (c == ',') {
      return std::nullopt;
    } else if (isBlank(c)) {
      if (started) out += c;
    } else {
      out += c;
      started = true;
      keep = out.size();
    }
  }
  if (quoted) return std::nullopt;
  out.resize(keep);
  if (!untyped(out)) return std::nullopt;
  return out;
}

}  // namespace

SettingsText SettingsText::parse(std::string_view bytes) {
  SettingsText text;
  if (startsWith(bytes, kBom)) {
    text.bom_ = kBom;
    bytes.remove_prefix(kBom.size());
  }
  bool inGeneral = true;
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.find('\r'));
    Line line;
    line.body = std::string(bytes.substr(0, end));
    if (end == std::string_view::npos) {
      bytes = {};
    } else {
      const std::size_t endSize = bytes.substr(end, 2) == "\r\n" ? 2 : 1;
      line.end = std::string(bytes.substr(end, endSize));
      bytes.remove_prefix(end + endSize);
    }
    text.lines_.push_back(std::move(line));
    text.index(text.lines_.size() - 1, inGeneral);
  }
  return text;
}

// Classifies one line: the lines before any header, and those under a
// [General] header (any case, blanks inside the brackets allowed), hold
// the keys the program reads.
void SettingsText::index(std::size_t n, bool& inGeneral) {
  Line& line = lines_[n];
  const std::string_view body = trimmed(line.body);
  if (body.empty() || body.front() == ';') return;
  if (body.front() == '[') {
    const std::string_view name = body.substr(1, body.find(']') - 1);
    line.header = true;
    line.general = inGeneral = sameLetters(trimmed(name), "general");
    return;
  }
  const std::size_t equals = line.body.find('=');
  if (!inGeneral || equals == std::string::npos) return;
  std::string key = decodedKey(trimmed(std::string_view(line.body).substr(0, equals)));
  if (key.empty()) return;
  line.entry = true;
  line.keyEnd = equals;
  keys_[std::move(key)] = n;
}

std::optional<std::string> SettingsText::value(std::string_view key) const {
  const auto it = keys_.find(std::string(key));
  if (it == keys_.end()) return std::nullopt;
  const Line& line = lines_[it->second];
  return decodedValue(std::string_view(line.body).substr(line.keyEnd + 1));
}

void SettingsText::setInteger(std::string_view key, int32_t value) {
  const std::string digits = std::to_string(value);
  if (const auto it = keys_.find(std::string(key)); it != keys_.end()) {
    Line& line = lines_[it->second];
    line.body = line.body.substr(0, line.keyEnd) + "=" + digits;
    return;
  }
  const std::size_t at = placeForNewKey();
  Line line;
  line.body = std::string(key) + "=" + digits;
  line.end = lineEnd();
  line.entry = true;
  line.keyEnd = key.size();
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
  for (auto& [name, n] : keys_) {
    if (n >= at) ++n;
  }
  keys_[std::string(key)] = at;
}

// After the last key of the first [General] section (or right after its
// header); else after the last key above every header; else in a new
// [General] section at the top.
std::size_t SettingsText::placeForNewKey() {
  std::size_t at = 0;
  bool found = false;
  std::size_t n = 0;
  const auto firstGeneral =
      std::find_if(lines_.begin(), lines_.end(), [](const Line& line) { return line.general; });
  if (firstGeneral != lines_.end()) {
    n = static_cast<std::size_t>(firstGeneral - lines_.begin());
    at = n + 1;
    found = true;
    ++n;
  }
  for (; n < lines_.size() && !lines_[n].header; ++n) {
    if (lines_[n].entry) {
      at = n + 1;
      found = true;
    }
  }
  if (!found) {
    Line header;
    header.body = "[General]";
    header.end = lineEnd();
    header.header = header.general = true;
    const bool more = !lines_.empty();
    lines_.insert(lines_.begin(), std::move(header));
    if (more) lines_.insert(lines_.begin() + 1, Line{"", lineEnd()});
    for (auto& [name, line] : keys_) line += more ? 2 : 1;
    return 1;
  }
  if (lines_[at - 1].end.empty()) lines_[at - 1].end = lineEnd();
  return at;
}

std::string SettingsText::lineEnd() const {
  return lines_.empty() || lines_.front().end.empty() ? "\n" : lines_.front().end;
}

std::string SettingsText::text() const {
  std::string out = bom_;
  for (const Line& line : lines_) {
    out += line.body;
    out += line.end;
  }
  return out;
}

}  // namespace tavro
