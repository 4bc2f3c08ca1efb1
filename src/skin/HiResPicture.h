#pragma once
// Double-resolution pictures: beside a picture "name.ext", a file
// "name@2x.ext" drawn in its place, at full resolution, on screens whose
// device pixel ratio is 2 or more. The picture itself still decides the size,
// the placement and the drawing rule; without it the variant is never read.

#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "skin/Picture.h"
#include "skin/PixelBudget.h"

namespace tavro {

class PictureControl;

inline constexpr qreal kHiResPixelRatio = 2.0;

// The variant's name: "@2x" before the extension of the file name
// ("Skin\\body.bmp" gives "Skin\\body@2x.bmp"); a name without one gets it at the end.
std::string hiResName(std::string_view path);

// Adds the variants during one load. Disabled, it never touches a file. A
// variant that is missing, does not decode, does not fit in the budget (its
// header is enough to tell: it is then not decoded) or has no memory to be
// drawn is left out: the picture is drawn as on any other screen.
class HiResLoader {
 public:
  HiResLoader(bool enabled, int64_t pixelBudget) : enabled_(enabled), budget_(pixelBudget) {}

  // `windowsPath` is the path, as the configuration gives it, of the picture
  // that `control` has just been given.
  void addTo(PictureControl& control, const std::string& windowsPath);
  // The variant of the picture at `windowsPath` when there is one to draw.
  std::optional<Picture> load(const std::string& windowsPath);
  bool enabled() const { return enabled_; }

 private:
  bool enabled_;
  PixelBudget budget_;
};

}  // namespace tavro
