#pragma once

#include <cstdint>

namespace nv::editing {

// The small signed offsets of items, chord symbols, tuplets and note
// attributes are stored in one byte in ones' complement: v < 0 as 255 + v,
// and a byte b >= 128 reads as b - 255 (255 reads as 0). The beam slope is
// not one of them: it is a plain two's complement byte.
constexpr std::uint8_t OnesComplement(int v) { return static_cast<std::uint8_t>(v < 0 ? 255 + v : v); }
constexpr int FromOnesComplement(std::uint8_t b) { return b >= 128 ? b - 255 : b; }

}  // namespace nv::editing
