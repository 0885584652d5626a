#include "model/note_records.h"

#include <algorithm>

#include "model/block_pool.h"
#include "model/measure.h"
#include "model/record_layout.h"
#include "model/row.h"

using recbytes::Field;
using recbytes::Layout;

namespace {

// The stored forms. Spare bytes (a link's 5-7, a play note's 9-12) are
// stored as zero.
using AttributeLayout =
    Layout<8, Field<&TECNoteAttribute::Kind, 0>, Field<&TECNoteAttribute::Data, 1>, Field<&TECNoteAttribute::Value, 4>>;
using LinkLayout = Layout<8, Field<&TECLinkAttribute::Kind, 0>, Field<&TECLinkAttribute::StartOffset, 1>,
                          Field<&TECLinkAttribute::EndOffset, 2>, Field<&TECLinkAttribute::Thickness, 3>,
                          Field<&TECLinkAttribute::LinkStyle, 4>>;
using GraceGroupLayout = Layout<4, Field<&TECGraceGroup::Kind, 0>, Field<&TECGraceGroup::Data, 1>>;
using GraceNoteLayout =
    Layout<TECGraceNote::StoredSize, Field<&TECGraceNote::Kind, 0>, Field<&TECGraceNote::Step, 1>,
           Field<&TECGraceNote::Octave, 2>, Field<&TECGraceNote::Position, 3>, Field<&TECGraceNote::Length, 5>,
           Field<&TECGraceNote::Velocity, 7>, Field<&TECGraceNote::Spare, 8>>;
using PlayNoteLayout =
    Layout<TECPlayNote::StoredSize, Field<&TECPlayNote::Kind, 0>, Field<&TECPlayNote::Step, 1>,
           Field<&TECPlayNote::Octave, 2>, Field<&TECPlayNote::Start, 3>, Field<&TECPlayNote::Length, 5>,
           Field<&TECPlayNote::Accidental, 7>, Field<&TECPlayNote::Velocity, 8>>;
static_assert(alignof(TECNote) <= alignof(void*) && alignof(TECNoteAttribute) <= alignof(void*),
              "pooled records align to a pointer at most");

// Leaked on purpose: records freed while static objects are destroyed still
// find their pool.
TECBlockPool& NotePool() {
  static auto* pool = new TECBlockPool(sizeof(TECNote));
  return *pool;
}
TECBlockPool& AttributePool() {
  static auto* pool = new TECBlockPool(sizeof(TECNoteAttribute));
  return *pool;
}

using NoteLayout =
    Layout<TECNote::StoredSize, Field<&TECNote::Kind, 0>, Field<&TECNote::Octave, 1>, Field<&TECNote::Value, 2>,
           Field<&TECNote::Position, 4>, Field<&TECNote::ChordMark, 6>, Field<&TECNote::Flags, 7>,
           Field<&TECNote::Velocity, 8>, Field<&TECNote::SoundingLength, 9>, Field<&TECNote::StartOffset, 11>,
           Field<&TECNote::Length, 12>, Field<&TECNote::Start, 14>, Field<&TECNote::Voice, 16>,
           Field<&TECNote::Options, 17>, Field<&TECNote::Extra, 18>>;
using RestLayout =
    Layout<TECRest::StoredSize, Field<&TECRest::Kind, 0>, Field<&TECRest::Value, 1>, Field<&TECRest::Position, 3>,
           Field<&TECRest::Step, 5>, Field<&TECRest::Octave, 6>, Field<&TECRest::Length, 7>,
           Field<&TECRest::Start, 9>, Field<&TECRest::Flags, 11>, Field<&TECRest::Voice, 12>>;

}  // namespace

// --- attributes --------------------------------------------------------------

void TECNoteAttribute::Store(std::span<std::uint8_t> out) const { AttributeLayout::Store(*this, out); }

void TECNoteAttribute::Load(std::span<const std::uint8_t> stored) { AttributeLayout::Load(*this, stored); }

std::unique_ptr<TECNoteAttribute> TECNoteAttribute::Clone(TECElement* owner) const {
  auto copy = std::make_unique<TECNoteAttribute>(Kind, owner);
  AttributeLayout::Copy(*this, *copy);
  return copy;
}

void* TECNoteAttribute::operator new(std::size_t size) { return AllocateRecord(AttributePool(), size); }

void TECNoteAttribute::operator delete(void* block, std::size_t size) noexcept {
  FreeRecord(AttributePool(), block, size);
}

bool TECNoteAttribute::IsAccidental() const {
  return (Kind >= ek::Flat && Kind <= ek::Natural) || Kind == ek::NaturalFlat || Kind == ek::NaturalSharp;
}

void TECLinkAttribute::Store(std::span<std::uint8_t> out) const { LinkLayout::Store(*this, out); }

void TECLinkAttribute::Load(std::span<const std::uint8_t> stored) { LinkLayout::Load(*this, stored); }

std::unique_ptr<TECNoteAttribute> TECLinkAttribute::Clone(TECElement* owner) const {
  auto copy = std::make_unique<TECLinkAttribute>(Kind, owner);
  LinkLayout::Copy(*this, *copy);
  return copy;
}

TECNote* TECLinkAttribute::OwnerNote() const {
  return Owner && Owner->Type() == TECElementType::Note ? static_cast<TECNote*>(Owner) : nullptr;
}

void TECGraceNote::Store(std::span<std::uint8_t> out) const { GraceNoteLayout::Store(*this, out); }

void TECGraceNote::Load(std::span<const std::uint8_t> stored) { GraceNoteLayout::Load(*this, stored); }

