#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/input_state.h"

namespace nv::document {

class ClickInserter;
class ToolState;

// What the key handler of the tool pages reaches besides the tool state.
class ToolKeyHost {
 public:
  virtual ~ToolKeyHost() = default;
  virtual void ShowHelpTopic(const std::string& topic) = 0;
  // The click-to-insert of the active document; null while no document tab is active.
  virtual ClickInserter* ActiveInserter() = 0;
  virtual bool PianoKeyboardHasFocus() const = 0;
  // The piano keyboard's duration position, 0 whole .. 6 sixty-fourth.
  virtual int PianoDurationPosition() const = 0;
  // Hands a key to the active score's own key handling.
  virtual void CallKeyDown(std::uint16_t key, TECShiftState shift) = 0;
};

// The main window's keys before any control sees them: letters and digits
// press the buttons of the active tool page, and Enter or Space followed by
// a digit inserts a note or rest at the cursor without the mouse. Key codes
// are those of vk (letters and digits their upper-case ASCII codes).
class ToolKeys {
 public:
  ToolKeys(ToolState& tools, ToolKeyHost& host);

  // `editingText`: a text is being edited on the design page. True when the
  // key was handed to the score and goes no further; every other key goes
  // on to the focused control.
  bool KeyDown(std::uint16_t key, TECShiftState shift, bool editingText);
  void KeyUp(std::uint16_t key, TECShiftState shift);

  // Enter or Space when the last key was one of them, else 0.
  std::uint16_t Prefix() const { return prefix_; }
  bool InsertOnce() const { return insertOnce_; }

 private:
  void NotesKey(std::uint16_t key, bool plain, std::uint16_t prefix);
  void SymbolsKey(std::uint16_t key, bool plain);
  bool PianoKey(std::uint16_t key, TECShiftState shift);
  void DesignKey(std::uint16_t key);
  void InsertAtCursorKey(std::uint16_t key, std::uint16_t prefix);
  // none -> first -> ... -> last -> none; the last goes up with its click handler.
  void Cycle(std::initializer_list<std::string_view> buttons);
  // Symbols: none -> first -> ... -> last -> the pointer; Shift presses the first once.
  void Walk(std::initializer_list<std::string_view> buttons, bool plain);
  void PressOnce(std::string_view button);

  ToolState& tools_;
  ToolKeyHost& host_;
  std::uint16_t prefix_ = 0;
  bool insertOnce_ = false;
};

}  // namespace nv::document
