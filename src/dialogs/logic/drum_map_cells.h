#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv::dialogs::drum_map {

// The grid's rows: one a pitch from 87 (row 1, under the captions) down to
// 26 (row 62).
inline constexpr int kFirstPitch = 26;
inline constexpr int kLastPitch = 87;
inline constexpr int kRowCount = kLastPitch - kFirstPitch + 1;
inline int RowOfPitch(int pitch) { return kLastPitch + 1 - pitch; }
inline int PitchOfRow(int row) { return kLastPitch + 1 - row; }

// The columns.
enum Column { kPitch = 0, kName = 1, kHead = 2, kPos = 3, kUse = 4 };

// The standard head, and the staff position of the middle line.
inline constexpr int kStandardHead = 255;
inline constexpr int kMiddleLine = 64;

// A cell's number: its integer, or `fallback` when it is none.
int CellNumber(std::string_view text, int fallback);

// What a click on a "Use" cell makes of it: "1" becomes "0", anything else "1".
std::string ToggledUse(std::string_view text);

// A name never holds "," (the file's separator) or a line break.
bool NameAcceptsChar(char c);

// The "Pos" cell's picture, relative to the cell's top left: five lines 4
// pixels apart from y = 3, from x = 1 to 15, of which the outer ones beyond
// the head turn into short ledger lines (x = 4 to 12); the head, 4 × 5 from
// x = 6, centred on `headY`. Positions are clamped to 56..74; 64 sits on
// the middle line, each step is 2 pixels, and above 68 or below 60 the head
// stays on (or next to) the outer line while one more line turns short for
// every two steps.
struct StaffLine {
  int y = 0;
  int x1 = 0;
  int x2 = 0;
  friend bool operator==(const StaffLine&, const StaffLine&) = default;
};
struct PosPicture {
  std::array<StaffLine, 5> lines;
  int headY = 0;
};
PosPicture PosPictureOf(int position);

// The "Use" cell's check mark for a cell from `left` to `right` at `top`:
// the polygon's six points (x, y).
std::array<std::array<int, 2>, 6> CheckMarkOf(int left, int right, int top);

// The drum-style palette: its buttons 26 × 26 at a pitch of 27, 8 a row in
// a form 224 wide above 39 styles, else 4 a row in 120; with the standard
// button at (0, 0) the styles start one row down. The height is the offset
// below the last row + 28 when that offset lies in 41..399, else none (the
// form keeps its own).
struct PaletteLayout {
  int columns = 4;
  int width = 120;
  std::optional<int> height;
  std::vector<std::array<int, 2>> styleCells;  // x, y of each style's button
};
PaletteLayout PaletteLayoutOf(int styleCount, bool withStandard);

}  // namespace nv::dialogs::drum_map
