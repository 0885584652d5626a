#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/content_revision.h"
#include "model/element.h"
#include "model/element_kinds.h"
#include "model/measure_items.h"
#include "model/note_records.h"

class TECMeasure;
class TECRow;

// A clef written at the start of a measure; its kind byte is the clef code
// 1..15.
class TECClef : public TECElement {
 public:
  explicit TECClef(std::uint8_t code = 1, TECMeasure* owner = nullptr)
      : TECElement(TECElementType::Clef, code), Owner(owner) {}
  static constexpr std::size_t StoredSize = 4;
  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);
  void CopyStoredFields(const TECClef& from);
  std::uint8_t Code() const { return Kind; }
  TECMeasure* Owner = nullptr;
};

// A key signature: kind byte 30 + n for n sharps, 40 + n for n flats.
class TECKeySignature : public TECElement {
 public:
  explicit TECKeySignature(std::uint8_t code = 30, TECMeasure* owner = nullptr)
      : TECElement(TECElementType::KeySignature, code), Owner(owner) {}
  static constexpr std::size_t StoredSize = 4;
  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);
  void CopyStoredFields(const TECKeySignature& from);
  std::uint8_t Code() const { return Kind; }
  TECMeasure* Owner = nullptr;
};

// A time signature (kind 18): the word numerator << 8 | denominator and the
// symbol style (0 digits, 1 common time, 2 cut time).
class TECTimeSignature : public TECElement {
 public:
  explicit TECTimeSignature(TECMeasure* owner = nullptr)
      : TECElement(TECElementType::TimeSignature, ek::TimeSignature), Owner(owner) {}
  static constexpr std::size_t StoredSize = 8;
  void Store(std::span<std::uint8_t> out) const;
  void Load(std::span<const std::uint8_t> stored);
  void CopyStoredFields(const TECTimeSignature& from);
  int Numerator() const { return Word >> 8; }
  int Denominator() const { return Word & 0xFF; }
  std::uint16_t Word = 0;
  std::uint8_t Style = 0;
  TECMeasure* Owner = nullptr;
};

// The measure length a time word (numerator << 8 | denominator) gives, 0 for
// a word that gives no ticks.
constexpr int TimeWordTicks(std::uint16_t word) {
  const int numerator = word >> 8;
  const int denominator = word & 0xFF;
  return numerator >= 1 && denominator >= 1 ? numerator * 128 / denominator : 0;
}

// The time signatures a score takes: denominator 1..16 but not 6, numerator
// 1..(4 x denominator - 1), so that a measure stays under four whole notes.
constexpr bool ValidTimeSignature(int numerator, int denominator) {
  return numerator >= 1 && denominator >= 1 && denominator <= 16 && denominator != 6 &&
         numerator / denominator <= 3;
}

// One measure of a staff row and everything in it.
class TECMeasure {
 public:
  explicit TECMeasure(TECRow* owner = nullptr, std::int32_t index = 0) : Owner(owner), Index(index) {}
  TECMeasure(const TECMeasure&) = delete;
  TECMeasure& operator=(const TECMeasure&) = delete;

  // Clef code at a tick: the per-tick table where it reaches, else the clef
  // in force.
  std::uint8_t ClefAt(int tick) const;
  // True when nothing is written in the measure.
  bool IsEmpty() const;
  // Called before what the measure holds changes (the undo recorder does it
  // for every measure it saves): the layout pass lays it out again. The
  // owning row takes the same revision.
  void MarkChanged();

  std::unique_ptr<TECClef> Clef;
  std::unique_ptr<TECTimeSignature> TimeSignature;
  std::unique_ptr<TECKeySignature> KeySignature;
  std::vector<std::unique_ptr<TECNote>> Notes;
  std::vector<std::unique_ptr<TECRest>> Rests;
  // Beamed notes by voice and start; rebuilt from the notes, never stored.
  std::vector<TECNote*> Beams;
  std::vector<std::unique_ptr<TECMeasureItem>> Items;
  TECRow* Owner = nullptr;
  std::vector<std::uint8_t> ClefPerTick;
  // -1 one group per beat, 0 no automatic beams, n equal groups.
  std::int32_t BeamGroupCount = 0;
  std::int32_t Index = 0;
  // Page that the layout pass placed the measure on.
  std::int32_t Page = 0;
  // Taken anew at every change of the measure's content (MarkChanged).
  std::uint64_t Revision = NewContentRevision();
  // The byte fields last, so that they share one word.
  // When non-zero BeamGroupCount replaces the score's UnionCount.
  std::uint8_t BeamOverride = 0;
  std::uint8_t ClefInForce = 0;
  // 0 none, 1..7 sharps, 10 none, 11..17 flats (the key code less 30).
  std::uint8_t KeyInForce = 0;
};
