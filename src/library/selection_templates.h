#pragma once

#include <functional>
#include <memory>

#include "library/accord_description.h"
#include "library/symbol_description.h"

class TECMusicScore;
class TECPageText;

namespace nv::library {

// A new chord template whose variants are copies of the selected notes.
std::unique_ptr<TECAccordDescription> ChordFromSelection(const TECMusicScore& score);

// The width and height a page text takes, in the units of its place.
struct TextExtent {
  int Width = 0;
  int Height = 0;
};
using MeasureText = std::function<TextExtent(const TECPageText& text)>;

// A new symbol template of copies of the selected page objects (texts,
// pictures, lines, rectangles, ellipses, arcs, pies, segments), moved so
// that their common bounding box starts at the origin; Width and Height are
// the box's.
std::unique_ptr<TECSymbolDescription> SymbolFromSelection(const TECMusicScore& score, const MeasureText& measure);

}  // namespace nv::library
