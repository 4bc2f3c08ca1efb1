#include "shell/SkinChecker.h"

#include <QRect>
#include <QSize>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>

#include "device/RegularFile.h"
#include "device/SkinImage.h"
#include "shell/ConfigKeys.h"
#include "shell/WavFileCheck.h"
#include "skin/IniFile.h"
#include "skin/ManualLoader.h"
#include "skin/Picture.h"
#include "skin/gfxinit.h"

namespace tavro {
namespace {

// The decoded pixels one load may bring in (the skin's, the manual's).
struct Budget {
  int64_t left = kMaxSkinPixels;
  bool reported = false;
};

struct Decoded {
  bool ok = false;
  QSize size;
  std::string error;
};

std::string quoted(const std::string& text) {
  return '"' + text + '"';
}

std::string sizeText(QSize size) {
  return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

bool centreWord(const std::string& text) {
  std::string word = text;
  for (char& c : word) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return word == "center" || word == "centre";
}

bool isFolder(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// What a picture drawn at its own size from a control's corner does in it.
std::string fitText(QSize picture, QSize control) {
  const bool cut = picture.width() > control.width() || picture.height() > control.height();
  const bool short_ = picture.width() < control.width() || picture.height() < control.height();
  if (cut && short_) return "it is cut off and does not fill it";
  return cut ? "it is cut off" : "it does not fill it";
}

class Checker {
 public:
  explicit Checker(const std::string& folder)
      : folder_(folder.empty() || folder.back() == '/' ? folder : folder + '/'),
        config_(folder_ + "Config.ini") {}

  std::vector<SkinProblem> run() {
    // Read as the skin loader reads it.
    const FileContents config = readRegularFile(config_, kMaxConfigFileSize);
    if (config.status == FileStatus::Absent || config.status == FileStatus::NotRegular ||
        config.status == FileStatus::TooLarge) {
      const bool large = config.status == FileStatus::TooLarge;
      add(Severity::Error, "", "",
          std::string(large ? "too large" : "not found") + ": the program shows \"" +
              (large ? kConfigTooLargeMessage : kConfigMissingMessage) + "\" and ends");
      return problems_;
    }
    if (config.status == FileStatus::Unreadable) {
      add(Severity::Error, "", "",
          std::string("cannot be read (") + std::strerror(config.error) +
              "): the skin gets every default");
    }
    ini_ = IniFile::fromText(config.bytes);
    index_ = checkConfigLines(IniFile::outline(config.bytes), config_, problems_);
    checkValues();
    checkSkinPictures();
    checkManualPages();
    // Config.ini's findings in line order (those without a line last), then the sounds.
    std::stable_sort(
        problems_.begin(), problems_.end(), [](const SkinProblem& a, const SkinProblem& b) {
          const auto rank = [](const SkinProblem& p) { return p.line > 0 ? p.line : INT32_MAX; };
          return rank(a) < rank(b);
        });
    checkSounds();
    return problems_;
  }

 private:
  void add(Severity severity, const std::string& section, const std::string& key,
           std::string message) {
    problems_.push_back(SkinProblem{severity, config_, index_.line(section, key), section, key,
                                    std::move(message)});
  }

  std::string read(const std::string& section, const char* key) const {
    return ini_.readString(section, key, knownKey(section, key)->def);
  }
  int32_t readInteger(const std::string& section, const char* key) const {
    return ini_.readInteger(section, key, *parseIniInteger(knownKey(section, key)->def));
  }
  bool present(const std::string& section, const char* key) const {
    return index_.line(section, key) > 0;
  }

  // A folder value and a file name as a host path: relative folders under
  // the checked folder, absolute ones (a leading backslash) unchanged.
  std::string resolve(const std::string& folder, const std::string& name) const {
    const std::string path = folder + name;
    if (path.front() == '\\' || path.front() == '/') return hostPath(path);
    return hostPath(folder_ + path);
  }

  const Decoded& decode(const std::string& path) {
    auto [it, added] = decoded_.try_emplace(path);
    if (added) {
      try {
        const Picture picture = loadPicture(path);
        it->second.ok = true;
        it->second.size = picture.image.size();
      } catch (const std::exception& e) {
        it->second.error = e.what();
      }
    }
    return it->second;
  }

  // Integers, colours and offsets that the loaders would take otherwise than written.
  void checkValues() {
    std::vector<std::string> sections{"Common", "Fullscreen", "VideoMode", "Manual"};
    for (int n = 1; n <= kSkinImageCount; ++n) sections.push_back("Image" + std::to_string(n));
    for (const std::string& section : sections) {
      for (const KnownKey& key : knownKeys(section)) {
        if (!present(section, key.name)) continue;
        const std::string value = ini_.readString(section, key.name, key.def);
        const bool number = parseIniInteger(value).has_value();
        if ((key.kind == ValueKind::Integer || key.kind == ValueKind::Flag) && !number) {
          add(Severity::Warning, section, key.name,
              "'" + value + "' is not a valid integer: the default " + key.def + " is used");
        } else if (key.kind == ValueKind::Colour && !number) {
          add(Severity::Error, section, key.name,
              "'" + value + "' is not a valid integer value: a " +
                  (section == "VideoMode" ? "windowed" : "fullscreen") + " load stops here");
        } else if (key.kind == ValueKind::Offset && !number && !value.empty() &&
                   !centreWord(value)) {
          add(Severity::Warning, section, key.name,
              "'" + value + "' is not a number: the game area is centred");
        }
      }
    }
    const int32_t logo = readInteger("Fullscreen", "LogoPosition");
    if (logo < 0 || logo > 3) {
      add(Severity::Warning, "Fullscreen", "LogoPosition",
          std::to_string(logo) + " is no corner (0 to 3): the logo stays at the top-left corner");
    }
    for (const char* key : {"ManualWidth", "ManualHeight"}) {
      const int32_t size = readInteger("Manual", key);
      if (size < kManualMinSize || size > kManualMaxSize) {
        add(Severity::Warning, "Manual", key,
            std::to_string(size) + " is brought to " +
                std::to_string(std::clamp(size, kManualMinSize, kManualMaxSize)));
      }
    }
  }

  // Decodes an existing picture: an error when it does not load, and over
  // the budget; the @2x picture beside it is checked too.
  std::optional<QSize> checkPicture(const std::string& section, const char* key,
                                    const std::string& path, Budget& budget) {
    const Decoded& picture = decode(path);
    if (!picture.ok) {
      add(Severity::Error, section, key,
          "picture " + quoted(path) + " does not load (" + picture.error +
              "): the load stops here");
      return std::nullopt;
    }
    budget.left -= int64_t{picture.size.width()} * picture.size.height();
    if (budget.left < 0 && !budget.reported) {
      budget.reported = true;
      add(Severity::Error, section, key,
          std::string(kSkinTooLargeMessage) + ": the load stops here");
    }
    checkDoubleSize(section, key, path, picture.size);
    return picture.size;
  }

  // name@2x.ext beside name.ext is drawn on screens of twice the pixel density.
  void checkDoubleSize(const std::string& section, const char* key, const std::string& path,
                       QSize size) {
    const std::size_t slash = path.rfind('/');
    std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) dot = path.size();
    const std::string twice = hostPath(path.substr(0, dot) + "@2x" + path.substr(dot));
    if (!fileExists(twice)) return;
    const Decoded& picture = decode(twice);
    if (!picture.ok) {
      add(Severity::Warning, section, key,
          "picture " + quoted(twice) + " does not load (" + picture.error + "): it is left out");
    } else if (picture.size != size * 2) {
      add(Severity::Warning, section, key,
          "picture " + quoted(twice) + " is " + sizeText(picture.size) +
              ", not twice the size of " + quoted(path) + " (" + sizeText(size * 2) + ")");
    }
  }

  // The backdrop or the logo: missing is silent in the program, so a warning.
  void checkOptionalPicture(const std::string& folder, const char* key, Budget& budget) {
    const std::string name = read("Fullscreen", key);
    if (isNoFile(name)) return;
    const std::string path = resolve(folder, name);
    if (!fileExists(path)) {
      add(Severity::Warning, "Fullscreen", key,
          "picture " + quoted(path) + " not found: fullscreen shows none");
    } else {
      checkPicture("Fullscreen", key, path, budget);
    }
  }

  void checkSkinPictures() {
    const QSize game(readInteger("Common", "GameWidth"), readInteger("Common", "GameHeight"));
    if (game.width() <= 0 || game.height() <= 0) {
      add(Severity::Warning, "Common", game.width() <= 0 ? "GameWidth" : "GameHeight",
          "the game area " + sizeText(game) + " is empty");
    }
    Budget budget;
    const std::string backdrops = makeFolder(read("Fullscreen", "BackdropDir"));
    checkOptionalPicture(backdrops, "BackdropFile", budget);
    checkOptionalPicture(backdrops, "LogoFile", budget);

    const std::string skinFolder = makeFolder(read("Common", "SkinDir"));
    const bool folderFound = isFolder(resolve(skinFolder, ""));
    bool folderReported = false;
    for (int n = 1; n <= kSkinImageCount; ++n) {
      const std::string section = "Image" + std::to_string(n);
      const QRect rect(readInteger(section, "Left"), readInteger(section, "Top"),
                       readInteger(section, "Width"), readInteger(section, "Height"));
      checkPlace(section, rect, game);
      const std::string name = ini_.readString(section, "Filename", "");
      if (isNoFile(name)) continue;
      if (!folderFound) {
        if (!folderReported) {
          add(Severity::Error, "Common", "SkinDir",
              "folder " + quoted(resolve(skinFolder, "")) +
                  " not found: every Image picture shows the missing-image marker");
        }
        folderReported = true;
        continue;
      }
      const std::string path = resolve(skinFolder, name);
      if (!fileExists(path)) {
        add(Severity::Error, section, "Filename",
            "picture " + quoted(path) + " not found: the missing-image marker is shown");
        continue;
      }
      const std::optional<QSize> size = checkPicture(section, "Filename", path, budget);
      // Image9 stretches its picture to the control; the others cut it off.
      if (size && n != 9 && *size != rect.size()) {
        add(Severity::Warning, section, size->width() != rect.width() ? "Width" : "Height",
            "picture " + quoted(path) + " is " + sizeText(*size) + ", its control " +
                sizeText(rect.size()) + ": " + fitText(*size, rect.size()));
      }
    }
  }

  void checkPlace(const std::string& section, const QRect& rect, QSize game) {
    if (rect.width() < 0 || rect.height() < 0) {
      add(Severity::Warning, section, rect.width() < 0 ? "Width" : "Height",
          "a negative size: the control shows nothing");
      return;
    }
    if (rect.isEmpty()) return;  // shows nothing wherever it is
    const int64_t right = int64_t{rect.left()} + rect.width();
    const int64_t bottom = int64_t{rect.top()} + rect.height();
    const bool across = rect.left() < 0 || right > game.width();
    if (across || rect.top() < 0 || bottom > game.height()) {
      add(Severity::Warning, section, across ? "Left" : "Top",
          "the control (" + std::to_string(rect.left()) + ", " + std::to_string(rect.top()) + ", " +
              sizeText(rect.size()) + ") reaches outside the game area " + sizeText(game));
    }
  }

  void checkManualPages() {
    const QSize window(
        std::clamp(readInteger("Manual", "ManualWidth"), kManualMinSize, kManualMaxSize),
        std::clamp(readInteger("Manual", "ManualHeight"), kManualMinSize, kManualMaxSize));
    const std::string folder = makeFolder(read("Manual", "ManualDir"));
    if (!isFolder(resolve(folder, ""))) {
      add(Severity::Error, "Manual", "ManualDir",
          "folder " + quoted(resolve(folder, "")) +
              " not found: the eight pages show the missing-image marker");
      return;
    }
    Budget budget;
    for (int n = 1; n <= kManualPageCount; ++n) {
      const std::string path = resolve(folder, std::to_string(n) + ".bmp");
      if (!fileExists(path)) {
        add(Severity::Error, "Manual", "ManualDir",
            "page " + quoted(path) + " not found: the missing-image marker is shown");
        continue;
      }
      const std::optional<QSize> size = checkPicture("Manual", "ManualDir", path, budget);
      if (!size) return;  // the load stops at this page
      if (*size != window) {
        add(Severity::Warning, "Manual", "ManualDir",
            "page " + quoted(path) + " is " + sizeText(*size) + ", the manual window " +
                sizeText(window) + ": " + fitText(*size, window));
      }
    }
  }

  void checkSounds() {
    const std::string folder = folder_ + "Sound";
    if (!isFolder(folder)) {
      problems_.push_back(SkinProblem{Severity::Error, folder, 0, "", "",
                                      "folder not found: with a sound output the program ends "
                                      "(\"Sound folder unproperly installed\")"});
      return;
    }
    // In the order they are loaded; without Gameover the program ends.
    for (const char* cue : {"Gameover", "Got", "Miss", "Move", "Start"}) {
      const std::string path = folder + "/" + cue + ".wav";
      if (const std::optional<std::string> problem = wavFileProblem(path)) {
        const bool last = std::string(cue) == "Gameover";
        problems_.push_back(
            SkinProblem{last ? Severity::Error : Severity::Warning, path, 0, "", "",
                        *problem + (last ? ": with a sound output the program ends (\"Sound folder "
                                           "unproperly installed\")"
                                         : ": the " + std::string(cue) + " cue stays silent")});
      }
    }
  }

  std::string folder_;
  std::string config_;
  IniFile ini_ = IniFile::fromText("");
  LineIndex index_;
  std::vector<SkinProblem> problems_;
  std::map<std::string, Decoded> decoded_;
};

}  // namespace

std::vector<SkinProblem> checkSkin(const std::string& folder) {
  return Checker(folder).run();
}

}  // namespace tavro
