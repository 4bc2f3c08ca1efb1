#pragma once
// A SkinTarget that records what the loader does, without a window.

#include <QString>
#include <array>
#include <string>
#include <vector>

#include "skin/gfxinit.h"

namespace tavro::testing {

class FakeSkinTarget : public SkinTarget {
 public:
  FakeSkinTarget() {
    applySkinDrawingProperties(*this);
    backdrop.setGeometry(QRect(0, 0, width, height));
  }

  PictureControl& skinControl(int n) override { return skin.at(static_cast<std::size_t>(n)); }
  PictureControl& backdropControl() override { return backdrop; }
  PictureControl& logoControl() override { return logo; }
  PictureControl& gameMenuTopControl() override { return menuTop; }
  PictureControl& gameMenuBackgroundControl() override { return menuBackground; }
  int clientWidth() const override { return width; }
  int clientHeight() const override { return height; }
  void setClientWidth(int w) override {
    width = w;
    backdrop.setGeometry(QRect(0, 0, width, height));
  }
  void setClientHeight(int h) override {
    height = h;
    backdrop.setGeometry(QRect(0, 0, width, height));
  }
  void setBackgroundColour(QRgb colour) override { background = colour; }
  void setTransparencyKeyColour(QRgb colour) override { key = colour; }
  void setTransparencyKeyEnabled(bool on) override { keyOn = on; }
  QSize screenSize() const override { return screen; }
  bool fullscreenMode() const override { return fullscreen; }
  void showFatalError(const std::string& message) override { events.push_back("box:" + message); }
  void requestQuit() override { events.push_back("quit"); }

  std::array<PictureControl, 82> skin;
  PictureControl backdrop, logo, menuTop, menuBackground;
  int width = 561;
  int height = 374;
  QRgb background = 0;
  QRgb key = 0;
  bool keyOn = false;
  QSize screen{1024, 768};
  bool fullscreen = false;
  std::vector<std::string> events;
};

}  // namespace tavro::testing
