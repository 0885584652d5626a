#include "model/measure.h"

using namespace recbytes;

void TECClef::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, 0);
  PutU16(out, 2, 0);
}

void TECClef::Load(std::span<const std::uint8_t> stored) { Kind = Padded<StoredSize>(stored)[0]; }

void TECKeySignature::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, 0);
  PutU16(out, 2, 0);
}

void TECKeySignature::Load(std::span<const std::uint8_t> stored) { Kind = Padded<StoredSize>(stored)[0]; }

// Kind 0, reserved 1, time word 2-3, style 4, reserved 5-7.
void TECTimeSignature::Store(std::span<std::uint8_t> out) const {
  PutU8(out, 0, Kind);
  PutU8(out, 1, 0);
  PutU16(out, 2, Word);
  PutU8(out, 4, Style);
  PutU8(out, 5, 0);
  PutU16(out, 6, 0);
}

void TECTimeSignature::Load(std::span<const std::uint8_t> stored) {
  const auto b = Padded<StoredSize>(stored);
  Kind = b[0];
  Word = GetU16(b, 2);
  Style = b[4];
}

std::uint8_t TECMeasure::ClefAt(int tick) const {
  if (tick >= 0 && tick < static_cast<int>(ClefPerTick.size())) return ClefPerTick[tick];
  return ClefInForce;
}

bool TECMeasure::IsEmpty() const {
  return !Clef && !KeySignature && !TimeSignature && Notes.empty() && Rests.empty() && Items.empty();
}
