#include "device/window/QtGamepad.h"

#include <QDir>
#include <QFile>
#include <QFileSystemWatcher>

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

void QtGamepad::start() {
  if (watcher_) {
    return;
  }
  watcher_ = new QFileSystemWatcher(this);
  if (QDir(QString::fromLatin1(kInputDevices)).exists()) {
    watcher_->addPath(QString::fromLatin1(kInputDevices));
  }
  QObject::connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
                   [this] { devicesChanged(); });
  if (joystickPresent()) {
    openSdl();
  }
}

bool QtGamepad::joystickPresent() {
  const QDir devices(QString::fromLatin1(kInputClass));
  // No name filter: it would bring in the regular expression engine.
  for (const QString& name : devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (!name.startsWith(QLatin1String("event"))) {
      continue;
    }
    QFile keys(devices.filePath(name + QStringLiteral("/device/capabilities/key")));
    if (!keys.open(QIODevice::ReadOnly)) {
      continue;
    }
    const QByteArray bits = keys.read(4096);
    if (hasJoystickButtons(std::string_view(bits.constData(), static_cast<size_t>(bits.size())))) {
      return true;
    }
  }
  return false;
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
