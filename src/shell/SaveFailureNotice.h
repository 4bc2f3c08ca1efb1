#pragma once
// Tells the user once per run that the settings cannot be saved: an error box
// titled with the application title that names the file and the reason and
// says that the changes last until the program ends. The program goes on.
// The box waits for the event loop once the program is on the screen (see
// arm()), so it never interrupts the device window's creation and never
// comes before the launcher.

#include <QObject>
#include <QString>

namespace tavro {

class SettingsStore;

class SaveFailureNotice : public QObject {
 public:
  explicit SaveFailureNotice(SettingsStore& store);
  ~SaveFailureNotice() override;
  SaveFailureNotice(const SaveFailureNotice&) = delete;
  SaveFailureNotice& operator=(const SaveFailureNotice&) = delete;

  // From now on a failure is shown, one that came before included.
  void arm();

  // The box's text for the store's last failure.
  static QString message(const SettingsStore& store);

 private:
  void queue();

  SettingsStore& store_;
  bool armed_ = false;
  bool queued_ = false;
  bool shown_ = false;
};

}  // namespace tavro
