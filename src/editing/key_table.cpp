// The score control's keys: cursor moves, page turns, the edit commands on
// the selection, the clipboard and undo. A key the table takes is used up
// (set to 0), even where its command does nothing; the others go on to
// OnKeyDown.
#include "model/music_score.h"
#include "model/row.h"

namespace {

// Previewed pages are only looked at: the arrows scroll by 10 pixels and
// Home and End go to the ends of both bars.
bool PreviewKey(TECMusicScore& score, std::uint16_t key) {
  using Bar = TECScrollBarKind;
  switch (key) {
    case vk::Left:
    case vk::Right:
      score.ScrollTo(Bar::sbHorizontal, score.HorzScrollBar.Position + (key == vk::Left ? -10 : 10));
      return true;
    case vk::Up:
    case vk::Down:
      score.ScrollTo(Bar::sbVertical, score.VertScrollBar.Position + (key == vk::Up ? -10 : 10));
      return true;
    case vk::Home:
    case vk::End:
      score.ScrollTo(Bar::sbHorizontal, key == vk::Home ? 0 : score.HorzScrollBar.Max);
      score.ScrollTo(Bar::sbVertical, key == vk::Home ? 0 : score.VertScrollBar.Max);
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
    case vk::Backspace:
    case vk::Delete: score.DeleteAtCursor(key == vk::Backspace); return true;
    case vk::PageUp: score.SetActivePage(ctrl ? 0 : score.GetActivePage() - 1); return true;
    case vk::PageDown: score.SetActivePage(ctrl ? score.PageCount() - 1 : score.GetActivePage() + 1); return true;
    case vk::Home:
    case vk::End:
      if (row == nullptr) return true;
      if (key == vk::Home)
        ctrl ? row->GoToPageStart() : row->GoToSystemStart();
      else
        ctrl ? row->GoToPageEnd() : row->GoToSystemEnd();
      return true;
    case vk::Left:
    case vk::Right: {
      const int delta = key == vk::Left ? -1 : 1;
      if (ctrl)
        shift ? score.NudgeSelection(delta) : score.MoveSelectionHorz(delta);
      else if (alt)
        shift ? score.ExtendSpanners(delta) : score.ResizeSelection(delta);
      else if (row != nullptr)
        key == vk::Left ? row->CursorToPreviousEvent(shift) : row->CursorToNextEvent(shift);
      return true;
    }
    case vk::Up:
    case vk::Down: {
      const bool up = key == vk::Up;
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
    case 'C':
      if (ctrl) score.CopyToClipboard();
      return true;
    case 'V':
      if (ctrl) score.PasteFromClipboard();
      return true;
    case 'X':
      if (ctrl) score.CutToClipboard();
      return true;
    case 'Z':
      if (ctrl) shift ? score.Redo(1) : score.Undo(1);
      return true;
    case vk::PadPlus:
    case vk::PadMinus:
      if (score.VelocityMode() == 1) score.ChangeSelectionVelocity(key == vk::PadPlus ? 1 : -1);
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
