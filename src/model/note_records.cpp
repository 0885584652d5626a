#include "model/note_records.h"

#include <algorithm>

#include "model/measure.h"
#include "model/row.h"

using namespace recbytes;

// --- attributes --------------------------------------------------------------

void TECNoteAttribute::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  for (std::size_t i = 0; i < Data.size(); ++i) PutU8(out, 1 + i, Data[i]);
  PutU32(out, 4, Value);
}

void TECNoteAttribute::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<8>(stored);
  Kind = b[0];
  for (std::size_t i = 0; i < Data.size(); ++i) Data[i] = b[1 + i];
  Value = GetU32(b, 4);
}

std::unique_ptr<TECNoteAttribute> TECNoteAttribute::Clone(TECElement* owner) const {
  auto copy = std::make_unique<TECNoteAttribute>(Kind, owner);
  copy->Data = Data;
  copy->Value = Value;
  return copy;
}

bool TECNoteAttribute::IsAccidental() const {
  return (Kind >= ek::Flat && Kind <= ek::Natural) || Kind == ek::NaturalFlat || Kind == ek::NaturalSharp;
}

void TECLinkAttribute::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, StartOffset);
  PutU8(out, 2, EndOffset);
  PutU8(out, 3, Thickness);
  PutU8(out, 4, LinkStyle);
  PutU8(out, 5, 0);
  PutU16(out, 6, 0);
}

void TECLinkAttribute::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<8>(stored);
  Kind = b[0];
  StartOffset = b[1];
  EndOffset = b[2];
  Thickness = b[3];
  LinkStyle = b[4];
}

std::unique_ptr<TECNoteAttribute> TECLinkAttribute::Clone(TECElement* owner) const {
  auto copy = std::make_unique<TECLinkAttribute>(Kind, owner);
  copy->StartOffset = StartOffset;
  copy->EndOffset = EndOffset;
  copy->Thickness = Thickness;
  copy->LinkStyle = LinkStyle;
  return copy;
}

TECNote* TECLinkAttribute::OwnerNote() const {
  return Owner && Owner->Type() == TECElementType::Note ? static_cast<TECNote*>(Owner) : nullptr;
}

void TECGraceNote::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, Step);
  PutU8(out, 2, Octave);
  PutI16(out, 3, Position);
  PutU16(out, 5, Length);
  PutU8(out, 7, Velocity);
  PutU8(out, 8, Spare);
}

void TECGraceNote::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<StoredSize>(stored);
  Kind = b[0];
  Step = b[1];
  Octave = b[2];
  Position = GetI16(b, 3);
  Length = GetU16(b, 5);
  Velocity = b[7];
  Spare = b[8];
}

std::unique_ptr<TECGraceNote> TECGraceNote::Clone(TECGraceGroup* group) const {
  auto copy = std::make_unique<TECGraceNote>(group);
  std::array<std::uint8_t, StoredSize> bytes{};
  Store(bytes);
  copy->Load(bytes);
  for (const auto& mark : Attributes) copy->Attributes.push_back(mark->Clone(copy.get()));
  return copy;
}

void TECGraceGroup::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  for (std::size_t i = 0; i < Data.size(); ++i) PutU8(out, 1 + i, Data[i]);
}

void TECGraceGroup::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<4>(stored);
  Kind = b[0];
  for (std::size_t i = 0; i < Data.size(); ++i) Data[i] = b[1 + i];
}

std::unique_ptr<TECNoteAttribute> TECGraceGroup::Clone(TECElement* owner) const {
  auto copy = std::make_unique<TECGraceGroup>(owner);
  copy->Data = Data;
  copy->XOffset = XOffset;
  for (const auto& note : Notes) copy->Notes.push_back(note->Clone(copy.get()));
  return copy;
}

std::unique_ptr<TECNoteAttribute> MakeNoteAttribute(std::uint8_t code, TECElement* owner) {
  if (ek::IsLink(code)) return std::make_unique<TECLinkAttribute>(code, owner);
  if (code == ek::GraceNotes) return std::make_unique<TECGraceGroup>(owner);
  return std::make_unique<TECNoteAttribute>(code, owner);
}

// --- play notes ---------------------------------------------------------------

void TECPlayNote::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, Step);
  PutU8(out, 2, Octave);
  PutU16(out, 3, Start);
  PutU16(out, 5, Length);
  PutU8(out, 7, Accidental);
  PutU8(out, 8, Velocity);
  PutU32(out, 9, 0);
}

void TECPlayNote::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<StoredSize>(stored);
  Kind = b[0];
  Step = b[1];
  Octave = b[2];
  Start = GetU16(b, 3);
  Length = GetU16(b, 5);
  Accidental = b[7];
  Velocity = b[8];
}

// --- notes ----------------------------------------------------------------------

TECNote::~TECNote() {
  // Later notes drop the links whose partner this note is.
  std::vector<TECNote*> later;
  later.swap(LinkedNotes);
  for (TECNote* note : later) note->RemoveLinksFrom(this);
  // Earlier partners forget this note.
  for (const auto& attribute : Attributes) {
    if (!ek::IsLink(attribute->Kind)) continue;
    auto* link = static_cast<TECLinkAttribute*>(attribute.get());
    if (TECNote* partner = link->Partner) {
      auto& list = partner->LinkedNotes;
      if (auto it = std::find(list.begin(), list.end(), this); it != list.end()) list.erase(it);
      link->Partner = nullptr;
    }
  }
}

