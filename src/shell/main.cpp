// Program start: the device window, its sound output, and the event loop.
// F12 switches between fullscreen and windowed mode; Escape ends the program.

#include <QApplication>
#include <QKeyEvent>
#include <QObject>

#include "device/unit1.h"
#include "shell/ErrorBox.h"
#include "shell/SettingsStore.h"
#include "skin/gfxinit.h"
#include "sound/SoundSystem.h"

namespace {

constexpr const char* kSoundFolderBroken =
    "Sound folder unproperly installed. Please reinstall the game.";

// The output type for a stored SoundMode: 0 DirectSound (2), 1 the multimedia
// output (1); anything else means no sound.
int outputTypeFor(int32_t soundMode) {
  switch (soundMode) {
    case 0:
      return 2;
    case 1:
      return 1;
    default:
      return 0;
  }
}

void toggleFullscreen(tavro::TForm1& form) {
  form.fullscreen_mode = !form.fullscreen_mode;
  if (tavro::SettingsStore* settings = form.settings()) {
    settings->writeBool("FullscreenMode", form.fullscreen_mode);
  }
  form.placeOffScreen();
  tavro::runHandler([&form] { tavro::Gfx_Load_Skin(form); });
  form.centreOnScreen();
}

// F12 and Escape act before the device window sees the key.
class Shortcuts : public QObject {
 public:
  explicit Shortcuts(tavro::TForm1& form) : form_(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &form_ && event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Escape) {
        QApplication::quit();
        return true;
      }
      if (key->key() == Qt::Key_F12 && !key->isAutoRepeat()) {
        toggleFullscreen(form_);
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  tavro::TForm1& form_;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationDisplayName(QString());
  tavro::maskFloatingPointExceptions();

  tavro::TForm1 form;
  form.FormCreate();
  if (form.quitRequested()) {
    tavro::restoreFloatingPointControl();
    return 0;  // no Config.ini: the error box has been shown
  }

  if (tavro::SettingsStore* settings = form.settings()) {
    const int type = outputTypeFor(settings->readInteger("SoundMode", -1));
    if (type != 0) {
      form.sound().sound_on = true;
      if (!form.sound().Snd_Open(type)) {
        tavro::showFatalBox(QString::fromUtf8(kSoundFolderBroken));
        settings->writeInteger("SoundMode", -1);
        settings->writeBool("SplashScreen", true);
        form.sound().Snd_Release();
        tavro::restoreFloatingPointControl();
        return 0;
      }
    }
  }
  form.centreOnScreen();
  form.device().device_mode = 0;
  form.device().Gam_Set_Mode();

  Shortcuts shortcuts(form);
  form.installEventFilter(&shortcuts);
  form.show();
  form.activateWindow();
  const int result = app.exec();
  tavro::restoreFloatingPointControl();
  return result;
}
