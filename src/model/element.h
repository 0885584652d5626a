#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// What a record is in memory. Kinds alone are ambiguous (a clef code or a key
// code may equal a rest or play-note kind), so dispatch uses this type.
enum class TECElementType : std::uint8_t {
  Clef,
  KeySignature,
  TimeSignature,
  Note,
  Rest,
  Attribute,
  GraceNote,
  PlayNote,
  MeasureItem,
  PageObject,
  SymbolItem,
};

// The box in which a painter last drew an element (left - 1, top - 1, right,
// bottom, document pixels); hit testing and invalidation read only this.
struct TECElementBox {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;
};

// Base of every element record: its own type and its kind byte, the first
// byte of the stored form.
class TECElement {
 public:
  TECElement(TECElementType type, std::uint8_t kind) : Kind(kind), type_(type) {}
  virtual ~TECElement() = default;
  TECElement(const TECElement&) = delete;
  TECElement& operator=(const TECElement&) = delete;

  TECElementType Type() const { return type_; }

  std::uint8_t Kind;

 private:
  // Next to the kind byte, so that the two share one word with no padding.
  const TECElementType type_;

 public:
  TECElementBox Box;
  // How far left of its tick (accidentals, clef changes) or right of its
  // note the measure spacing puts the element, device pixels; never stored.
  std::int32_t SpacingOffset = 0;
};

// Little-endian access to the bytes of a record's stored form. Records are
// written and read field by field at fixed offsets, never as memory images.
namespace recbytes {
inline void PutU8(std::span<std::uint8_t> b, std::size_t at, std::uint8_t v) { b[at] = v; }
inline void PutU16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutU32(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void PutI16(std::span<std::uint8_t> b, std::size_t at, std::int16_t v) {
  PutU16(b, at, static_cast<std::uint16_t>(v));
}
inline void PutI32(std::span<std::uint8_t> b, std::size_t at, std::int32_t v) {
  PutU32(b, at, static_cast<std::uint32_t>(v));
}
inline std::uint8_t GetU8(std::span<const std::uint8_t> b, std::size_t at) { return b[at]; }
inline std::uint16_t GetU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t GetU32(std::span<const std::uint8_t> b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(b[at + i]) << (8 * i);
  return v;
}
inline std::int16_t GetI16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int16_t>(GetU16(b, at));
}
inline std::int32_t GetI32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(GetU32(b, at));
}

// A stored prefix may be shorter than the record (older writers) or longer
// (newer ones): the record reads what fits and keeps zeros for the rest.
template <std::size_t N>
std::array<std::uint8_t, N> Padded(std::span<const std::uint8_t> stored) {
  std::array<std::uint8_t, N> out{};
  std::copy_n(stored.begin(), std::min(N, stored.size()), out.begin());
  return out;
}
}  // namespace recbytes