void TECNote::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, Octave);
  PutU16(out, 2, Value);
  PutU16(out, 4, Position);
  PutU8(out, 6, ChordMark);
  PutU8(out, 7, Flags);
  PutU8(out, 8, Velocity);
  PutU16(out, 9, SoundingLength);
  PutU8(out, 11, StartOffset);
  PutU16(out, 12, Length);
  PutU16(out, 14, Start);
  PutU8(out, 16, Voice);
  PutU8(out, 17, Options);
  for (std::size_t i = 0; i < Extra.size(); ++i) PutU8(out, 18 + i, Extra[i]);
}

void TECNote::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<StoredSize>(stored);
  Kind = b[0];
  Octave = b[1];
  Value = GetU16(b, 2);
  Position = GetU16(b, 4);
  ChordMark = b[6];
  Flags = b[7];
  Velocity = b[8];
  SoundingLength = GetU16(b, 9);
  StartOffset = b[11];
  Length = GetU16(b, 12);
  Start = GetU16(b, 14);
  Voice = b[16];
  Options = b[17];
  for (std::size_t i = 0; i < Extra.size(); ++i) Extra[i] = b[18 + i];
  if (Length == 0) Length = Value;
  if (Start == 0) Start = Position;
  if (Value == 0) Value = Length;
  if (Position == 0) Position = Start;
  if (Velocity == 0) Velocity = 64;
}

void TECNote::CopyStoredFields(const TECNote& from) {
  Kind = from.Kind;
  Octave = from.Octave;
  Value = from.Value;
  Position = from.Position;
  ChordMark = from.ChordMark;
  Flags = from.Flags;
  Velocity = from.Velocity;
  SoundingLength = from.SoundingLength;
  StartOffset = from.StartOffset;
  Length = from.Length;
  Start = from.Start;
  Voice = from.Voice;
  Options = from.Options;
  Extra = from.Extra;
}

TECLinkAttribute* TECNote::LinkFrom(const TECNote* earlier) const {
  for (const auto& attribute : Attributes) {
    if (!ek::IsLink(attribute->Kind)) continue;
    auto* link = static_cast<TECLinkAttribute*>(attribute.get());
    if (link->Partner == earlier) return link;
  }
  return nullptr;
}

void TECNote::RemoveLinksFrom(const TECNote* earlier) {
  std::erase_if(Attributes, [earlier](const std::unique_ptr<TECNoteAttribute>& attribute) {
    if (!ek::IsLink(attribute->Kind)) return false;
    auto* link = static_cast<TECLinkAttribute*>(attribute.get());
    if (link->Partner != earlier) return false;
    link->Partner = nullptr;
    return true;
  });
}

void TECNote::RemoveAttribute(TECNoteAttribute* attribute) {
  auto it = std::find_if(Attributes.begin(), Attributes.end(),
                         [attribute](const auto& a) { return a.get() == attribute; });
  if (it == Attributes.end()) return;
  if (ek::IsLink(attribute->Kind)) {
    auto* link = static_cast<TECLinkAttribute*>(attribute);
    if (TECNote* partner = link->Partner) {
      auto& list = partner->LinkedNotes;
      if (auto p = std::find(list.begin(), list.end(), this); p != list.end()) list.erase(p);
    }
  }
  Attributes.erase(it);
}

// --- rests ----------------------------------------------------------------------

void TECRest::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU16(out, 1, Value);
  PutU16(out, 3, Position);
  PutU8(out, 5, Step);
  PutU8(out, 6, Octave);
  PutU16(out, 7, Length);
  PutU16(out, 9, Start);
  PutU8(out, 11, Flags);
  PutU8(out, 12, Voice);
}

void TECRest::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<StoredSize>(stored);
  Kind = b[0];
  Value = GetU16(b, 1);
  Position = GetU16(b, 3);
  Step = b[5];
  Octave = b[6];
  Length = GetU16(b, 7);
  Start = GetU16(b, 9);
  Flags = b[11];
  Voice = b[12];
}

std::unique_ptr<TECRest> TECRest::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECRest>(owner);
  copy->Value = Value;
  copy->Position = Position;
  copy->Step = Step;
  copy->Octave = Octave;
  copy->Length = Length;
  copy->Start = Start;
  copy->Flags = Flags;
  copy->Voice = Voice;
  for (const auto& attribute : Attributes) copy->Attributes.push_back(attribute->Clone(copy.get()));
  return copy;
}

std::uint16_t DottedLength(std::uint16_t value, int dots) {
  if (dots >= 2) return static_cast<std::uint16_t>(value + value / 2 + value / 4);
  if (dots == 1) return static_cast<std::uint16_t>(value + value / 2);
  return value;
}

// --- links ----------------------------------------------------------------------

namespace {
int RowIndexOf(const TECNote* note) {
  return note->Owner && note->Owner->Owner ? note->Owner->Owner->GetIndex() : -1;
}
int MeasureIndexOf(const TECNote* note) { return note->Owner ? note->Owner->Index : 0; }
}  // namespace

TECLinkAttribute* LinkNotes(TECNote* first, TECNote* second, std::uint8_t code) {
  if (!first || !second || first == second || !ek::IsLink(code)) return nullptr;
  bool firstEarlier;
  if (RowIndexOf(first) < RowIndexOf(second)) {
    firstEarlier = true;
  } else if (MeasureIndexOf(first) != MeasureIndexOf(second)) {
    firstEarlier = MeasureIndexOf(first) < MeasureIndexOf(second);
  } else {
    firstEarlier = first->Start <= second->Start;
  }
  TECNote* earlier = firstEarlier ? first : second;
  TECNote* later = firstEarlier ? second : first;
  auto link = std::make_unique<TECLinkAttribute>(code, later);
  link->Partner = earlier;
  TECLinkAttribute* result = link.get();
  later->Attributes.push_back(std::move(link));
  earlier->LinkedNotes.push_back(later);
  return result;
}
