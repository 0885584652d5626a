#pragma once

// The edit-test harness shared by the tests of the editing layer and the
// edit commands built on it.
//
//   EditFixture f(2, 4);                  // 1 instrument, 2 rows of 4 measures, undo on
//   TECNote* n = f.Note(0, 0, 1, 5, 32, 0);   // row 0, measure 0: C, octave 5, quarter at 0
//   f.Paint();                            // lay out, draw: boxes and drawn measures
//   EventRecorder events(f.score());      // OnChanged, OnSelectedChanged, invalidations
//   RunStep(f, {"delete a note", [&](TECMusicScore& s) { s.SelectElement(n, 0); },
//               [](TECMusicScore& s) { s.DeleteSelection(); }, StepExpect::Recorded(16)});
//
// RunStep checks a recorded step (one step of its kind, OnChanged fired,
// Undo, Redo, Undo give the saved bytes before, after, before), a refused
// action (no step, same bytes, no OnChanged) or an action that records no
// step by design, and after the action that every selected record is still
// held by the model.
// RunScript checks that a sequence of actions undoes and redoes whole, and
// that the same sequence under LockUndo ends alike and records nothing.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "support/saved_score.h"

namespace edit_harness {

// A 4/4 score of one instrument with `rows` rows of `measures` measures on
// the default page at 96 dpi and 100 %, undo recording on, bar numbers from 1.
class EditFixture {
 public:
  EditFixture(int rows = 1, int measures = 4);

  TECMusicScore& score() { return *score_; }
  TECInstrument& instrument() { return *score_->CurrentInstrument(); }
  TECRow& row(int r = 0) { return *instrument().GetRow(r); }
  TECMeasure& measure(int m, int r = 0) { return *row(r).GetMeasure(m); }

  // Puts a note (step 1..7 = C..B) or rest into a measure as the insertion
  // code would leave it, beams rebuilt.
  TECNote* Note(int r, int m, int step, int octave, int value, int start, int voice = 0);
  TECRest* Rest(int r, int m, int value, int start, int voice = 0);
  // Enters a note at the cursor through the row's insertion (undo locked).
  TECNote* Enter(int r, int m, int tick, int step, int octave, int duration);

  // Lays the score out from page 0 and draws the active page on a recording
  // canvas, which writes every painted box back and records the drawn
  // measures that hit testing reads.
  void Paint();
  // Sets a box by hand where a painter draws nothing yet.
  static void SetBox(TECElement& element, int left, int top, int right, int bottom);

 private:
  std::unique_ptr<TECMusicScore> score_;
};

// Records what the score reports: change and selection notices and the
// areas it asks its window to repaint.
class EventRecorder : public IECScoreHost {
 public:
  explicit EventRecorder(TECMusicScore& score);
  ~EventRecorder() override;
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;

  void Reset();
  int changed = 0;
  int selectedChanged = 0;
  int invalidatedAll = 0;
  std::vector<TECRect> invalidated;

  void InvalidateRect(const TECRect& area) override { invalidated.push_back(area); }
  void InvalidateAll() override { ++invalidatedAll; }
  void SetCaretVisible(bool) override {}
  void SetMouseCursor(int) override {}
  void SetScoreSize(int, int) override {}
  int ClientWidth() const override { return 800; }
  int ClientHeight() const override { return 600; }
  int VerticalBarWidth() const override { return 16; }
  int HorizontalBarHeight() const override { return 16; }
  bool Enabled() const override { return true; }
  void SetScrollBar(TECScrollBarKind, const TECScrollBar&) override {}
  TECRect ScrollContents(const TECRect& area, int, int) override { return area; }
  void RepaintNow() override {}

 private:
  TECMusicScore& score_;
};

// What an action is expected to leave.
struct StepExpect {
  enum class What { Recorded, Refused, NoStep };
  What what = What::Refused;
  int kind = 0;
  static StepExpect Recorded(int kind) { return {What::Recorded, kind}; }
  static StepExpect Refused() { return {What::Refused, 0}; }
  // Changes the score by design without an undo step.
  static StepExpect NoStep() { return {What::NoStep, 0}; }
};

struct StepCase {
  std::string name;
  std::function<void(TECMusicScore&)> setUp;  // selection and the like; may be empty
  std::function<void(TECMusicScore&)> action;
  StepExpect expect;
};

// Runs one case on the fixture (see the top of this file). Failures name
// the case.
void RunStep(EditFixture& fixture, const StepCase& step);

// Runs the actions in order on a fixture from `make`, undoes them all and
// redoes them all, then runs them on a second fixture under LockUndo.
void RunScript(const std::function<std::unique_ptr<EditFixture>()>& make,
               const std::vector<std::function<void(TECMusicScore&)>>& actions);

// Expects every selected record to be held by the model where its entry
// says, and ClickedElement to be none or a held record.
void ExpectSelectionHeld(const TECMusicScore& score);

}  // namespace edit_harness
