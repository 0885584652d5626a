#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "model/element.h"

// The stored form of a record, written down once as a list of fields (member
// and byte offset). The same list writes the record (Store), reads it (Load)
// and copies it (Copy), so the three cannot drift apart. Everything resolves
// at compile time: no table is walked and no call is virtual per field.
//
//   using NoteLayout = recbytes::Layout<23, recbytes::Field<&TECNote::Kind, 0>,
//                                       recbytes::Field<&TECNote::Value, 2>, ...>;
namespace recbytes {

namespace detail {

template <typename>
struct MemberOf;
template <typename T, typename Class>
struct MemberOf<T Class::*> {
  using Type = T;
};

inline void Put(std::span<std::uint8_t> b, std::size_t at, std::uint8_t v) { PutU8(b, at, v); }
inline void Put(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) { PutU16(b, at, v); }
inline void Put(std::span<std::uint8_t> b, std::size_t at, std::int16_t v) { PutI16(b, at, v); }
inline void Put(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) { PutU32(b, at, v); }
inline void Put(std::span<std::uint8_t> b, std::size_t at, std::int32_t v) { PutI32(b, at, v); }
template <typename T, std::size_t N>
void Put(std::span<std::uint8_t> b, std::size_t at, const std::array<T, N>& v) {
  for (std::size_t i = 0; i < N; ++i) Put(b, at + i * sizeof(T), v[i]);
}

inline void Get(std::span<const std::uint8_t> b, std::size_t at, std::uint8_t& v) { v = GetU8(b, at); }
inline void Get(std::span<const std::uint8_t> b, std::size_t at, std::uint16_t& v) { v = GetU16(b, at); }
inline void Get(std::span<const std::uint8_t> b, std::size_t at, std::int16_t& v) { v = GetI16(b, at); }
inline void Get(std::span<const std::uint8_t> b, std::size_t at, std::uint32_t& v) { v = GetU32(b, at); }
inline void Get(std::span<const std::uint8_t> b, std::size_t at, std::int32_t& v) { v = GetI32(b, at); }
template <typename T, std::size_t N>
void Get(std::span<const std::uint8_t> b, std::size_t at, std::array<T, N>& v) {
  for (std::size_t i = 0; i < N; ++i) Get(b, at + i * sizeof(T), v[i]);
}

// A member may be wider than what is stored of it: an integer keeps its low
// bytes (and reads back zero-extended), an array its leading entries.
template <typename Stored, typename Member>
Stored ToStored(const Member& member) {
  if constexpr (std::is_integral_v<Member>) {
    return static_cast<Stored>(member);
  } else {
    static_assert(std::tuple_size_v<Stored> <= std::tuple_size_v<Member>);
    Stored stored{};
    std::copy_n(member.begin(), stored.size(), stored.begin());
    return stored;
  }
}

template <typename Stored, typename Member>
void FromStored(const Stored& stored, Member& member) {
  if constexpr (std::is_integral_v<Member>) {
    member = stored;
  } else {
    static_assert(std::tuple_size_v<Stored> <= std::tuple_size_v<Member>);
    std::copy_n(stored.begin(), stored.size(), member.begin());
  }
}

}  // namespace detail

// One stored field: `Member` at byte `Offset`, stored as `Stored` (by default
// the member's own type; integers little-endian, arrays entry by entry).
// Copy takes the whole member.
template <auto Member, std::size_t Offset, typename Stored = typename detail::MemberOf<decltype(Member)>::Type>
struct Field {
  static constexpr std::size_t kOffset = Offset;
  static constexpr std::size_t kWidth = sizeof(Stored);

  template <typename Record>
  static void Store(const Record& record, std::span<std::uint8_t> out) {
    detail::Put(out, Offset, detail::ToStored<Stored>(record.*Member));
  }
  template <typename Record>
  static void Load(Record& record, std::span<const std::uint8_t> in) {
    Stored stored{};
    detail::Get(in, Offset, stored);
    detail::FromStored(stored, record.*Member);
  }
  template <typename Record>
  static void Copy(const Record& from, Record& to) {
    to.*Member = from.*Member;
  }
};

// True when every field lies inside the record and no two share a byte.
template <std::size_t Size, typename... Fields>
constexpr bool FieldsFit() {
  const std::size_t offsets[] = {Fields::kOffset...};
  const std::size_t widths[] = {Fields::kWidth...};
  std::array<bool, Size> used{};
  for (std::size_t f = 0; f < sizeof...(Fields); ++f) {
    for (std::size_t i = offsets[f]; i < offsets[f] + widths[f]; ++i) {
      if (i >= Size || used[i]) return false;
      used[i] = true;
    }
  }
  return true;
}

// A record's stored form of `Size` bytes; bytes that no field covers are
// stored as zero.
template <std::size_t Size, typename... Fields>
struct Layout {
  static_assert(FieldsFit<Size, Fields...>(), "fields overlap or pass the end of the record");
  static constexpr std::size_t kSize = Size;

  // `out` holds at least Size bytes.
  template <typename Record>
  static void Store(const Record& record, std::span<std::uint8_t> out) {
    std::fill_n(out.begin(), Size, std::uint8_t{0});
    (Fields::Store(record, out), ...);
  }
  // Reads a stored prefix of any length: missing bytes read as zero, bytes
  // past Size are ignored.
  template <typename Record>
  static void Load(Record& record, std::span<const std::uint8_t> stored) {
    const auto bytes = Padded<Size>(stored);
    (Fields::Load(record, std::span<const std::uint8_t>(bytes)), ...);
  }
  template <typename Record>
  static void Copy(const Record& from, Record& to) {
    (Fields::Copy(from, to), ...);
  }
};

}  // namespace recbytes
