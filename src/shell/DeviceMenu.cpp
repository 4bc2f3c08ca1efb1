#include "shell/DeviceMenu.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

#include "device/window/unit1.h"
#include "input/keys.h"
#include "shell/DocumentOpener.h"
#include "shell/ErrorBox.h"
#include "shell/FullscreenSwitch.h"
#include "shell/GameMenu.h"
#include "shell/SettingsStore.h"
#include "shell/about.h"
#include "shell/manual.h"
#include "shell/splash.h"

namespace tavro {
namespace {

constexpr int kFullscreenEntry = 10;
constexpr int kSplashEntry = 11;

}  // namespace

DeviceMenu::DeviceMenu(TForm1& form, GameMenu& gameMenu)
    // The device window's own popup: Wayland opens a menu without a parent
    // as a window of its own, away from the pointer.
    : form_(form), gameMenu_(gameMenu), menu_(std::make_unique<QMenu>(&form)) {
  addEntry(QStringLiteral("About..."), QStringLiteral("F1"), &DeviceMenu::pm_1_aboutClick);
  addEntry(QStringLiteral("View 'Readme.txt'"), QStringLiteral("F2"),
           &DeviceMenu::pm_2_readmeClick);
  addEntry(QStringLiteral("View 'Whatsnew.txt'"), QStringLiteral("F3"),
           &DeviceMenu::pm_3_whatsnewClick);
  addEntry(QStringLiteral("View manual"), QStringLiteral("F4"), &DeviceMenu::pm_4_manualClick);
  addEntry(QStringLiteral("-"), QString(), nullptr);
  addEntry(QStringLiteral("Edit configuration file"), QString(), &DeviceMenu::pm_6_configClick);
  addEntry(QStringLiteral("Key settings"), QString(), &DeviceMenu::pm_7_keysClick);
  addEntry(QStringLiteral("Reset Hiscores"), QString(), &DeviceMenu::pm_8_hiscoreClick);
  addEntry(QStringLiteral("-"), QString(), nullptr);
  addEntry(QStringLiteral("Display in fullscreen mode"), QStringLiteral("F12"),
           &DeviceMenu::pm_10_fullscreenClick);
  addEntry(QStringLiteral("Display splash screen at startup"), QString(),
           &DeviceMenu::pm_11_splashscreenClick);
  addEntry(QStringLiteral("-"), QString(), nullptr);
  addEntry(QStringLiteral("Exit"), QStringLiteral("Esc"), &DeviceMenu::pm_14_exitClick);

  action(kFullscreenEntry)->setCheckable(true);
  action(kSplashEntry)->setCheckable(true);
  action(kSplashEntry)->setChecked(splashChecked_);
  menu_->setDefaultAction(action(1));
  connect(menu_.get(), &QMenu::aboutToShow, this, [this] { run([this] { pm_0_menuPopup(); }); });
}

DeviceMenu::~DeviceMenu() = default;

void DeviceMenu::addEntry(const QString& caption, const QString& shortcut,
                          void (DeviceMenu::*command)()) {
  MenuEntry entry;
  entry.caption = caption;
  if (entry.isSeparator()) {
    entry.action = menu_->addSeparator();
  } else {
    // The shortcut is only shown here; the keys are taken by shortcutKey().
    entry.action = menu_->addAction(shortcut.isEmpty() ? caption : caption + '\t' + shortcut);
    entry.command = [this, command] { (this->*command)(); };
    const std::function<void()> handler = entry.command;
    connect(entry.action, &QAction::triggered, this, [this, handler] { run(handler); });
  }
  entries_.push_back(std::move(entry));
}

QAction* DeviceMenu::action(int i) const {
  if (i < 1 || i > static_cast<int>(entries_.size())) {
    return nullptr;
  }
  return entries_[static_cast<std::size_t>(i - 1)].action;
}

void DeviceMenu::run(const std::function<void()>& handler) {
  runHandler(handler);  // the box centred on the screen: the window may be off it
}

void DeviceMenu::setFullscreenChecked(bool checked) {
  action(kFullscreenEntry)->setChecked(checked);
}

void DeviceMenu::setSplashChecked(bool checked) {
  splashChecked_ = checked;
  action(kSplashEntry)->setChecked(checked);
}

void DeviceMenu::popupAt(QPoint globalPos) {
  menu_->popup(globalPos, action(1));
}

bool DeviceMenu::shortcutKey(QKeyEvent* event, bool autoRepeat) {
  if (event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
    return false;
  }
  void (DeviceMenu::*command)() = nullptr;
  switch (event->key()) {
    case Qt::Key_F1:
      command = &DeviceMenu::pm_1_aboutClick;
      break;
    case Qt::Key_F2:
      command = &DeviceMenu::pm_2_readmeClick;
      break;
    case Qt::Key_F3:
      command = &DeviceMenu::pm_3_whatsnewClick;
      break;
    case Qt::Key_F4:
      command = &DeviceMenu::pm_4_manualClick;
      break;
    case Qt::Key_F12:
      command = &DeviceMenu::pm_10_fullscreenClick;
      break;
    case Qt::Key_Escape:
      command = &DeviceMenu::pm_14_exitClick;
      break;
    default:
      return false;
  }
  if (autoRepeat) {
    return true;  // a held key acts once
  }
  run([this] { pm_0_menuPopup(); });
  run([this, command] { (this->*command)(); });
  return true;
}

void DeviceMenu::pm_0_menuPopup() {
  const bool boxChecked = windows_.splash ? windows_.splash->showsAtStart() : true;
  const SettingsStore* settings = form_.settings();
  setSplashChecked(settings ? settings->readBool("SplashScreen", boxChecked) : boxChecked);
  if (form_.fullscreen_mode && gameMenu_.game_menu_open) {
    gameMenu_.game_menu_open = false;
    gameMenu_.Vid_Display_Game_Menu();
  }
}

void DeviceMenu::pm_1_aboutClick() {
  if (windows_.about) {
    windows_.about->showAbout();
  }
}

void DeviceMenu::pm_2_readmeClick() {
  DocumentOpener::openDocument(QStringLiteral("Readme.txt"));
}

void DeviceMenu::pm_3_whatsnewClick() {
  DocumentOpener::openDocument(QStringLiteral("Whatsnew.txt"));
}

void DeviceMenu::pm_4_manualClick() {
  if (windows_.manual) {
    windows_.manual->showManual();
  }
}

void DeviceMenu::pm_6_configClick() {
  DocumentOpener::openDocument(QStringLiteral("Config.ini"));
}

void DeviceMenu::pm_7_keysClick() {
  TKeysForm* keys = windows_.keys ? windows_.keys() : nullptr;
  if (!keys) {
    return;
  }
  keys->openCentred();  // centres, shows and disables the device window
  // Taken from a game menu row, the click's release is still under way: the
  // keyboard goes to the key settings window once it is over.
  QTimer::singleShot(0, keys, [keys] {
    if (keys->isVisible()) {
      keys->raise();
      keys->activateWindow();
    }
  });
}

void DeviceMenu::pm_8_hiscoreClick() {
  form_.device().resetHighScores();
  QApplication::beep();
}

void DeviceMenu::pm_10_fullscreenClick() {
  switchFullscreen(form_, gameMenu_, [this](bool checked) { setFullscreenChecked(checked); });
}

void DeviceMenu::pm_11_splashscreenClick() {
  setSplashChecked(!splashChecked_);
  if (SettingsStore* settings = form_.settings()) {
    settings->writeBool("SplashScreen", splashChecked_);
  }
}

void DeviceMenu::pm_14_exitClick() {
  if (endProgram_) {
    endProgram_();
  } else {
    QCoreApplication::exit(0);
  }
}

}  // namespace tavro
