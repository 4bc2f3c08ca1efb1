// Reading a picture file and choosing its decoder by the extension.

#include "skin/PictureFile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "device/RegularFile.h"

namespace tavro {
namespace {

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

PictureFile PictureFile::read(const std::string& hostPath) {
  const std::string extension = extensionOf(hostPath);
  const std::string kind = lowerAscii(extension);
  Kind decoder = Kind::Bmp;
  if (kind == "png") {
    decoder = Kind::Png;
  } else if (kind == "jpg" || kind == "jpeg") {
    decoder = Kind::Jpeg;
  } else if (kind != "bmp") {
    throw std::runtime_error("Unknown picture file extension (." + extension + ")");
  }
  return PictureFile(decoder, readWholeFile(hostPath));
}

std::optional<QSize> PictureFile::headerSize() const {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes_.data());
  switch (kind_) {
    case Kind::Bmp:
      return bmpHeaderSize(data, bytes_.size());
    case Kind::Png:
      return pngHeaderSize(data, bytes_.size());
    case Kind::Jpeg:
      return jpegHeaderSize(data, bytes_.size());
  }
  return std::nullopt;
}

Picture PictureFile::decode() const {
  const auto* data = reinterpret_cast<const unsigned char*>(bytes_.data());
  switch (kind_) {
    case Kind::Bmp:
      return decodeBmp(data, bytes_.size());
    case Kind::Png:
      return decodePng(data, bytes_.size());
    case Kind::Jpeg:
      return decodeJpeg(data, bytes_.size());
  }
  return {};
}

QSize checkBitmapFile(const std::string& hostPath) {
  // Most bitmaps are checked from their headers: the pixels are read when
  // the picture is first drawn.
  constexpr std::size_t kHeadBytes = 4096;
  const FileContents head = readRegularFileHead(hostPath, kMaxFileSize, kHeadBytes);
  if (head.status == FileStatus::Ok) {
    if (const std::optional<QSize> size =
            checkBmpHead(reinterpret_cast<const unsigned char*>(head.bytes.data()),
                         head.bytes.size(), head.size)) {
      return *size;
    }
  }
  const std::string bytes = readWholeFile(hostPath);
  return checkBmp(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

}  // namespace tavro
