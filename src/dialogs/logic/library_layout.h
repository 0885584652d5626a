#pragma once

#include <string>
#include <vector>

#include "platform/geometry.h"

// Where the buttons of the chord, symbol and term libraries stand: the
// strips on the tool pages and the grouped drop-down palettes.
namespace nv::dialogs {

enum class LibraryStripKind { Chords, Symbols, Terms };

// A strip's fixed geometry: buttons in columns of `Rows.size()` buttons.
struct StripSpec {
  nv::platform::Size Button;
  std::vector<int> Rows;  // the buttons' y, top to bottom
  int ColumnStep = 0;
};
const StripSpec& StripSpecOf(LibraryStripKind kind);

// The strip's edge: screen width - 120 (chords), - 60 (symbols), or the
// page control's width - 116 (terms).
int StripLimit(LibraryStripKind kind, int screenWidth, int pageWidth);

struct StripLayout {
  // The boxes of the first templates of the list, in list order.
  std::vector<nv::platform::Rect> Buttons;
  // The x of the next free column, where "All symbols" and "All
  // Expressions" move to (`startX` when no button stands).
  int NextColumnX = 0;
};

// Lays `count` templates out from `startX`, column after column, while a
// column starts left of `limit`.
StripLayout LayOutStrip(LibraryStripKind kind, int startX, int limit, int count);

// The grouped drop-down palette of a whole library.
struct DropDownLayout {
  struct Item {
    int Index = 0;  // into the list given
    nv::platform::Rect Box;
  };
  struct Heading {
    std::string Text;
    nv::platform::Point At;
  };
  int Columns = 0;
  int Width = 0;
  int Height = 0;
  // In the palette's order: sorted by group (chords, symbols) or by name
  // (terms), each kept in list order among equals.
  std::vector<Item> Items;
  std::vector<Heading> Headings;
};

// `keys` are the templates' groups (chords, symbols) or names (terms), in
// list order. `formHeight` is the palette's designed height, kept when the
// content is too short or too tall.
DropDownLayout LayOutDropDown(LibraryStripKind kind, const std::vector<std::string>& keys, int formHeight);

// How a symbol of `symbol` size sits in a button of `button` size: the scale
// in 1/10000 and the corner it is drawn from. A symbol without width or
// height is drawn at scale 1 from the button's corner.
struct SymbolFit {
  int Scale = 10000;
  nv::platform::Point Corner;
};
SymbolFit FitSymbol(nv::platform::Size button, nv::platform::Size symbol);

}  // namespace nv::dialogs
