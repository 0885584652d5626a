#pragma once

#include <initializer_list>
#include <string_view>

#include "document/score_edits.h"

class TECElement;
class TECNote;

namespace nv::document {

class InsertDialogs;
class ToolState;

// What click-to-insert asks of its document window besides the score.
class ClickHost {
 public:
  virtual ~ClickHost() = default;
  // Sounds a key 0..127 (mode 1 for the inserted note).
  virtual void PreviewNote(int key, int length, int mode) = 0;
  // The drum kind of a note entered while the drum-note button is down.
  virtual int ApplyDrumStyles() = 0;
  // The keyboard focus goes back to the score control after a dialog.
  virtual void FocusScore() = 0;
  virtual void ShowErrorMessage() = 0;
};

// A click into the score with the current tool becomes exactly one editing
// call, or one dialog and then at most one call. A click on an empty place
// of a staff (ScoreClick) or on an element (NoteClick) gives the staff line
// under the mouse: step = (line + 35) mod 7 + 1, octave = (line + 35) div 7,
// both floored, so a click far below the staff gives a low octave and one
// outside 0..10 inserts nothing.
class ClickInserter {
 public:
  ClickInserter(ToolState& tools, ScoreEdits& edits, InsertDialogs& dialogs, ClickHost& host);

  void ScoreClick(int line);
  void NoteClick(TECElement* element, int line);
  // The key-up of an insert-once key: the chosen tool inserts at the
  // cursor's pitch line.
  void InsertAtCursor();
  // Enter and a digit: a note at the cursor's pitch, sounded for half its length.
  void InsertNoteAtCursorPitch(int duration);
  // Space and a digit: a rest at the cursor.
  void InsertRestAtCursor(int duration);
  // A key clicked in the piano roll, at the cursor: a note of the pressed
  // note value, a black key spelled as a sharp. False (nothing inserted)
  // with no note value down or a key outside 0..127.
  bool InsertKeyAtCursor(int key);

  // The first note of a slur being drawn; null when none.
  TECNote* PendingSlurNote() const { return pendingSlur_; }
  // Called on every change of the score and when another document becomes
  // active: the note may be gone.
  void ForgetSlurStart() { pendingSlur_ = nullptr; }

 private:
  struct Pitch {
    int Step = 1;
    int Octave = 5;
  };
  struct Modifiers {
    NoteModifiers Bytes{};
    // The accidental's shift in semitones, when an accidental button is down.
    int Shift = 0;
    bool Accidental = false;
  };
  void Click(TECElement* element, int line);
  // False when the reset rule is not to run (a slur's first note).
  bool NotesPage(TECElement* element, Pitch pitch, TECNote* slurStart);
  void NotesOnEmptyPlace(Pitch pitch);
  bool NotesOnNote(TECElement* element, Pitch pitch, TECNote* slurStart);
  void NotesOnOther(TECElement* element, Pitch pitch);
  // The clef, key and time signature tools; false when none is down.
  bool SignatureTool();
  void SymbolsPage(TECElement* element, Pitch pitch);
  void Terms(Pitch pitch);
  void Design(Pitch pitch);
  void InsertNote(int duration, Pitch pitch);
  void BarRest();
  bool AskTempo(TempoValues& values);
  bool Slur(TECElement* element, int direction, TECNote* slurStart);
  void GraceNotes(TECElement* element);
  Modifiers CollectNoteModifiers() const;
  int BracketKind() const;
  int DrumKind();
  void Preview(int key, int length);
  std::string_view FirstDown(std::initializer_list<std::string_view> names) const;

  ToolState& tools_;
  ScoreEdits& edits_;
  InsertDialogs& dialogs_;
  ClickHost& host_;
  TECNote* pendingSlur_ = nullptr;
};

}  // namespace nv::document
