#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nv::document {

// The values of the small dialogs a click into the score may ask first.
// Each dialog takes its values in and, on OK, gives them back changed.

struct TempoValues {
  int BeatNote = 32;  // 1/128 of a whole note
  int Tempo = 120;
};

// One grace note: step 1..7 (C..B), octave and an accidental code (0 none).
struct GraceSlot {
  std::uint8_t Step = 1;
  std::uint8_t Octave = 5;
  std::uint8_t Accidental = 0;
};

// The note the grace notes belong to, as the grace-note dialog shows it:
// its pitch, its duration and the clef offset of its row.
struct GraceMainNote {
  int Step = 5;
  int Octave = 5;
  int Duration = 32;
  int ClefOffset = 0;
};

struct GraceNotesValues {
  static constexpr int kSlots = 64;
  GraceMainNote Main;
  int Options = 0;
  std::vector<GraceSlot> Slots = std::vector<GraceSlot>(kSlots);
  int Count = 0;
  int Duration = 0;
};

struct PartNumberValues {
  int Count = 1;
  int Number = 1;
};

struct BarreValues {
  int Style = 0;  // the packed barre style
  int Fret = 1;
};

struct TextInputValues {
  std::vector<std::string> Lines;
  int Align = 0;  // 0..3
  std::string FontName;
  int FontSize = 8;
  int FontStyle = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
  std::int32_t FontColor = 0;
  bool AlignToNotes = false;
  // The "Align to notes" box is offered.
  bool AlignToNotesShown = true;
};

// The modal dialogs of click-to-insert. True on OK.
class InsertDialogs {
 public:
  virtual ~InsertDialogs() = default;
  // The bar-rest count: `count` holds the up-down's position when the
  // dialog closes, OK or not.
  virtual bool PauseCount(int& count) = 0;
  virtual bool TempoInput(TempoValues& values) = 0;
  virtual bool GraceNotes(GraceNotesValues& values) = 0;
  // The up-down's position of the bar-number dialog.
  virtual bool BarNumber(int& position) = 0;
  virtual bool PartNumber(PartNumberValues& values) = 0;
  // The rehearsal mark's number, shown by the kind of the rehearsal-mark
  // palette (0 letters, 1 digits).
  virtual bool RehearsalMarkCount(int& number, int kind) = 0;
  virtual bool BarreProperties(BarreValues& values) = 0;
  virtual bool TextInput(TextInputValues& values) = 0;
};

}  // namespace nv::document
