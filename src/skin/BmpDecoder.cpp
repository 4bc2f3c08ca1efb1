// Windows bitmap decoding: core (OS/2) and info headers up to version 5,
// 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4, RLE8, bit-field masks and
// top-down rows. Every malformed file gives "Bitmap image is not valid".

#include <array>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "skin/Picture.h"

namespace tavro {
namespace {

enum Compression : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6 };

[[noreturn]] void invalid() {
  throw std::runtime_error("Bitmap image is not valid");
}

class Bytes {
 public:
  Bytes(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  std::size_t size() const { return size_; }
  const unsigned char* at(uint64_t offset, uint64_t length) const {
    if (offset > size_ || length > size_ - offset) invalid();
    return data_ + offset;
  }
  uint16_t u16(uint64_t offset) const {
    const unsigned char* p = at(offset, 2);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
  }
  uint32_t u32(uint64_t offset) const {
    const unsigned char* p = at(offset, 4);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  }

 private:
  const unsigned char* data_;
  std::size_t size_;
};

// One colour channel of a 16- or 32-bit pixel, scaled to 8 bits.
class Channel {
 public:
  explicit Channel(uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    max_ = (uint64_t{1} << std::bit_width(mask >> shift_)) - 1;
  }
  int operator()(uint32_t pixel) const {
    if (mask_ == 0) return 0;
    const uint64_t value = (pixel & mask_) >> shift_;
    return static_cast<int>((value * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_;
  int shift_ = 0;
  uint64_t max_ = 1;
};

struct Header {
  int64_t width = 0;
  int64_t height = 0;  // rows, always positive
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {0, 0, 0};
  std::array<QRgb, 256> palette{};
  uint32_t paletteSize = 0;
  uint64_t pixelOffset = 0;
};

Header readHeader(const Bytes& in) {
  const unsigned char* magic = in.at(0, 2);
  if (magic[0] != 'B' || magic[1] != 'M') invalid();
  Header h;
  const uint32_t offBits = in.u32(10);
  const uint32_t infoSize = in.u32(14);
  in.at(14, infoSize);  // the whole info header must be present
  uint32_t colorsUsed = 0;
  int paletteEntrySize = 4;
  uint64_t afterInfo = 14 + uint64_t{infoSize};

  if (infoSize == 12) {  // OS/2 core header: 16-bit sizes, 3-byte palette entries
    h.width = in.u16(18);
    h.height = in.u16(20);
    h.bpp = in.u16(24);
    paletteEntrySize = 3;
  } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 64 ||
             infoSize == 108 || infoSize == 124) {
    h.width = static_cast<int32_t>(in.u32(18));
    const int32_t height = static_cast<int32_t>(in.u32(22));
    h.topDown = height < 0;
    h.height = height < 0 ? -int64_t{height} : height;
    h.bpp = in.u16(28);
    h.compression = in.u32(30);
    colorsUsed = in.u32(46);
    // In the OS/2 2.x header 3 and 4 mean Huffman and RLE24, which no one reads.
    if (infoSize == 64 && h.compression > kRle4) invalid();
    if (h.compression == kBitfields || h.compression == kAlphaBitfields) {
      const uint64_t maskAt = 14 + 40;
      if (infoSize < 52) afterInfo += h.compression == kAlphaBitfields ? 16 : 12;
      for (int i = 0; i < 3; ++i) h.masks[i] = in.u32(maskAt + 4 * i);
    }
  } else {
    invalid();
  }

  if (h.width <= 0 || h.height <= 0 || !pictureSizeAllowed(h.width, h.height)) invalid();
  const bool bppKnown =
      h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 16 || h.bpp == 24 || h.bpp == 32;
  const bool compressionFits = h.compression == kRgb ||
                               (h.compression == kRle8 && h.bpp == 8 && !h.topDown) ||
                               (h.compression == kRle4 && h.bpp == 4 && !h.topDown) ||
                               ((h.compression == kBitfields || h.compression == kAlphaBitfields) &&
                                (h.bpp == 16 || h.bpp == 32));
  if (!bppKnown || !compressionFits) invalid();

  uint64_t paletteEnd = afterInfo;
  if (h.bpp <= 8) {
    const uint32_t full = 1u << h.bpp;
    h.paletteSize = colorsUsed == 0 || colorsUsed > full ? full : colorsUsed;
    const unsigned char* p = in.at(afterInfo, uint64_t{h.paletteSize} * paletteEntrySize);
    for (uint32_t i = 0; i < h.paletteSize; ++i, p += paletteEntrySize) {
      h.palette[i] = qRgb(p[2], p[1], p[0]);
    }
    paletteEnd += uint64_t{h.paletteSize} * paletteEntrySize;
  }
  h.pixelOffset = offBits == 0 ? paletteEnd : offBits;
  if (h.pixelOffset > in.size()) invalid();
  return h;
}

QRgb paletteColor(const Header& h, uint32_t index) {
  return index < h.paletteSize ? h.palette[index] : qRgb(0, 0, 0);
}

uint64_t rowStride(const Header& h) {
  return (static_cast<uint64_t>(h.width) * h.bpp + 31) / 32 * 4;
}

// Uncompressed pixels must all be there before anything is allocated. The
// padding after the last row may be missing; the pixels may not.
void checkRowsPresent(const Bytes& in, const Header& h) {
  const uint64_t lastRowBytes = (static_cast<uint64_t>(h.width) * h.bpp + 7) / 8;
  in.at(h.pixelOffset, rowStride(h) * (h.height - 1) + lastRowBytes);
}

void decodeRows(const Bytes& in, const Header& h, QImage& image) {
  const uint64_t stride = rowStride(h);

  const bool masked = h.compression == kBitfields || h.compression == kAlphaBitfields;
  const Channel red(masked ? h.masks[0] : (h.bpp == 16 ? 0x7C00 : 0xFF0000));
  const Channel green(masked ? h.masks[1] : (h.bpp == 16 ? 0x03E0 : 0x00FF00));
  const Channel blue(masked ? h.masks[2] : (h.bpp == 16 ? 0x001F : 0x0000FF));

  const int width = static_cast<int>(h.width);
  for (int64_t row = 0; row < h.height; ++row) {
    const unsigned char* src = in.at(h.pixelOffset + stride * row, 0);
    const int64_t y = h.topDown ? row : h.height - 1 - row;
    QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    // One loop per depth, so that the depth is not decided again for every pixel.
    switch (h.bpp) {
      case 1:
        for (int x = 0; x < width; ++x) {
          out[x] = paletteColor(h, (src[x >> 3] >> (7 - (x & 7))) & 1);
        }
        break;
      case 4:
        for (int x = 0; x < width; ++x) {
          out[x] = paletteColor(h, (src[x >> 1] >> (x & 1 ? 0 : 4)) & 0x0F);
        }
        break;
      case 8:
        for (int x = 0; x < width; ++x) out[x] = paletteColor(h, src[x]);
        break;
      case 16:
        for (int x = 0; x < width; ++x) {
          const uint32_t px = src[2 * x] | src[2 * x + 1] << 8;
          out[x] = qRgb(red(px), green(px), blue(px));
        }
        break;
      case 24: {
        int x = 0;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
        // Blue, green, red and the next byte in one load; the last pixel of a
        // row, whose next byte may lie past the data, is read byte by byte.
        for (; x + 1 < width; ++x, src += 3) {
          uint32_t bgr = 0;
          std::memcpy(&bgr, src, 4);
          out[x] = bgr | 0xff000000u;
        }
#endif
        for (; x < width; ++x, src += 3) {
          out[x] = 0xff000000u | uint32_t{src[2]} << 16 | uint32_t{src[1]} << 8 | src[0];
        }
        break;
      }
      default:
        for (int x = 0; x < width; ++x) {
          const unsigned char* p = src + 4 * x;
          const uint32_t px = p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
          out[x] = qRgb(red(px), green(px), blue(px));
        }
        break;
    }
  }
}

// RLE8 and RLE4. Pixels the data skips stay black. The data must end with
// the end-of-bitmap code unless every row has already been written. Without
// an image the data is only walked, to find out whether it decodes.
void decodeRle(const Bytes& in, const Header& h, QImage* image) {
  const bool rle4 = h.compression == kRle4;
  int64_t x = 0;
  int64_t y = 0;  // counted from the bottom row
  auto put = [&](uint32_t index) {
    if (image != nullptr && x < h.width && y < h.height) {
      reinterpret_cast<QRgb*>(image->scanLine(static_cast<int>(h.height - 1 - y)))[x] =
          paletteColor(h, index);
    }
    ++x;
  };
  uint64_t p = h.pixelOffset;
  for (;;) {
    if (p + 2 > in.size()) {
      if (y >= h.height) return;
      invalid();
    }
    const unsigned char* op = in.at(p, 2);
    p += 2;
    const unsigned count = op[0];
    const unsigned value = op[1];
    if (count > 0) {
      for (unsigned i = 0; i < count; ++i) put(rle4 ? (i & 1 ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // delta
      const unsigned char* d = in.at(p, 2);
      p += 2;
      x += d[0];
      y += d[1];
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      uint64_t bytes = rle4 ? (value + 1) / 2 : value;
      bytes += bytes & 1;
      const unsigned char* run = in.at(p, bytes);
      p += bytes;
      for (unsigned i = 0; i < value; ++i) {
        put(rle4 ? (i & 1 ? run[i / 2] & 0x0F : run[i / 2] >> 4) : run[i]);
      }
    }
  }
}

// The header, and for uncompressed rows their presence: all that is known
// before pixels are allocated.
Header readChecked(const Bytes& in) {
  const Header h = readHeader(in);
  if (h.compression != kRle8 && h.compression != kRle4) checkRowsPresent(in, h);
  return h;
}

}  // namespace

std::optional<QSize> bmpHeaderSize(const unsigned char* data, std::size_t size) {
  try {
    const Header h = readChecked(Bytes(data, size));
    return QSize(static_cast<int>(h.width), static_cast<int>(h.height));
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

Picture decodeBmp(const unsigned char* data, std::size_t size) {
  const Bytes in(data, size);
  const Header h = readChecked(in);
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  Picture picture;
  picture.image =
      QImage(static_cast<int>(h.width), static_cast<int>(h.height), QImage::Format_RGB32);
  if (picture.image.isNull()) invalid();
  if (rle) {
    picture.image.fill(qRgb(0, 0, 0));
    decodeRle(in, h, &picture.image);
  } else {
    decodeRows(in, h, picture.image);
  }
  picture.kind = PictureKind::Bitmap;
  picture.monochrome = h.bpp == 1;
  return picture;
}

std::optional<QSize> checkBmpHead(const unsigned char* head, std::size_t headSize,
                                  std::uint64_t fileSize) {
  if (headSize >= fileSize) {
    return checkBmp(head, headSize);
  }
  Header h;
  try {
    h = readHeader(Bytes(head, headSize));
  } catch (const std::runtime_error&) {
    return std::nullopt;  // the whole file gives the answer, and its error
  }
  if (h.compression == kRle8 || h.compression == kRle4) {
    return std::nullopt;
  }
  // Only the rows' room in the file is checked: no byte of them is read.
  checkRowsPresent(Bytes(head, static_cast<std::size_t>(fileSize)), h);
  return QSize(static_cast<int>(h.width), static_cast<int>(h.height));
}

QSize checkBmp(const unsigned char* data, std::size_t size) {
  const Bytes in(data, size);
  const Header h = readHeader(in);
  if (h.compression == kRle8 || h.compression == kRle4) {
    decodeRle(in, h, nullptr);
  } else {
    checkRowsPresent(in, h);
  }
  return QSize(static_cast<int>(h.width), static_cast<int>(h.height));
}

}  // namespace tavro
