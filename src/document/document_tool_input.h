#pragma once

#include "document/click_insert.h"
#include "document/notice.h"
#include "document/score_edits.h"

namespace nv::document {

class ScoreDocument;

// Click-to-insert for one document: the clicks of its score go to the
// dispatcher, and every change of the score forgets a slur's first note,
// which an undo, erase or re-flow may have freed.
class DocumentToolInput {
 public:
  DocumentToolInput(ScoreDocument& document, ToolState& tools, InsertDialogs& dialogs, ClickHost& host);

  ClickInserter& Inserter() { return inserter_; }
  // The score's editing calls the clicks and the piano and guitar pages make.
  ScoreEdits& Edits() { return edits_; }

 private:
  ScoreEditCalls edits_;
  ClickInserter inserter_;
  Subscription scoreClick_;
  Subscription noteClick_;
  Subscription changed_;
  Subscription undone_;
  Subscription redone_;
};

}  // namespace nv::document
