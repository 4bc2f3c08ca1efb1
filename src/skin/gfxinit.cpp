#include "skin/gfxinit.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "device/RegularFile.h"
#include "device/SkinImage.h"
#include "skin/FolderListingScope.h"
#include "skin/IniFile.h"
#include "skin/Picture.h"
#include "skin/PixelBudget.h"

namespace tavro {
namespace {

constexpr int kGameMenuClosedWidth = 36;
constexpr int kGameMenuClosedHeight = 32;

// Positions are the sum of two 32-bit values; keep the result inside int.
int addClamped(int32_t a, int32_t b) {
  const int64_t sum = int64_t{a} + int64_t{b};
  return static_cast<int>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}

QRgb readColour(const IniFile& ini, const char* section, const char* key, const char* def) {
  const std::string text = ini.readString(section, key, def);
  const std::optional<int32_t> value = parseIniInteger(text);
  if (!value) {
    throw std::runtime_error("'" + text + "' is not a valid integer value");
  }
  return colourFromColorRef(*value);
}

// (screen - game) / 2, truncated toward zero, unless the text gives a number
// other than 0.
int gameOffset(const std::string& text, int screen, int game) {
  if (const std::optional<int32_t> offset = parseOffset(text)) {
    return *offset;
  }
  return static_cast<int>((int64_t{screen} - game) / 2);
}

// Decodes a file against the load's budget and gives the control its
// picture; throws when the pixels do not fit in what is left, or do not fit
// in memory.
void loadInto(PictureControl& control, const std::string& path, PixelBudget& budget) {
  std::optional<Picture> picture = budget.load(path);
  if (!picture) {
    throw std::runtime_error(kSkinTooLargeMessage);
  }
  if (!control.setPicture(*picture)) {
    throw std::runtime_error(pictureOutOfMemoryMessage(path));
  }
}

// Loads `folder + name` into the control when the file exists; false otherwise.
bool loadIfExists(PictureControl& control, const std::string& folder, const std::string& name,
                  PixelBudget& budget, HiResLoader& hiRes) {
  if (isNoFile(name)) {
    return false;
  }
  const std::string path = hostPath(folder + name);
  if (!fileExists(path)) {
    return false;
  }
  loadInto(control, path, budget);
  hiRes.addTo(control, folder + name);
  return true;
}

void placeLogo(SkinTarget& target, PictureControl& logo, int32_t position) {
  const int w = target.clientWidth();
  const int h = target.clientHeight();
  switch (position) {
    case 0:
      logo.setLeft(0);
      logo.setTop(0);
      break;
    case 1:
      logo.setLeft(w - logo.width());
      logo.setTop(0);
      break;
    case 2:
      logo.setLeft(0);
      logo.setTop(h - logo.height());
      break;
    case 3:
      logo.setLeft(w - logo.width());
      logo.setTop(h - logo.height());
      break;
    default:
      break;  // the logo stays where it is
  }
}

struct Offsets {
  int x = 0;
  int y = 0;
};

Offsets loadFullscreenLayout(SkinTarget& target, const IniFile& ini, PixelBudget& budget,
                             HiResLoader& hiRes) {
  const std::string backdropFolder =
      makeFolder(ini.readString("Fullscreen", "BackdropDir", "Graphics\\Backdrops\\"));

  PictureControl& backdrop = target.backdropControl();
  if (loadIfExists(backdrop, backdropFolder, ini.readString("Fullscreen", "BackdropFile", "nil"),
                   budget, hiRes)) {
    backdrop.setStretch(flagValue(ini.readInteger("Fullscreen", "BackdropStretch", 0)));
    backdrop.setVisible(true);
  }

  target.setBackgroundColour(readColour(ini, "Fullscreen", "BgColor", "$00000000"));
  target.setTransparencyKeyEnabled(false);

  const std::string textX = ini.readString("Fullscreen", "GameOffsetX", "Center");
  const std::string textY = ini.readString("Fullscreen", "GameOffsetY", "Center");
  const QSize screen = target.screenSize();
  Offsets offsets;
  offsets.x = gameOffset(textX, screen.width(), target.clientWidth());
  offsets.y = gameOffset(textY, screen.height(), target.clientHeight());

  target.setClientWidth(screen.width());
  target.setClientHeight(screen.height());

  PictureControl& logo = target.logoControl();
  if (loadIfExists(logo, backdropFolder, ini.readString("Fullscreen", "LogoFile", "nil"), budget,
                   hiRes)) {
    logo.setAutoSize(true);
    logo.setVisible(true);
    placeLogo(target, logo, ini.readInteger("Fullscreen", "LogoPosition", 1));
  }
  return offsets;
}

void loadWindowedLayout(SkinTarget& target, const IniFile& ini) {
  const QRgb key = readColour(ini, "VideoMode", "TranspColor", "$00ff00ff");
  target.setBackgroundColour(key);
  target.setTransparencyKeyColour(key);
  target.setTransparencyKeyEnabled(true);
  target.backdropControl().setVisible(false);
  target.logoControl().setVisible(false);
}

void loadSkinImages(SkinTarget& target, const IniFile& ini, const std::string& skinFolder,
                    Offsets offsets, PixelBudget& budget, HiResLoader& hiRes) {
  for (int n = 1; n <= kSkinImageCount; ++n) {
    PictureControl& control = target.skinControl(n);
    const std::string section = "Image" + std::to_string(n);
    const std::string name = ini.readString(section, "Filename", "");
    if (!isNoFile(name)) {
      const std::string path = hostPath(skinFolder + name);
      if (fileExists(path)) {
        loadInto(control, path, budget);
        hiRes.addTo(control, skinFolder + name);
      } else {
        control.setPicture(missingImageMarker());
      }
    }
    control.setHeight(ini.readInteger(section, "Height", 0));
    control.setLeft(addClamped(ini.readInteger(section, "Left", 0), offsets.x));
    control.setTop(addClamped(ini.readInteger(section, "Top", 0), offsets.y));
    control.setWidth(ini.readInteger(section, "Width", 0));
  }
}

void showGameMenuControls(SkinTarget& target) {
  const bool fullscreen = target.fullscreenMode();
  target.gameMenuTopControl().setVisible(fullscreen);
  PictureControl& background = target.gameMenuBackgroundControl();
  background.setVisible(fullscreen);
  background.setHeight(kGameMenuClosedHeight);
  background.setWidth(kGameMenuClosedWidth);
}

}  // namespace

std::string pictureOutOfMemoryMessage(const std::string& path) {
  return "Not enough memory for the picture \"" + path + "\"";
}

int64_t SkinTarget::pictureBudget() const {
  return kMaxSkinPixels;
}

QRgb colourFromColorRef(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return qRgb(static_cast<int>(v & 0xffu), static_cast<int>((v >> 8) & 0xffu),
              static_cast<int>((v >> 16) & 0xffu));
}

void applySkinDrawingProperties(SkinTarget& target) {
  for (int n = 1; n <= kSkinImageCount; ++n) {
    PictureControl& control = target.skinControl(n);
    const bool button = n >= 3 && n <= 13;
    control.setTransparent(!button);
    control.setStretch(n == 9);
  }
  target.backdropControl().setCenter(true);
  target.logoControl().setTransparent(true);
}

void Gfx_Load_Skin(SkinTarget& target) {
  const FolderListingScope listings;  // each folder is listed at most once per load
  // Anything but a regular file (a folder, a pipe, a device) counts as no
  // Config.ini; one that cannot be read gives every value its default.
  const FileContents config = readRegularFile(configPath(), kMaxConfigFileSize);
  if (config.status == FileStatus::Absent || config.status == FileStatus::NotRegular ||
      config.status == FileStatus::TooLarge) {
    target.showFatalError(config.status == FileStatus::TooLarge ? kConfigTooLargeMessage
                                                                : kConfigMissingMessage);
    target.requestQuit();
    showGameMenuControls(target);
    return;
  }
  const IniFile ini = IniFile::fromText(config.bytes);

  const std::string skinFolder =
      makeFolder(ini.readString("Common", "SkinDir", "Graphics\\Skin\\"));
  target.setClientHeight(ini.readInteger("Common", "GameHeight", 374));
  target.setClientWidth(ini.readInteger("Common", "GameWidth", 561));

  PixelBudget budget(target.pictureBudget());
  // The variants have four times the pixels and a budget of their own.
  HiResLoader hiRes(target.screenPixelRatio() >= kHiResPixelRatio, 4 * target.pictureBudget());
  Offsets offsets;
  if (target.fullscreenMode()) {
    offsets = loadFullscreenLayout(target, ini, budget, hiRes);
  } else {
    loadWindowedLayout(target, ini);
  }
  loadSkinImages(target, ini, skinFolder, offsets, budget, hiRes);
  showGameMenuControls(target);
  target.skinLoaded();
}

}  // namespace tavro
