// Picture files made in memory for the decoder tests.

#include "PictureFiles.h"

#include <png.h>
#include <zlib.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tavro::testing {

void put16(Bytes& out, uint32_t value) {
  out.push_back(static_cast<unsigned char>(value));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

void put32(Bytes& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

Bytes makeBmp(const BmpFile& f) {
  Bytes info;
  put32(info, f.infoSize);
  if (f.infoSize == 12) {
    put16(info, static_cast<uint32_t>(f.width));
    put16(info, static_cast<uint32_t>(f.height));
    put16(info, 1);
    put16(info, static_cast<uint32_t>(f.bpp));
  } else {
    put32(info, static_cast<uint32_t>(f.width));
    put32(info, static_cast<uint32_t>(f.height));
    put16(info, 1);
    put16(info, static_cast<uint32_t>(f.bpp));
    put32(info, f.compression);
    put32(info, static_cast<uint32_t>(f.pixels.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, f.colorsUsed);
    put32(info, 0);
    if (f.infoSize >= 52) {
      for (uint32_t mask : f.masks) put32(info, mask);  // inside the V2..V5 header
      info.resize(f.infoSize, 0);
    } else {
      info.resize(f.infoSize, 0);
      for (uint32_t mask : f.masks) put32(info, mask);
    }
  }
  for (uint32_t color : f.palette) {
    info.push_back(static_cast<unsigned char>(color));
    info.push_back(static_cast<unsigned char>(color >> 8));
    info.push_back(static_cast<unsigned char>(color >> 16));
    if (f.infoSize != 12) info.push_back(0);
  }
  Bytes out = {'B', 'M'};
  const uint32_t offBits = static_cast<uint32_t>(14 + info.size());
  put32(out, static_cast<uint32_t>(offBits + f.pixels.size()));
  put32(out, 0);
  put32(out, offBits);
  out.insert(out.end(), info.begin(), info.end());
  out.insert(out.end(), f.pixels.begin(), f.pixels.end());
  return out;
}

Bytes makeLargeBmp(int32_t width, int32_t height) {
  BmpFile f;
  f.width = width;
  f.height = height;
  f.bpp = 8;
  f.compression = 1;
  f.palette = {0x0000FF, 0x00FF00};
  f.colorsUsed = 2;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t left = width; left > 0; left -= 255) {
      f.pixels.push_back(static_cast<unsigned char>(left < 255 ? left : 255));
      f.pixels.push_back(1);
    }
    f.pixels.insert(f.pixels.end(), {0, 0});
  }
  f.pixels.insert(f.pixels.end(), {0, 1});
  return makeBmp(f);
}

Bytes bottomUpRows(const std::vector<Bytes>& rowsTopFirst) {
  Bytes out;
  for (auto row = rowsTopFirst.rbegin(); row != rowsTopFirst.rend(); ++row) {
    Bytes padded = *row;
    padded.resize((padded.size() + 3) / 4 * 4, 0);
    out.insert(out.end(), padded.begin(), padded.end());
  }
  return out;
}

namespace {

void appendData(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

}  // namespace

Bytes makePng(const PngFile& f) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("cannot write the test PNG");
  }
  png_set_write_fn(png, &out, appendData, nullptr);
  png_set_IHDR(png, info, static_cast<png_uint_32>(f.width), static_cast<png_uint_32>(f.height),
               f.bitDepth, f.colorType, f.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette;
  for (uint32_t c : f.palette) {
    palette.push_back(
        {static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8), static_cast<png_byte>(c)});
  }
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  png_color_16 grey{};
  grey.gray = static_cast<png_uint_16>(f.transparentGrey);
  if (!f.transparency.empty()) {
    png_set_tRNS(png, info, f.transparency.data(), static_cast<int>(f.transparency.size()),
                 nullptr);
  } else if (f.transparentGrey >= 0) {
    png_set_tRNS(png, info, nullptr, 0, &grey);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const Bytes& row : f.rows) rows.push_back(const_cast<png_bytep>(row.data()));
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

void patchPngSize(Bytes& png, uint32_t width, uint32_t height) {
  // Signature (8), IHDR length (4), "IHDR" (4), width, height, ..., CRC over type and data.
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
  }
  const uLong crc = crc32(0, png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
}

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tavro::testing
