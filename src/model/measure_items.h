#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "model/element.h"
#include "model/element_kinds.h"
#include "model/page_objects.h"

class TECMeasure;

// A measure item: clef change (20), chord symbol (51), dynamics and terms
// (100 + n), tuplet (140), object group (200), spanners (221..229), bend
// (230), text box (240). The common fields; kinds with more data derive.
class TECMeasureItem : public TECElement {
 public:
  explicit TECMeasureItem(std::uint8_t kind, TECMeasure* owner = nullptr)
      : TECElement(TECElementType::MeasureItem, kind), Owner(owner) {}

  virtual std::size_t StoredSize() const { return 10; }
  virtual void Store(std::span<std::uint8_t> out) const;
  virtual void Load(std::span<const std::uint8_t> stored);
  virtual std::unique_ptr<TECMeasureItem> Clone(TECMeasure* owner) const;

  std::uint16_t Position = 0;
  // A spanner's length in ticks, a tuplet's end tick, a clef change's code.
  std::uint16_t Second = 0;
  std::uint8_t Voice = 0;
  std::array<std::uint8_t, 4> Params{};
  TECMeasure* Owner = nullptr;
  // A spanner's drawn end x + 1, written by its painter when it drew the
  // final form; never stored.
  std::int32_t DrawnEnd = 0;
  // A spanner's box in each system the latest page drawing took it across,
  // in drawing order (Box is their union, which also covers the gaps
  // between them); hit testing and invalidation read these. Never stored.
  std::vector<TECElementBox> SegmentBoxes;

 protected:
  void CopyCommon(TECMeasureItem& to) const;
};

// One piece of a chord symbol's text: five format bytes and a string.
struct TECChordPiece {
  std::array<std::uint8_t, 5> Format{};
  std::string Text;
  // Where the painter laid out the piece's right end; never stored.
  std::int32_t RightEnd = 0;
};

class TECChordSymbol : public TECMeasureItem {
 public:
  explicit TECChordSymbol(TECMeasure* owner = nullptr) : TECMeasureItem(ek::ChordSymbol, owner) {}
  std::size_t StoredSize() const override { return 13; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECMeasureItem> Clone(TECMeasure* owner) const override;

  std::uint32_t Value = 0;
  // Byte 0 = chord bytes n, byte 1 = bass bytes, then root, n - 1 components
  // and the bass bytes.
  std::vector<std::uint8_t> Code;
  std::vector<TECChordPiece> Pieces;
  // Whether a code block's own counts account for its size. Readers keep
  // only such a block: one that contradicts them would be read past its end.
  static bool IsConsistentCode(std::span<const std::uint8_t> code) {
    return code.size() >= 2 && code[0] + code[1] + 2u == code.size();
  }
  std::string Text;
};

// Tuplet bracket (140): Position is its start tick, Second its end tick.
class TECTuplet : public TECMeasureItem {
 public:
  explicit TECTuplet(TECMeasure* owner = nullptr) : TECMeasureItem(ek::Tuplet, owner) {}
  // Set when a bar line broke the tuplet; such a tuplet is not drawn.
  static constexpr std::uint8_t Broken = 0x80;

  std::size_t StoredSize() const override { return 11; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECMeasureItem> Clone(TECMeasure* owner) const override;

  std::uint8_t Count = 0;
  std::uint16_t UnitValue = 0;
  std::uint8_t Shift = 0;
  std::uint8_t Flags = 0;
  // The member notes' lengths, in order.
  std::vector<std::uint8_t> Lengths;
};

class TECTextBox : public TECMeasureItem {
 public:
  explicit TECTextBox(TECMeasure* owner = nullptr) : TECMeasureItem(ek::TextBox, owner) {}
  std::size_t StoredSize() const override { return 15; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECMeasureItem> Clone(TECMeasure* owner) const override;

  std::array<std::uint8_t, 5> Style{};
  std::int32_t Value32 = 0;
  std::uint16_t Value16 = 0;
  std::string FontName;
  std::vector<std::string> Lines;
};

class TECBend : public TECMeasureItem {
 public:
  explicit TECBend(TECMeasure* owner = nullptr) : TECMeasureItem(ek::Bend, owner) {}
  std::size_t StoredSize() const override { return 19; }
  void Store(std::span<std::uint8_t> out) const override;
  void Load(std::span<const std::uint8_t> stored) override;
  std::unique_ptr<TECMeasureItem> Clone(TECMeasure* owner) const override;

  std::uint8_t BendType = 0;  // 1..6
  std::array<std::uint8_t, 2> BendParams{};
  std::array<std::uint16_t, 6> Curve{};
};

class TECObjectGroup : public TECMeasureItem {
 public:
  explicit TECObjectGroup(TECMeasure* owner = nullptr) : TECMeasureItem(ek::ObjectGroup, owner) {}
  std::size_t StoredSize() const override { return 11; }
  std::unique_ptr<TECMeasureItem> Clone(TECMeasure* owner) const override;

  std::vector<std::unique_ptr<TECPageObject>> Objects;
};

// The record type that a measure-item kind calls for.
std::unique_ptr<TECMeasureItem> MakeMeasureItem(std::uint8_t kind, TECMeasure* owner);
