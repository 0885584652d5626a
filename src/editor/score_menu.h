#pragma once

#include <array>
#include <string>
#include <vector>

class TECMusicScore;

namespace nv::editor {

// The commands of the score's context menu that the document window adds
// to the registry under these ids; cut, copy, paste, delete and the row
// commands are the program's own.
namespace score_menu {
inline constexpr const char* kEditNotes = "element.edit_notes";
inline constexpr const char* kEditText = "element.edit_text";
inline constexpr const char* kEditComment = "element.edit_comment";
inline constexpr const char* kEditTempo = "element.edit_tempo";
inline constexpr const char* kEditGraceNotes = "element.edit_grace_notes";
inline constexpr const char* kEditImage = "element.edit_image";
inline constexpr const char* kEditBarre = "element.edit_barre";
inline constexpr const char* kEditChord = "element.edit_chord";
inline constexpr const char* kSaveChord = "chord.save";
inline constexpr const char* kSaveSymbol = "symbol.save";
inline constexpr const char* kPoint = "tools.point";
// Whole, 1/2, ... 1/64.
inline constexpr std::array<const char*, 7> kDurations = {"duration.whole",  "duration.half", "duration.quarter",
                                                          "duration.eighth", "duration.16th", "duration.32nd",
                                                          "duration.64th"};
inline constexpr const char* kCut = "edit.cut";
inline constexpr const char* kCopy = "edit.copy";
inline constexpr const char* kPaste = "edit.paste";
inline constexpr const char* kDelete = "edit.delete";
inline constexpr const char* kAddRow = "row.add";
inline constexpr const char* kDuplicateRow = "row.duplicate";
inline constexpr const char* kDeleteRow = "row.delete";
inline constexpr const char* kRowProperties = "row.properties";
inline constexpr const char* kRowAlignment = "row.alignment";
inline constexpr const char* kBarUnion = "bar.union";
// Items of the menu that are never shown.
inline constexpr const char* kIncPageCount = "pages.increment";
inline constexpr const char* kDecPageCount = "pages.decrement";
}  // namespace score_menu

// What of the main window's tool pages the score menu shows by.
struct ToolPagesState {
  enum class Page { Notes, Symbols, Other };
  Page page = Page::Other;
  bool pointNotesDown = false;
  bool pointSymbolsDown = false;
  // The note and the rest value down, 0 whole .. 6 1/64, -1 none.
  int noteValue = -1;
  int restValue = -1;
};

// One entry of the score menu, in menu order.
struct ScoreMenuItem {
  enum Kind { kCommand, kSeparator, kSubmenu, kEndSubmenu };
  Kind kind = kCommand;
  // The command's id; empty for separators and the ends of submenus.
  std::string id;
  // The submenu's caption ("Duration").
  std::string caption;
  bool visible = true;
};

// The score menu as the score's selection and the tool pages leave it:
// the editors of what is selected, saving it as chord or symbol, the point
// tool and the durations, the clipboard and the row commands, and the
// hidden page-count items.
std::vector<ScoreMenuItem> ScoreMenuItems(const TECMusicScore& score, const ToolPagesState& tools);

// The button a duration item (0 whole .. 6 1/64) presses: its note value
// when any note value is down, else its rest value.
struct ValueButton {
  bool rest = false;
  int value = 0;
  bool operator==(const ValueButton&) const = default;
};
ValueButton DurationItemButton(int item, const ToolPagesState& tools);
// Checked while its note or its rest value is down.
bool DurationItemChecked(int item, const ToolPagesState& tools);

}  // namespace nv::editor
