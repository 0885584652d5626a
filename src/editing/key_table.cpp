// The score control's keys: cursor moves, page turns, the edit commands on
// the selection, the clipboard and undo. A key the table takes is used up
// (set to 0), even where its command does nothing; the others go on to
// OnKeyDown.
#include <algorithm>
#include <array>

#include "editing/key_commands.h"

namespace nv::editing {

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

void ChangeVelocity(TECMusicScore& score, int delta) {
  if (score.VelocityMode() == 1) score.ChangeSelectionVelocity(delta);
}

constexpr TECShiftState kNone = 0;
constexpr TECShiftState kCtrlShift = ssCtrl | ssShift;
constexpr TECShiftState kAltShift = ssAlt | ssShift;
constexpr TECShiftState kCtrlAlt = ssCtrl | ssAlt;

using S = TECMusicScore;
// Caption text numbers run in table order from 1.
constexpr auto kTable = std::to_array<KeyCommand>({
    {"edit.delete_before", "Delete Before Cursor", 1, vk::Backspace, kNone, [](S& s) { s.DeleteAtCursor(true); }},
    {"edit.delete", "Delete", 2, vk::Delete, kNone, [](S& s) { s.DeleteAtCursor(false); }},
    {"page.first", "First Page", 3, vk::PageUp, ssCtrl, [](S& s) { s.SetActivePage(0); }},
    {"page.previous", "Previous Page", 4, vk::PageUp, kNone, [](S& s) { s.SetActivePage(s.GetActivePage() - 1); }},
    {"page.last", "Last Page", 5, vk::PageDown, ssCtrl, [](S& s) { s.SetActivePage(s.PageCount() - 1); }},
    {"page.next", "Next Page", 6, vk::PageDown, kNone, [](S& s) { s.SetActivePage(s.GetActivePage() + 1); }},
    {"cursor.page_start", "Start of Page", 7, vk::Home, ssCtrl, [](S& s) { s.NavigateCursor(-4, false); }},
    {"cursor.system_start", "Start of System", 8, vk::Home, kNone, [](S& s) { s.NavigateCursor(-3, false); }},
    {"cursor.page_end", "End of Page", 9, vk::End, ssCtrl, [](S& s) { s.NavigateCursor(4, false); }},
    {"cursor.system_end", "End of System", 10, vk::End, kNone, [](S& s) { s.NavigateCursor(3, false); }},
    {"selection.nudge_left", "Nudge Left", 11, vk::Left, kCtrlShift, [](S& s) { s.NudgeSelection(-1); }},
    {"selection.move_left", "Move to Event Before", 12, vk::Left, ssCtrl, [](S& s) { s.MoveSelectionHorz(-1); }},
    {"selection.shorten_spanner", "Shorten Extension", 13, vk::Left, kAltShift, [](S& s) { s.ExtendSpanners(-1); }},
    {"selection.shorter", "Shorter", 14, vk::Left, ssAlt, [](S& s) { s.ResizeSelection(-1); }},
    {"cursor.select_previous", "Select to Event Before", 15, vk::Left, ssShift,
     [](S& s) { s.NavigateCursor(-1, true); }},
    {"cursor.previous", "Event Before", 16, vk::Left, kNone, [](S& s) { s.NavigateCursor(-1, false); }},
    {"selection.nudge_right", "Nudge Right", 17, vk::Right, kCtrlShift, [](S& s) { s.NudgeSelection(1); }},
    {"selection.move_right", "Move to Event After", 18, vk::Right, ssCtrl, [](S& s) { s.MoveSelectionHorz(1); }},
    {"selection.lengthen_spanner", "Lengthen Extension", 19, vk::Right, kAltShift, [](S& s) { s.ExtendSpanners(1); }},
    {"selection.longer", "Longer", 20, vk::Right, ssAlt, [](S& s) { s.ResizeSelection(1); }},
    {"cursor.select_next", "Select to Event After", 21, vk::Right, ssShift, [](S& s) { s.NavigateCursor(1, true); }},
    {"cursor.next", "Event After", 22, vk::Right, kNone, [](S& s) { s.NavigateCursor(1, false); }},
    {"cursor.pitch_up", "Cursor Pitch Up", 23, vk::Up, kCtrlAlt, [](S& s) { s.SetCursorPitch(s.CursorPitch() + 1); }},
    {"row.move_up", "Move Row Up", 24, vk::Up, kCtrlShift, [](S& s) { s.MoveActiveRow(-1); }},
    {"selection.step_up", "Step Up", 25, vk::Up, ssCtrl, [](S& s) { s.MoveSelectionVert(1); }},
    {"selection.reshape_back", "Reshape Back", 26, vk::Up, ssAlt, [](S& s) { s.ReshapeSelection(-1); }},
    {"selection.stem_up", "Stem Up", 27, vk::Up, ssShift, [](S& s) { s.SetStemDirection(-1); }},
    {"cursor.row_up", "Row Above", 28, vk::Up, kNone, [](S& s) { s.NavigateCursor(-2, false); }},
    {"cursor.pitch_down", "Cursor Pitch Down", 29, vk::Down, kCtrlAlt, [](S& s) { s.SetCursorPitch(s.CursorPitch() - 1); }},
    {"row.move_down", "Move Row Down", 30, vk::Down, kCtrlShift, [](S& s) { s.MoveActiveRow(1); }},
    {"selection.step_down", "Step Down", 31, vk::Down, ssCtrl, [](S& s) { s.MoveSelectionVert(-1); }},
    {"selection.reshape_on", "Reshape On", 32, vk::Down, ssAlt, [](S& s) { s.ReshapeSelection(1); }},
    {"selection.stem_down", "Stem Down", 33, vk::Down, ssShift, [](S& s) { s.SetStemDirection(1); }},
    {"cursor.row_down", "Row Below", 34, vk::Down, kNone, [](S& s) { s.NavigateCursor(2, false); }},
    {"edit.copy", "Copy", 35, 'C', ssCtrl, [](S& s) { s.CopyToClipboard(); }},
    {"edit.paste", "Paste", 36, 'V', ssCtrl, [](S& s) { s.PasteFromClipboard(); }},
    {"edit.cut", "Cut", 37, 'X', ssCtrl, [](S& s) { s.CutToClipboard(); }},
    {"edit.redo", "Redo", 38, 'Z', kCtrlShift, [](S& s) { s.Redo(1); }},
    {"edit.undo", "Undo", 39, 'Z', ssCtrl, [](S& s) { s.Undo(1); }},
    {"selection.velocity_up", "Velocity Up", 40, vk::PadPlus, kNone, [](S& s) { ChangeVelocity(s, 1); }},
    {"selection.velocity_down", "Velocity Down", 41, vk::PadMinus, kNone, [](S& s) { ChangeVelocity(s, -1); }},
});

}  // namespace

std::span<const KeyCommand> ScoreKeyCommands() { return kTable; }

void RunKeyCommand(TECMusicScore& score, const KeyCommand& command) {
  if (score.GetStyle() == TScoreStyle::ssPreviewPages && PreviewKey(score, command.Key)) return;
  command.Run(score);
}

bool CallKeyDown(TECMusicScore& score, std::uint16_t key, TECShiftState shift) {
  score.KeyDown(key, shift);
  return key == 0;
}

}  // namespace nv::editing

void TECMusicScore::KeyDown(std::uint16_t& key, TECShiftState shift) {
  using nv::editing::KeyCommand;
  const auto table = nv::editing::ScoreKeyCommands();
  const auto ofKey = [&](const KeyCommand& command) { return command.Key == key; };
  if (std::any_of(table.begin(), table.end(), ofKey)) {
    const auto match = std::find_if(table.begin(), table.end(), [&](const KeyCommand& command) {
      return ofKey(command) && (shift & command.Modifiers) == command.Modifiers;
    });
    if (match != table.end()) nv::editing::RunKeyCommand(*this, *match);
    key = 0;
    return;
  }
  if (OnKeyDown) OnKeyDown(this, key, shift);
}
