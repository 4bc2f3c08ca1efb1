// tavro-assets: draws the default skin, backdrop, manual, sounds and built-in
// pictures, writes Config.ini and the documents into the program folder.
//
// Usage: tavro-assets <program folder> <generated source> <documents folder>

#include <QDir>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "Backdrops.h"
#include "BuiltinArt.h"
#include "BuiltinSource.h"
#include "ConfigWriter.h"
#include "Documents.h"
#include "LcdSegments.h"
#include "ManualPages.h"
#include "SkinBody.h"
#include "SkinButtons.h"
#include "Sounds.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <program folder> <generated source> <documents folder>\n",
                 argv[0]);
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  const QString dist = QString::fromLocal8Bit(argv[1]);
  const QString source = QString::fromLocal8Bit(argv[2]);
  const QString docs = QString::fromLocal8Bit(argv[3]);
  try {
    using namespace tavro::assets;
    SkinLayout layout;
    generateBody(dist + "/Graphics/Skin", layout);
    generateButtons(dist + "/Graphics/Skin", layout);
    generateLcdSegments(dist + "/Graphics/Skin", layout);
    writeConfig(dist + "/Config.ini", layout);
    generateBackdrops(dist + "/Graphics/Backdrops");
    generateManual(dist + "/Graphics/Manual");
    generateSounds(dist + "/Sound");
    copyDocument(docs + "/Readme.txt", dist + "/Readme.txt");
    copyDocument(docs + "/Whatsnew.txt", dist + "/Whatsnew.txt");
    writeBuiltinSource(source);
    // The desktop icon that installation puts under share/icons.
    if (!appIcon().save(dist + "/tavro50.png")) throw std::runtime_error("cannot write tavro50.png");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tavro-assets: %s\n", e.what());
    return 1;
  }
  return 0;
}
