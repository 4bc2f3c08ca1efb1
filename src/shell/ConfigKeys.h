#pragma once
// What Config.ini may hold: its sections and keys, each with the kind of value
// and the default the loaders use; and the check of its lines against that
// (unknown or repeated names, lines the reader ignores).

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/SkinProblem.h"
#include "skin/IniFile.h"

namespace tavro {

enum class ValueKind { Folder, FileName, Integer, Colour, Offset, Flag };

struct KnownKey {
  const char* name;
  ValueKind kind;
  const char* def;  // the default as the loader gives it
};

// The spelling of a section the loaders read ("image5" -> "Image5"), or "".
std::string knownSection(std::string_view name);
// The key of a known section ("filename" in "Image5" -> Filename), or null.
const KnownKey* knownKey(std::string_view section, std::string_view key);
// The keys of a known section, in the order the loaders read them.
std::span<const KnownKey> knownKeys(std::string_view section);

// Where each section and key the reader takes stands in the file.
class LineIndex {
 public:
  void add(std::string_view section, std::string_view key, int line);
  // The line of the key's first occurrence, or 0 when the file has none.
  int line(std::string_view section, std::string_view key = {}) const;

 private:
  std::map<std::string, int> lines_;  // "section\nkey" in lower case -> line
};

// Reports the lines of `file` that the reader ignores or that name nothing
// the loaders read, and indexes the others.
LineIndex checkConfigLines(const std::vector<IniLine>& lines, const std::string& file,
                           std::vector<SkinProblem>& problems);

}  // namespace tavro
