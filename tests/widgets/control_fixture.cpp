#include "control_fixture.h"

#include <QApplication>
#include <QPaintEvent>
#include <QTest>

#include "model/instrument.h"
#include "model/paper_sizes.h"
#include "model/row.h"
#include "model/score_builder.h"

namespace control_fixture {

namespace {

// Gathers the region of every paint event its widget receives.
class PaintRecorder : public QObject {
 public:
  explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

}  // namespace

ShownControl::ShownControl() {
  TECMusicScore& s = score();
  {
    // The document's score records undo steps; building it records none.
    const ScopedUndoLock build(s);
    s.LayoutSuspended = true;
    s.SetTimeSignature(4, 4, 0, true);
    TECRow* r = s.AppendInstrument()->AppendRow();
    for (int m = 0; m < 4; ++m) r->AddMeasure();
    s.SetStartBarNumber(1);
    s.LayoutSuspended = false;
  }
  s.Page().SetPaperSize(TECPaperSize::A4);
  control.resize(600, 400);
  control.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&control));
  Relayout();
}

TECRow& ShownControl::row() { return *control.Score().CurrentRow(); }

TECNote* ShownControl::Note(int m, int step, int octave, int value, int start) {
  TECNote* note = score_builder::AddNote(*row().GetMeasure(m), step, octave, value, start);
  row().RebuildUnions(row().GetMeasure(m), false, false);
  Relayout();
  return note;
}

void ShownControl::Relayout() {
  score().LayoutScore(score().GetActivePage(), false);
  score().InvalidateClientArea();
  control.RepaintNow();
  QApplication::processEvents();
}

QPoint ShownControl::ClientOf(int x, int y) {
  const int r = score().RulerSize();
  return {x + r - score().HorzScrollBar.Position, y + r - score().VertScrollBar.Position};
}

QRegion ShownControl::PaintedBy(const std::function<void()>& change) {
  PaintRecorder paints(control);
  change();
  QApplication::processEvents();
  return paints.painted;
}

}  // namespace control_fixture
