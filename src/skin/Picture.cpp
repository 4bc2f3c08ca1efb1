// Loading a picture file: choosing the decoder by extension, reading the file,
// and the pictures that come from no file (the missing-image marker, the
// built-in PNGs).

#include "skin/Picture.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace tavro {
namespace {

constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;
// No picture within the size limit needs a file this large.
constexpr long kMaxFileSize = 512L * 1024 * 1024;

std::string lowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The extension as written: the text after the last dot of the file name.
std::string extensionOf(const std::string& path) {
  const std::size_t nameStart = path.find_last_of("/\\");
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) return "";
  return path.substr(dot + 1);
}

[[noreturn]] void cannotRead(const std::string& path, int error) {
  throw std::runtime_error("Cannot open file \"" + path + "\". " + std::strerror(error));
}

std::vector<unsigned char> readWholeFile(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) cannotRead(path, errno);
  std::vector<unsigned char> bytes;
  unsigned char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (bytes.size() + got > static_cast<std::size_t>(kMaxFileSize)) {
      std::fclose(file);
      throw std::runtime_error("Picture file \"" + path + "\" is too large");
    }
    bytes.insert(bytes.end(), buffer, buffer + got);
  }
  const int error = std::ferror(file) ? errno : 0;
  std::fclose(file);
  if (error != 0) cannotRead(path, error);
  return bytes;
}

}  // namespace

bool pictureSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
         width * height <= kMaxPixels;
}

QRgb Picture::transparentColor() const {
  if (monochrome) return qRgb(255, 255, 255);
  if (image.isNull()) return qRgb(0, 0, 0);
  return image.pixel(0, image.height() - 1);
}

Picture loadPicture(const std::string& hostPath) {
  const std::string extension = extensionOf(hostPath);
  const std::string kind = lowerAscii(extension);
  Picture (*decode)(const unsigned char*, std::size_t) = nullptr;
  if (kind == "bmp") {
    decode = decodeBmp;
  } else if (kind == "png") {
    decode = decodePng;
  } else if (kind == "jpg" || kind == "jpeg") {
    decode = decodeJpeg;
  } else {
    throw std::runtime_error("Unknown picture file extension (." + extension + ")");
  }
  const std::vector<unsigned char> bytes = readWholeFile(hostPath);
  return decode(bytes.data(), bytes.size());
}

Picture decodeBuiltin(builtin::Blob blob) {
  return decodePng(blob.data, blob.size);
}

Picture missingImageMarker() {
  Picture marker;
  marker.image = QImage(10, 10, QImage::Format_RGB32);
  marker.image.fill(qRgb(0, 0, 0));
  for (int y = 1; y < 9; ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(marker.image.scanLine(y));
    for (int x = 1; x < 9; ++x) line[x] = qRgb(255, 0, 0);
  }
  marker.kind = PictureKind::Bitmap;
  return marker;
}

}  // namespace tavro
