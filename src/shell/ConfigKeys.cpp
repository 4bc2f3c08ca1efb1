#include "shell/ConfigKeys.h"

#include <algorithm>
#include <array>
#include <optional>

#include "device/SkinImage.h"
#include "shell/PrintableText.h"

namespace tavro {
namespace {

using K = ValueKind;

constexpr std::array kCommon{KnownKey{"SkinDir", K::Folder, "Graphics\\Skin\\"},
                             KnownKey{"GameHeight", K::Integer, "374"},
                             KnownKey{"GameWidth", K::Integer, "561"}};
constexpr std::array kFullscreen{KnownKey{"BackdropDir", K::Folder, "Graphics\\Backdrops\\"},
                                 KnownKey{"BackdropFile", K::FileName, "nil"},
                                 KnownKey{"BackdropStretch", K::Flag, "0"},
                                 KnownKey{"BgColor", K::Colour, "$00000000"},
                                 KnownKey{"GameOffsetX", K::Offset, "Center"},
                                 KnownKey{"GameOffsetY", K::Offset, "Center"},
                                 KnownKey{"LogoFile", K::FileName, "nil"},
                                 KnownKey{"LogoPosition", K::Integer, "1"}};
constexpr std::array kVideoMode{KnownKey{"TranspColor", K::Colour, "$00ff00ff"}};
constexpr std::array kImage{KnownKey{"Filename", K::FileName, ""},
                            KnownKey{"Height", K::Integer, "0"}, KnownKey{"Left", K::Integer, "0"},
                            KnownKey{"Top", K::Integer, "0"}, KnownKey{"Width", K::Integer, "0"}};
constexpr std::array kManual{KnownKey{"ManualDir", K::Folder, "Graphics\\Manual\\"},
                             KnownKey{"ManualHeight", K::Integer, "270"},
                             KnownKey{"ManualWidth", K::Integer, "415"}};
constexpr std::array<const char*, 4> kPlainSections{"Common", "Fullscreen", "VideoMode", "Manual"};

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// N of "imageN" (1..81, decimal without leading zeros), or nullopt.
std::optional<int> imageNumber(std::string_view lowerName) {
  if (lowerName.substr(0, 5) != "image") return std::nullopt;
  const std::string_view digits = lowerName.substr(5);
  if (digits.empty() || digits.size() > 2 || digits.front() == '0') return std::nullopt;
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n > kSkinImageCount) return std::nullopt;
  return n;
}

// Edit distance without regard to case, with a swap of two neighbours as one edit.
std::size_t distance(std::string_view a, std::string_view b) {
  const std::string x = lower(a), y = lower(b);
  std::vector<std::vector<std::size_t>> d(x.size() + 1, std::vector<std::size_t>(y.size() + 1));
  for (std::size_t i = 0; i <= x.size(); ++i) d[i][0] = i;
  for (std::size_t j = 0; j <= y.size(); ++j) d[0][j] = j;
  for (std::size_t i = 1; i <= x.size(); ++i) {
    for (std::size_t j = 1; j <= y.size(); ++j) {
      d[i][j] = std::min(
          {d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (x[i - 1] == y[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[x.size()][y.size()];
}

// " (did you mean X?)" for the closest name within two edits, or "".
std::string suggestion(std::string_view name, const std::vector<std::string>& names) {
  std::string best;
  std::size_t bestDistance = 3;
  for (const std::string& candidate : names) {
    const std::size_t d = distance(name, candidate);
    if (d < bestDistance && d < candidate.size() / 2 + 1) {
      best = candidate;
      bestDistance = d;
    }
  }
  return best.empty() ? "" : " (did you mean " + best + "?)";
}

std::string unknownSectionMessage(std::string_view name) {
  const std::string lowered = lower(name);
  if (lowered.size() > 5 && lowered.substr(0, 5) == "image") {
    return "unknown section, ignored: the pictures are Image1 to Image81, numbered without "
           "leading zeros";
  }
  std::vector<std::string> names(kPlainSections.begin(), kPlainSections.end());
  return "unknown section, ignored" + suggestion(name, names);
}

}  // namespace

std::string knownSection(std::string_view name) {
  const std::string lowered = lower(name);
  for (const char* section : kPlainSections) {
    if (lowered == lower(section)) return section;
  }
  if (const std::optional<int> n = imageNumber(lowered)) return "Image" + std::to_string(*n);
  return "";
}

std::span<const KnownKey> knownKeys(std::string_view section) {
  const std::string name = knownSection(section);
  if (name == "Common") return kCommon;
  if (name == "Fullscreen") return kFullscreen;
  if (name == "VideoMode") return kVideoMode;
  if (name == "Manual") return kManual;
  if (!name.empty()) return kImage;
  return {};
}

const KnownKey* knownKey(std::string_view section, std::string_view key) {
  const std::string lowered = lower(key);
  for (const KnownKey& known : knownKeys(section)) {
    if (lower(known.name) == lowered) return &known;
  }
  return nullptr;
}

void LineIndex::add(std::string_view section, std::string_view key, int line) {
  lines_.emplace(lower(section) + '\n' + lower(key), line);
}

int LineIndex::line(std::string_view section, std::string_view key) const {
  const auto it = lines_.find(lower(section) + '\n' + lower(key));
  return it == lines_.end() ? 0 : it->second;
}

LineIndex checkConfigLines(const std::vector<IniLine>& lines, const std::string& file,
                           std::vector<SkinProblem>& problems) {
  LineIndex index;
  auto warn = [&](const IniLine& line, std::string section, std::string key, std::string message) {
    problems.push_back(SkinProblem{Severity::Warning, file, line.number, std::move(section),
                                   std::move(key), std::move(message)});
  };
  bool inRepeatedSection = false;
  for (const IniLine& line : lines) {
    if (line.kind == IniLine::Kind::Section) inRepeatedSection = line.repeated;
    const std::string section = knownSection(line.section);
    const std::string shownSection = section.empty() ? line.section : section;
    switch (line.kind) {
      case IniLine::Kind::Section:
        if (line.repeated) {
          warn(line, shownSection, "",
               "repeated section, ignored with all its keys: the first one, at line " +
                   std::to_string(index.line(line.section)) + ", wins");
        } else {
          index.add(line.section, "", line.number);
          if (section.empty()) warn(line, line.section, "", unknownSectionMessage(line.section));
        }
        break;
      case IniLine::Kind::Outside:
        warn(line, "", "",
             "'" + shown(line.key) + "' stands before the first section and is ignored");
        break;
      case IniLine::Kind::NoEquals:
        if (!inRepeatedSection)
          warn(line, shownSection, "", "'" + shown(line.key) + "' has no '=' and is ignored");
        break;
      case IniLine::Kind::Key: {
        if (inRepeatedSection) break;  // reported with the section
        if (line.repeated) {
          warn(line, shownSection, line.key,
               "repeated key, ignored: the first one, at line " +
                   std::to_string(index.line(line.section, line.key)) + ", wins");
          break;
        }
        index.add(line.section, line.key, line.number);
        if (section.empty()) break;  // the whole section was reported
        if (knownKey(section, line.key) == nullptr) {
          std::vector<std::string> names;
          for (const KnownKey& k : knownKeys(section)) names.emplace_back(k.name);
          warn(line, section, line.key, "unknown key, ignored" + suggestion(line.key, names));
        }
        break;
      }
    }
  }
  return index;
}

}  // namespace tavro
