#pragma once
// TForm1, the device window: a borderless top-level window made of picture
// controls (the skin, the LCD segments, the buttons, backdrop, logo and game
// menu), composed into one frame. It is the Qt side of the device core: its
// controls are the Display, its Qt timers drive the device timers, and its key
// and mouse events become the device's button operations.

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/ClockSeededRandom.h"
#include "device/Device.h"
#include "device/SystemLocalTime.h"
#include "device/window/QtFrameComposer.h"
#include "device/window/QtTimerBackend.h"
#include "input/KeyTable.h"
#include "skin/PictureControl.h"
#include "skin/gfxinit.h"
#include "sound/SoundSystem.h"

namespace tavro {

class SettingsStore;
class QtDeviceInput;

class TForm1 : public QWidget, public Display, public SkinTarget {
  Q_OBJECT

 public:
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // The creation steps after the window exists: off the screen, settings,
  // FullscreenMode, the skin, key bindings and hints, high scores. An error of
  // the skin loader is shown in an error box and ends the creation there.
  // Returns false when the creation ended early.
  bool FormCreate();

  Device& device() { return device_; }
  SoundSystem& sound() { return sound_; }
  SettingsStore* settings() { return settings_.get(); }
  QtTimerBackend& timers() { return timers_; }

  bool fullscreen_mode = true;
  std::array<KeyBinding, kButtonCount> key_bindings{};
  std::array<std::string, kBindableKeyCount + 1> key_names{};
  ButtonHints hints;
  // Called for a left click on the game menu controls (fullscreen only).
  std::function<void()> gameMenuClick;
  // Sees every key press before the key bindings (autoRepeat also for an
  // unflagged auto-repeat pair); true when it took the key.
  std::function<bool(QKeyEvent*, bool autoRepeat)> shortcutKey;
  // A right-click (or the menu key) asks for the context menu at this point.
  std::function<void(QPoint globalPos)> contextMenuRequest;
  // Every activation of the window (FormActivate).
  std::function<void()> activated;
  // Just before the close handler releases the settings store.
  std::function<void()> settingsClosing;
  // After the close handler has released sound and settings.
  std::function<void()> closed;
  // Runs a key release that still waits to be told apart from an
  // auto-repeat pair (tests; it runs by itself a moment later).
  void flushKeyRelease();
  bool keyReleasePending() const;
  // Rebuilds the hints from key_bindings and key_names.
  void applyHints();

  // Window placement. The window is first shown by its first centring;
  // until then (and while a shown window is parked off the screen for a
  // skin load) it shows nothing of itself, wherever a window manager puts
  // it. Fullscreen mode is the window system's fullscreen state where one
  // manages the windows.
  void centreOnScreen();
  void placeOffScreen();
  bool parked() const { return parked_; }
  // Tests and benchmarks may pretend another screen size.
  void setScreenSizeOverride(std::optional<QSize> size) { screenOverride_ = size; }

  // The composed picture, brought up to date first.
  QImage frame();
  // Composes what changed since the last flush and schedules its repaint.
  void flush();
  // Marks the whole window for recomposition at the next flush.
  void invalidateAll();
  // The areas recomposed by the last flush that redrew anything.
  const QRegion& lastRedrawn() const { return lastRedrawn_; }
  // The window shape from the colour key (empty while the key is off).
  QRegion shapeRegion();

  // The topmost shown skin control whose rectangle holds the point (the one
  // that takes a press there), or nullopt.
  std::optional<SkinImage> skinControlAt(QPoint pos) const;
  // Whether a point lies on a shown game menu control (drawn above the skin).
  bool gameMenuAt(QPoint pos) const;

  // Display
  using QWidget::setVisible;
  void setVisible(SkinImage image, bool visible) override;
  void setDigit(SkinImage position, int digit) override;

  // SkinTarget
  PictureControl& skinControl(int n) override;
  PictureControl& backdropControl() override { return backdrop_; }
  PictureControl& logoControl() override { return logo_; }
  PictureControl& gameMenuTopControl() override { return gameMenuTop_; }
  // In fullscreen mode the control gets its built-in picture first: only
  // fullscreen shows the game menu, so a windowed run never decodes it.
  PictureControl& gameMenuBackgroundControl() override;
  int clientWidth() const override { return composer_.size().width(); }
  int clientHeight() const override { return composer_.size().height(); }
  void setClientWidth(int width) override;
  void setClientHeight(int height) override;
  void setBackgroundColour(QRgb colour) override;
  void setTransparencyKeyColour(QRgb colour) override;
  void setTransparencyKeyEnabled(bool on) override;
  QSize screenSize() const override;
  qreal screenPixelRatio() const override;
  bool fullscreenMode() const override { return fullscreen_mode; }
  void showFatalError(const std::string& message) override;
  void requestQuit() override;
  void skinLoaded() override;
  // Whether the application was asked to end (a missing Config.ini).
  bool quitRequested() const { return quitRequested_; }

  QRgb transparencyKeyColour() const { return keyColour_; }
  bool transparencyKeyEnabled() const { return keyEnabled_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;
  bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Forwards high-score writes to the settings store once it is open.
  class ScoreForwarder : public ScoreStore {
   public:
    explicit ScoreForwarder(TForm1& form) : form_(form) {}
    void writeInteger(std::string_view name, int32_t value) override;

   private:
    TForm1& form_;
  };

  void setUpControls();
  void decodeGameMenuPicture();
  void controlChanged(const QRect& area);
  void resizeClient(QSize size);
  // Out of the fullscreen state the window keeps exactly its client size.
  void keepClientSize();
  void scheduleFlush();
  void applyShape();

  std::array<PictureControl, kSkinImageCount + 1> skin_;  // index 1..81
  PictureControl backdrop_;
  PictureControl logo_;
  PictureControl gameMenuBackground_;
  PictureControl gameMenuTop_;
  QtFrameComposer composer_;
  QRegion lastRedrawn_;
  QRgb keyColour_ = qRgb(255, 0, 255);
  bool keyEnabled_ = false;
  bool flushPending_ = false;
  bool maskApplied_ = false;
  bool parked_ = false;  // off the screen, until centred
  bool resizePending_ = false;
  QTimer settleRepaint_;
  int settleRepaints_ = 0;
  bool seeThroughByAlpha_ = false;  // key colour made clear in the paint (Wayland)
  bool gameMenuDecoded_ = false;
  // The digit each position shows (kNoDigit: none asked for yet).
  static constexpr int kNoDigit = -2;
  std::array<int, 4> digits_{kNoDigit, kNoDigit, kNoDigit, kNoDigit};

  bool quitRequested_ = false;
  std::optional<QSize> screenOverride_;

  std::unique_ptr<SettingsStore> settings_;
  QtTimerBackend timers_;
  SoundSystem sound_;
  ScoreForwarder scores_{*this};
  SystemLocalTime clock_;
  ClockSeededRandom random_;
  Device device_;
  std::unique_ptr<QtDeviceInput> input_;
};

}  // namespace tavro
