// The score control's keys: cursor moves, page turns, the edit commands on
// the selection, the clipboard and undo. A key the table takes is used up
// (set to 0), even where its command does nothing; the others go on to
// OnKeyDown.
#include "model/music_score.h"
#include "model/row.h"

namespace {

constexpr std::uint16_t kBackspace = 8;
constexpr std::uint16_t kPageUp = 33;
constexpr std::uint16_t kPageDown = 34;
constexpr std::uint16_t kEnd = 35;
constexpr std::uint16_t kHome = 36;
constexpr std::uint16_t kLeft = 37;
constexpr std::uint16_t kUp = 38;
constexpr std::uint16_t kRight = 39;
constexpr std::uint16_t kDown = 40;
constexpr std::uint16_t kDelete = 46;
constexpr std::uint16_t kC = 67;
constexpr std::uint16_t kV = 86;
constexpr std::uint16_t kX = 88;
constexpr std::uint16_t kZ = 90;
constexpr std::uint16_t kPadPlus = 107;
constexpr std::uint16_t kPadMinus = 109;

// Previewed pages are only looked at: the arrows scroll by 10 pixels and
// Home and End go to the ends of both bars.
bool PreviewKey(TECMusicScore& score, std::uint16_t key) {
  using Bar = TECScrollBarKind;
  switch (key) {
    case kLeft:
    case kRight:
      score.ScrollTo(Bar::sbHorizontal, score.HorzScrollBar.Position + (key == kLeft ? -10 : 10));
      return true;
    case kUp:
    case kDown:
      score.ScrollTo(Bar::sbVertical, score.VertScrollBar.Position + (key == kUp ? -10 : 10));
      return true;
    case kHome:
    case kEnd:
      score.ScrollTo(Bar::sbHorizontal, key == kHome ? 0 : score.HorzScrollBar.Max);
      score.ScrollTo(Bar::sbVertical, key == kHome ? 0 : score.VertScrollBar.Max);
      return true;
    default: return false;
  }
}

// Runs the key's command; false for a key not in the table.
bool RunKey(TECMusicScore& score, std::uint16_t key, TECShiftState state) {
  const bool ctrl = (state & ssCtrl) != 0;
  const bool alt = (state & ssAlt) != 0;
  const bool shift = (state & ssShift) != 0;
  if (score.GetStyle() == TScoreStyle::ssPreviewPages && PreviewKey(score, key)) return true;
  TECRow* row = score.CurrentRow();
  switch (key) {
    case kBackspace:
    case kDelete: score.DeleteAtCursor(key == kBackspace); return true;
    case kPageUp: score.SetActivePage(ctrl ? 0 : score.GetActivePage() - 1); return true;
    case kPageDown: score.SetActivePage(ctrl ? score.PageCount() - 1 : score.GetActivePage() + 1); return true;
    case kHome:
    case kEnd:
      if (row == nullptr) return true;
      if (key == kHome)
        ctrl ? row->GoToPageStart() : row->GoToSystemStart();
      else
        ctrl ? row->GoToPageEnd() : row->GoToSystemEnd();
      return true;
    case kLeft:
    case kRight: {
      const int delta = key == kLeft ? -1 : 1;
      if (ctrl)
        shift ? score.NudgeSelection(delta) : score.MoveSelectionHorz(delta);
      else if (alt)
        shift ? score.ExtendSpanners(delta) : score.ResizeSelection(delta);
      else if (row != nullptr)
        key == kLeft ? row->CursorToPreviousEvent(shift) : row->CursorToNextEvent(shift);
      return true;
    }
    case kUp:
    case kDown: {
      const bool up = key == kUp;
      if (ctrl && alt)
        score.SetCursorPitch(score.CursorPitch() + (up ? 1 : -1));
      else if (ctrl)
        shift ? score.MoveActiveRow(up ? -1 : 1) : score.MoveSelectionVert(up ? 1 : -1);
      else if (alt)
        score.ReshapeSelection(up ? -1 : 1);
      else if (shift)
        score.SetStemDirection(up ? -1 : 1);
      else if (row != nullptr)
        up ? row->CursorUp() : row->CursorDown();
      return true;
    }
    case kC:
      if (ctrl) score.CopyToClipboard();
      return true;
    case kV:
      if (ctrl) score.PasteFromClipboard();
      return true;
    case kX:
      if (ctrl) score.CutToClipboard();
      return true;
    case kZ:
      if (ctrl) shift ? score.Redo(1) : score.Undo(1);
      return true;
    case kPadPlus:
    case kPadMinus:
      if (score.VelocityMode() == 1) score.ChangeSelectionVelocity(key == kPadPlus ? 1 : -1);
      return true;
    default: return false;
  }
}

}  // namespace

void TECMusicScore::KeyDown(std::uint16_t& key, TECShiftState shift) {
  if (RunKey(*this, key, shift)) {
    key = 0;
    return;
  }
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
