#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/music_score.h"
#include "model/row.h"
#include "model/score_builder.h"

// A one-row 4/4 score and the calls the note entry tests make on it.
class NoteEntry : public ::testing::Test {
 protected:
  void SetUp() override {
    score = score_builder::MakeScore(1, 1);
    score->SetTimeSignature(4, 4, 0, true);
    row = score->GetInstrumentAt(0)->GetRow(0);
  }
  void At(int measure, int tick) {
    score->GoToMeasureExtending(measure);
    score->SetCursorPosition(tick);
  }
  TECNote* Insert(int step, int octave, int duration, TECRow::InsertOptions options = {}, bool rule = false) {
    return row->InsertNote(step, octave, rule, 0, 0, 0, options, duration);
  }
  std::string Cursor() const {
    return std::to_string(score->CursorMeasure()) + ":" + std::to_string(score->CursorTick());
  }
  std::unique_ptr<TECMusicScore> score;
  TECRow* row = nullptr;
};
