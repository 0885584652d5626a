#include "editor/score_tool_sink.h"

#include <QApplication>

#include "editor/tool_cursors.h"
#include "widgets/score_control.h"

namespace nv::editor {

ScoreToolSink::~ScoreToolSink() { RestoreScreenCursor(); }

nv::widgets::ScoreControl* ScoreToolSink::Score() const {
  return targets_.ActiveScore ? targets_.ActiveScore() : nullptr;
}

void ScoreToolSink::SetCurrentTool(const std::string& name) {
  nv::widgets::ScoreControl* control = Score();
  if (control == nullptr) return;
  control->SetToolCursor(ToolCursors::Cursor(name));
  control->Score().SetCursor(name.empty() ? crDefault : kToolCursor);
}

void ScoreToolSink::SetToolCursor(const std::string& name) {
  if (name.empty() || Score() == nullptr) {
    RestoreScreenCursor();
    return;
  }
  if (overriding_) {
    QApplication::changeOverrideCursor(ToolCursors::Cursor(name));
  } else {
    QApplication::setOverrideCursor(ToolCursors::Cursor(name));
    overriding_ = true;
  }
}

void ScoreToolSink::RestoreScreenCursor() {
  if (!overriding_) return;
  QApplication::restoreOverrideCursor();
  overriding_ = false;
}

void ScoreToolSink::SetKeyboardCursor(const std::string& name) {
  if (QWidget* keyboard = targets_.Keyboard ? targets_.Keyboard() : nullptr)
    keyboard->setCursor(ToolCursors::Cursor(name));
}

// A press with the ghost note hits the element under it (a modifier then
// applies to that note); only the insert flag skips the hit test.
void ScoreToolSink::SetScoreNoteCursor(bool on) {
  if (nv::widgets::ScoreControl* control = Score()) {
    control->SetNoteCursor(on);
    control->Score().InsertToolActive = false;
  }
}

void ScoreToolSink::SetNoteDuration(int value) {
  if (Score() != nullptr && targets_.NoteLength) targets_.NoteLength(value);
}

void ScoreToolSink::SetScoreInsertFlag(bool on) {
  if (nv::widgets::ScoreControl* control = Score()) control->Score().InsertToolActive = on;
}

}  // namespace nv::editor
