#pragma once

#include <array>
#include <cstdint>

#include "document/insert_dialogs.h"

namespace nv::dialogs {

// The options byte of the grace notes.
namespace grace_option {
inline constexpr int kAfter = 128;  // after the main note, else before
inline constexpr int kShort = 64;   // struck through, else long
inline constexpr int kSlur = 32;
}  // namespace grace_option

// The accidental codes a grace note keeps.
namespace grace_accidental {
inline constexpr std::uint8_t kNone = 0;
inline constexpr std::uint8_t kFlat = 'g';
inline constexpr std::uint8_t kSharp = 'i';
inline constexpr std::uint8_t kNatural = 'k';
}  // namespace grace_accidental

// What the grace-note dialog edits: 64 slots of grace notes, how many of
// them count, their duration, the options byte and which one is current,
// around the main note they belong to.
class GraceNotesModel {
 public:
  static constexpr int kSlots = nv::document::GraceNotesValues::kSlots;
  using Slot = nv::document::GraceSlot;
  using MainNote = nv::document::GraceMainNote;

  GraceNotesModel();

  // Takes the main note and the slots of its grace notes: at most 64 of
  // them, and every further slot at the main note's pitch with no
  // accidental. A note with grace notes also brings their count, duration
  // and options; one without keeps the dialog's (one short quarter).
  void Load(const nv::document::GraceNotesValues& values);
  // The values the opener reads after OK: the main note, the options,
  // every slot, the count and the duration.
  nv::document::GraceNotesValues Values() const;

  const MainNote& Main() const { return main_; }
  const Slot& SlotAt(int index) const { return slots_[static_cast<std::size_t>(index)]; }

  // 1..64; a count below the current slot + 1 makes the last slot current.
  void SetCount(int count);
  int Count() const { return count_; }
  // 4, 8 or 16; anything else gives 32.
  void SetDuration(int duration);
  int Duration() const { return duration_; }
  void SetOptions(int options) { options_ = options & (grace_option::kAfter | grace_option::kShort | grace_option::kSlur); }
  int Options() const { return options_; }
  bool After() const { return (options_ & grace_option::kAfter) != 0; }
  bool Short() const { return (options_ & grace_option::kShort) != 0; }
  bool Slur() const { return (options_ & grace_option::kSlur) != 0; }

  int Current() const { return current_; }
  // Each true when the current slot changed.
  bool Select(int index);
  bool Move(int delta) { return Select(current_ + delta); }
  bool Home() { return Select(0); }
  bool End() { return Select(count_ - 1); }

  // Moves the current grace note by diatonic steps; a pitch outside steps
  // 1..7 or MIDI keys 0..127 changes nothing (false).
  bool ChangeStep(int delta);
  // An accidental button clicked: its code goes into the current slot,
  // or out of it when it is there already.
  void ToggleAccidental(std::uint8_t code);

 private:
  MainNote main_;
  std::array<Slot, kSlots> slots_{};
  int count_ = 1;
  int duration_ = 32;
  int options_ = grace_option::kShort;
  int current_ = 0;
};

}  // namespace nv::dialogs
