#pragma once
// Gfx_Load_Manual: reads the Manual section of Config.ini, sizes the manual
// window and loads its eight page pictures. The window is reached through
// ManualTarget so that the loader runs without one.

#include <cstdint>
#include <string>

#include "skin/HiResPicture.h"
#include "skin/Picture.h"

namespace tavro {

inline constexpr int kManualPageCount = 8;
inline constexpr int kManualDefaultWidth = 415;
inline constexpr int kManualDefaultHeight = 270;
// Client sizes outside this range are brought into it, so that a garbled
// value can neither hide the drawn buttons nor ask for a giant window.
inline constexpr int kManualMinSize = 24;
inline constexpr int kManualMaxSize = 4096;

class ManualTarget {
 public:
  virtual ~ManualTarget() = default;
  virtual void setClientHeight(int height) = 0;
  virtual void setClientWidth(int width) = 0;
  // im_page_top and sh_page_top: (0, 0) with the client size.
  virtual void placePageTop(int width, int height) = 0;
  // Page control n (1..8) takes a picture, then the client size.
  virtual void setPage(int n, Picture picture) = 0;
  virtual void sizePage(int n, int width, int height) = 0;
  // The most decoded pixels the eight pages may bring in together.
  virtual int64_t pictureBudget() const;
  // From a ratio of 2 on, a page's "@2x" variant (n@2x.bmp), where there is
  // one, follows its page.
  virtual qreal screenPixelRatio() const { return 1.0; }
  virtual void setHiResPage(int /*n*/, Picture /*variant*/) {}
  // A page file that has passed every check of its decoding (its size known)
  // may be taken as it is, to be decoded with loadManualPage when it is first
  // needed; a target that returns false gets the picture at once.
  virtual bool takePageFile(int /*n*/, const std::string& /*windowsPath*/) { return false; }
};

// Loads from `configFile` (its absence gives every value its default). The
// page folder is resolved against the working directory. A page that is not
// a valid bitmap throws ("Bitmap image is not valid"); the pages from it on
// stay empty. Pages that together decode to more than the budget (the same
// as a skin's) stop the load in the same way with kSkinTooLargeMessage.
void Gfx_Load_Manual(ManualTarget& target, const std::string& configFile);

// Decodes page n from `windowsPath` (a file takePageFile took) into the
// target, with its "@2x" variant from `hiRes`. Throws as the load would.
void loadManualPage(ManualTarget& target, HiResLoader& hiRes, int n,
                    const std::string& windowsPath);

}  // namespace tavro
