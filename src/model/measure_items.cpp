#include "model/measure_items.h"

using namespace recbytes;

// Common stored form: kind 0, position 1-2, second field 3-4, voice 5,
// parameters 6-9.
void TECMeasureItem::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU16(out, 1, Position);
  PutU16(out, 3, Second);
  PutU8(out, 5, Voice);
  for (std::size_t i = 0; i < Params.size(); ++i) PutU8(out, 6 + i, Params[i]);
}

void TECMeasureItem::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<10>(stored);
  Kind = b[0];
  Position = GetU16(b, 1);
  Second = GetU16(b, 3);
  Voice = b[5];
  for (std::size_t i = 0; i < Params.size(); ++i) Params[i] = b[6 + i];
}

void TECMeasureItem::CopyCommon(TECMeasureItem& to) const {
  to.Kind = Kind;
  to.Position = Position;
  to.Second = Second;
  to.Voice = Voice;
  to.Params = Params;
}

std::unique_ptr<TECMeasureItem> TECMeasureItem::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECMeasureItem>(Kind, owner);
  CopyCommon(*copy);
  return copy;
}

// Chord symbol: the common fields up to byte 8 (three parameters), the
// 32-bit value at 9-12.
void TECChordSymbol::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU16(out, 1, Position);
  PutU16(out, 3, Second);
  PutU8(out, 5, Voice);
  for (std::size_t i = 0; i < 3; ++i) PutU8(out, 6 + i, Params[i]);
  PutU32(out, 9, Value);
}

void TECChordSymbol::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<13>(stored);
  Kind = b[0];
  Position = GetU16(b, 1);
  Second = GetU16(b, 3);
  Voice = b[5];
  for (std::size_t i = 0; i < 3; ++i) Params[i] = b[6 + i];
  Value = GetU32(b, 9);
}

std::unique_ptr<TECMeasureItem> TECChordSymbol::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECChordSymbol>(owner);
  CopyCommon(*copy);
  copy->Value = Value;
  copy->Code = Code;
  copy->Pieces = Pieces;
  copy->Text = Text;
  return copy;
}

// Tuplet: start 1-2, end 3-4, voice 5, count 6, unit value 7-8, shift 9,
// flags 10.
void TECTuplet::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU16(out, 1, Position);
  PutU16(out, 3, Second);
  PutU8(out, 5, Voice);
  PutU8(out, 6, Count);
  PutU16(out, 7, UnitValue);
  PutU8(out, 9, Shift);
  PutU8(out, 10, Flags);
}

void TECTuplet::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<11>(stored);
  Kind = b[0];
  Position = GetU16(b, 1);
  Second = GetU16(b, 3);
  Voice = b[5];
  Count = b[6];
  UnitValue = GetU16(b, 7);
  Shift = b[9];
  Flags = b[10];
}

std::unique_ptr<TECMeasureItem> TECTuplet::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECTuplet>(owner);
  CopyCommon(*copy);
  copy->Count = Count;
  copy->UnitValue = UnitValue;
  copy->Shift = Shift;
  copy->Flags = Flags;
  copy->Lengths = Lengths;
  return copy;
}

// Text box: position 1-2, style 3-7, 32-bit value 8-11, 16-bit value 12-13,
// voice 14.
void TECTextBox::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU16(out, 1, Position);
  for (std::size_t i = 0; i < Style.size(); ++i) PutU8(out, 3 + i, Style[i]);
  PutI32(out, 8, Value32);
  PutU16(out, 12, Value16);
  PutU8(out, 14, Voice);
}

void TECTextBox::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<15>(stored);
  Kind = b[0];
  Position = GetU16(b, 1);
  for (std::size_t i = 0; i < Style.size(); ++i) Style[i] = b[3 + i];
  Value32 = GetI32(b, 8);
  Value16 = GetU16(b, 12);
  Voice = b[14];
}

std::unique_ptr<TECMeasureItem> TECTextBox::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECTextBox>(owner);
  CopyCommon(*copy);
  copy->Style = Style;
  copy->Value32 = Value32;
  copy->Value16 = Value16;
  copy->FontName = FontName;
  copy->Lines = Lines;
  return copy;
}

// Bend: position 1-2, type 3, parameters 4-5, curve 6-17, voice 18.
void TECBend::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU16(out, 1, Position);
  PutU8(out, 3, BendType);
  PutU8(out, 4, BendParams[0]);
  PutU8(out, 5, BendParams[1]);
  for (std::size_t i = 0; i < Curve.size(); ++i) PutU16(out, 6 + 2 * i, Curve[i]);
  PutU8(out, 18, Voice);
}

void TECBend::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<19>(stored);
  Kind = b[0];
  Position = GetU16(b, 1);
  BendType = b[3];
  BendParams = {b[4], b[5]};
  for (std::size_t i = 0; i < Curve.size(); ++i) Curve[i] = GetU16(b, 6 + 2 * i);
  Voice = b[18];
}

std::unique_ptr<TECMeasureItem> TECBend::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECBend>(owner);
  CopyCommon(*copy);
  copy->BendType = BendType;
  copy->BendParams = BendParams;
  copy->Curve = Curve;
  return copy;
}

std::unique_ptr<TECMeasureItem> TECObjectGroup::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECObjectGroup>(owner);
  CopyCommon(*copy);
  for (const auto& object : Objects) copy->Objects.push_back(object->Clone());
  return copy;
}

std::unique_ptr<TECMeasureItem> MakeMeasureItem(std::uint8_t kind, TECMeasure* owner) {
  switch (kind) {
    case ek::ChordSymbol:
      return std::make_unique<TECChordSymbol>(owner);
    case ek::Tuplet:
      return std::make_unique<TECTuplet>(owner);
    case ek::TextBox:
      return std::make_unique<TECTextBox>(owner);
    case ek::Bend:
      return std::make_unique<TECBend>(owner);
    case ek::ObjectGroup:
      return std::make_unique<TECObjectGroup>(owner);
    default:
      return std::make_unique<TECMeasureItem>(kind, owner);
  }
}
