#include "skin/ManualLoader.h"

#include <algorithm>

#include "skin/IniFile.h"

namespace tavro {

void Gfx_Load_Manual(ManualTarget& target, const std::string& configFile) {
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

  for (int n = 1; n <= kManualPageCount; ++n) {
    const std::string file = hostPath(folder + std::to_string(n) + ".bmp");
    target.setPage(n, fileExists(file) ? loadPicture(file) : missingImageMarker());
    target.sizePage(n, width, height);
  }
}

}  // namespace tavro
