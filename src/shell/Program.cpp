#include "shell/Program.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QTimer>

#include "device/window/unit1.h"
#include "input/keys.h"
#include "shell/DeviceMenu.h"
#include "shell/EndRequest.h"
#include "shell/ErrorBox.h"
#include "shell/FirstFrame.h"
#include "shell/GameMenu.h"
#include "shell/SaveFailureNotice.h"
#include "shell/WindowKit.h"
#include "shell/WindowSystem.h"
#include "shell/about.h"
#include "shell/manual.h"
#include "shell/splash.h"
#include "skin/IniFile.h"

namespace tavro {
namespace {

// Gives the device window the keyboard once the event at hand is over (a
// side window that hides itself would otherwise leave the focus nowhere).
void activateLater(TForm1& form) {
  QTimer::singleShot(0, &form, [&form] {
    if (form.isVisible() && form.isEnabled()) {
      form.raise();
      form.activateWindow();
    }
  });
}

}  // namespace

Program::Program() = default;

Program::~Program() {
  setKeyboardHome(nullptr);
  notice_.reset();  // before the store it listens to
  if (form_) {
    // Windows going away may still send events to the device window: its
    // hooks no longer reach the parts of the program being taken down.
    form_->shortcutKey = nullptr;
    form_->contextMenuRequest = nullptr;
    form_->gameMenuClick = nullptr;
    form_->activated = nullptr;
    form_->settingsClosing = nullptr;
    form_->closed = nullptr;
  }
  splash_.reset();
  manual_.reset();
  keys_.reset();
  about_.reset();
  menu_.reset();
  gameMenu_.reset();
  form_.reset();
}

bool Program::start() {
  form_ = std::make_unique<TForm1>();
  gameMenu_ = std::make_unique<GameMenu>(*form_);
  menu_ = std::make_unique<DeviceMenu>(*form_, *gameMenu_);
  menu_->setEndProgram([this] { endProgram(); });
  wireDevice();

  createdFully_ = form_->FormCreate();
  menu_->setFullscreenChecked(form_->fullscreen_mode);
  if (form_->quitRequested() || form_->settings() == nullptr || endRequested()) {
    return false;  // no Config.ini (its box has been shown), or a signal
  }
  notice_ = std::make_unique<SaveFailureNotice>(*form_->settings());
  if (createdFully_) {
    gameMenu_->setEntries(&menu_->entries());
  }

  createSideWindows();
  if (ended_ || endRequested()) {
    return false;  // the launcher ended the program while it was created, or a signal
  }
  // The device window is shown by its first centring: the launcher's play
  // action, or already a launcher that skipped itself. Until then nothing of
  // it is on the screen, and no window system can hand it the keyboard.
  // The launcher's pictures wait for its show: one that skipped itself is
  // never shown in this run.
  afterFirstFrame(*form_, [this] {
    if (notice_) notice_->arm();  // a failed save is told from now on
    if (about_) about_->buildContent();
    keys();
  });
  if (splash_ && !splash_->skipped()) {
    // The launcher comes first on the screen: a failed save is told once it is up.
    afterFirstFrame(*splash_, [this] {
      if (notice_) notice_->arm();
    });
  }
  if (form_->isVisible()) {
    form_->activateWindow();
  }
  // The first activation's work (the launcher) is done once the event loop
  // runs, whether or not the device window is shown by then.
  QTimer::singleShot(0, form_.get(), [this] { runHandler([this] { FormActivate(); }); });
  return true;
}

void Program::wireDevice() {
  TForm1& form = *form_;
  form.shortcutKey = [this](QKeyEvent* event, bool autoRepeat) {
    return menu_->shortcutKey(event, autoRepeat);
  };
  form.contextMenuRequest = [this](QPoint globalPos) { menu_->popupAt(globalPos); };
  form.gameMenuClick = [this] { runHandler([this] { gameMenu_->btn_game_menu_topClick(); }); };
  form.activated = [this, &form] {
    // A click on the device window while key settings has it disabled (a
    // window manager hands the keyboard to the window clicked): the
    // keyboard goes back to key settings, which takes keys.
    if (!form.isEnabled() && keys_ && keys_->isVisible()) {
      keys_->raise();
      keys_->activateWindow();
    }
    runHandler([this] { FormActivate(); });
  };
  form.settingsClosing = [this] { notice_.reset(); };  // it listens to the store
  form.closed = [this] { endProgram(); };
}

void Program::createSideWindows() {
  TForm1& form = *form_;
  SettingsStore& settings = *form.settings();

  // Its portrait and labels (the first user of the fonts) wait for the first frame.
  about_ = std::make_unique<TAboutForm>(nullptr, TAboutForm::Content::Later);

  // Key settings waits for the device's first frame or its first use: its
  // labels' texts would wake the accessibility bridge, which reaches for
  // the session bus (even starting one) before anything is on the screen.
  manual_ = std::make_unique<TManualForm>(configPath());

  menu_->setWindows(MenuWindows{about_.get(), [this] { return keys(); }, manual_.get(), nullptr});
  // A side window that hides while it has the keyboard gives it to the
  // window that takes input: key settings while it is open (the device is
  // disabled then), else the device window once it is on the screen.
  setKeyboardHome([this, &form](const QWidget& leaving) {
    QWidget* home = &form;
    if (keys_ && keys_.get() != &leaving && keys_->isVisible()) {
      home = keys_.get();
    } else if (!form.isVisible() || !form.isEnabled() || form.parked()) {
      return;
    }
    home->raise();
    home->activateWindow();
  });

  SplashActions splashActions;
  splashActions.setSoundOn = [&form](bool on) { form.sound().sound_on = on; };
  splashActions.openSound = [&form](int outputType) { return form.sound().Snd_Open(outputType); };
  splashActions.setSplashMenuChecked = [this](bool checked) { menu_->setSplashChecked(checked); };
  splashActions.centreDevice = [&form] { form.centreOnScreen(); };
  splashActions.startDevice = [&form] {
    form.device().device_mode = 0;
    form.device().Gam_Set_Mode();
    activateLater(form);
  };
  splashActions.endProgram = [this] { endProgram(); };
  splash_ = std::make_unique<TSplashForm>(settings, std::move(splashActions));

  // Window managers and compositors keep the side windows over the device
  // window and hand them the keyboard as its dialogs. Not the launcher: it
  // is shown only while the device window is not, and a dialog of a window
  // not shown is lost to some window managers (xfwm4's Alt+Tab).
  for (QWidget* side : std::initializer_list<QWidget*>{about_.get(), manual_.get()}) {
    keepAbove(*side, form);
  }
  handKeyboardBackWhenMinimised(*about_);
  handKeyboardBackWhenMinimised(*manual_);
  menu_->setWindows(
      MenuWindows{about_.get(), [this] { return keys(); }, manual_.get(), splash_.get()});
}

TKeysForm* Program::keys() {
  if (!keys_ && form_ && form_->settings()) {
    createKeySettings();
  }
  return keys_.get();
}

void Program::createKeySettings() {
  TForm1& form = *form_;
  KeysActions keysActions;
  keysActions.setHints = [&form](const ButtonHints& hints) { form.hints = hints; };
  keysActions.setDeviceEnabled = [&form](bool enabled) {
    form.setEnabled(enabled);
    if (enabled) {
      activateLater(form);
    }
  };
  keys_ = std::make_unique<TKeysForm>(form.key_bindings, form.key_names, *form.settings(),
                                      std::move(keysActions));
  keepAbove(*keys_, form);
}

void Program::FormActivate() {
  if (!splash_pending) {
    return;
  }
  splash_pending = false;
  if (!splash_) {
    return;
  }
  splash_->show();
  splash_->raise();
  splash_->activateWindow();
  if (splash_->cb_sound) splash_->cb_sound->setFocus();
}

void Program::endProgram() {
  ended_ = true;
  if (endAction_) {
    endAction_();
  } else {
    QCoreApplication::exit(0);
  }
}

}  // namespace tavro
