#pragma once
// Where the settings file lives on a host without the registry:
// $XDG_CONFIG_HOME/Velquin/Tavro50.conf, by default ~/.config/Velquin/Tavro50.conf.
// As the XDG rules say, an XDG_CONFIG_HOME that is empty or relative is
// ignored; without an absolute HOME either there is no place for the file.

#include <string>

namespace tavro {

// The file's path, or "" when there is none. Null or empty arguments are unset.
std::string settingsFilePath(const char* xdgConfigHome, const char* home);

// The same from the environment as it is now.
std::string settingsFilePath();

}  // namespace tavro