std::unique_ptr<TECGraceNote> TECGraceNote::Clone(TECGraceGroup* group) const {
  auto copy = std::make_unique<TECGraceNote>(group);
  GraceNoteLayout::Copy(*this, *copy);
  for (const auto& mark : Attributes) copy->Attributes.push_back(mark->Clone(copy.get()));
  return copy;
}

void TECGraceGroup::Store(std::span<std::uint8_t> out) const { GraceGroupLayout::Store(*this, out); }

void TECGraceGroup::Load(std::span<const std::uint8_t> stored) { GraceGroupLayout::Load(*this, stored); }

std::unique_ptr<TECNoteAttribute> TECGraceGroup::Clone(TECElement* owner) const {
  auto copy = std::make_unique<TECGraceGroup>(owner);
  GraceGroupLayout::Copy(*this, *copy);
  copy->XOffset = XOffset;
  for (const auto& note : Notes) copy->Notes.push_back(note->Clone(copy.get()));
  return copy;
}

std::unique_ptr<TECNoteAttribute> MakeNoteAttribute(std::uint8_t code, TECElement* owner) {
  const ek::KindTraits* traits = ek::TraitsOf(ek::KindHolder::Attributes, code);
  switch (traits != nullptr ? traits->Record : ek::KindRecord::Attribute) {
    case ek::KindRecord::LinkAttribute:
      return std::make_unique<TECLinkAttribute>(code, owner);
    case ek::KindRecord::GraceGroup:
      return std::make_unique<TECGraceGroup>(owner);
    default:
      return std::make_unique<TECNoteAttribute>(code, owner);
  }
}

// --- play notes ---------------------------------------------------------------

void TECPlayNote::Store(std::span<std::uint8_t> out) const { PlayNoteLayout::Store(*this, out); }

void TECPlayNote::Load(std::span<const std::uint8_t> stored) { PlayNoteLayout::Load(*this, stored); }

// --- notes ----------------------------------------------------------------------

TECNote::~TECNote() {
  // Later notes drop the links whose partner this note is.
  std::vector<TECNote*> later;
  if (lists_) later.swap(lists_->LinkedNotes);
  for (TECNote* note : later) note->RemoveLinksFrom(this);
  // Earlier partners forget this note.
  for (const auto& attribute : Attributes) {
    if (!ek::IsLink(attribute->Kind)) continue;
    auto* link = static_cast<TECLinkAttribute*>(attribute.get());
    if (TECNote* partner = link->Partner) {
      auto& list = partner->EditLinkedNotes();
      if (auto it = std::find(list.begin(), list.end(), this); it != list.end()) list.erase(it);
      link->Partner = nullptr;
    }
  }
}

const std::vector<TECNote*>& TECNote::LinkedNotes() const {
  static const std::vector<TECNote*> none;
  return lists_ ? lists_->LinkedNotes : none;
}

const std::vector<std::unique_ptr<TECPlayNote>>& TECNote::PlayNotes() const {
  static const std::vector<std::unique_ptr<TECPlayNote>> none;
  return lists_ ? lists_->PlayNotes : none;
}

std::vector<TECNote*>& TECNote::EditLinkedNotes() { return EditLists().LinkedNotes; }

std::vector<std::unique_ptr<TECPlayNote>>& TECNote::EditPlayNotes() { return EditLists().PlayNotes; }

TECNote::Lists& TECNote::EditLists() {
  if (!lists_) lists_ = std::make_unique<Lists>();
  return *lists_;
}

void* TECNote::operator new(std::size_t size) { return AllocateRecord(NotePool(), size); }

void TECNote::operator delete(void* block, std::size_t size) noexcept { FreeRecord(NotePool(), block, size); }

void TECNote::Store(std::span<std::uint8_t> out) const {
  NoteLayout::Store(*this, out);
  out[7] = static_cast<std::uint8_t>((Flags & ~StrokeBits) | (TremoloStrokes() << 4));
}

void TECNote::Load(std::span<const std::uint8_t> stored) {
  NoteLayout::Load(*this, stored);
  // Only these zeros stand for a default: a value of 0 is the "Repeat notes"
  // sign's variant, and position 0 holds a tuplet member that starts later.
  if (Length == 0) Length = Value;
  if (Start == 0) Start = Position;
  if (Velocity == 0) Velocity = 64;
}

void TECNote::CopyStoredFields(const TECNote& from) { NoteLayout::Copy(from, *this); }

TECLinkAttribute* TECNote::LinkFrom(const TECNote* earlier) const {
  for (const auto& attribute : Attributes) {
    if (!ek::IsLink(attribute->Kind)) continue;
    auto* link = static_cast<TECLinkAttribute*>(attribute.get());
    if (link->Partner == earlier) return link;
  }
  return nullptr;
}

void TECNote::RemoveLinksFrom(const TECNote* earlier) {
  erase_if(Attributes, [earlier](const std::unique_ptr<TECNoteAttribute>& attribute) {
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
      auto& list = partner->EditLinkedNotes();
      if (auto p = std::find(list.begin(), list.end(), this); p != list.end()) list.erase(p);
    }
  }
  Attributes.erase(it);
}

// --- rests ----------------------------------------------------------------------

void TECRest::Store(std::span<std::uint8_t> out) const { RestLayout::Store(*this, out); }

void TECRest::Load(std::span<const std::uint8_t> stored) { RestLayout::Load(*this, stored); }

std::unique_ptr<TECRest> TECRest::Clone(TECMeasure* owner) const {
  auto copy = std::make_unique<TECRest>(owner);
  RestLayout::Copy(*this, *copy);
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
  // The link is part of what the later note's measure is laid out from.
  if (later->Owner) later->Owner->MarkChanged();
  later->Attributes.push_back(std::move(link));
  earlier->EditLinkedNotes().push_back(later);
  return result;
}
