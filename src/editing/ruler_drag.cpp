// Dragging the ruler markers: the indents of the cursor's system, its row
// offset and the space after the bar.
#include <optional>

#include "editing/drag_overlay.h"
#include "editing/mouse_regions.h"

namespace nv::editing {
namespace {

bool OnMarker(TECPoint corner, int x, int y) {
  return x >= corner.X && x < corner.X + 8 && y >= corner.Y && y < corner.Y + 8;
}

// Client pixels to length units at the score's zoom.
int Units(const TECMusicScore& score, int pixels) { return pixels * 10000 / score.ZoomFactor(); }

}  // namespace

void PressRulerMarker(TECMusicScore& score, int x, int y) {
  for (const int marker : {3, 1, 2, 4}) {
    const std::optional<TECPoint> corner = score.RulerMarkerCorner(marker);
    if (!corner || !OnMarker(*corner, x, y)) continue;
    score.RulerMarkerStart = marker == 3 ? corner->Y : corner->X;
    ChangeOverlay(score, [&] {
      score.RulerDrag = marker;
      score.LastMouse = {x, y};
    });
    return;
  }
}

void ReleaseRulerMarker(TECMusicScore& score, int x, int y) {
  const int marker = score.RulerDrag;
  ChangeOverlay(score, [&] { score.RulerDrag = 0; });
  const int start = score.RulerMarkerStart;
  // The marker's middle, 4 pixels into it, is where it points.
  switch (marker) {
    case 1: score.ShiftSystemLeftIndent(Units(score, x - start) - 4); break;
    case 2: score.ShiftSystemRightIndent(Units(score, start - x) + 4); break;
    case 3: score.MoveRowInSystem(Units(score, y - start) - 4); break;
    case 4: score.ChangeSpaceAfterBar(Units(score, x - start) + 4); break;
    default: return;
  }
  // The marker is drawn again where its system now puts it.
  if (IECScoreHost* host = score.Host()) {
    const int r = score.RulerSize();
    score.InvalidateClientRect({0, 0, host->ClientWidth(), r});
    score.InvalidateClientRect({0, 0, r, host->ClientHeight()});
  }
}

}  // namespace nv::editing
