#include "dialogs/logic/palette_placement.h"

#include <algorithm>

namespace nv::dialogs {

using nv::platform::Point;
using nv::platform::Rect;
using nv::platform::Size;

Point PlacePalette(PalettePlacement placement, Point anchor, int anchorHeight, Size palette,
                   const Rect& available) {
  Point at = anchor;
  if (placement == PalettePlacement::GridCell) at.x = anchor.x - palette.width;
  if (placement != PalettePlacement::TextDialogColor && at.x + palette.width > available.right)
    at.x = available.right - palette.width;
  switch (placement) {
    case PalettePlacement::MainWindow:
    case PalettePlacement::MainWindowTopZero:
    case PalettePlacement::TextDialogColor:
      if (at.y + palette.height > available.bottom - 20) at.y = anchor.y - (anchorHeight + palette.height);
      break;
    case PalettePlacement::DialogButton:
      if (at.y + palette.height > available.bottom) at.y = anchor.y - (anchorHeight + palette.height);
      break;
    case PalettePlacement::GridCell:
      if (at.y + palette.height > available.bottom) at.y = anchor.y - palette.height - 18;
      break;
  }
  // A palette partly off the screen cannot be reached there: every variant
  // keeps it inside, its top first when it is taller than the screen.
  at.x = std::max(std::min(at.x, available.right - palette.width), available.left);
  at.y = std::max(std::min(at.y, available.bottom - palette.height), available.top);
  return at;
}

}  // namespace nv::dialogs
