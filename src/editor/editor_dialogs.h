#pragma once

#include "dialogs/score_object_openers.h"

namespace nv::editor {

// The dialogs a document window asks through: the score-object dialogs and
// the chord-symbol dialog on the window's chord-name editor.
class EditorDialogs final : public dialogs::ScoreObjectDialogs {
 public:
  using ScoreObjectDialogs::ScoreObjectDialogs;
  bool ChordEditor(document::ChordValues& values) override;
};

}  // namespace nv::editor
