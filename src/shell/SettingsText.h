#pragma once
// The text of the settings file, line by line: "[General]" and Key=Value lines
// as QSettings writes them (its quoting and escapes are understood in values),
// every other line kept as it was. Each line stands alone: an unclosed quote or
// a trailing backslash spoils only its own value, never the next line. Plain
// C++, no file access: the file itself is SettingsFile's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tavro {

class SettingsText {
 public:
  SettingsText() = default;
  static SettingsText parse(std::string_view bytes);

  // The text of a key of the General section (the last line of that key
  // wins, as with QSettings). Nothing when the key is missing, or when its
  // value is not one piece of text: a list, an unclosed quote, a trailing
  // backslash, a stored value of another type.
  std::optional<std::string> value(std::string_view key) const;

  // Gives the key the decimal text of value: the line that reads is
  // rewritten (its key as written), or a line is added to the General
  // section, which is made at the top of the file when there is none.
  void setInteger(std::string_view key, int32_t value);

  // The whole file: exactly the parsed bytes while nothing was set.
  std::string text() const;

 private:
  struct Line {
    std::string body;        // without its line end
    std::string end;         // "\n", "\r\n", "\r", or "" for a last line without one
    std::size_t keyEnd = 0;  // for an entry: where its '=' is
    bool entry = false;      // Key=Value in the General section
    bool header = false;     // [Section]
    bool general = false;    // for a header: it opens the General section
  };
  void index(std::size_t line, bool& inGeneral);
  std::size_t placeForNewKey();
  std::string lineEnd() const;

  std::string bom_;  // a UTF-8 byte order mark before the first line
  std::vector<Line> lines_;
  std::unordered_map<std::string, std::size_t> keys_;  // decoded key -> its last line
};

}  // namespace tavro
