#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/content_revision.h"
#include "model/element.h"
#include "model/model_object.h"
#include "model/page_objects.h"

class TECInstrument;
class TECSymbolEntry;

// An instrument-level item of a measure (kinds 71..76, 80..82, 85..88, 99).
// Its bytes are addressed by their place in the stored form, the kind byte
// being byte 0.
class TECSymbolItem : public TECElement {
 public:
  explicit TECSymbolItem(std::uint8_t kind, TECSymbolEntry* entry = nullptr)
      : TECElement(TECElementType::SymbolItem, kind), Entry(entry) {}

  // 8 bytes for a tempo mark, 5 for a rehearsal mark, 4 for the rest.
  static std::size_t StoredSizeOf(std::uint8_t kind);
  std::size_t StoredSize() const { return StoredSizeOf(Kind); }
  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);

  std::uint8_t Byte(std::size_t at) const { return at == 0 ? Kind : bytes_[at - 1]; }
  void SetByte(std::size_t at, std::uint8_t v);
  // Tempo mark fields: tick at byte 1, value at 3, tempo at 4.
  std::uint16_t Tick() const { return static_cast<std::uint16_t>(bytes_[0] | bytes_[1] << 8); }
  void SetTick(std::uint16_t tick);
  std::uint16_t Tempo() const { return static_cast<std::uint16_t>(bytes_[3] | bytes_[4] << 8); }
  void SetTempo(std::uint16_t tempo);

  TECSymbolEntry* Entry = nullptr;

 private:
  std::array<std::uint8_t, 7> bytes_{};
};

// The symbols-row entry of one measure index.
class TECSymbolEntry {
 public:
  // Called before the entry's items change: the layout pass lays its
  // measure out again.
  void MarkChanged() { Revision = NewContentRevision(); }
  std::vector<std::unique_ptr<TECSymbolItem>> Items;
  TECInstrument* Owner = nullptr;
  // 1 when a multi-measure rest (kind 88) was added here.
  std::uint8_t Flag = 0;
  std::int32_t MeasureIndex = 0;
  std::int32_t Page = 0;
  std::uint64_t Revision = NewContentRevision();
};

// The instrument's symbols row: one entry per measure index.
class TECSymbolsRow : public TECModelObject {
 public:
  explicit TECSymbolsRow(TECInstrument* owner = nullptr) : Owner(owner) {}
  int Count() const { return static_cast<int>(Entries.size()); }
  TECSymbolEntry* At(int i) const { return i >= 0 && i < Count() ? Entries[i].get() : nullptr; }
  int IndexOf(const TECSymbolEntry* entry) const;

  std::vector<std::unique_ptr<TECSymbolEntry>> Entries;
  TECInstrument* Owner = nullptr;
};

// The instrument's free page objects, in drawing order.
class TECTextsRow : public TECModelObject {
 public:
  explicit TECTextsRow(TECInstrument* owner = nullptr) : Owner(owner) {}
  int Count() const { return static_cast<int>(Objects.size()); }
  int IndexOf(const TECPageObject* object) const;

  std::vector<std::unique_ptr<TECPageObject>> Objects;
  TECInstrument* Owner = nullptr;
};
