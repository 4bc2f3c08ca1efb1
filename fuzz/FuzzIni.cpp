// Config.ini text of any kind: every key the loaders read, and a few names
// taken from the input itself, go through the value notations. Checks the
// reader's promises: values at most 2047 characters, integers equal to the
// notation applied to the text, folders ending in a backslash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "skin/IniFile.h"
#include "skin/gfxinit.h"

namespace {

void check(bool condition) {
  if (!condition) __builtin_trap();
}

void readAll(const tavro::IniFile& ini, std::string_view section, std::string_view key) {
  const std::string text = ini.readString(section, key, "\x01");
  check(text.size() <= 2047);
  const int32_t value = ini.readInteger(section, key, 12345);
  if (text != "\x01") {
    check(value == tavro::parseIniInteger(text).value_or(12345));
  }
  (void)tavro::flagValue(value);
  if (const auto offset = tavro::parseOffset(text)) check(*offset != 0);
  const std::string folder = tavro::makeFolder(text);
  check(!folder.empty() && folder.back() == '\\');
  (void)tavro::isNoFile(text);
  if (const auto colour = tavro::parseIniInteger(text)) (void)tavro::colourFromColorRef(*colour);
}

// Section and key names written in the input: "[name]" lines and the text
// before "=" on the lines after them.
std::vector<std::pair<std::string, std::string>> namesIn(std::string_view text) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string section;
  while (!text.empty() && names.size() < 8) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.front() == '[') {
      section = std::string(line.substr(1, line.rfind(']') == 0 ? 0 : line.rfind(']') - 1));
    } else if (const std::size_t eq = line.find('='); eq != std::string_view::npos) {
      names.emplace_back(section, std::string(line.substr(0, eq)));
    }
  }
  return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tavro::IniFile ini = tavro::IniFile::fromText(text);

  static const char* const kCommon[] = {"SkinDir", "GameHeight", "GameWidth"};
  static const char* const kFullscreen[] = {"BackdropDir", "BackdropFile", "BackdropStretch",
                                            "BgColor",     "GameOffsetX",  "GameOffsetY",
                                            "LogoFile",    "LogoPosition"};
  static const char* const kImage[] = {"Filename", "Left", "Top", "Width", "Height"};
  static const char* const kManual[] = {"ManualDir", "ManualHeight", "ManualWidth"};
  for (const char* key : kCommon) readAll(ini, "Common", key);
  for (const char* key : kFullscreen) readAll(ini, "Fullscreen", key);
  readAll(ini, "VideoMode", "TranspColor");
  for (const char* key : kManual) readAll(ini, "Manual", key);
  for (int n = 1; n <= 81; ++n) {
    const std::string section = "Image" + std::to_string(n);
    for (const char* key : kImage) readAll(ini, section, key);
  }
  for (const auto& [section, key] : namesIn(text)) readAll(ini, section, key);

  // The notation on the raw input as one value.
  (void)tavro::parseIniInteger(text);
  return 0;
}
