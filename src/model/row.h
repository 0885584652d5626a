#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/chord_entry.h"
#include "model/measure.h"
#include "model/model_object.h"

class TECInstrument;
class TECMusicScore;

// Where the layout pass placed a measure of the active page.
struct TECMeasurePlace {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t System = 0;
};

// Diatonic offset of each clef code 0..15 against the treble clef.
int ClefOffset(int clefCode);

// One staff row of an instrument: its measures and everything in them, its
// clef, key and time changes, MIDI settings, voice mode and staff look.
class TECRow : public TECModelObject {
 public:
  explicit TECRow(TECInstrument* owner);
  ~TECRow() override;
  TECRow(const TECRow&) = delete;
  TECRow& operator=(const TECRow&) = delete;

  // Copies settings (not volume and pan) and every measure deeply.
  void Assign(const TECRow& source);
  void CopyMeasure(const TECMeasure& source, TECMeasure& target);

  TECInstrument* Owner() const { return owner_; }
  TECMusicScore* Score() const;
  int GetIndex() const;

  // --- measures --------------------------------------------------------------
  int MeasureCount() const { return static_cast<int>(measures_.size()); }
  TECMeasure* GetMeasure(int i) const { return i >= 0 && i < MeasureCount() ? measures_[i].get() : nullptr; }
  const std::vector<std::unique_ptr<TECMeasure>>& Measures() const { return measures_; }
  TECMeasure* AddMeasure();
  // Inserts an empty measure at `index` (clamped); later measures renumber.
  TECMeasure* InsertMeasure(int index);
  // Frees measure i with everything in it; later measures renumber.
  void DeleteMeasure(int index);
  // Puts `measure` in place of measure `index`, appending empty measures up
  // to it, and hands back the measure it replaces (undo reads a measure
  // into a fresh record and swaps it in only when the read succeeded).
  std::unique_ptr<TECMeasure> ReplaceMeasure(int index, std::unique_ptr<TECMeasure> measure);
  void ClearMeasures();
  void TrimEmptyMeasures();
  // Removes a note from its measure and frees it with its links.
  void DeleteNote(TECNote* note);

  // --- clef, key and time signature ----------------------------------------
  int GetClef(int i) const;
  void SetClef(int i, int code);
  int GetKeySignature(int i) const;
  void SetKeySignature(int i, int code);
  void SetTimeSignature(int i, int numerator, int denominator, std::uint8_t style);
  int ClefOffsetAtCursor() const;
  int ClefOffsetAt(int i) const;
  int KeyAccidentalForStep(int step) const;

  // --- chord marks --------------------------------------------------------------
  void ClearLoneChordMark(TECNote* note);
  void ClearLoneChordMarkIn(TECMeasure* measure, std::uint8_t mark);
  void SortChordNote(TECNote* note);
  const std::vector<std::uint8_t>* ChordSymbolAtCursor() const;

  // --- beams and rests ----------------------------------------------------------
  void RebuildUnions(TECMeasure* measure, bool rebuildRests, bool noBeams);
  void RebuildUnionsFrom(int i, bool rebuildRests, bool noBeams);
  // Rebuilds the beam groups of one voice; rests ending at or before
  // `keepRestsTick` stay as they are, and the gaps after them are filled
  // with the largest value that fits rather than by the beat (-1: all by
  // the beat).
  void RebuildVoiceUnions(TECMeasure* measure, int voice, bool noBeams, int keepRestsTick, bool rebuildRests);
  void DissolveNoteGroup(TECTuplet* tuplet);
  // Pours the row's music from measure `firstMeasure` into measures of
  // `length` ticks.
  void RebarNotes(int length, int firstMeasure);

  // --- note insertion at the cursor -------------------------------------------
  // Options of InsertNote: 0 accidental (1..99 a microtone amount, else an
  // accidental code), 1 dots (101, 102), 2..4 articulation codes, 5 tuplet
  // count, 6 option code (122, 123).
  using InsertOptions = std::array<std::uint8_t, 7>;
  // Enters `duration` ticks of a pitch at the cursor, split into plain,
  // dotted and tied notes; returns the first note or none.
  TECNote* InsertNote(int step, int octave, bool accidentalRule, std::uint8_t lastSpare, std::uint8_t thirdSpare,
                      std::uint8_t optionBits, const InsertOptions& options, int duration);
  // As InsertNote for callers that record or lock undo themselves; `code`
  // 2..10 starts a tuplet, 101 and 102 are dots, other codes above 10 are
  // attributes. Notes carrying an input mark do not block it.
  TECNote* InsertPitchedNote(int step, int octave, std::uint8_t thirdSpare, std::uint8_t optionFlags,
                             std::uint8_t inputMark, int code, int duration);
  // Lays an existing note out again from its position at a new duration;
  // the note is freed and the first new piece returned.
  TECNote* ReflowNote(TECNote* note, int duration, std::uint8_t startOffset, std::uint8_t velocity);
  // "Repeat bar" (29, fills the measure) or "Repeat notes" (28) at the
  // cursor.
  TECNote* InsertRepeatSign(int kind, int variant);
  // Ties or slurs two notes: 1 or 151 above, 2 or 152 below.
  TECLinkAttribute* LinkNotes(TECNote* a, TECNote* b, int kind);

