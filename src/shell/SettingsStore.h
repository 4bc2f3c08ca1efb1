#pragma once
// The per-user settings key Software\Velquin\Tavro50 (the registry on Windows,
// the file $XDG_CONFIG_HOME/Velquin/Tavro50.conf elsewhere, see SettingsFile
// and SettingsLocation). Values are text: integers in decimal, booleans "0"
// and "1". Every write is on disk when it returns, or reported as failed.

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "device/Ports.h"

class QSettings;

namespace tavro {

class SettingsFile;

class SettingsStore : public ScoreStore {
 public:
  SettingsStore();  // opens (and creates) the key; reads nothing yet
  ~SettingsStore() override;

  // Missing or unparsable: def. Sees changes made by others since the last access.
  int32_t readInteger(std::string_view name, int32_t def) const;
  // readInteger(name, def ? 1 : 0) != 0
  bool readBool(std::string_view name, bool def) const;
  void writeInteger(std::string_view name, int32_t value) override;
  // Several values saved at once: one lock and one replacement of the file
  // for all of them, none when the file holds them already.
  void writeIntegers(const std::map<std::string, int32_t>& values);
  void writeBool(std::string_view name, bool value);

  // False while a value written in this run could not be saved (a read-only folder, a full
  // disk, a settings file that is not a regular file or too large, a lock
  // that another program keeps, no folder for the file at all). The program
  // goes on either way: reads return the values written in this run, and
  // every later write tries to save them again.
  bool healthy() const { return failure_.isEmpty(); }
  // Why the last failed write could not be saved, in words for the user.
  QString failure() const { return failure_; }
  // Called after each write that could not be saved.
  void setFailureListener(std::function<void()> listener) {
    failureListener_ = std::move(listener);
  }
  // The file, or the registry key; empty when there is nowhere to save.
  QString fileName() const;

 private:
  bool save();  // writes unsaved_; false with failure_ set

#if defined(_WIN32)
  std::unique_ptr<QSettings> settings_;
#else
  std::unique_ptr<SettingsFile> file_;
#endif
  std::map<std::string, int32_t> unsaved_;  // written in this run, not yet saved
  QString failure_;
  std::function<void()> failureListener_;
};

}  // namespace tavro
