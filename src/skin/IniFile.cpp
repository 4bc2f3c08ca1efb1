// The Config.ini reader: the whole file is parsed once into (section, key,
// value) entries; lookups then follow the Windows profile-string rules.

#include "skin/IniFile.h"

#include <unordered_set>

#include "device/RegularFile.h"

namespace tavro {
namespace {

// A value is read into a 2048-byte buffer, so at most 2047 characters count.
constexpr std::size_t kMaxValueLength = 2047;

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string indexKey(std::string_view section, std::string_view key) {
  // Names never hold a line break, so it safely separates the two parts.
  return lowerAscii(trimBlanks(section)) + '\n' + lowerAscii(trimBlanks(key));
}

std::string cleanValue(std::string_view raw) {
  std::string_view value = trimBlanks(raw);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value.substr(0, kMaxValueLength));
}

struct RawLine {
  IniLine::Kind kind;
  int number;
  std::string_view section;         // as written, trimmed
  const std::string& sectionLower;  // the name the lookups use
  bool inRepeatedSection;           // a repeated header or a line under one
  std::string_view key;             // trimmed
  std::string_view value;           // raw, after the first "="
};

// Takes the text line by line as the reader does and hands each line that is
// neither blank nor a comment to visit(const RawLine&).
template <typename Visit>
void walkLines(std::string_view text, Visit&& visit) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);

  std::unordered_set<std::string> seenSections;
  std::string_view section;
  std::string sectionLower;
  bool inSection = false;  // lines before the first section belong to none
  bool repeated = false;
  int number = 0;

  while (!text.empty()) {
    ++number;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = trimBlanks(line);
    if (line.empty() || line.front() == ';') continue;

    if (line.front() == '[') {
      const std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        section = trimBlanks(line.substr(1, close - 1));
        sectionLower = lowerAscii(section);
        inSection = true;
        // A section that appears again later is ignored: the first one wins.
        repeated = !seenSections.insert(sectionLower).second;
        visit(RawLine{IniLine::Kind::Section, number, section, sectionLower, repeated, {}, {}});
        continue;
      }
      // Without a closing bracket the line is an ordinary line of the section.
    }
    const std::size_t equals = line.find('=');
    if (!inSection) {
      if (equals != std::string_view::npos) {
        visit(RawLine{IniLine::Kind::Outside,
                      number,
                      {},
                      sectionLower,
                      false,
                      trimBlanks(line.substr(0, equals)),
                      line.substr(equals + 1)});
      }
      continue;
    }
    if (equals == std::string_view::npos) {
      visit(RawLine{IniLine::Kind::NoEquals, number, section, sectionLower, repeated, line, {}});
      continue;
    }
    visit(RawLine{IniLine::Kind::Key, number, section, sectionLower, repeated,
                  trimBlanks(line.substr(0, equals)), line.substr(equals + 1)});
  }
}

}  // namespace

std::optional<IniFile> IniFile::open(const std::string& path) {
  const FileContents file = readRegularFile(path, kMaxConfigFileSize);
  if (file.status != FileStatus::Ok) return std::nullopt;
  return fromText(file.bytes);
}

IniFile IniFile::fromText(std::string_view text) {
  IniFile ini;
  walkLines(text, [&ini](const RawLine& line) {
    if (line.kind != IniLine::Kind::Key || line.inRepeatedSection) return;
    Entry entry{line.sectionLower, lowerAscii(line.key), cleanValue(line.value)};
    // The first occurrence of a key wins.
    if (ini.index_.emplace(entry.section + '\n' + entry.key, ini.entries_.size()).second) {
      ini.entries_.push_back(std::move(entry));
    }
  });
  return ini;
}

std::vector<IniLine> IniFile::outline(std::string_view text) {
  std::vector<IniLine> lines;
  std::unordered_set<std::string> seenKeys;
  walkLines(text, [&](const RawLine& line) {
    IniLine out{line.kind,
                line.number,
                std::string(line.section),
                std::string(line.key),
                cleanValue(line.value),
                line.inRepeatedSection};
    if (line.kind == IniLine::Kind::Key && !line.inRepeatedSection) {
      out.repeated = !seenKeys.insert(line.sectionLower + '\n' + lowerAscii(line.key)).second;
    }
    lines.push_back(std::move(out));
  });
  return lines;
}

const std::string* IniFile::find(std::string_view section, std::string_view key) const {
  const auto it = index_.find(indexKey(section, key));
  return it == index_.end() ? nullptr : &entries_[it->second].value;
}

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  if (const std::string* value = find(section, key)) return *value;
  // The default is copied like a value: trailing blanks dropped, cut to fit.
  while (!def.empty() && isBlank(def.back())) def.remove_suffix(1);
  return std::string(def.substr(0, kMaxValueLength));
}

int32_t IniFile::readInteger(std::string_view section, std::string_view key, int32_t def) const {
  const std::string* value = find(section, key);
  if (value == nullptr) return def;
  return parseIniInteger(*value).value_or(def);
}

}  // namespace tavro
