#include "TestSkin.h"

#include <QFile>
#include <QFileInfo>
#include <cstdlib>
#include <stdexcept>

namespace tavro::testing {

TestSkin::TestSkin() : previousCwd_(QDir::currentPath()) {
  if (!dir_.isValid()) {
    throw std::runtime_error("no temporary folder");
  }
  QDir::setCurrent(dir_.path());
  setenv("TAVRO_CONFIG_DIR", dir_.path().toLocal8Bit().constData(), 1);
}

TestSkin::~TestSkin() {
  unsetenv("TAVRO_CONFIG_DIR");
  QDir::setCurrent(previousCwd_);
}

void TestSkin::writeConfig(const std::string& text) const {
  writeBytes(QStringLiteral("Config.ini"), QByteArray::fromStdString(text));
}

void TestSkin::removeConfig() const {
  QFile::remove(path(QStringLiteral("Config.ini")));
}

void TestSkin::writePicture(const QString& relative, const QImage& image) const {
  const QString file = path(relative);
  QDir().mkpath(QFileInfo(file).path());
  const QString suffix = QFileInfo(file).suffix().toLower();
  const char* format = suffix == "png" ? "PNG" : suffix == "bmp" ? "BMP" : "JPG";
  if (!image.save(file, format, suffix == "jpg" ? 100 : -1)) {
    throw std::runtime_error("cannot write " + file.toStdString());
  }
}

void TestSkin::writeBytes(const QString& relative, const QByteArray& bytes) const {
  const QString file = path(relative);
  QDir().mkpath(QFileInfo(file).path());
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
    throw std::runtime_error("cannot write " + file.toStdString());
  }
}

QImage solid(int width, int height, QColor colour, QImage::Format format) {
  QImage image(width, height, format);
  image.fill(colour);
  return image;
}

std::string imageSection(int n, const std::string& file, int left, int top, int width, int height) {
  return "[Image" + std::to_string(n) + "]\nFilename=" + file + "\nLeft=" + std::to_string(left) +
         "\nTop=" + std::to_string(top) + "\nWidth=" + std::to_string(width) +
         "\nHeight=" + std::to_string(height) + "\n";
}

}  // namespace tavro::testing

namespace {
// Every test process gets its own empty settings store, before anything
// opens one.
const bool settingsIsolated = [] {
  char folder[] = "/tmp/tavro-window-settings-XXXXXX";
  if (mkdtemp(folder) != nullptr) {
    setenv("XDG_CONFIG_HOME", folder, 1);
  }
  return true;
}();
}  // namespace
