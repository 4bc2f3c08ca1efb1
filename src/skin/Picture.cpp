// Loading a picture file: choosing the decoder by extension, reading the file,
// and the pictures that come from no file (the missing-image marker, the
// built-in PNGs).

#include "skin/Picture.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "device/RegularFile.h"

namespace tavro {
namespace {

constexpr int64_t kMaxSide = 16384;
constexpr int64_t kMaxPixels = int64_t{64} * 1024 * 1024;
// No picture within the size limit needs a file this large.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{512} << 20;

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

[[noreturn]] void cannotRead(const std::string& path, const char* reason) {
  throw std::runtime_error("Cannot open file \"" + path + "\". " + reason);
}

std::string readWholeFile(const std::string& path) {
  FileContents file = readRegularFile(path, kMaxFileSize);
  switch (file.status) {
    case FileStatus::Ok:
      break;
    case FileStatus::TooLarge:
      throw std::runtime_error("Picture file \"" + path + "\" is too large");
    case FileStatus::Absent:
      cannotRead(path, std::strerror(ENOENT));
    case FileStatus::NotRegular:
      cannotRead(path, "Not a regular file");
    case FileStatus::Unreadable:
      cannotRead(path, std::strerror(file.error));
  }
  return std::move(file.bytes);
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
  const std::string bytes = readWholeFile(hostPath);
  return decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
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
