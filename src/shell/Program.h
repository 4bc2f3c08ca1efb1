#pragma once
// The program as a whole: its five windows created in a fixed order and wired
// together, the device window's first activation that shows the launcher,
// and the end of the program.

#include <functional>
#include <memory>

namespace tavro {

class DeviceMenu;
class GameMenu;
class SaveFailureNotice;
class TAboutForm;
class TForm1;
class TKeysForm;
class TManualForm;
class TSplashForm;

class Program {
 public:
  Program();
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Creates the device window (its creation steps included), then the about,
  // key settings, manual and launcher windows. The device window is shown
  // when it is first centred (the launcher's play action). False when the
  // program must end before its event loop (no Config.ini, or a launcher
  // that ended it).
  bool start();

  // FormActivate: the first activation shows the launcher, once per run.
  void FormActivate();

  TForm1& device() { return *form_; }
  DeviceMenu& menu() { return *menu_; }
  GameMenu& gameMenu() { return *gameMenu_; }
  TAboutForm* about() { return about_.get(); }
  // Key settings, made at its first use or after the device's first frame.
  TKeysForm* keys();
  TManualForm* manual() { return manual_.get(); }
  TSplashForm* splash() { return splash_.get(); }
  // What ends the program (by default the event loop ends after the current
  // event); tests record it instead.
  void setEndAction(std::function<void()> end) { endAction_ = std::move(end); }
  bool ended() const { return ended_; }
  // Whether the creation of the device window ran all its steps.
  bool createdFully() const { return createdFully_; }

 private:
  void createSideWindows();
  void createKeySettings();
  void wireDevice();
  void endProgram();

  std::unique_ptr<TForm1> form_;
  std::unique_ptr<GameMenu> gameMenu_;
  std::unique_ptr<DeviceMenu> menu_;
  std::unique_ptr<TAboutForm> about_;
  std::unique_ptr<TKeysForm> keys_;
  std::unique_ptr<TManualForm> manual_;
  std::unique_ptr<TSplashForm> splash_;
  std::unique_ptr<SaveFailureNotice> notice_;
  std::function<void()> endAction_;
  bool createdFully_ = false;
  bool ended_ = false;
};

}  // namespace tavro
