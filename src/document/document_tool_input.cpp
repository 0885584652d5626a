#include "document/document_tool_input.h"

#include "document/score_document.h"

namespace nv::document {

DocumentToolInput::DocumentToolInput(ScoreDocument& document, ToolState& tools, InsertDialogs& dialogs, ClickHost& host)
    : edits_(document.Score()), inserter_(tools, edits_, dialogs, host) {
  DocumentNotices& notices = document.Notices();
  scoreClick_ = notices.ScoreClick.Subscribe([this](int line) { inserter_.ScoreClick(line); });
  noteClick_ =
      notices.NoteClick.Subscribe([this](TECElement* element, int line) { inserter_.NoteClick(element, line); });
  // Undo and redo replace the measures they restore, with their notes.
  changed_ = notices.Changed.Subscribe([this] { inserter_.ForgetSlurStart(); });
  undone_ = notices.UndoChanged.Subscribe([this] { inserter_.ForgetSlurStart(); });
  redone_ = notices.RedoChanged.Subscribe([this] { inserter_.ForgetSlurStart(); });
}

}  // namespace nv::document
