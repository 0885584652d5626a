#pragma once

#include <string>

namespace nv::document {

// What the tool state tells the windows: the active document's score
// (cursor, ghost note, insert flag, the piano roll's note length) and the
// piano keyboard's cursor. The main window implements it; tests record it.
class ToolSink {
 public:
  virtual ~ToolSink() = default;
  // The score control's cursor: the tool's cursor, or the default for "".
  virtual void SetCurrentTool(const std::string& name) = 0;
  // The cursor of the whole screen, the same way, while a document tab is active.
  virtual void SetToolCursor(const std::string& name) = 0;
  // The piano keyboard's cursor; "" gives the default.
  virtual void SetKeyboardCursor(const std::string& name) = 0;
  // The ghost note that follows the mouse.
  virtual void SetScoreNoteCursor(bool on) = 0;
  // The length of notes drawn in the piano roll, 1/128 of a whole; 0 none.
  virtual void SetNoteDuration(int value) = 0;
  // The score's insert-tool flag (a press inserts, without a hit test).
  virtual void SetScoreInsertFlag(bool on) = 0;
};

}  // namespace nv::document
