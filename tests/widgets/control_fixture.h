#pragma once

#include <QRegion>

#include <gtest/gtest.h>

#include <functional>

#include "model/music_score.h"
#include "widgets/score_control.h"

namespace control_fixture {

// A shown 600 x 400 score control over an A4 page of a 4/4 score of one instrument with
// one row of four measures, undo recording on, laid out and painted once.
struct ShownControl : ::testing::Test {
  ShownControl();
  TECMusicScore& score() { return control.Score(); }
  TECRow& row();
  // Puts a note (step 1..7 = C..B) into measure m as the insertion code
  // would leave it, then lays out and repaints.
  TECNote* Note(int m, int step, int octave, int value, int start);
  // Lays the active page out again and paints what is invalid.
  void Relayout();
  // The client point of a document point.
  QPoint ClientOf(int x, int y);
  // What the control paints while `change` runs and the events it posts
  // are processed.
  QRegion PaintedBy(const std::function<void()>& change);

  nv::document::ScoreDocument document;
  nv::widgets::ScoreControl control{document};
};

}  // namespace control_fixture
