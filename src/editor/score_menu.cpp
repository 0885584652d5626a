#include "editor/score_menu.h"

#include "model/music_score.h"

namespace nv::editor {

namespace {

using Page = ToolPagesState::Page;

ScoreMenuItem Command(const char* id, bool visible = true) { return {ScoreMenuItem::kCommand, id, "", visible}; }
ScoreMenuItem Separator(bool visible) { return {ScoreMenuItem::kSeparator, "", "", visible}; }

}  // namespace

std::vector<ScoreMenuItem> ScoreMenuItems(const TECMusicScore& score, const ToolPagesState& tools) {
  namespace m = score_menu;
  auto has = [&score](int kind, int kind2) { return score.SelectionHasKind(kind, kind2); };
  const bool text = has(61, 61), image = has(62, 62), comment = has(240, 240), tempo = has(99, 99);
  const bool barre = has(228, 228);
  const bool saveChord = score.SelectionIsChord();
  const bool saveSymbol = has(61, 65);
  const bool point =
      (tools.page == Page::Notes && !tools.pointNotesDown) || (tools.page == Page::Symbols && !tools.pointSymbolsDown);
  const bool duration = tools.page == Page::Notes && (tools.noteValue >= 0 || tools.restValue >= 0);

  std::vector<ScoreMenuItem> items = {
      Command(m::kEditNotes, has(21, 27)),
      Command(m::kEditText, text),
      Command(m::kEditComment, comment),
      Command(m::kEditTempo, tempo),
      Command(m::kEditGraceNotes, has(120, 120)),
      Command(m::kEditImage, image),
      Command(m::kEditBarre, barre),
      Command(m::kEditChord, has(51, 51)),
      Separator(text || image || comment || tempo || barre),
      Command(m::kSaveChord, saveChord),
      Command(m::kSaveSymbol, saveSymbol),
      Separator(saveChord || saveSymbol),
      Command(m::kPoint, point),
      {ScoreMenuItem::kSubmenu, "", "Duration", duration},
  };
  for (const char* id : m::kDurations) items.push_back(Command(id));
  items.push_back({ScoreMenuItem::kEndSubmenu, "", "", duration});
  items.push_back(Separator(point && duration));
  for (const char* id : {m::kCut, m::kCopy, m::kPaste, m::kDelete, m::kAddRow, m::kDuplicateRow, m::kDeleteRow,
                         m::kRowProperties, m::kRowAlignment, m::kBarUnion})
    items.push_back(Command(id));
  for (const char* id : {m::kIncPageCount, m::kDecPageCount}) items.push_back(Command(id, false));
  return items;
}

ValueButton DurationItemButton(int item, const ToolPagesState& tools) { return {tools.noteValue < 0, item}; }

bool DurationItemChecked(int item, const ToolPagesState& tools) {
  return tools.noteValue == item || tools.restValue == item;
}

}  // namespace nv::editor
