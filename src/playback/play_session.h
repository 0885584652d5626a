#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/element_kinds.h"

// The whole score flattened for playback and MIDI export: the play
// positions in played order (repeats, voltas, jumps and multi-measure rests
// unrolled), each with one timed event list per sounding row. The session
// owns everything it holds and refers to the score by indexes only, so
// edits, undo or freeing the score leave it intact.

// Keys of pedal events, which carry the controller value as velocity: the
// kinds of the pedal items.
inline constexpr std::uint8_t kPedalDown = ek::PedalDown;
inline constexpr std::uint8_t kPedalUp = ek::PedalUp;
// The voice of events that come from no note.
inline constexpr std::uint8_t kNoVoice = 255;

// One sound or pedal event of a measure's list.
struct TECPlayEvent {
  // Tick within the measure.
  std::int32_t Start = 0;
  // MIDI key 0..127, or kPedalDown / kPedalUp.
  std::uint8_t Key = 0;
  // Non-zero when the event continues a tied note (no new attack).
  std::uint8_t Continuation = 0;
  std::int32_t Duration = 0;
  std::uint8_t Velocity = 0;
  std::uint8_t Channel = 0;
  // MIDI program 0..127, or -1 for none (no program change).
  std::int16_t Program = -1;
  // Id of the row that plays it (index into the session's rows).
  std::uint16_t Row = 0;
  // Voice of the note it came from, or kNoVoice.
  std::uint8_t Voice = kNoVoice;
};

// The events of one row's measure at one play position.
struct TECPlayList {
  std::uint16_t Row = 0;
  std::int32_t Measure = 0;
  std::int32_t Length = 0;
  // Quarter notes per minute from this measure on; 0 = no change.
  std::int32_t Tempo = 0;
  std::vector<TECPlayEvent> Events;
};

// One play position: its length and tempo and the lists of the rows that
// sound there, in the order instruments and rows were walked.
struct TECPlayStep {
  std::int32_t Length = 0;
  std::int32_t Tempo = 0;
  std::vector<TECPlayList> Lists;

  // The list of row `row`, or none.
  const TECPlayList* ListOf(std::uint16_t row) const;
  TECPlayList* ListOf(std::uint16_t row);
};

// A row of the score as the session knows it: where it stands and its MIDI
// settings. Volume and pan fall back to the instrument's; -1 is unset.
struct PlayRow {
  std::int32_t Instrument = 0;
  std::int32_t Row = 0;
  std::int32_t Channel = 0;
  std::int32_t Program = -1;
  std::int32_t Volume = -1;
  std::int32_t Pan = -1;
  bool Mute = false;
};

class PlaySession {
 public:
  // The row count (> 0), 0 for a score without rows, -1 when the measures
  // of one play position differ in length.
  int Result = 0;
  // The play position of the cursor measure.
  int StartStep = 0;
  std::vector<TECPlayStep> Steps;
  std::vector<PlayRow> Rows;

  // The step order (measure of each position, "-" for an empty one), the
  // rows, then per step its length, tempo and each row's events.
  std::string Dump() const;
  // Bytes held, counting the reserved capacity of every list.
  std::size_t MemoryBytes() const;
};