  // --- edits at the cursor -------------------------------------------------------
  TECRest* InsertRest(int value, std::uint8_t dots);
  TECMeasureItem* AddMeasureSymbol(int kind, std::uint8_t param, std::uint16_t value, std::uint8_t param2,
                                   std::uint8_t param3);
  TECMeasureItem* AddBarre(const std::array<std::uint8_t, 4>& params, std::uint16_t value, std::uint8_t voice);
  TECMeasureItem* AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, std::uint8_t param,
                                    std::uint8_t param2);
  // Option bit 0 spreads the lines over the notes from the cursor on.
  void AddTextItems(const std::vector<std::string>& lines, const std::string& fontName,
                    const std::array<std::uint8_t, 5>& style, std::int32_t value, std::uint8_t options);
  // Sets the chord symbol at the cursor tick; without pieces the score's
  // GetAccordText builds them from the code.
  void SetChordSymbol(const std::vector<std::uint8_t>* code, const std::vector<TECChordPiece>* pieces, bool flag);
  // 0 removes the chord symbol at the cursor; n > 0 the chord notes of the
  // cursor measure starting within [tick, tick + n].
  void RemoveChordSymbol(int n);
  void DeleteAtCursor(bool before);
  void ReplaceWithChordNotes(const std::vector<TECChordEntry>& entries, bool spell, int duration);

  // --- cursor moves -------------------------------------------------------------
  // Moves the cursor tick to the nearest note or rest start of the cursor
  // measure, of the cursor voice only in a multi-voice row (0 when there is
  // none or it lies past the measure's end).
  void SnapCursor();
  void GoToPageStart();
  void GoToPageEnd();
  void CursorToPreviousEvent(bool select);
  void CursorToNextEvent(bool select);
  // The same searches on a given place; false only when stepping back from
  // measure 0.
  bool FindPreviousEvent(int& measure, int& position) const;
  bool FindNextEvent(int& measure, int& position) const;
  void CursorUp();
  void CursorDown();
  void GoToSystemStart();
  void GoToSystemEnd();

  // --- settings -------------------------------------------------------------------
  int VoiceMode() const { return voiceMode_; }
  void SetVoiceMode(int v);
  bool FiveLineStaff() const { return fiveLine_ != 0; }
  void SetFiveLineStaff(bool v);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int MidiInstrument() const { return program_; }
  void SetMidiInstrument(int program);
  int Channel() const { return channel_; }
  void SetChannel(int channel);
  int Volume() const { return volume_; }
  void SetVolume(int volume);
  int Pan() const { return pan_; }
  void SetPan(int pan);
  bool Mute() const { return mute_ != 0; }
  void SetMute(bool v);
  bool United() const { return united_ != 0; }
  void SetUnited(bool v);

  // Measure places of the active page (filled by the layout pass).
  std::vector<TECMeasurePlace> Placement;
  // Layout pass state: clef and key in force, clef at the system start.
  std::uint8_t LayoutClef = 1;
  std::uint8_t SystemStartClef = 1;
  std::uint8_t LayoutKey = 0;
  // Taken anew whenever one of its measures changes (TECMeasure::MarkChanged)
  // or measures come, go or move, so that the layout pass finds the rows an
  // edit left alone without reading their measures.
  std::uint64_t Revision = NewContentRevision();

 private:
  void MarkMeasuresMoved() { Revision = NewContentRevision(); }
  void Renumber(int from);
  void SendController(int controller, int value);
  void SetControllerSetting(int& setting, int value, int controller);
  void GoToSystemEdge(bool atEnd);
  void RebuildRests(TECMeasure* measure, int voice, int length, int beat, const std::vector<std::uint8_t>& covered,
                    const std::vector<std::uint8_t>& tupletLengths, int keepRestsTick);

  TECInstrument* owner_;
  std::vector<std::unique_ptr<TECMeasure>> measures_;
  int volume_ = -1;
  int pan_ = -1;
  int voiceMode_ = 0;
  std::uint8_t fiveLine_ = 1;
  std::string name_;
  std::uint8_t mute_ = 0;
  int program_ = -1;
  int channel_ = 1;
  std::uint8_t united_ = 0;
};
