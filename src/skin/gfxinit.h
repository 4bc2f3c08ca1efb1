#pragma once
// The skin loader: dresses the device window from Config.ini.
//
// The loader reaches the window only through SkinTarget, which the device
// window implements (and tests fake): the 81 skin controls, the backdrop, the
// logo, the two game menu controls and the window properties it sets.

#include <QRgb>
#include <QSize>
#include <string>

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
  virtual bool fullscreenMode() const = 0;

  // A modal error box titled "Error" with the error icon; returns when closed.
  virtual void showFatalError(const std::string& message) = 0;
  // Asks the application to end after the current event.
  virtual void requestQuit() = 0;
};

inline constexpr const char* kConfigMissingMessage =
    "Configuration file (Config.ini) not found. Please reinstall the game.";

// One load. Throws std::runtime_error for an invalid colour value and for a
// picture file that cannot be decoded; what was set before stays set.
void Gfx_Load_Skin(SkinTarget& target);

// A Config.ini colour (0x00BBGGRR) as a Qt colour.
QRgb colourFromColorRef(int32_t value);

// The drawing properties of the controls the loader places: transparent
// bitmaps for the body, screen layer and LCD segments, opaque for the buttons,
// stretched for the set button (Image9).
void applySkinDrawingProperties(SkinTarget& target);

}  // namespace tavro
