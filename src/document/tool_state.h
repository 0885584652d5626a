#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/notice.h"
#include "document/tool_buttons.h"

class TECPageObject;

namespace nv::document {

struct ProgramSettings;
class ToolSink;

// A palette up-down: its bounds, the position it starts with, and whether
// stepping past one end goes to the other.
struct ToolUpDown {
  int Min = 0;
  int Max = 0;
  int Start = 0;
  bool Wrap = false;
  int Position = 0;

  // Out-of-range values are kept to the bounds.
  void Set(int value);
  void Step(int delta);
};

enum class UpDownId { Treole, Tremolo, RepeatBar, RepeatNote, KTreole, KTremolo };
inline constexpr int kUpDownCount = 6;

// The insertion tool as the tool pages hold it: the active page, the char
// buttons down, the palette up-downs and the tool values of the settings.
// There is no tool variable: the score-click dispatcher and the key
// handler read this state, and every change of the chosen tool goes out
// through the sink (to the active document; with none only the buttons
// change). The palette pages show the down states and forward clicks;
// their buttons never toggle on their own.
class ToolState {
 public:
  // The up-downs and the reset buttons take their values from `settings`,
  // which must outlive the state; no tool is chosen.
  explicit ToolState(ProgramSettings& settings);

  ProgramSettings& Settings() { return settings_; }
  const ProgramSettings& Settings() const { return settings_; }
  // Writes the up-down positions and the reset buttons back to the settings.
  void StoreSettings() const;

  void SetSink(ToolSink* sink) { sink_ = sink; }
  // Whether a document tab is active: only then do the score's calls go out.
  void SetDocumentActive(bool active) { documentActive_ = active; }
  bool DocumentActive() const { return documentActive_; }

  // Set while the design page's font name or size box has the focus: the
  // page's letters then go to the box, not to the tools.
  void SetEditingText(bool editing) { editingText_ = editing; }
  bool EditingText() const { return editingText_; }

  ToolPage ActivePage() const { return page_; }
  // Makes `page` active (the "ToolsActive" setting) and derives its tool.
  void SetActivePage(ToolPage page);

  // --- buttons -----------------------------------------------------------
  bool IsDown(std::string_view name) const;
  // The buttons down, in the order of ToolButtons().
  std::vector<std::string_view> DownButtons() const;
  // Sets one button's state as its group allows; no click handler runs.
  void SetDown(std::string_view name, bool down);
  // The user clicks the button: it toggles (a button down goes up when its
  // group allows all up), then its click handler runs.
  void Click(std::string_view name);
  // Puts the button down, then runs its click handler.
  void Press(std::string_view name);
  // Puts the button up, then runs its click handler.
  void Release(std::string_view name);
  // A term button of the expressions page with its text.
  void ClickTerm(std::string text);
  // The term last chosen; empty when none.
  const std::string& CurrentTerm() const { return term_; }
  // A library symbol of the expanded page, as its drawing objects (owned by
  // the library, which outlives the choice).
  void ClickLibrarySymbol(std::vector<const TECPageObject*> objects);
  const std::vector<const TECPageObject*>& LibrarySymbol() const { return librarySymbol_; }

  ToolUpDown& UpDown(UpDownId id) { return upDowns_[static_cast<int>(id)]; }
  const ToolUpDown& UpDown(UpDownId id) const { return upDowns_[static_cast<int>(id)]; }
  // Steps an up-down; the buttons that show it repaint.
  void StepUpDown(UpDownId id, int delta);

  // --- the operations of the tool pages ------------------------------------
  void ToolFromPalette();
  // Notes page: exactly `name` down among the pointer, the eraser and the
  // buttons of the notes panel.
  void PressNoteButton(std::string_view name);
  // Releases the pointer, the eraser and the single tools of the notes
  // panel, keeping the note values (and the rests when `keepRests`).
  void PressModifierButton(std::string_view name, bool keepRests);
  bool IsDurationToolDown() const;
  bool IsNoteModifierDown() const;
  void ReleaseSymbolButtons();
  void ReleaseExpandedButtons();
  // Accidentals, dots, articulations, tremolo, tuplet and bracket go up;
  // the tool follows.
  void ReleaseNoteModifiers();
  // After an insertion: when the active page's reset button is down, its
  // pointer is chosen again.
  void ApplyResetRule();
  // The pointer of the notes page, no tool, no ghost note.
  void FallBackToPointer();

  std::uint8_t RehearsalMarkStyle() const;
  // 1 while the note-style button is down, else 0.
  int CurrentNoteStyle() const;
  // The drum style chosen, an index into a library of `libraryCount`
  // styles; none when it lies past the end.
  std::optional<int> CurrentDrumStyle(int libraryCount) const;
  void SetMeasurePause(int count);

  // The cursor of the whole screen (the score asks for it).
  void SetToolCursor(const std::string& name);
  // The piano keyboard's cursor: a name is loaded once while it stays the
  // same; "" gives the default and forgets the name.
  void SetKeyboardCursor(const std::string& name);
  // The mouse over the piano keys (`over`), at the keyboard's duration
  // position 0..6 (whole .. sixty-fourth).
  void KeyboardTrackMouse(bool over, int position);

  // Raised after anything the palette pages show changed.
  Notice<> Changed;

 private:
  // SetDown without the notice, for the operations that raise it once.
  void Put(std::string_view name, bool down);
  void RunClick(const ToolButton& button);
  void ClickModifier(const ToolButton& button, bool down, std::string_view name);
  void ClickPointer(std::string_view name);
  void ClickDesign(std::string_view name);
  void ReleaseSymbolPointer();
  std::string ToolNameOf(const ToolButton& button) const;
  void NotesFromPalette();
  void SymbolsFromPalette();
  bool Down(int index) const { return index >= 0 && down_[index]; }

  // What goes to the score, only while a document is active.
  void Tool(std::string_view name);
  void Ghost(bool on);
  void InsertFlag(bool on);
  void Duration(int value);

  ProgramSettings& settings_;
  ToolSink* sink_ = nullptr;
  bool documentActive_ = false;
  bool editingText_ = false;
  ToolPage page_ = ToolPage::Notes;
  std::vector<bool> down_;
  std::array<ToolUpDown, kUpDownCount> upDowns_;
  std::string term_;
  std::vector<const TECPageObject*> librarySymbol_;
  std::string keyboardCursor_;
};

}  // namespace nv::document
