#pragma once

#include <vector>

#include "document/command_registry.h"
#include "document/score_edits.h"

namespace nv::document {

class ToolState;

// What a click on a piano key writes: a rest, or a note with its seven
// modifier bytes, and the key its preview sounds.
struct PianoInsertion {
  bool Rest = false;
  int Step = 1;  // 1..7 = C..B
  int Octave = 5;
  int Duration = 128;  // 1/128 of a whole
  NoteModifiers Modifiers{};
  // The written accidental's shift in semitones; the key in force gives it
  // when no accidental is written (KeyShift).
  int Shift = 0;
  bool KeyShift = false;
};

// The note value of a piano duration position 0..6 (whole .. sixty-fourth).
int PianoDuration(int position);

// The insertion of a key reported as `octave` 1..9, accidental `note`
// (-1, 0, +1) and step `tone` 1..7, with the piano page's buttons down.
// With the flat button down a key reported as a sharp is written as the
// flat of the next step; a key reported as a flat stays as it is.
PianoInsertion PianoKeyInsertion(const ToolState& tools, int octave, int note, int tone, int durationPosition);

// The duration the guitar page's duration button goes to from `duration`:
// the double, 128 and above wrapping to 2.
int NextGuitarDuration(int duration);

// What the piano and guitar pages ask of the main window.
class NoteEntryHost {
 public:
  virtual ~NoteEntryHost() = default;
  // The active document's score; null with none open.
  virtual ScoreEdits* ActiveEdits() = 0;
  // Sounds `key` as the active score plays it (NotePreview::Mode).
  virtual void PreviewNote(int key, int length, int mode) = 0;
};

// The piano and guitar pages' insertions into the active score, with their
// previews as the settings ask.
class NoteEntry {
 public:
  NoteEntry(ToolState& tools, NoteEntryHost& host);

  // A released piano key; only while the piano page is active.
  void PianoKeyClick(int octave, int note, int tone, int durationPosition);
  // The fretboard's keys, string by string (0: not played; each pitch once),
  // become the chord at the cursor, lasting the guitar duration.
  void GuitarChord(const std::vector<int>& keys);

 private:
  ToolState& tools_;
  NoteEntryHost& host_;
};

// "piano.key" (octave, accidental, step, duration position) and
// "guitar.chord" (a key per string), which the two pages run; their errors
// go to the registry's reporter. `entry` outlives the registry.
void AddNoteEntryCommands(CommandRegistry& registry, NoteEntry& entry);

}  // namespace nv::document
