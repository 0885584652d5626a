#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "document/insert_dialogs.h"

class TECElement;
class TECNote;
class TECMusicScore;
class TECPageObject;

namespace nv::document {

// The nine modifier bytes of a note inserted with the mouse: accidental,
// dots, articulation, glissando group, tremolo, tuplet, head kind, hi-hat,
// hand.
using NoteModifiers = std::array<std::uint8_t, 9>;

// The score's editing calls that a click or key with a tool turns into,
// with the arguments the tools hand over. Each is one undo step of the
// score. Tests record them.
class ScoreEdits {
 public:
  virtual ~ScoreEdits() = default;

  virtual int ClefOffsetAtCursor() const = 0;
  // -1, 0 or +1: what the key in force at the cursor gives step 1..7.
  virtual int KeyAccidentalForStep(int step) const = 0;
  virtual int CursorMeasure() const = 0;
  // The pitch line of the cursor: octave = line div 7, step = line mod 7 + 1.
  virtual int CursorPitchLine() const = 0;
  // The length of the cursor measure, 1/128 of a whole.
  virtual int MeasureLength() const = 0;
  // The grace notes of `note` as the grace-note dialog shows them.
  virtual GraceNotesValues GraceNotesOf(TECNote* note) const = 0;

  virtual void InsertNote(int step, int octave, int duration, const NoteModifiers& modifiers, int headStyle,
                          int drumKind, int bracket, int flag) = 0;
  virtual void InsertNoteAtCursorPitch(int duration) = 0;
  virtual void InsertRest(int duration, const NoteModifiers& modifiers) = 0;
  // The notes at the cursor give way to a chord of MIDI `keys` (0: none),
  // spelled in the key in force.
  virtual void ReplaceWithChordNotes(const std::vector<int>& keys, int duration) = 0;
  virtual void InsertRepeatSign(int kind, int count) = 0;
  virtual void AddMeasureSymbol(int code, int subCode, int step, int octave, int value) = 0;
  virtual void AddInstrumentSymbol(int code, int value1, int value2) = 0;
  virtual void SetClefAtCursor(int clef) = 0;
  virtual void SetKeySignatureAtCursor(int key) = 0;
  virtual void SetTimeSignature(int numerator, int denominator, int style, bool wholeScore) = 0;
  virtual void AddTempoMark(int beatNote, int tempo) = 0;
  virtual void EraseElement(TECElement* element) = 0;
  virtual void AddNoteEffect(TECElement* element, int kind, int bracket, int value) = 0;
  virtual void LinkNotes(TECNote* first, TECNote* second, int direction) = 0;
  virtual void SetGraceNotes(TECNote* note, const GraceNotesValues& values) = 0;
  virtual void AddBarre(int style, int step, int octave, int length, int fret) = 0;
  virtual void AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, int step, int octave) = 0;
  virtual void AddTextItems(const std::vector<std::string>& lines, const std::string& fontName, int size, int style,
                            std::int32_t colour, bool alignToNotes, int step, int octave) = 0;
};

// The calls on a score, passed to the score's own operations.
class ScoreEditCalls : public ScoreEdits {
 public:
  explicit ScoreEditCalls(TECMusicScore& score) : score_(score) {}

  int ClefOffsetAtCursor() const override;
  int KeyAccidentalForStep(int step) const override;
  int CursorMeasure() const override;
  int CursorPitchLine() const override;
  int MeasureLength() const override;
  GraceNotesValues GraceNotesOf(TECNote* note) const override;

  void InsertNote(int step, int octave, int duration, const NoteModifiers& modifiers, int headStyle, int drumKind,
                  int bracket, int flag) override;
  void InsertNoteAtCursorPitch(int duration) override;
  void InsertRest(int duration, const NoteModifiers& modifiers) override;
  void ReplaceWithChordNotes(const std::vector<int>& keys, int duration) override;
  void InsertRepeatSign(int kind, int count) override;
  void AddMeasureSymbol(int code, int subCode, int step, int octave, int value) override;
  void AddInstrumentSymbol(int code, int value1, int value2) override;
  void SetClefAtCursor(int clef) override;
  void SetKeySignatureAtCursor(int key) override;
  void SetTimeSignature(int numerator, int denominator, int style, bool wholeScore) override;
  void AddTempoMark(int beatNote, int tempo) override;
  void EraseElement(TECElement* element) override;
  void AddNoteEffect(TECElement* element, int kind, int bracket, int value) override;
  void LinkNotes(TECNote* first, TECNote* second, int direction) override;
  void SetGraceNotes(TECNote* note, const GraceNotesValues& values) override;
  void AddBarre(int style, int step, int octave, int length, int fret) override;
  void AddMeasureDrawing(const std::vector<const TECPageObject*>& objects, int step, int octave) override;
  void AddTextItems(const std::vector<std::string>& lines, const std::string& fontName, int size, int style,
                    std::int32_t colour, bool alignToNotes, int step, int octave) override;

 private:
  TECMusicScore& score_;
};

}  // namespace nv::document
