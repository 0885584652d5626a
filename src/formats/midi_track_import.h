#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <unordered_map>
#include <vector>

#include "model/drum_map.h"
#include "formats/smf_reader.h"
#include "model/music_score.h"

class TECInstrument;
class TECNote;
class TECRow;

// Turns the tracks of a MIDI file, one after the other, into the music of a
// score that the caller has prepared for an import (undo locked, layout
// suspended, ImportingMidi set).
class MidiTrackImporter {
 public:
  MidiTrackImporter(TECMusicScore& score, int division);

  // Imports one track body. False once a limit (measures, notes) has stopped
  // the import.
  bool ImportTrack(std::span<const std::uint8_t> body);
  // Places the tempo marks collected from every track and trims what a
  // measure block could not hold; the score's Tempo is the first tempo of
  // the file, or 120 without one.
  void Finish();
  // A track ended in damage or a limit cut the music short.
  bool Damaged() const { return damaged_; }

 private:
  // What the import knows of an instrument (separate sheets) or a row (one
  // sheet) that the model does not keep: the channel it was given, -1 while
  // unset, and the channel of the latest note it took.
  struct StaveState {
    int Channel = -1;
    int LastNoteChannel = -1;
  };
  struct PendingNote {
    TECNote* Note = nullptr;
    TECRow* Row = nullptr;
    int Channel = 0;
    int Key = 0;
    std::uint8_t Velocity = 0;
    std::uint8_t StartOffset = 0;
    std::int64_t Start = 0;
    std::int64_t ExactStart = 0;
  };
  struct Spelling {
    int Step = 1;  // 1..7, C..B
    int Octave = 0;
    int Accidental = 0;
    std::uint8_t Head = 0;
    std::uint8_t HeadFlags = 0;
    int Line() const { return Octave * 7 + Step; }
  };
  struct TimeChange {
    int Measure = 0;
    int Numerator = 4;
    int Denominator = 4;
  };

  void BeginTrack();
  void EndTrack();
  void HandleEvent(const SmfEvent& event);
  void NoteOn(const SmfEvent& event);
  void NoteOff(const SmfEvent& event);
  void Controller(const SmfEvent& event);
  void ProgramChange(const SmfEvent& event);
  void Meta(const SmfEvent& event);
  void TextMeta(const SmfEvent& event);
  void TempoMeta(const SmfEvent& event);
  void TimeSignatureMeta(const SmfEvent& event);
  void KeySignatureMeta(const SmfEvent& event);
  // Gives every note the accidental that makes it sound its file's key
  // under the measure's accidentals.
  void MarkAccidentals();

  // Grid position of a file tick, in ticks of 1/128 whole note.
  std::int64_t GridPosition(std::int64_t fileTicks) const;
  // Measure and tick of a grid position in the instrument's measures; the
  // measure is kMaxImportedMeasures or more past the limit.
  std::pair<int, int> Locate(TECInstrument* instrument, std::int64_t position);
  std::int64_t MeasureStart(TECInstrument* instrument, int measure);
  // Measure and tick of a grid position in the bars the file's time
  // signatures give, which an instrument without rows does not hold.
  std::pair<int, int> LocateBar(std::int64_t position) const;
  // Puts the score cursor at the position; false past the measure limit.
  bool PlaceCursor(TECInstrument* instrument, std::int64_t position);
  bool PlaceCursorAt(std::pair<int, int> at);
  void Stop();
  // Whether the rows stay within the measure limit when their music from
  // measure `from` on is poured into measures of `length` ticks.
  bool RebarFits(int from, int length);

  Spelling Spell(int channel, int key, std::int64_t position) const;
  TECInstrument* NewInstrument(int channel, int program);
  TECRow* NewRow(TECInstrument* instrument, int channel);
  TECInstrument* InstrumentOfChannel(int channel);
  TECRow* RowOfChannel(int channel);
  // The row of the current instrument for a note (separate sheets), which
  // takes the note's clef.
  TECRow* PickRow(int channel, const Spelling& spelling);
  // The row that texts of the track go to; made when there is none.
  TECRow* TextRow();
  void SetProgram(TECModelObject* stave, int program);
  void RemoveStave(TECModelObject* stave);
  void EndPending(std::size_t index, std::int64_t now);
  void GiveUnsetChannels();

  TECMusicScore& score_;
  const bool separate_;
  const int grid_;
  const int division_;
  TECDrumLookup drums_;

  // Track state.
  TECInstrument* instrument_ = nullptr;
  TECRow* row_ = nullptr;
  std::vector<PendingNote> pending_;
  bool trackTitled_ = false;

  std::unordered_map<const TECModelObject*, StaveState> staves_;
  std::unordered_map<const TECInstrument*, std::vector<std::int64_t>> measureStarts_;
  std::map<int, int> tempos_;
  std::vector<TimeChange> timeChanges_;
  // Sharps (> 0) or flats (< 0) of the key signatures read, by position.
  std::map<std::int64_t, int> keys_;
  bool timeSignatureSeen_ = false;
  int firstTempo_ = 0;
  int notes_ = 0;
  bool stopped_ = false;
  bool damaged_ = false;
};
