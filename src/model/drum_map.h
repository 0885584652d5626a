#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/drum_tables.h"
#include "model/music_score.h"

// The drum-head symbol table and the drum map of a score, and the 128-key
// lookup built from the map for playback, note entry and MIDI import.

// Index of the drum head named `name` (compared without regard to case);
// when there is none, a new head with copies of the shapes is appended.
int AddDrumHead(TECMusicScore& score, const std::string& name, std::int32_t first,
                const std::vector<std::unique_ptr<TECPageObject>>& shapes, std::uint8_t third, std::int32_t second);

// Updates the entry of the pitch, or appends one. Pitches above 127 are
// refused.
void SetDrumMapEntry(TECMusicScore& score, int pitch, const std::string& name, bool use, int position, int head);
void DeleteDrumMapEntry(TECMusicScore& score, int pitch);

// The written key of a staff position 23 + octave * 7 + step, clamped to a
// MIDI key.
int DrumWrittenKey(int position);

// Which drum map entry a written key plays, by note head, and which entry a
// MIDI pitch has. Refers to entries by their index in the map, so it must
// be rebuilt (Rebuild) after every change of the map or the head table.
class TECDrumLookup {
 public:
  void Rebuild(const TECMusicScore& score);
  // Holds back Rebuild while the caller fills the map entry by entry.
  void Suspend(bool suspended) { suspended_ = suspended; }

  // Entry index for a written key and head (255 or a head beyond the table
  // stands for the normal head), or -1.
  int ByWrittenKey(int key, int head) const;
  // Entry index of a used entry for a MIDI pitch, or -1.
  int ByPitch(int pitch) const;

 private:
  std::array<std::vector<int>, 128> byKey_;
  std::array<int, 128> byPitch_{};
  int headCount_ = 0;
  bool suspended_ = false;
};

// Clefs 14 and 15 make a percussion staff, which plays on MIDI channel 10.
bool IsPercussionClef(int clef);
inline constexpr int kDrumChannel = 9;

// For a note played or entered on a percussion row (clef 14 or 15 at the
// cursor): the channel becomes 9 (MIDI channel 10) and, when the map has an
// entry for the written key and head, the key becomes its pitch. Other rows
// change nothing. Returns true for a percussion row.
bool GetDrumHead(const TECMusicScore& score, const TECDrumLookup& lookup, int head, int& channel, int& key);
