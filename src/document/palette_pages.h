#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/tool_buttons.h"

namespace nv::document {

// How a palette button shows its face.
enum class FaceKind {
  Char,      // a music-font character at a pixel size and an offset
  Picture,   // a picture the program draws once (FaceFactory)
  Caption,   // a caption in a text font
  Painted,   // painted from the current values at each repaint
  DropOnly,  // nothing but its drop part (the expanders, the drum-style chooser)
  UpDown,    // the up-down of the value the button beside it shows
};

// The painters of the painted faces.
enum class PaintedFace {
  None, Clef, Tone, Size, RepeatBar, RepeatNote, MeasurePause, Treole, Tremolo, NoteStyle, DrumNote,
  LigaUp, LigaDown, Share, Crescendo, Decrescendo, BottomHang, TopHang, BracketUp, BracketDown, Barre,
  ContinueUntil,
};

// Where a cell stands: the upper row starts a column, the lower row shares
// it, Beside follows the cell before in its row, Both spans the two rows
// (the clef, key and time signature faces, which hold a staff, and the
// expanders).
enum class PaletteRow { Upper, Lower, Beside, Both };

// One button of a notation page: its place and its face. Its hint, group
// and click family are those of its tool button (FindToolButton); the
// expanders and the drum-style chooser have none.
struct PaletteCell {
  std::string_view Name;
  PaletteRow Row;
  FaceKind Face;
  std::uint8_t Char = 0;  // Char: the code, its pixel em height and offset
  int Size = 0;
  int PosX = 0;
  int PosY = 0;
  std::string_view Caption;  // Caption: the text, its face and pixel height
  std::string_view CaptionFont;
  int CaptionPixels = 0;
  PaintedFace Painter = PaintedFace::None;
  bool DropPart = false;
};

inline constexpr int kPaletteButtonWidth = 24;
inline constexpr int kPaletteButtonHeight = 26;
inline constexpr int kPaletteDropWidth = 12;
inline constexpr int kPaletteUpDownWidth = 13;
inline constexpr int kPaletteUpperTop = 5;
inline constexpr int kPaletteLowerTop = 32;

// The cells of a page: the pointer, reset and eraser buttons first (they sit
// on the page itself), then the scroll panel's in order. Pages other than
// Notes and Symbols have none.
std::span<const PaletteCell> PaletteCells(ToolPage page);
// The cell of a name on either page; null for none.
const PaletteCell* FindPaletteCell(std::string_view name);

// A cell placed on its panel.
struct PlacedCell {
  const PaletteCell* Cell;
  int Left;
  int Top;
  int Width;
  int Height;
};

// Places the cells of one panel (the page's own or the scroll panel's):
// columns one pixel apart, each as wide as its widest cell.
std::vector<PlacedCell> PlaceCells(std::span<const PaletteCell* const> cells);

// Whether a cell sits on the page itself, beside the scroll panel.
bool OnPageItself(const PaletteCell& cell);

// The microtone face of a "MicroTone" code; none for a code outside the table.
struct MicrotoneFace {
  std::uint8_t Char;
  std::string_view Hint;
  int PosX;
  int PosY;
};
const MicrotoneFace* MicrotoneFaceOf(int code);

// The caption of a bracket style 0..2 ("(  )", "[  ]", "{  }"); empty outside.
std::string_view BracketCaption(int style);

// The hints that follow the up-downs: "Repeat bar(" position + 1 ")" and
// "Repeat notes(1/" 2 << position ")".
std::string RepeatBarHint(int position);
std::string RepeatNoteHint(int position);

}  // namespace nv::document
