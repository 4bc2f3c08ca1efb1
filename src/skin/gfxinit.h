#pragma once
// The skin loader: dresses the device window from Config.ini.
//
// The loader reaches the window only through SkinTarget, which the device
// window implements (and tests fake): the 81 skin controls, the backdrop, the
// logo, the two game menu controls and the window properties it sets.

#include <QRgb>
#include <QSize>
#include <cstdint>
#include <string>

#include "skin/HiResPicture.h"
#include "skin/PictureControl.h"

namespace tavro {

class SkinTarget {
 public:
  virtual ~SkinTarget() = default;

  // The control of section ImageN, N = 1..81.
  virtual PictureControl& skinControl(int n) = 0;
  virtual PictureControl& backdropControl() = 0;
  virtual PictureControl& logoControl() = 0;
  virtual PictureControl& gameMenuTopControl() = 0;
  virtual PictureControl& gameMenuBackgroundControl() = 0;

  virtual int clientWidth() const = 0;
  virtual int clientHeight() const = 0;
  // The backdrop follows every change of the client size.
  virtual void setClientWidth(int width) = 0;
  virtual void setClientHeight(int height) = 0;
  virtual void setBackgroundColour(QRgb colour) = 0;
  virtual void setTransparencyKeyColour(QRgb colour) = 0;
  virtual void setTransparencyKeyEnabled(bool on) = 0;

  // The primary screen's size in pixels, now.
  virtual QSize screenSize() const = 0;
  // The primary screen's device pixel ratio: from kHiResPixelRatio on, the
  // loader adds each picture's "@2x" variant where there is one.
  virtual qreal screenPixelRatio() const { return 1.0; }
  virtual bool fullscreenMode() const = 0;

  // A modal error box titled "Error" with the error icon; returns when closed.
  virtual void showFatalError(const std::string& message) = 0;
  // Asks the application to end after the current event.
  virtual void requestQuit() = 0;

  // The most decoded pixels one load may bring in, all pictures together.
  virtual int64_t pictureBudget() const;

  // At the end of a load that gave every control its picture: the load gave
  // the digit positions their own pictures, which the display replaces.
  virtual void skinLoaded() {}
};

// A few highly compressed files (or one named 81 times) can each decode to
// the largest picture allowed; past this total a load stops with
// kSkinTooLargeMessage instead of exhausting memory. 128 Mpixels is 512 MB of
// decoded pictures, far beyond any real skin.
inline constexpr int64_t kMaxSkinPixels = int64_t{128} << 20;
inline constexpr const char* kSkinTooLargeMessage =
    "The skin's pictures are too large to load (more than 134 million pixels in all)";

// A picture that decoded but could not be prepared for drawing: the load
// stops at it as at a picture that does not decode.
std::string pictureOutOfMemoryMessage(const std::string& path);

inline constexpr const char* kConfigMissingMessage =
    "Configuration file (Config.ini) not found. Please reinstall the game.";
// Above kMaxConfigFileSize: refused unread, and the program ends as without one.
inline constexpr const char* kConfigTooLargeMessage =
    "Configuration file (Config.ini) is too large (more than 4 MB). Please reinstall the game.";

// One load. Throws std::runtime_error for an invalid colour value, for a
// picture file that cannot be decoded or has no memory to be drawn, and for
// pictures over the budget (charged from each file's header before it is
// decoded); what was set before stays set.
void Gfx_Load_Skin(SkinTarget& target);

// A Config.ini colour (0x00BBGGRR) as a Qt colour.
QRgb colourFromColorRef(int32_t value);

// The drawing properties of the controls the loader places: transparent
// bitmaps for the body, screen layer and LCD segments, opaque for the buttons,
// stretched for the set button (Image9).
void applySkinDrawingProperties(SkinTarget& target);

}  // namespace tavro
