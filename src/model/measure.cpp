#include "model/measure.h"

#include "model/record_layout.h"
#include "model/row.h"

using recbytes::Field;
using recbytes::Layout;

namespace {

// The stored forms; a clef or key record stores only its code.
using ClefLayout = Layout<TECClef::StoredSize, Field<&TECClef::Kind, 0>>;
using KeyLayout = Layout<TECKeySignature::StoredSize, Field<&TECKeySignature::Kind, 0>>;
using TimeLayout = Layout<TECTimeSignature::StoredSize, Field<&TECTimeSignature::Kind, 0>,
                          Field<&TECTimeSignature::Word, 2>, Field<&TECTimeSignature::Style, 4>>;

}  // namespace

void TECClef::Store(std::span<std::uint8_t> out) const { ClefLayout::Store(*this, out); }
void TECClef::Load(std::span<const std::uint8_t> stored) { ClefLayout::Load(*this, stored); }
void TECClef::CopyStoredFields(const TECClef& from) { ClefLayout::Copy(from, *this); }

void TECKeySignature::Store(std::span<std::uint8_t> out) const { KeyLayout::Store(*this, out); }
void TECKeySignature::Load(std::span<const std::uint8_t> stored) { KeyLayout::Load(*this, stored); }
void TECKeySignature::CopyStoredFields(const TECKeySignature& from) { KeyLayout::Copy(from, *this); }

void TECTimeSignature::Store(std::span<std::uint8_t> out) const { TimeLayout::Store(*this, out); }
void TECTimeSignature::Load(std::span<const std::uint8_t> stored) { TimeLayout::Load(*this, stored); }
void TECTimeSignature::CopyStoredFields(const TECTimeSignature& from) { TimeLayout::Copy(from, *this); }

void TECMeasure::MarkChanged() {
  Revision = NewContentRevision();
  if (Owner) Owner->Revision = Revision;
}

std::uint8_t TECMeasure::ClefAt(int tick) const {
  if (tick >= 0 && tick < static_cast<int>(ClefPerTick.size())) return ClefPerTick[tick];
  return ClefInForce;
}

bool TECMeasure::IsEmpty() const {
  return !Clef && !KeySignature && !TimeSignature && Notes.empty() && Rests.empty() && Items.empty();
}
