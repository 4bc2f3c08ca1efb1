#pragma once
// Game controllers through SDL's game controller API, opened at run time.
//
// Nothing of SDL is loaded, and nothing wakes the program, while no joystick
// is plugged in: /dev/input is watched (inotify, no polling), and SDL is
// opened the first time a device there has joystick buttons. SDL reads its
// devices only when its events are pumped, so the pump runs every
// kPollMs while a controller is open, and for kSettleMs after /dev/input
// changes (SDL sees a new device once udev has set it up); otherwise not at
// all.
//
// Presses reach the sink only while the acting check says so (the device
// window takes keys); releases always do, so no button stays held.

#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

#include "input/ButtonDispatcher.h"
#include "input/PadState.h"

class QFileSystemWatcher;
struct _SDL_GameController;

namespace tavro {

struct SdlFunctions;

class QtGamepad : public QObject {
 public:
  static constexpr int kPollMs = 16;
  static constexpr int kSettlePollMs = 100;
  static constexpr int kSettleMs = 3000;

  QtGamepad(ButtonSink& sink, std::function<bool()> acting);
  ~QtGamepad() override;
  QtGamepad(const QtGamepad&) = delete;
  QtGamepad& operator=(const QtGamepad&) = delete;

  // Starts watching for controllers (after the first frame: it reads the
  // device list, and may open SDL).
  void start();
  // Opens SDL and its controller subsystem now, and the controllers already
  // there; false when SDL is missing or the subsystem does not start.
  bool openSdl();
  // Reads SDL's events now: controllers added and removed, buttons, the stick.
  void poll();

  int controllerCount() const;
  bool polling() const { return pump_.isActive(); }

  // Whether a Linux input device (/sys/class/input) is a joystick.
  static bool joystickPresent();

 private:
  // Holds back presses while the window does not act.
  class Gate : public ButtonSink {
   public:
    Gate(ButtonSink& sink, std::function<bool()> acting)
        : sink_(sink), acting_(std::move(acting)) {}
    void down(Button button) override;
    void up(Button button) override { sink_.up(button); }

   private:
    ButtonSink& sink_;
    std::function<bool()> acting_;
  };

  struct Controller {
    _SDL_GameController* handle = nullptr;
    int32_t id = -1;
  };

  void devicesChanged();
  void settle();
  void updatePump();
  void addController(int deviceIndex);
  void removeController(int32_t id);

  Gate gate_;
  PadState pads_{gate_};
  const SdlFunctions* sdl_ = nullptr;
  QFileSystemWatcher* watcher_ = nullptr;
  QTimer pump_;
  QTimer settle_;  // single shot: the end of the pumping after a change
  std::array<Controller, PadState::kMaxPads> controllers_{};
};

}  // namespace tavro
