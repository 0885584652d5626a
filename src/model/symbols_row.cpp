#include "model/symbols_row.h"

#include <algorithm>

#include "model/element_kinds.h"

std::size_t TECSymbolItem::StoredSizeOf(std::uint8_t kind) {
  if (kind == ek::TempoMark) return 8;
  if (kind == ek::SymbolRehearsal) return 5;
  return 4;
}

void TECSymbolItem::Store(std::span<std::uint8_t> out) const {
  const std::size_t size = StoredSize();
  out[0] = Kind;
  for (std::size_t i = 1; i < size; ++i) out[i] = bytes_[i - 1];
}

void TECSymbolItem::Load(std::span<const std::uint8_t> stored) {
  const auto b = recbytes::Padded<8>(stored);
  Kind = b[0];
  bytes_.fill(0);
  // Only the bytes that the kind stores are taken.
  const std::size_t size = std::min(StoredSize(), stored.size());
  for (std::size_t i = 1; i < size; ++i) bytes_[i - 1] = b[i];
}

void TECSymbolItem::SetByte(std::size_t at, std::uint8_t v) {
  if (at == 0)
    Kind = v;
  else
    bytes_[at - 1] = v;
}

void TECSymbolItem::SetTick(std::uint16_t tick) {
  bytes_[0] = static_cast<std::uint8_t>(tick);
  bytes_[1] = static_cast<std::uint8_t>(tick >> 8);
}

void TECSymbolItem::SetTempo(std::uint16_t tempo) {
  bytes_[3] = static_cast<std::uint8_t>(tempo);
  bytes_[4] = static_cast<std::uint8_t>(tempo >> 8);
}

int TECSymbolsRow::IndexOf(const TECSymbolEntry* entry) const {
  for (int i = 0; i < Count(); ++i)
    if (Entries[i].get() == entry) return i;
  return -1;
}

int TECTextsRow::IndexOf(const TECPageObject* object) const {
  for (int i = 0; i < Count(); ++i)
    if (Objects[i].get() == object) return i;
  return -1;
}
