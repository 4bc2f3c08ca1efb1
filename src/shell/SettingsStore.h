#pragma once
// The per-user settings key Software\Velquin\Tavro50 (the registry on Windows,
// $XDG_CONFIG_HOME/Velquin/Tavro50.conf on Linux). Values are text: integers
// in decimal, booleans "0" and "1". Every write is on disk when it returns.

#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include "device/Ports.h"

class QSettings;

namespace tavro {

class SettingsStore : public ScoreStore {
 public:
  SettingsStore();  // opens (and creates) the key
  ~SettingsStore() override;

  // Missing or unparsable: def.
  int32_t readInteger(std::string_view name, int32_t def) const;
  // readInteger(name, def ? 1 : 0) != 0
  bool readBool(std::string_view name, bool def) const;
  void writeInteger(std::string_view name, int32_t value) override;
  void writeBool(std::string_view name, bool value);

  // False after a write that found the store unwritable (read-only) or
  // broken (text that does not parse; the write keeps what parses and drops
  // the rest). The program goes on either way: reads return the values
  // written in this run, which an unwritable store loses at the end of it.
  bool healthy() const;
  QString fileName() const;

 private:
  std::unique_ptr<QSettings> settings_;
  std::map<QString, int32_t> written_;  // every value written in this run
  bool healthy_ = true;
};

}  // namespace tavro
