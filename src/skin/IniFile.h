#pragma once
// Reading Config.ini with the rules of the Windows profile-string service,
// reproduced the same on every platform.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavro {

// One line of the file as the reader takes it, numbered from 1, for tools that
// report on a file (the lookups of IniFile see first occurrences only).
struct IniLine {
  enum class Kind {
    Section,   // "[name]"
    Key,       // "key=value" inside a section
    Outside,   // a key line before the first section: ignored
    NoEquals,  // a line of a section without "=": ignored
  };
  Kind kind = Kind::Key;
  int number = 0;
  std::string section;  // the section's name as written, blanks trimmed
  std::string key;      // as written, blanks trimmed (a NoEquals line: the whole line)
  std::string value;    // as readString returns it
  // A section seen before, any line of one, or a key seen before in its
  // section: the reader ignores it, the first occurrence wins.
  bool repeated = false;
};

// No Config.ini needs more: the 81 picture sections with every value at its
// longest are under 1 MB. Larger files are refused before they are read.
inline constexpr std::uint64_t kMaxConfigFileSize = std::uint64_t{4} << 20;

class IniFile {
 public:
  // Reads the whole file for one load (the handle is closed before this
  // returns). nullopt when it is not a regular file (or a link to one), is
  // larger than kMaxConfigFileSize or cannot be read.
  static std::optional<IniFile> open(const std::string& path);
  static IniFile fromText(std::string_view text);
  // Every non-blank, non-comment line of the text, in file order.
  static std::vector<IniLine> outline(std::string_view text);

  // Section and key names match without regard to case; the first occurrence
  // of a section or key wins. The value is the text after the first "=",
  // blanks trimmed, one pair of enclosing quotes removed, cut to 2047
  // characters. Missing section or key: def. Present but empty: "".
  std::string readString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // readString, then the integer notation; def when missing, empty or invalid.
  int32_t readInteger(std::string_view section, std::string_view key, int32_t def) const;

 private:
  struct Entry {
    std::string section;  // lower case
    std::string key;      // lower case
    std::string value;
  };
  const std::string* find(std::string_view section, std::string_view key) const;

  std::vector<Entry> entries_;                          // in file order, first occurrences only
  std::unordered_map<std::string, std::size_t> index_;  // "section\nkey" -> entry
};

// The integer notation: optional leading blanks, optional sign, decimal digits,
// or hex digits after "$", "x", "X", "0x", "0X"; must fit 32 bits. Decimal
// numbers must lie in -2147483648..2147483647; hex numbers may use all 32 bits
// ("$FFFFFFFF" is -1, "$80000000" is -2147483648) and a sign negates them.
// Anything else, trailing text included, is nullopt.
std::optional<int32_t> parseIniInteger(std::string_view text);

// A folder value: a backslash is appended when the text does not end in one.
std::string makeFolder(std::string_view text);

// "nil" (lower case only) or empty: no file.
bool isNoFile(std::string_view name);

// An offset value: a number other than 0, or nullopt (centre).
std::optional<int32_t> parseOffset(std::string_view text);

// A flag value (low 8 bits of the integer, default def).
bool flagValue(int32_t value);

// Turns a path written for Windows into a host path: "\" becomes "/", and when
// the path does not exist as written each component is looked up without
// regard to case. A leading "\" (an empty folder) is the file-system root.
// Returns the best host path (the input with "/" when nothing matches).
std::string hostPath(std::string_view windowsPath);

// True for a regular file or a link to one: folders, named pipes and devices
// count as missing.
bool fileExists(const std::string& hostPath);

// Folder of the running executable, with a trailing "/".
std::string executableFolder();

// Config.ini beside the executable. The environment variable TAVRO_CONFIG_DIR,
// when set and not empty, replaces the executable's folder (the tests use it).
std::string configPath();

}  // namespace tavro
