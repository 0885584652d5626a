#include "support/edit_harness.h"

#include <gtest/gtest.h>

#include "document/score_services.h"
#include "editing/element_places.h"
#include "model/score_builder.h"
#include "platform/recording_canvas.h"

namespace edit_harness {
namespace {

// The score core's services (those of the program without its Qt
// backends) serve every score of the tests.
const bool servicesInstalled = (nv::document::InstallScoreServices(), true);

int StepCount(const TECMusicScore& score) { return score.UndoCount(); }

}  // namespace

EditFixture::EditFixture(int rows, int measures) : score_(std::make_unique<TECMusicScore>()) {
  (void)servicesInstalled;
  score_->LayoutSuspended = true;
  score_->SetTimeSignature(4, 4, 0, true);
  TECInstrument* instrument = score_->AppendInstrument();
  for (int r = 0; r < rows; ++r) {
    TECRow* row = instrument->AppendRow();
    for (int m = 0; m < measures; ++m) row->AddMeasure();
  }
  score_->SetStartBarNumber(1);
  score_->LayoutSuspended = false;
  score_->SetLockUndo(false);
}

TECNote* EditFixture::Note(int r, int m, int step, int octave, int value, int start, int voice) {
  TECNote* note = score_builder::AddNote(measure(m, r), step, octave, value, start, voice);
  row(r).RebuildUnions(&measure(m, r), false, false);
  return note;
}

TECRest* EditFixture::Rest(int r, int m, int value, int start, int voice) {
  return score_builder::AddRest(measure(m, r), value, start, voice);
}

TECNote* EditFixture::Enter(int r, int m, int tick, int step, int octave, int duration) {
  ScopedUndoLock lock(*score_);
  instrument().SetActiveRow(r);
  score_->GoToMeasureExtending(m);
  score_->SetCursorPosition(tick);
  return row(r).InsertNote(step, octave, false, 0, 0, 0, {}, duration);
}

void EditFixture::Paint() {
  score_->LayoutScore(0, false);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(800, 600));
  score_->DrawPage(canvas, score_->GetZoom(), score_->GetZoom());
}

void EditFixture::SetBox(TECElement& element, int left, int top, int right, int bottom) {
  element.Box = {left, top, right, bottom};
}

EventRecorder::EventRecorder(TECMusicScore& score) : score_(score) {
  score_.SetHost(this);
  score_.OnChanged = [this](TECModelObject*) { ++changed; };
  score_.OnSelectedChanged = [this](TECModelObject*) { ++selectedChanged; };
}

EventRecorder::~EventRecorder() {
  score_.SetHost(nullptr);
  score_.OnChanged = nullptr;
  score_.OnSelectedChanged = nullptr;
}

void EventRecorder::Reset() {
  changed = selectedChanged = invalidatedAll = 0;
  invalidated.clear();
}

void ExpectSelectionHeld(const TECMusicScore& score) {
  for (const TECSelected& entry : score.Selection)
    for (const TECElement* element : entry.Elements)
      EXPECT_TRUE(nv::editing::HoldsRecord(score, score.SelectedRow, entry.Measure, element))
          << "a selected record of measure " << entry.Measure << " is no longer held by the model";
  if (score.ClickedElement != nullptr) {
    EXPECT_TRUE(nv::editing::HeldAnywhere(score, score.ClickedElement)) << "ClickedElement is no longer held by the model";
  }
}

void RunStep(EditFixture& fixture, const StepCase& step) {
  SCOPED_TRACE(step.name);
  TECMusicScore& score = fixture.score();
  if (step.setUp) step.setUp(score);
  // Derived fields (clef and key in force) are current before the
  // comparison, as undo leaves them laid out.
  score.LayoutScore(score.GetActivePage(), false);
  EventRecorder events(score);
  const SavedScore before(score);
  const int steps = StepCount(score);
  step.action(score);
  ExpectSelectionHeld(score);
  const SavedScore after(score);
  switch (step.expect.what) {
    case StepExpect::What::Refused:
      EXPECT_EQ(StepCount(score), steps);
      EXPECT_EQ(after, before);
      EXPECT_EQ(events.changed, 0);
      return;
    case StepExpect::What::NoStep:
      EXPECT_EQ(StepCount(score), steps);
      return;
    case StepExpect::What::Recorded:
      break;
  }
  ASSERT_EQ(StepCount(score), steps + 1);
  EXPECT_EQ(score.GetUndoStep(score.UndoCount() - 1)->Kind, step.expect.kind);
  EXPECT_GE(events.changed, 1);
  EXPECT_FALSE(after == before) << "a recorded step changed nothing";
  score.Undo(1);
  ExpectSelectionHeld(score);
  EXPECT_EQ(SavedScore(score), before) << "undo";
  score.Redo(1);
  EXPECT_EQ(SavedScore(score), after) << "redo";
  score.Undo(1);
  EXPECT_EQ(SavedScore(score), before) << "undo after redo";
}

void RunScript(const std::function<std::unique_ptr<EditFixture>()>& make,
               const std::vector<std::function<void(TECMusicScore&)>>& actions) {
  auto recorded = make();
  TECMusicScore& score = recorded->score();
  score.LayoutScore(score.GetActivePage(), false);
  const SavedScore start(score);
  const int steps = score.UndoCount();
  for (const auto& action : actions) {
    action(score);
    ExpectSelectionHeld(score);
  }
  const SavedScore end(score);
  const int taken = score.UndoCount() - steps;
  score.Undo(taken);
  EXPECT_EQ(SavedScore(score), start) << "the script undone whole";
  score.Redo(taken);
  EXPECT_EQ(SavedScore(score), end) << "the script redone whole";

  auto locked = make();
  TECMusicScore& quiet = locked->score();
  quiet.LayoutScore(quiet.GetActivePage(), false);
  const int quietSteps = quiet.UndoCount();
  {
    ScopedUndoLock lock(quiet);
    for (const auto& action : actions) action(quiet);
  }
  EXPECT_EQ(quiet.UndoCount(), quietSteps) << "a step recorded under LockUndo";
  EXPECT_EQ(SavedScore(quiet), end) << "the script under LockUndo";
}

}  // namespace edit_harness
