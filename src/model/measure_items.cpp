#include "model/measure_items.h"

#include "model/record_layout.h"

using recbytes::Field;
using recbytes::Layout;

namespace {

// The stored forms. A chord symbol keeps three parameters before its value;
// tuplets, text boxes and bends put their own fields where the other kinds
// keep the second field and the parameters.
using ItemLayout = Layout<10, Field<&TECMeasureItem::Kind, 0>, Field<&TECMeasureItem::Position, 1>,
                          Field<&TECMeasureItem::Second, 3>, Field<&TECMeasureItem::Voice, 5>,
                          Field<&TECMeasureItem::Params, 6>>;
using ChordSymbolLayout =
    Layout<13, Field<&TECChordSymbol::Kind, 0>, Field<&TECChordSymbol::Position, 1>,
           Field<&TECChordSymbol::Second, 3>, Field<&TECChordSymbol::Voice, 5>,
           Field<&TECChordSymbol::Params, 6, std::array<std::uint8_t, 3>>, Field<&TECChordSymbol::Value, 9>>;
using TupletLayout = Layout<11, Field<&TECTuplet::Kind, 0>, Field<&TECTuplet::Position, 1>,
                            Field<&TECTuplet::Second, 3>, Field<&TECTuplet::Voice, 5>, Field<&TECTuplet::Count, 6>,
                            Field<&TECTuplet::UnitValue, 7>, Field<&TECTuplet::Shift, 9>, Field<&TECTuplet::Flags, 10>>;
using TextBoxLayout =
    Layout<15, Field<&TECTextBox::Kind, 0>, Field<&TECTextBox::Position, 1>, Field<&TECTextBox::Style, 3>,
           Field<&TECTextBox::Value32, 8>, Field<&TECTextBox::Value16, 12>, Field<&TECTextBox::Voice, 14>>;
using BendLayout = Layout<19, Field<&TECBend::Kind, 0>, Field<&TECBend::Position, 1>, Field<&TECBend::BendType, 3>,
                          Field<&TECBend::BendParams, 4>, Field<&TECBend::Curve, 6>, Field<&TECBend::Voice, 18>>;

}  // namespace

void TECMeasureItem::Store(std::span<std::uint8_t> out) const { ItemLayout::Store(*this, out); }

void TECMeasureItem::Load(std::span<const std::uint8_t> stored) { ItemLayout::Load(*this, stored); }

// Every item holds the common fields, whether its kind stores them or not.
void TECMeasureItem::CopyCommon(TECMeasureItem& to) const { ItemLayout::Copy(*this, to); }

std::unique_ptr<TECMeasureItem> TECMeasureItem::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECMeasureItem>(Kind, owner);
  CopyCommon(*copy);
  return copy;
}

void TECChordSymbol::Store(std::span<std::uint8_t> out) const { ChordSymbolLayout::Store(*this, out); }

void TECChordSymbol::Load(std::span<const std::uint8_t> stored) { ChordSymbolLayout::Load(*this, stored); }

std::unique_ptr<TECMeasureItem> TECChordSymbol::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECChordSymbol>(owner);
  CopyCommon(*copy);
  ChordSymbolLayout::Copy(*this, *copy);
  copy->Code = Code;
  copy->Pieces = Pieces;
  copy->Text = Text;
  return copy;
}

void TECTuplet::Store(std::span<std::uint8_t> out) const { TupletLayout::Store(*this, out); }

void TECTuplet::Load(std::span<const std::uint8_t> stored) { TupletLayout::Load(*this, stored); }

std::unique_ptr<TECMeasureItem> TECTuplet::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECTuplet>(owner);
  CopyCommon(*copy);
  TupletLayout::Copy(*this, *copy);
  copy->Lengths = Lengths;
  return copy;
}

void TECTextBox::Store(std::span<std::uint8_t> out) const { TextBoxLayout::Store(*this, out); }

void TECTextBox::Load(std::span<const std::uint8_t> stored) { TextBoxLayout::Load(*this, stored); }

std::unique_ptr<TECMeasureItem> TECTextBox::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECTextBox>(owner);
  CopyCommon(*copy);
  TextBoxLayout::Copy(*this, *copy);
  copy->FontName = FontName;
  copy->Lines = Lines;
  return copy;
}

void TECBend::Store(std::span<std::uint8_t> out) const { BendLayout::Store(*this, out); }

void TECBend::Load(std::span<const std::uint8_t> stored) { BendLayout::Load(*this, stored); }

std::unique_ptr<TECMeasureItem> TECBend::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECBend>(owner);
  CopyCommon(*copy);
  BendLayout::Copy(*this, *copy);
  return copy;
}

std::unique_ptr<TECMeasureItem> TECObjectGroup::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECObjectGroup>(owner);
  CopyCommon(*copy);
  for (const auto& object : Objects) copy->Objects.push_back(object->Clone());
  return copy;
}

std::unique_ptr<TECMeasureItem> MakeMeasureItem(std::uint8_t kind, TECMeasure* owner) {
  const ek::KindTraits* traits = ek::TraitsOf(ek::KindHolder::Items, kind);
  switch (traits != nullptr ? traits->Record : ek::KindRecord::MeasureItem) {
    case ek::KindRecord::ChordSymbol:
      return std::make_unique<TECChordSymbol>(owner);
    case ek::KindRecord::Tuplet:
      return std::make_unique<TECTuplet>(owner);
    case ek::KindRecord::TextBox:
      return std::make_unique<TECTextBox>(owner);
    case ek::KindRecord::Bend:
      return std::make_unique<TECBend>(owner);
    case ek::KindRecord::ObjectGroup:
      return std::make_unique<TECObjectGroup>(owner);
    default:
      return std::make_unique<TECMeasureItem>(kind, owner);
  }
}
