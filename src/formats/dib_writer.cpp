#include "formats/dib_writer.h"

#include <unordered_map>


using nv::platform::Color;
using nv::platform::RasterImage;

namespace {

std::array<Color, 256> MakePalette8() {
  std::array<Color, 256> palette{};
  using namespace nv::platform::colors;
  const std::array<Color, 16> window{black, maroon, green, olive, navy, purple, teal, silver,
                                     gray, red, lime, yellow, blue, fuchsia, aqua, white};
  std::size_t i = 0;
  for (const Color c : window) palette[i++] = c;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) palette[i++] = nv::platform::rgb(r * 51, g * 51, b * 51);
  for (int k = 0; k < 24; ++k) palette[i++] = nv::platform::rgb(8 + 10 * k, 8 + 10 * k, 8 + 10 * k);
  return palette;
}

std::uint8_t NearestEntry(Color c) {
  const auto& palette = DibPalette8();
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < 256; ++i) {
    const int dr = nv::platform::redOf(c) - nv::platform::redOf(palette[static_cast<std::size_t>(i)]);
    const int dg = nv::platform::greenOf(c) - nv::platform::greenOf(palette[static_cast<std::size_t>(i)]);
    const int db = nv::platform::blueOf(c) - nv::platform::blueOf(palette[static_cast<std::size_t>(i)]);
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return static_cast<std::uint8_t>(best);
}

std::size_t RowBytes(int width, DibDepth depth) {
  const std::size_t bytes = static_cast<std::size_t>(width) * (depth == DibDepth::Palette8 ? 1 : 4);
  return (bytes + 3) & ~std::size_t{3};
}

}  // namespace

const std::array<Color, 256>& DibPalette8() {
  static const std::array<Color, 256> palette = MakePalette8();
  return palette;
}

std::vector<std::uint8_t> DibPalette8Indices(const RasterImage& image) {
  std::vector<std::uint8_t> indices;
  indices.reserve(image.pixels.size());
  // Pages hold few colours; each is looked up once.
  std::unordered_map<Color, std::uint8_t> nearest;
  for (const Color c : image.pixels) {
    auto found = nearest.find(c);
    if (found == nearest.end()) found = nearest.emplace(c, NearestEntry(c)).first;
    indices.push_back(found->second);
  }
  return indices;
}

std::size_t DibHeaderSize(DibDepth depth) {
  return kBitmapInfoHeaderSize + (depth == DibDepth::Palette8 ? 256 * 4 : 0);
}

std::size_t DibBitsSize(const RasterImage& image, DibDepth depth) {
  return RowBytes(image.width, depth) * static_cast<std::size_t>(image.height);
}

void WriteDib(ByteStream& out, const RasterImage& image, DibDepth depth) {
  const bool indexed = depth == DibDepth::Palette8;
  out.WriteU32(kBitmapInfoHeaderSize);
  out.WriteI32(image.width);
  out.WriteI32(image.height);  // positive: bottom-up
  out.WriteU16(1);
  out.WriteU16(indexed ? 8 : 32);
  out.WriteU32(0);  // BI_RGB
  out.WriteU32(static_cast<std::uint32_t>(DibBitsSize(image, depth)));
  out.WriteI32(0);
  out.WriteI32(0);
  out.WriteU32(indexed ? 256 : 0);
  out.WriteU32(0);
  if (indexed) {
    for (const Color c : DibPalette8()) {
      const std::uint8_t quad[4] = {static_cast<std::uint8_t>(nv::platform::blueOf(c)),
                                    static_cast<std::uint8_t>(nv::platform::greenOf(c)),
                                    static_cast<std::uint8_t>(nv::platform::redOf(c)), 0};
      out.WriteBuffer(quad, sizeof quad);
    }
  }
  std::vector<std::uint8_t> row(RowBytes(image.width, depth), 0);
  const std::vector<std::uint8_t> indices = indexed ? DibPalette8Indices(image) : std::vector<std::uint8_t>{};
  for (int y = image.height - 1; y >= 0; --y) {
    const std::size_t rowStart = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
    for (int x = 0; x < image.width; ++x) {
      const auto i = static_cast<std::size_t>(x);
      if (indexed) {
        row[i] = indices[rowStart + i];
      } else {
        const Color c = image.pixels[rowStart + i];
        row[i * 4] = static_cast<std::uint8_t>(nv::platform::blueOf(c));
        row[i * 4 + 1] = static_cast<std::uint8_t>(nv::platform::greenOf(c));
        row[i * 4 + 2] = static_cast<std::uint8_t>(nv::platform::redOf(c));
      }
    }
    out.WriteBuffer(row.data(), row.size());
  }
}

void WriteBmp(ByteStream& out, const RasterImage& image, DibDepth depth) {
  constexpr std::size_t kFileHeaderSize = 14;
  const std::size_t bitsOffset = kFileHeaderSize + DibHeaderSize(depth);
  out.WriteU8('B');
  out.WriteU8('M');
  out.WriteU32(static_cast<std::uint32_t>(bitsOffset + DibBitsSize(image, depth)));
  out.WriteU32(0);
  out.WriteU32(static_cast<std::uint32_t>(bitsOffset));
  WriteDib(out, image, depth);
}
