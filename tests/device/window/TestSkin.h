#pragma once
// A throw-away skin folder for one test: Config.ini and generated pictures in
// a temporary folder that is also the working directory, with configPath()
// pointed at it.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <string>
#include <vector>

namespace tavro::testing {

class TestSkin {
 public:
  TestSkin();
  ~TestSkin();
  TestSkin(const TestSkin&) = delete;
  TestSkin& operator=(const TestSkin&) = delete;

  QString path(const QString& relative) const { return dir_.filePath(relative); }
  void writeConfig(const std::string& text) const;
  void removeConfig() const;
  // Writes a picture; the format follows the extension (bmp, png, jpg).
  void writePicture(const QString& relative, const QImage& image) const;
  void writeBytes(const QString& relative, const QByteArray& bytes) const;

 private:
  QTemporaryDir dir_;
  QString previousCwd_;
};

// Bytes as Qt holds them.
inline QByteArray bytes(const std::vector<unsigned char>& data) {
  return QByteArray(reinterpret_cast<const char*>(data.data()),
                    static_cast<qsizetype>(data.size()));
}

// A picture of one colour.
QImage solid(int width, int height, QColor colour, QImage::Format format = QImage::Format_RGB32);

// "[ImageN]" with Filename, Left, Top, Width and Height.
std::string imageSection(int n, const std::string& file, int left, int top, int width, int height);

}  // namespace tavro::testing
