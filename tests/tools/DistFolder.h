#pragma once
// Access to the generated program folder (TAVRO_TEST_DIST) for the asset tests:
// Config.ini, the Image sections and their decoded pictures.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QRect>
#include <cstdlib>
#include <string>

#include "skin/IniFile.h"
#include "skin/Picture.h"
#include "skin/PictureControl.h"

namespace tavro::assets_test {

// TAVRO_TEST_DIST, or else the dist folder beside the tests folder of the build.
inline std::string distFolder() {
  const char* dir = std::getenv("TAVRO_TEST_DIST");
  if (dir != nullptr && *dir != '\0') return dir;
  return (QCoreApplication::applicationDirPath() + "/../dist").toStdString();
}

inline const IniFile& config() {
  static const IniFile ini = [] {
    auto file = IniFile::open(distFolder() + "/Config.ini");
    if (!file) ADD_FAILURE() << "Config.ini missing in " << distFolder();
    return file ? *file : IniFile::fromText("");
  }();
  return ini;
}

inline std::string section(int n) {
  return "Image" + std::to_string(n);
}

inline std::string imageFilename(int n) {
  return config().readString(section(n), "Filename", "");
}

inline QRect imageRect(int n) {
  const IniFile& ini = config();
  return QRect(ini.readInteger(section(n), "Left", 0), ini.readInteger(section(n), "Top", 0),
               ini.readInteger(section(n), "Width", 0), ini.readInteger(section(n), "Height", 0));
}

// A Windows-style folder of Config.ini, resolved under the program folder.
inline std::string distFile(const std::string& folder, const std::string& name) {
  return hostPath(distFolder() + "/" + makeFolder(folder) + name);
}

inline std::string skinFile(const std::string& name) {
  return distFile(config().readString("Common", "SkinDir", "Graphics\\Skin\\"), name);
}

inline Picture skinPicture(int n) {
  return loadPicture(skinFile(imageFilename(n)));
}

// Image3..Image13 are opaque controls; every other Image section is transparent.
inline bool transparentControl(int n) {
  return n < 3 || n > 13;
}

// The picture of Image n as the device window draws it.
inline QImage preparedSkinImage(int n) {
  return preparePicture(skinPicture(n), transparentControl(n));
}

}  // namespace tavro::assets_test
