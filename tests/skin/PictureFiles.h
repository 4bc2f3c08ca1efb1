#pragma once
// Picture files made in memory for the decoder tests: bitmaps written header
// by header, PNGs written through libpng.

#include <cstdint>
#include <string>
#include <vector>

namespace tavro::testing {

using Bytes = std::vector<unsigned char>;

struct BmpFile {
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top-down
  int bpp = 24;
  uint32_t compression = 0;
  uint32_t infoSize = 40;         // 12 writes the OS/2 core header
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  std::vector<uint32_t> masks;    // after a 40-byte header, else inside it
  uint32_t colorsUsed = 0;
  Bytes pixels;  // the pixel data exactly as stored
};

Bytes makeBmp(const BmpFile& file);

// A bitmap of one colour, RLE8-compressed: a few bytes a row on disk, however
// large the picture.
Bytes makeLargeBmp(int32_t width, int32_t height);

// Rows given top row first, each padded to 4 bytes and stored bottom-up.
Bytes bottomUpRows(const std::vector<Bytes>& rowsTopFirst);

void put16(Bytes& out, uint32_t value);
void put32(Bytes& out, uint32_t value);

struct PngFile {
  int width = 1;
  int height = 1;
  int colorType = 0;  // PNG_COLOR_TYPE_...
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  Bytes transparency;             // tRNS: alpha per palette entry
  int transparentGrey = -1;       // tRNS for a grey picture
  std::vector<Bytes> rows;        // raw rows as libpng takes them
};

Bytes makePng(const PngFile& file);

// Rewrites the IHDR size of a PNG and fixes its checksum.
void patchPngSize(Bytes& png, uint32_t width, uint32_t height);

Bytes readFile(const std::string& path);
void writeFile(const std::string& path, const Bytes& bytes);

}  // namespace tavro::testing
