#pragma once
// The launcher shown at start-up: product texts, links, the choice of sound
// output, the "show at startup" option and the play button that starts the
// device. With the option off and an output stored it plays by itself while
// it is created and is never seen.

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace tavro {

class SettingsStore;

// True at program start; cleared when the device window first shows the
// splash window, or by the splash window when it skips itself.
extern bool splash_pending;

// What the play action asks of the rest of the program.
struct SplashActions {
  std::function<void(bool on)> setSoundOn;                 // sound_on
  std::function<bool(int outputType)> openSound;           // Snd_Open; false: Sound folder broken
  std::function<void(bool checked)> setSplashMenuChecked;  // the device menu's splash entry
  std::function<void()> centreDevice;
  std::function<void()> startDevice;  // device mode 0 (segment test), applied
  std::function<void()> endProgram;   // empty: the application quits after the current event
};

class TSplashForm : public QWidget {
  Q_OBJECT

 public:
  // Runs the creation handler: reads SoundMode and SplashScreen and either
  // takes the skip path (play at once, stay hidden) or centres itself.
  TSplashForm(SettingsStore& settings, SplashActions actions, QWidget* parent = nullptr);

  // True when the creation handler took the skip path. A launcher that
  // skipped itself is never shown: it has none of its controls.
  bool skipped() const { return skipped_; }
  // The state of "Display this splash screen at startup".
  bool showsAtStart() const;

  void btn_playClick();  // the play action
  void cb_soundChange();

  QLabel* im_background = nullptr;
  QLabel* la_game_title = nullptr;
  QLabel* la_version = nullptr;
  QLabel* im_box_picture = nullptr;
  QLabel* la_release_date = nullptr;
  QLabel* la_website_1 = nullptr;
  QLabel* la_website_2 = nullptr;
  QLabel* la_email_1 = nullptr;
  QLabel* la_email_2 = nullptr;
  QLabel* la_sound_select = nullptr;
  QComboBox* cb_sound = nullptr;
  QLabel* btn_play = nullptr;
  QLabel* btn_play_disabled = nullptr;
  QLabel* btn_paypal = nullptr;
  QCheckBox* chb_splashscreen = nullptr;

 protected:
  // A hide hands the keyboard back to the device window first.
  void setVisible(bool visible) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  // The pictures are decoded when the window is first polished (shown, drawn
  // or ensurePolished), not at its creation nor at Qt's polish request after
  // it: a launcher that skips itself needs them only if it is shown later.
  bool event(QEvent* event) override;

 private:
  void buildControls();
  void fillPictures();
  // Key preview also for the dropped-down list, from the first show on: the
  // list builds its drop-down when it is first asked for it.
  void watchList();
  bool FormKeyDown(QKeyEvent* event);           // true when the key was taken here
  bool takesKey(const QKeyEvent* event) const;  // whether FormKeyDown acts on it
  void endProgram();

  SettingsStore& settings_;
  SplashActions actions_;
  QString skipOutput_;  // the stored output a skipping launcher plays with
  bool skipped_ = false;
  bool picturesFilled_ = false;
  bool listWatched_ = false;
};

}  // namespace tavro
