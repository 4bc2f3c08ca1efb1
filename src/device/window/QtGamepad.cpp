#include "device/window/QtGamepad.h"

#include <QSocketNotifier>

#if defined(__linux__)
#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include <cstdio>
#include <cstring>

#include "input/JoystickKeyBits.h"
#include "sound/SdlLibrary.h"

namespace tavro {
namespace {

// The pad's numbering is SDL's.
constexpr bool samePadInput(PadInput input, SDL_GameControllerButton sdl) {
  return static_cast<int>(input) == static_cast<int>(sdl);
}
static_assert(samePadInput(kPadSouth, SDL_CONTROLLER_BUTTON_A) &&
              samePadInput(kPadEast, SDL_CONTROLLER_BUTTON_B) &&
              samePadInput(kPadNorth, SDL_CONTROLLER_BUTTON_Y) &&
              samePadInput(kPadBack, SDL_CONTROLLER_BUTTON_BACK) &&
              samePadInput(kPadDpadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT) &&
              samePadInput(kPadDpadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              samePadInput(kPadInputCount, SDL_CONTROLLER_BUTTON_MAX));

constexpr const char* kInputDevices = "/dev/input";
constexpr const char* kInputClass = "/sys/class/input";

}  // namespace

void QtGamepad::Gate::down(Button button) {
  if (acting_ && acting_()) {
    sink_.down(button);
  }
}

QtGamepad::QtGamepad(ButtonSink& sink, std::function<bool()> acting)
    : gate_(sink, std::move(acting)) {
  pump_.callOnTimeout(this, [this] { poll(); });
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  settle_.callOnTimeout(this, [this] { updatePump(); });
}

QtGamepad::~QtGamepad() {
  delete notifier_;
#if defined(__linux__)
  if (inotify_ >= 0) {
    close(inotify_);
  }
#endif
  // The window goes away with this: the buttons held are not released.
  for (Controller& controller : controllers_) {
    if (controller.handle) {
      sdl_->SDL_GameControllerClose(controller.handle);
    }
  }
  if (sdl_) {
    sdl_->SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
}

// The device list is watched and read with the system's calls: Qt's file
// watcher and directory listing would load more of Qt for the same work.
void QtGamepad::start() {
  if (started_) {
    return;
  }
  started_ = true;
#if defined(__linux__)
  inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotify_ >= 0 &&
      inotify_add_watch(inotify_, kInputDevices,
                        IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_FROM | IN_MOVED_TO) < 0) {
    close(inotify_);  // no /dev/input: nothing will be plugged in
    inotify_ = -1;
  }
  if (inotify_ >= 0) {
    notifier_ = new QSocketNotifier(inotify_, QSocketNotifier::Read, this);
    QObject::connect(notifier_, &QSocketNotifier::activated, this, [this] {
      char events[4096];
      while (read(inotify_, events, sizeof events) > 0) {
      }
      devicesChanged();
    });
  }
#endif
  if (joystickPresent()) {
    openSdl();
  }
}

bool QtGamepad::joystickPresent() {
#if defined(__linux__)
  DIR* devices = opendir(kInputClass);
  if (!devices) {
    return false;
  }
  bool found = false;
  while (const dirent* entry = readdir(devices)) {
    if (std::strncmp(entry->d_name, "event", 5) != 0) {
      continue;
    }
    char path[512];
    std::snprintf(path, sizeof path, "%s/%s/device/capabilities/key", kInputClass, entry->d_name);
    const int file = open(path, O_RDONLY | O_CLOEXEC);
    if (file < 0) {
      continue;
    }
    char bits[1024];
    const ssize_t size = read(file, bits, sizeof bits);
    close(file);
    if (size > 0 && hasJoystickButtons(std::string_view(bits, static_cast<size_t>(size)))) {
      found = true;
      break;
    }
  }
  closedir(devices);
  return found;
#else
  return true;  // no device list to read: SDL looks for itself
#endif
}

void QtGamepad::devicesChanged() {
  if (!sdl_) {
    if (joystickPresent()) {
      openSdl();
    }
    return;
  }
  settle();
}

bool QtGamepad::openSdl() {
  if (sdl_) {
    return true;
  }
  const SdlFunctions* sdl = sdlLibrary();
  if (!sdl || sdl->SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    return false;
  }
  sdl_ = sdl;
  settle();
  poll();  // the controllers already plugged in
  return true;
}

void QtGamepad::settle() {
  settle_.start();
  updatePump();
}

void QtGamepad::updatePump() {
  int interval = 0;
  if (controllerCount() > 0) {
    interval = kPollMs;
  } else if (settle_.isActive()) {
    interval = kSettlePollMs;
  }
  if (interval == 0) {
    pump_.stop();
  } else if (!pump_.isActive() || pump_.interval() != interval) {
    pump_.start(interval);
  }
}

void QtGamepad::poll() {
  if (!sdl_) {
    return;
  }
  SDL_Event event;
  while (sdl_->SDL_PollEvent(&event) == 1) {
    switch (event.type) {
      case SDL_CONTROLLERDEVICEADDED:
        addController(event.cdevice.which);
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        removeController(event.cdevice.which);
        break;
      case SDL_CONTROLLERBUTTONDOWN:
      case SDL_CONTROLLERBUTTONUP:
        pads_.button(event.cbutton.which, event.cbutton.button,
                     event.type == SDL_CONTROLLERBUTTONDOWN);
        break;
      case SDL_CONTROLLERAXISMOTION:
        if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX) {
          pads_.stickX(event.caxis.which, event.caxis.value);
        }
        break;
      default:
        break;  // joystick events behind the controller events, audio devices
    }
  }
  updatePump();
}

int QtGamepad::controllerCount() const {
  int count = 0;
  for (const Controller& controller : controllers_) {
    count += controller.handle != nullptr ? 1 : 0;
  }
  return count;
}

void QtGamepad::addController(int deviceIndex) {
  SDL_GameController* handle = sdl_->SDL_GameControllerOpen(deviceIndex);
  if (!handle) {
    return;
  }
  const int32_t id = sdl_->SDL_JoystickInstanceID(sdl_->SDL_GameControllerGetJoystick(handle));
  Controller* slot = nullptr;
  for (Controller& controller : controllers_) {
    if (controller.handle && controller.id == id) {
      sdl_->SDL_GameControllerClose(handle);  // already open: SDL counted a second reference
      return;
    }
    if (!controller.handle && !slot) {
      slot = &controller;
    }
  }
  if (!slot) {
    sdl_->SDL_GameControllerClose(handle);  // more controllers than the program keeps
    return;
  }
  *slot = Controller{handle, id};
}

void QtGamepad::removeController(int32_t id) {
  pads_.remove(id);
  for (Controller& controller : controllers_) {
    if (controller.handle && controller.id == id) {
      sdl_->SDL_GameControllerClose(controller.handle);
      controller = Controller{};
    }
  }
}

}  // namespace tavro
