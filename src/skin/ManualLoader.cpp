#include "skin/ManualLoader.h"

#include <algorithm>
#include <stdexcept>

#include "skin/FolderListingScope.h"
#include "skin/HiResPicture.h"
#include "skin/IniFile.h"
#include "skin/gfxinit.h"

namespace tavro {

int64_t ManualTarget::pictureBudget() const {
  return kMaxSkinPixels;
}

void Gfx_Load_Manual(ManualTarget& target, const std::string& configFile) {
  const FolderListingScope listings;  // each folder is listed at most once per load
  std::optional<IniFile> opened = IniFile::open(configFile);
  const IniFile ini = opened ? std::move(*opened) : IniFile::fromText("");

  const std::string folder =
      makeFolder(ini.readString("Manual", "ManualDir", "Graphics\\Manual\\"));
  const int height = std::clamp(ini.readInteger("Manual", "ManualHeight", kManualDefaultHeight),
                                kManualMinSize, kManualMaxSize);
  target.setClientHeight(height);
  const int width = std::clamp(ini.readInteger("Manual", "ManualWidth", kManualDefaultWidth),
                               kManualMinSize, kManualMaxSize);
  target.setClientWidth(width);
  target.placePageTop(width, height);

  int64_t budget = target.pictureBudget();
  HiResLoader hiRes(target.screenPixelRatio() >= kHiResPixelRatio, 4 * budget);
  for (int n = 1; n <= kManualPageCount; ++n) {
    const std::string windowsPath = folder + std::to_string(n) + ".bmp";
    const std::string file = hostPath(windowsPath);
    if (!fileExists(file)) {
      target.setPage(n, missingImageMarker());
    } else {
      const QSize size = checkBitmapFile(file);
      budget -= int64_t{size.width()} * size.height();
      if (budget < 0) throw std::runtime_error(kSkinTooLargeMessage);
      if (!target.takePageFile(n, windowsPath)) loadManualPage(target, hiRes, n, windowsPath);
    }
    target.sizePage(n, width, height);
  }
}

void loadManualPage(ManualTarget& target, HiResLoader& hiRes, int n,
                    const std::string& windowsPath) {
  target.setPage(n, loadPicture(hostPath(windowsPath)));
  if (std::optional<Picture> variant = hiRes.load(windowsPath)) {
    target.setHiResPage(n, std::move(*variant));
  }
}

}  // namespace tavro
