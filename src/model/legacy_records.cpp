#include "model/legacy_records.h"

#include <cstddef>

namespace {

// One stored byte and where it goes: a single byte, or the low byte of a
// 16-bit field whose high byte stays zero.
struct ByteMove {
  std::size_t From;
  std::size_t To;
};

std::uint8_t At(std::span<const std::uint8_t> bytes, std::size_t i) { return i < bytes.size() ? bytes[i] : 0; }

std::vector<std::uint8_t> Convert(std::span<const std::uint8_t> stored, std::size_t size,
                                  std::span<const ByteMove> moves) {
  std::vector<std::uint8_t> out(size, 0);
  for (const ByteMove& move : moves) out[move.To] = At(stored, move.From);
  return out;
}

std::vector<std::uint8_t> Reverse(std::span<const std::uint8_t> prefix, std::size_t size,
                                  std::span<const ByteMove> moves) {
  std::vector<std::uint8_t> out(size, 0);
  for (const ByteMove& move : moves) out[move.From] = At(prefix, move.To);
  return out;
}

// Note: 2 -> value, 3 -> position, 10 -> length, 11 -> start (16-bit fields,
// low byte); 8..9 -> sounding length; 15 -> start offset.
constexpr ByteMove kNote[] = {{0, 0},   {1, 1},   {2, 2},   {3, 4},   {4, 6},   {5, 7},   {6, 8},
                               {8, 9},   {9, 10},  {10, 12}, {11, 14}, {12, 16}, {13, 17}, {14, 18},
                               {15, 11}, {16, 19}, {17, 20}, {18, 21}, {19, 22}};
// Rest: 1 -> value, 2 -> position, 5 -> length, 6 -> start.
constexpr ByteMove kRest[] = {{1, 1}, {2, 3}, {3, 5}, {4, 6}, {5, 7}, {6, 9}, {7, 11}, {8, 12}};
constexpr ByteMove kGraceNote[] = {{0, 0}, {1, 1}, {2, 2}, {8, 3}, {9, 4}, {10, 6}, {3, 8}};
constexpr ByteMove kPlayNote[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 5}, {5, 7}, {6, 8}};

constexpr std::uint8_t kRestKind = 30;

}  // namespace

std::vector<std::uint8_t> ConvertLegacyNote(std::span<const std::uint8_t> stored) {
  return Convert(stored, 23, kNote);
}

std::vector<std::uint8_t> ConvertLegacyRest(std::span<const std::uint8_t> stored) {
  auto out = Convert(stored, 13, kRest);
  out[0] = kRestKind;
  return out;
}

std::vector<std::uint8_t> ConvertLegacyGraceNote(std::span<const std::uint8_t> stored) {
  return Convert(stored, 9, kGraceNote);
}

std::vector<std::uint8_t> ConvertLegacyPlayNote(std::span<const std::uint8_t> stored) {
  return Convert(stored, 13, kPlayNote);
}

std::vector<std::uint8_t> MakeLegacyNote(std::span<const std::uint8_t> prefix) { return Reverse(prefix, 80, kNote); }

std::vector<std::uint8_t> MakeLegacyRest(std::span<const std::uint8_t> prefix) {
  auto out = Reverse(prefix, 36, kRest);
  out[0] = kRestKind;
  return out;
}

std::vector<std::uint8_t> MakeLegacyGraceNote(std::span<const std::uint8_t> prefix) {
  return Reverse(prefix, 32, kGraceNote);
}

std::vector<std::uint8_t> MakeLegacyPlayNote(std::span<const std::uint8_t> prefix) {
  return Reverse(prefix, 11, kPlayNote);
}
