#pragma once

#include "platform/geometry.h"

namespace nv::dialogs {

// Where a drop-down palette opens, by who opens it.
enum class PalettePlacement {
  MainWindow,         // under a tool-bar button
  MainWindowTopZero,  // the same, a Top above the screen set to 0 (key, clef, time, font name)
  DialogButton,       // under a dialog's button, above it only past the screen's very bottom
  GridCell,           // under a grid cell, right-aligned on it
  TextDialogColor,    // the text dialog's colour palette: no clamp at the right edge
};

// The palette's top-left corner in screen coordinates. `anchor` is the
// button's bottom-left corner, or for GridCell the cell's bottom-right
// corner, in screen coordinates; `anchorHeight` is the button's height.
// Whatever the variant, the palette ends wholly inside `available` (the
// screen's available area) wherever it fits there.
nv::platform::Point PlacePalette(PalettePlacement placement, nv::platform::Point anchor, int anchorHeight,
                                 nv::platform::Size palette, const nv::platform::Rect& available);

}  // namespace nv::dialogs
