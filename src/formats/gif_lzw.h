#pragma once

#include <cstdint>
#include <vector>

// The LZW coding of GIF image data. Coded data is kept as the file holds it:
// sub-blocks of at most 255 bytes, each after its length byte, and a zero
// terminator.

// Rows in the order a frame stores them: top to bottom, or the four passes of
// interlacing (0, 8, 16, ... then 4, 12, ... then 2, 6, ... then 1, 3, ...).
std::vector<int> GifRowOrder(int height, bool interlaced);

struct GifDecodeInput {
  const std::vector<std::uint8_t>& Data;
  int MinCodeSize;
  int Width;
  int Height;
  int BitsPerPixel;
  bool Interlaced;
  // Corrupt data marks the result corrupted instead of raising.
  bool Tolerant;
};

struct GifDecodeResult {
  // One colour index a pixel, top row first; pixels the data did not reach
  // stay 0.
  std::vector<std::uint8_t> Pixels;
  bool Corrupted = false;
};

// Raises EInvalidGraphicOperation for a code size outside 2..9 or corrupt
// codes, and EReadError when the data or an end code comes before the
// image's last pixel, unless the input is tolerant (which keeps the pixels
// decoded so far). The caller bounds Width × Height.
GifDecodeResult DecodeGifLzw(const GifDecodeInput& input);

struct GifEncodeResult {
  std::uint8_t MinCodeSize = 2;
  std::vector<std::uint8_t> Data;
};

// Codes one index a pixel (top row first) of a 1- to 8-bit image.
GifEncodeResult EncodeGifLzw(const std::vector<std::uint8_t>& pixels, int width, int height,
                              int bitsPerPixel, bool interlaced);
