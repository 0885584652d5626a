#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "formats/gif_image.h"
#include "formats/colour_reduction.h"
#include "formats/gif_lzw.h"
#include "model/memory_stream.h"

// Hand-made GIF streams for the codec tests.
namespace gif_test {

using Bytes = std::vector<std::uint8_t>;
using nv::platform::Color;

inline void Append(Bytes& b, std::initializer_list<int> values) {
  for (const int v : values) b.push_back(static_cast<std::uint8_t>(v));
}
inline void AppendU16(Bytes& b, int v) { Append(b, {v & 0xFF, (v >> 8) & 0xFF}); }
inline void AppendText(Bytes& b, const std::string& s) {
  for (const char c : s) b.push_back(static_cast<std::uint8_t>(c));
}
inline void AppendTable(Bytes& b, const std::vector<Color>& colors) {
  for (const Color c : colors) Append(b, {nv::platform::redOf(c), nv::platform::greenOf(c), nv::platform::blueOf(c)});
}
inline int TableBits(std::size_t count) { return count == 0 ? 0 : GifBitsForColorCount(count) - 1; }

// Signature, screen descriptor and global table (none when empty).
inline Bytes Screen(const std::string& signature, int width, int height, const std::vector<Color>& global) {
  Bytes b;
  AppendText(b, signature);
  AppendU16(b, width);
  AppendU16(b, height);
  Append(b, {global.empty() ? 0 : 0x80 | 0x70 | TableBits(global.size()), 0, 0});
  AppendTable(b, global);
  return b;
}

// An image descriptor, local table, code size and the coded sub-blocks.
inline void Frame(Bytes& b, int width, int height, const std::vector<Color>& local, int minCodeSize,
                  const Bytes& data, bool interlaced = false) {
  b.push_back(0x2C);
  AppendU16(b, 0);
  AppendU16(b, 0);
  AppendU16(b, width);
  AppendU16(b, height);
  Append(b, {(local.empty() ? 0 : 0x80 | TableBits(local.size())) | (interlaced ? 0x40 : 0)});
  AppendTable(b, local);
  Append(b, {minCodeSize});
  b.insert(b.end(), data.begin(), data.end());
}

// A frame whose pixels our encoder codes.
inline void CodedFrame(Bytes& b, int width, int height, const std::vector<Color>& local,
                       const Bytes& pixels, int bits, bool interlaced = false) {
  const GifEncodeResult coded = EncodeGifLzw(pixels, width, height, bits, interlaced);
  Frame(b, width, height, local, coded.MinCodeSize, coded.Data, interlaced);
}

inline void GraphicControl(Bytes& b, int packed, int delay, int transparentIndex) {
  Append(b, {0x21, 0xF9, 4, packed, delay & 0xFF, delay >> 8, transparentIndex, 0});
}

inline const std::vector<Color>& FourColours() {
  static const std::vector<Color> colors{nv::platform::rgb(0, 0, 0), nv::platform::rgb(255, 0, 0),
                                         nv::platform::rgb(0, 255, 0), nv::platform::rgb(0, 0, 255)};
  return colors;
}

inline void Load(TGIFsImage& image, const Bytes& bytes) {
  MemoryStream stream(bytes);
  image.LoadFromStream(stream);
}

inline Bytes Save(TGIFsImage& image) {
  MemoryStream stream;
  image.SaveToStream(stream);
  return stream.Data();
}

}  // namespace gif_test
