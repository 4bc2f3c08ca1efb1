#pragma once
// The device window's context menu pm_0_menu: its thirteen entries, their
// commands, and the shortcut keys F1 to F4, F12 and Escape, which act on the
// device window without the menu being open.

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>
#include <vector>

#include "shell/MenuEntry.h"

class QAction;
class QKeyEvent;
class QMenu;

namespace tavro {

class GameMenu;
class TAboutForm;
class TForm1;
class TKeysForm;
class TManualForm;
class TSplashForm;

// The side windows the commands open; any may be missing.
struct MenuWindows {
  TAboutForm* about = nullptr;
  std::function<TKeysForm*()> keys;  // makes the window at its first use
  TManualForm* manual = nullptr;
  TSplashForm* splash = nullptr;
};

class DeviceMenu : public QObject {
  Q_OBJECT

 public:
  DeviceMenu(TForm1& form, GameMenu& gameMenu);
  ~DeviceMenu() override;

  void setWindows(const MenuWindows& windows) { windows_ = windows; }
  // Tests replace the end of the program; by default the event loop ends.
  void setEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }

  QMenu& pm_0_menu() { return *menu_; }
  const std::vector<MenuEntry>& entries() const { return entries_; }
  // The entry by its place in the menu, 1..13 (pm_1_about .. pm_14_exit).
  QAction* action(int i) const;

  // Check marks of pm_10_fullscreen and pm_11_splashscreen.
  void setFullscreenChecked(bool checked);
  void setSplashChecked(bool checked);
  bool splashChecked() const { return splashChecked_; }

  // Opens the menu at a screen position (the right-click).
  void popupAt(QPoint globalPos);
  // A key press on the device window; true when a shortcut took it.
  bool shortcutKey(QKeyEvent* event, bool autoRepeat);

  void pm_0_menuPopup();
  void pm_1_aboutClick();
  void pm_2_readmeClick();
  void pm_3_whatsnewClick();
  void pm_4_manualClick();
  void pm_6_configClick();
  void pm_7_keysClick();
  void pm_8_hiscoreClick();
  void pm_10_fullscreenClick();
  void pm_11_splashscreenClick();
  void pm_14_exitClick();

 private:
  void addEntry(const QString& caption, const QString& shortcut, void (DeviceMenu::*command)());
  void run(const std::function<void()>& handler);

  TForm1& form_;
  GameMenu& gameMenu_;
  MenuWindows windows_;
  std::function<void()> endProgram_;
  std::unique_ptr<QMenu> menu_;
  std::vector<MenuEntry> entries_;
  bool splashChecked_ = true;
};

}  // namespace tavro
