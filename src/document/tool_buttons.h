#pragma once

#include <span>
#include <string_view>

namespace nv::document {

// The pages of the tool page control, in tab order; the index is the
// "ToolsActive" setting.
enum class ToolPage {
  Notes = 0,
  Symbols = 1,
  Expanded = 2,
  Expressions = 3,
  Chords = 4,
  Design = 5,
  Piano = 6,
  Guitar = 7,
  Modify = 8,
  Navigator = 9,
};
inline constexpr int kToolPageCount = 10;

// The control a char button sits on: a page itself or the scroll panel of
// its tools. Buttons of one group are exclusive only on the same parent.
enum class ToolPanel { TSNotes, SPNotes, TSSymbols, SPSymbols, TSExpanded, TSTerms, TSDesign, SPDesign, TSKeyboard };

// What a button's click does (ToolState runs it).
enum class ClickFamily {
  None,        // only toggles (the design page's drawing tools, the piano's value buttons)
  NoteValue,   // chooses a note value
  RestValue,   // chooses a rest value
  Modifier,    // accidental, dot, articulation ... alone or with a value
  Tuplet,      // a modifier without a tool name of its own
  Bracket,     // a modifier only while the pointer is down
  SingleTool,  // one tool of the notes page that stays pressed
  RepeatSign,  // a repeat sign tool
  BarTool,     // a bar-line tool: no ghost note, the insert flag
  Symbol,      // a symbol of the symbols page
  Pointer,     // a page's pointer or reset button
  Design,      // the design page's text, comment and picture tools
};

struct ToolButton {
  std::string_view Name;
  ToolPage Page;
  ToolPanel Parent;
  int GroupIndex;
  bool AllowAllUp;
  bool DownAtStart;
  std::string_view Hint;
  // The cursor shown after the click; empty when the button has none or
  // derives it (the clef and microtone buttons).
  std::string_view ToolName;
  ClickFamily Family;
  // Note and rest values: 1/128 of a whole note.
  int Duration;
};

// Every char button of the tool pages, each page in the order of its buttons.
std::span<const ToolButton> ToolButtons();
// Null for a name that is no tool button.
const ToolButton* FindToolButton(std::string_view name);
// The index of a button in ToolButtons(); -1 for an unknown name.
int ToolButtonIndex(std::string_view name);

}  // namespace nv::document
