#pragma once

#include <cstdint>
#include <vector>

#include "document/insert_dialogs.h"
#include "model/measure_items.h"

namespace nv::document {

// The values of the dialogs that edit a selected element, beside those that
// click-to-insert asks (text, tempo, grace notes, barre).

struct ImageValues {
  // The stored picture: its type and encoded bytes; empty keeps the picture.
  std::uint16_t PictureType = 0;
  std::vector<std::uint8_t> Picture;
  // A new picture object starts at 32 x 32 pixels.
  int Width = 32;
  int Height = 32;
  bool Stretch = false;
  bool Centre = false;
};

// A chord symbol's text pieces, each its five format bytes and its text.
struct ChordValues {
  std::vector<TECChordPiece> Pieces;
};

// The note properties dialog: the program the selected notes sound with,
// -1 for their row's.
struct NotePropertiesValues {
  int Instrument = -1;
};

// The one place the document window's edit actions, its design-page clicks
// and click-to-insert open their dialogs. Each takes its values in and, on
// OK, gives them back changed; true on OK. A dialog may raise: the caller's
// command reports it and the score is left as it was.
class ElementDialogs : public InsertDialogs {
 public:
  virtual bool ImageInput(ImageValues& values) = 0;
  virtual bool ChordEditor(ChordValues& values) = 0;
  virtual bool NoteProperties(NotePropertiesValues& values) = 0;
};

}  // namespace nv::document
