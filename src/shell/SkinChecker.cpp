#include "shell/SkinChecker.h"

#include <QSize>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <map>
#include <optional>
#include <vector>

#include "device/RegularFile.h"
#include "device/SkinImage.h"
#include "shell/ConfigKeys.h"
#include "shell/PrintableText.h"
#include "shell/WavFileCheck.h"
#include "skin/FolderListingScope.h"
#include "skin/HiResPicture.h"
#include "skin/IniFile.h"
#include "skin/ManualLoader.h"
#include "skin/PictureFile.h"
#include "skin/PixelBudget.h"
#include "skin/gfxinit.h"

namespace tavro {
namespace {

// What one load (a fullscreen or windowed skin load, the manual's load)
// takes in: its budgets for the pictures and for their @2x variants, charged
// in the order the load takes them.
struct Load {
  explicit Load(std::string mode_) : mode(std::move(mode_)) {}
  std::string mode;  // "fullscreen", "windowed"; empty for the manual's one load
  PixelBudget pictures{kMaxSkinPixels};
  PixelBudget variants{4 * kMaxSkinPixels};
  bool stopped = false;          // over the picture budget: it takes nothing more
  bool variantsStopped = false;  // over the variants' budget: it takes no variant more
  std::string stopPlace;         // "[Image7] Filename", where it stopped
};

// What is known of a picture file: the size its header gives and, once it
// has been decoded, whether it decodes.
struct Examined {
  std::optional<QSize> size;
  bool decodeTried = false;
  std::string error;  // why it does not load; empty while it may
};

// A budget error whose message names the loads that stop at it; what the
// other loads of its group do is known at the group's end.
struct PendingVerdict {
  std::size_t problem;
  std::vector<const Load*> stopping;
};

// A control's place and size in 64 bits: the 32-bit values of Config.ini
// added up never overflow.
struct Place {
  int64_t left = 0;
  int64_t top = 0;
  int64_t width = 0;
  int64_t height = 0;
};

std::string quoted(const std::string& text) {
  return '"' + shown(text) + '"';
}

std::string sizeText(int64_t width, int64_t height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

std::string sizeText(QSize size) {
  return sizeText(size.width(), size.height());
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
std::string fitText(QSize picture, int64_t width, int64_t height) {
  const bool cut = picture.width() > width || picture.height() > height;
  const bool short_ = picture.width() < width || picture.height() < height;
  if (cut && short_) return "it is cut off and does not fill it";
  return cut ? "it is cut off" : "it does not fill it";
}

class Checker {
 public:
  explicit Checker(const std::string& folder)
      : folder_(folder.empty() || folder.back() == '/' ? folder : folder + '/'),
        config_(folder_ + "Config.ini") {}

  std::vector<SkinProblem> run() {
    const FolderListingScope listings;  // each folder is listed once per check
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

  // The header of a picture file, and with `decode` its pixels too: a
  // picture that no load takes is not decoded.
  const Examined& examine(const std::string& path, bool decode) {
    auto [it, added] = examined_.try_emplace(path);
    Examined& known = it->second;
    if (!added && (known.decodeTried || !decode)) return known;
    try {
      const PictureFile file = PictureFile::read(path);
      if (added) known.size = file.headerSize();
      if (decode || !known.size) {
        known.decodeTried = true;
        known.size = file.decode().image.size();
      }
    } catch (const std::exception& e) {
      known.decodeTried = true;
      known.error = e.what();
    }
    return known;
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
              "'" + shown(value) + "' is not a valid integer: the default " + key.def + " is used");
        } else if (key.kind == ValueKind::Colour && !number) {
          add(Severity::Error, section, key.name,
              "'" + shown(value) + "' is not a valid integer value: a " +
                  (section == "VideoMode" ? "windowed" : "fullscreen") + " load stops here");
        } else if (key.kind == ValueKind::Offset && !number && !value.empty() &&
                   !centreWord(value)) {
          add(Severity::Warning, section, key.name,
              "'" + shown(value) + "' is not a number: the game area is centred");
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

  void notLoading(const std::string& section, const char* key, const std::string& path,
                  const std::string& error) {
    add(Severity::Error, section, key,
        "picture " + quoted(path) + " does not load (" + shown(error) + "): the load stops here");
  }

  // An existing picture that `loads` take in turn: an error when it does not
  // load, and where it goes over a load's budget (charged from its header,
  // as the loaders do); the @2x picture beside it is checked too. Decoded
  // only when a load decodes it.
  std::optional<QSize> checkPicture(const std::string& section, const char* key,
                                    const std::string& path, const std::vector<Load*>& loads) {
    const Examined& header = examine(path, false);
    if (!header.error.empty()) {
      notLoading(section, key, path, header.error);
      return std::nullopt;
    }
    const QSize size = *header.size;
    std::vector<Load*> takers;
    std::vector<const Load*> stopping;
    for (Load* load : loads) {
      if (load->stopped) continue;
      if (load->pictures.charge(size)) {
        takers.push_back(load);
      } else {
        load->stopped = true;
        load->stopPlace = "[" + section + "] " + key;
        stopping.push_back(load);
      }
    }
    if (!stopping.empty()) {
      add(Severity::Error, section, key, std::string(kSkinTooLargeMessage) + ": ");
      pending_.push_back(PendingVerdict{problems_.size() - 1, stopping});
    }
    if (!takers.empty()) {
      const Examined& decoded = examine(path, true);
      if (!decoded.error.empty()) {
        notLoading(section, key, path, decoded.error);
        return std::nullopt;
      }
    }
    checkDoubleSize(section, key, path, size, takers);
    return size;
  }

  // Completes the budget errors once every load of `group` is through: which
  // loads stop there, and what each other one does.
  void giveVerdicts(const std::vector<Load*>& group) {
    for (const PendingVerdict& verdict : pending_) {
      std::string& message = problems_[verdict.problem].message;
      if (verdict.stopping.size() == group.size()) {
        message += group.size() > 1 ? "a load stops here, in either mode" : "the load stops here";
        continue;
      }
      for (std::size_t i = 0; i < verdict.stopping.size(); ++i) {
        message += (i == 0 ? "a " : " and a ") + verdict.stopping[i]->mode;
      }
      message += " load stops here";
      for (const Load* load : group) {
        if (std::find(verdict.stopping.begin(), verdict.stopping.end(), load) !=
            verdict.stopping.end()) {
          continue;
        }
        message += "; a " + load->mode + " load " +
                   (load->stopped ? "stops at " + load->stopPlace : "takes every picture");
      }
    }
    pending_.clear();
  }

  // " in a fullscreen load" when only some loads of the group do it.
  static std::string inLoads(const std::vector<const Load*>& loads, std::size_t groupSize) {
    if (loads.size() == groupSize) return "";
    std::string text;
    for (std::size_t i = 0; i < loads.size(); ++i) {
      text += (i == 0 ? " in a " : " and a ") + loads[i]->mode + " load";
    }
    return text;
  }

  // name@2x.ext beside name.ext is drawn on screens of twice the pixel
  // density, when it fits in the variants' budget of the loads that took
  // name.ext.
  void checkDoubleSize(const std::string& section, const char* key, const std::string& path,
                       QSize size, const std::vector<Load*>& takers) {
    const std::string twice = hostPath(hiResName(path));
    if (!fileExists(twice)) return;
    const Examined& header = examine(twice, false);
    if (!header.error.empty()) {
      add(Severity::Warning, section, key,
          "picture " + quoted(twice) + " does not load (" + shown(header.error) +
              "): it is left out");
      return;
    }
    std::vector<Load*> taking;
    std::vector<const Load*> refusing;
    for (Load* load : takers) {
      if (load->variantsStopped) continue;
      if (load->variants.charge(*header.size)) {
        taking.push_back(load);
      } else {
        load->variantsStopped = true;
        refusing.push_back(load);
      }
    }
    if (!refusing.empty()) {
      add(Severity::Warning, section, key,
          "picture " + quoted(twice) + " is left out" + inLoads(refusing, groupSize_) +
              ", with every @2x picture after it: the @2x pictures come to more than " +
              std::to_string(4 * kMaxSkinPixels / 1000000) + " million pixels");
    }
    if (!taking.empty()) {
      const Examined& decoded = examine(twice, true);
      if (!decoded.error.empty()) {
        for (Load* load : taking) load->variants.refund(*header.size);
        add(Severity::Warning, section, key,
            "picture " + quoted(twice) + " does not load (" + shown(decoded.error) +
                "): it is left out");
        return;
      }
    }
    if (*header.size != size * 2) {
      add(Severity::Warning, section, key,
          "picture " + quoted(twice) + " is " + sizeText(*header.size) +
              ", not twice the size of " + quoted(path) + " (" + sizeText(size * 2) + ")");
    }
  }

  // The backdrop or the logo: missing is silent in the program, so a warning.
  void checkOptionalPicture(const std::string& folder, const char* key, Load& fullscreen) {
    const std::string name = read("Fullscreen", key);
    if (isNoFile(name)) return;
    const std::string path = resolve(folder, name);
    if (!fileExists(path)) {
      add(Severity::Warning, "Fullscreen", key,
          "picture " + quoted(path) + " not found: fullscreen shows none");
    } else {
      checkPicture("Fullscreen", key, path, {&fullscreen});
    }
  }

  void checkSkinPictures() {
    const QSize game(readInteger("Common", "GameWidth"), readInteger("Common", "GameHeight"));
    if (game.width() <= 0 || game.height() <= 0) {
      add(Severity::Warning, "Common", game.width() <= 0 ? "GameWidth" : "GameHeight",
          "the game area " + sizeText(game) + " is empty");
    }
    // A fullscreen load takes the backdrop and the logo before the images.
    Load fullscreen("fullscreen");
    Load windowed("windowed");
    const std::vector<Load*> both{&fullscreen, &windowed};
    groupSize_ = both.size();
    const std::string backdrops = makeFolder(read("Fullscreen", "BackdropDir"));
    checkOptionalPicture(backdrops, "BackdropFile", fullscreen);
    checkOptionalPicture(backdrops, "LogoFile", fullscreen);

    const std::string skinFolder = makeFolder(read("Common", "SkinDir"));
    const bool folderFound = isFolder(resolve(skinFolder, ""));
    bool folderReported = false;
    for (int n = 1; n <= kSkinImageCount; ++n) {
      const std::string section = "Image" + std::to_string(n);
      const Place place{readInteger(section, "Left"), readInteger(section, "Top"),
                        readInteger(section, "Width"), readInteger(section, "Height")};
      checkPlace(section, place, game);
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
      const std::optional<QSize> size = checkPicture(section, "Filename", path, both);
      // Image9 stretches its picture to the control; the others cut it off.
      if (size && n != 9 && (size->width() != place.width || size->height() != place.height)) {
        add(Severity::Warning, section, size->width() != place.width ? "Width" : "Height",
            "picture " + quoted(path) + " is " + sizeText(*size) + ", its control " +
                sizeText(place.width, place.height) + ": " +
                fitText(*size, place.width, place.height));
      }
    }
    giveVerdicts(both);
  }

  void checkPlace(const std::string& section, const Place& place, QSize game) {
    if (place.width < 0 || place.height < 0) {
      add(Severity::Warning, section, place.width < 0 ? "Width" : "Height",
          "a negative size: the control shows nothing");
      return;
    }
    if (place.width == 0 || place.height == 0) return;  // shows nothing wherever it is
    const bool across = place.left < 0 || place.left + place.width > game.width();
    if (across || place.top < 0 || place.top + place.height > game.height()) {
      add(Severity::Warning, section, across ? "Left" : "Top",
          "the control (" + std::to_string(place.left) + ", " + std::to_string(place.top) + ", " +
              sizeText(place.width, place.height) + ") reaches outside the game area " +
              sizeText(game));
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
    // Like the skin's pictures, every page is checked, also after one at
    // which the load would stop.
    Load manual("");
    const std::vector<Load*> group{&manual};
    groupSize_ = group.size();
    for (int n = 1; n <= kManualPageCount; ++n) {
      const std::string path = resolve(folder, std::to_string(n) + ".bmp");
      if (!fileExists(path)) {
        add(Severity::Error, "Manual", "ManualDir",
            "page " + quoted(path) + " not found: the missing-image marker is shown");
        continue;
      }
      const std::optional<QSize> size = checkPicture("Manual", "ManualDir", path, group);
      if (size && *size != window) {
        add(Severity::Warning, "Manual", "ManualDir",
            "page " + quoted(path) + " is " + sizeText(*size) + ", the manual window " +
                sizeText(window) + ": " + fitText(*size, window.width(), window.height()));
      }
    }
    giveVerdicts(group);
  }

  void checkSounds() {
    const std::string folder = folder_ + "Sound";
    if (!isFolder(folder)) {
      problems_.push_back(SkinProblem{Severity::Error, folder, 0, "", "",
                                      "folder not found: with a sound output the program ends "
                                      "(\"Sound folder unproperly installed\")"});
      return;
    }
    if (!soundDecoderAvailable()) {
      problems_.push_back(SkinProblem{Severity::Warning, folder, 0, "", "",
                                      "SDL cannot be opened: the program plays no sound and "
                                      "takes every cue file that opens"});
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
  std::map<std::string, Examined> examined_;
  std::vector<PendingVerdict> pending_;
  std::size_t groupSize_ = 1;  // the loads of the pictures being checked
};

}  // namespace

std::vector<SkinProblem> checkSkin(const std::string& folder) {
  return Checker(folder).run();
}

}  // namespace tavro
