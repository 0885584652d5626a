#pragma once

#include <optional>
#include <string>
#include <vector>

class TECMusicScore;

namespace nv::document {

// What the staff properties dialog edits of the active staff. Channels run
// 1..16, as the model keeps them; -1 is no program.
struct InstrumentProps {
  int Program = -1;
  std::string Name;
  int Channel = 1;
  int Accolade = 0;
  bool Mute = false;
  bool AsMusicScore = false;
  bool operator==(const InstrumentProps&) const = default;
};

// What the row properties dialog edits of the active row: its voice count
// 1..3, its view (five lines or one), name, program, channel and mute.
struct RowProps {
  int VoiceCount = 1;
  bool FiveLines = true;
  std::string Name;
  int Program = -1;
  int Channel = 1;
  bool Mute = false;
  bool operator==(const RowProps&) const = default;
};

// None without an active staff or row.
std::optional<InstrumentProps> ReadActiveInstrument(const TECMusicScore& score);
std::optional<RowProps> ReadActiveRow(const TECMusicScore& score);
// The program first, which clears the staff's name, so that the name the
// user typed is the one that stays; then the rest in the model's order.
void ApplyActiveInstrument(TECMusicScore& score, const InstrumentProps& props);
void ApplyActiveRow(TECMusicScore& score, const RowProps& props);

// The program the selected notes sound with (-1 none), none without a
// selected note; and the program given to them.
std::optional<int> ReadNoteProgram(const TECMusicScore& score);
void ApplyNoteProgram(TECMusicScore& score, int program);

// The page as the composition dialog edits it, in millimetres; `PaperSize`
// is the model's paper-size index (27 custom).
struct CompositionPage {
  int PaperSize = 27;
  bool Landscape = false;
  double Width = 210;
  double Length = 297;
  double Left = 10;
  double Top = 10;
  double Right = 10;
  double Bottom = 10;
  double Interval = 16;
  bool operator==(const CompositionPage&) const = default;
};

// One pitch of the score's drum map.
struct DrumMapRow {
  int Pitch = 0;
  std::string Name;
  int Head = 255;
  int Pos = 64;
  bool Use = false;
  bool operator==(const DrumMapRow&) const = default;
};

// The whole score's settings the composition dialog edits.
struct CompositionProps {
  int Metrix = 0;  // 0 millimetres, 1 inches, 2 pixels
  CompositionPage Page;
  int UnionCount = -1;
  int AufTaktNotes = 0;
  int AufTaktSize = 4;
  bool VertAlign = false;
  bool HorzAlign = false;
  bool PrintEmpty = false;
  bool PrintLines = false;
  bool PrintNumber = false;
  bool Density = false;
  int Tempo = 60;
  int NoteInterval = 0;  // 0 evenly, 1 proportional, 2 positional
  int MeasureCount = 1;
  std::string Author;
  std::string Copyright;
  std::vector<std::string> Description;
  int Scale = 100;
  int StartBarNumber = 0;  // the model's; the dialog shows it + 1
  int NumberStyle = 0;     // 0 each bar, 1 first bar of a row, 2 first row of a page
  int Numerator = 4;
  int Denominator = 4;
  int SizeStyle = 0;
  // Only the pitches that have an entry.
  std::vector<DrumMapRow> Drums;
  bool operator==(const CompositionProps&) const = default;
};

// Takes the score as it may be changed: the model gives its drum map only so.
CompositionProps ReadCompositionProps(TECMusicScore& score);

// Gives the score's page the paper, orientation, lengths and row interval
// (the sides only for a custom paper); a value the page refuses is left out.
void ApplyPage(TECMusicScore& score, const CompositionPage& page);

// Which page value leaves no page: the custom width or length is not
// positive, or the margins leave no printable width or height.
enum class PageFault { Width, Length, HorizontalMargins, VerticalMargins };
std::optional<PageFault> CheckPage(const CompositionPage& page);

// Writes everything back: the unit, the page, joining, upbeat, the
// switches, tempo, spacing, texts, scale, numbering, the time signature
// and the drum map (an entry for each named pitch 26..87, none for the
// others). Raises std::invalid_argument for a page CheckPage refuses,
// before anything changes.
void ApplyCompositionProps(TECMusicScore& score, const CompositionProps& props);

}  // namespace nv::document
