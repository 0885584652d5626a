#pragma once

#include <memory>

#include "platform/canvas.h"

class TECInstrument;
class TECMusicScore;
class TECPageObject;

namespace nv::render {

// Paints the drawing objects of library templates (kinds 61..68, stored
// from the corner of their box) on any canvas, through the page-object
// painters: for the symbol buttons and the symbol list's preview. It owns
// the empty score the painters measure fonts and decode pictures with.
class LibraryItemPainter {
 public:
  LibraryItemPainter();
  ~LibraryItemPainter();
  LibraryItemPainter(const LibraryItemPainter&) = delete;
  LibraryItemPainter& operator=(const LibraryItemPainter&) = delete;

  // Draws `object` with its box corner at (x, y), its coordinates, font
  // sizes and pen widths times the scales (1/10000), in its own colours or,
  // for the shadow, all grey.
  void Paint(nv::platform::Canvas& canvas, TECPageObject& object, int x, int y, bool shadow, int horizontalScale,
             int verticalScale);

 private:
  std::unique_ptr<TECMusicScore> score_;
  std::unique_ptr<TECInstrument> instrument_;
};

}  // namespace nv::render
