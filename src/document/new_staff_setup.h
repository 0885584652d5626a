#pragma once

#include <string>
#include <vector>

class TECInstrument;
class TECMusicScore;

namespace nv::platform {
class IniFile;
}

namespace nv::document {

// One row of a new staff: its voice count less one (0..2), the clef code of
// its first bar (0..15) and the key-signature code (0 none, 30 + n sharps,
// 40 + n flats).
struct NewStaffRow {
  int Voices = 0;
  int Clef = 0;
  int Tone = 0;
  bool operator==(const NewStaffRow&) const = default;
};

// Everything a new staff (and a new composition started with it) is made
// of, as the new-staff dialog collects it: the staff's program, name and
// rows, the score's time signature, tempo and upbeat, and the title and
// author lines put on the first page.
struct NewStaffSetup {
  static constexpr int kMaxRows = 4;

  int Timbre = 0;
  bool Partiture = false;
  int Tempo = 60;
  int Numerator = 4;
  int Denominator = 4;
  int SizeStyle = 0;  // 0 digits, 1 common time, 2 cut time
  int AufTaktNotes = 0;
  int AufTaktSize = 4;
  std::vector<NewStaffRow> Rows{NewStaffRow{}};
  int ActiveRow = 0;
  std::string Name;
  std::vector<std::string> Title;
  std::vector<std::string> Author;
  bool operator==(const NewStaffSetup&) const = default;
};

// The settings section the choices are remembered in between uses.
inline constexpr const char* kNewStaffSection = "NewInstrumentForm";

// Reads the remembered choices. A value outside its range reads as its
// default (a damaged or hand-edited file must not reach the model or the
// name tables): "Timbre" 0..127, "Tempo" 1..512, "SizeStyle" 0..2,
// "AufTaktNotes" 0..12, "AufTaktSize" 2, 4, 8 or 16, "RowCount" 1..4,
// "Voices"n 0..2, "Clef"n 0..15, "Tone"n 0, 31..37 or 41..47. The time
// signature is read as stored ("Numerator" and "Denomerator", 1 when
// missing): the dialog keeps it to its lists.
NewStaffSetup ReadNewStaffSetup(const nv::platform::IniFile& settings);
// Writes every choice of the setup (not the name and texts).
void WriteNewStaffSetup(nv::platform::IniFile& settings, const NewStaffSetup& setup);

// Whether a key-signature code is one a row may start with.
bool IsStaffToneCode(int code);

// Makes `staff` the staff of the setup: its rows (added or deleted at the
// end), each row's voices, clef and key in the first bar, the active row,
// the program (which clears the name), the name and "as music score".
void ApplyNewStaff(const NewStaffSetup& setup, TECInstrument& staff);

// Makes `score`'s first staff (added when there is none) the staff of the
// setup, and sets the score's time signature, upbeat and tempo; records no
// undo step. The new-staff dialog's preview and a new composition are
// built with it.
void BuildNewStaffScore(const NewStaffSetup& setup, TECMusicScore& score);

// Makes a score the new-staff dialog's preview: its undo locked for good,
// and a page narrow enough to show one system (46 × 80 mm, margins 5, 0, 5
// and 10, rows 8 apart).
void PrepareNewStaffPreview(TECMusicScore& score);

// Adds the staff of the setup at the end of an open score, as one undoable
// step, and makes it the active staff. Answers the staff, or none when the
// score takes no edit.
TECInstrument* AppendNewStaff(const NewStaffSetup& setup, TECMusicScore& score);

}  // namespace nv::document
