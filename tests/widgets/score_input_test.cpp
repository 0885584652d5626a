// The score's mouse, wheel, key and tab-timer handling reached through real
// Qt events on the score control.
#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include "control_fixture.h"
#include "editing/note_clipboard.h"
#include "model/instrument.h"
#include "model/row.h"
#include "model/units.h"
#include "platform/clipboard.h"

namespace {

using control_fixture::ShownControl;

constexpr QRgb kBlack = qRgb(0, 0, 0);

// The staff line of a note: octave x 7 + step (C = 0).
int LineOf(const TECNote& note) { return note.Octave * 7 + (note.Kind - 21); }

struct ScoreInput : ShownControl {
  int D() const { return StaffSpace(96, 10000); }
  int Top(int m) { return row().Placement[m].Y; }
  // A document y inside the band of staff line `line` in measure m, on the
  // note head drawn for it.
  int YOfLine(int m, int line) {
    const int s = line - 35 - row().ClefOffsetAt(m);
    return Top(m) + 5 * D() - s * D() / 2 + D() / 4;
  }
  QPoint OnNote(const TECNote& note, int m) { return ClientOf(note.Box.Left + 3, YOfLine(m, LineOf(note))); }
  void Wheel(int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(100, 100);
    QWheelEvent event(at, control.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&control, &event);
  }
  int BlackInRow(const QImage& image, int y, int from, int to) {
    int black = 0;
    for (int x = from; x < to; ++x) black += image.pixel(x, y) == kBlack;
    return black;
  }
};

// A note is dragged only while Ctrl is held at the press: the drop is one
// undo step of kind 24; during the move the ghost note and the pitch letter
// show.
TEST_F(ScoreInput, CtrlDragOfANoteMovesItTwoStepsUpAsOneUndoStep) {
  TECNote* note = Note(0, 4, 5, 32, 32);  // F above middle C, the first space
  const int line = LineOf(*note);
  const QPoint press = OnNote(*note, 0);
  const QPoint target = press - QPoint(0, D());
  const int ghostRow = ClientOf(0, Top(0) + 5 * D() - (line + 2 - 35 - row().ClefOffsetAt(0)) * D() / 2).y();
  const QImage before = control.grab().toImage();
  const int steps = score().UndoCount();

  QTest::mousePress(&control, Qt::LeftButton, Qt::ControlModifier, press);
  QTest::mouseMove(&control, press - QPoint(0, D() / 2));
  QTest::mouseMove(&control, target);
  EXPECT_TRUE(score().NoteCursor);
  EXPECT_TRUE(QToolTip::isVisible());
  EXPECT_EQ(QToolTip::text(), QString("CDEFGAB"[(line + 2) % 7]));
  const QImage during = control.grab().toImage();
  const int from = ClientOf(note->Box.Left - 10, 0).x();
  const int to = ClientOf(note->Box.Right + 10, 0).x();
  EXPECT_GE(BlackInRow(during, ghostRow, from, to) - BlackInRow(before, ghostRow, from, to), 8);
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::ControlModifier, target);

  ASSERT_EQ(score().UndoCount(), steps + 1);
  EXPECT_EQ(score().GetUndoStep(steps)->Kind, 24);
  EXPECT_EQ(LineOf(*row().GetMeasure(0)->Notes.front()), line + 2);
  EXPECT_FALSE(score().NoteCursor);
}

TEST_F(ScoreInput, WithoutCtrlANoteStaysWhereItIs) {
  TECNote* note = Note(0, 4, 5, 32, 32);
  const int line = LineOf(*note);
  const QPoint press = OnNote(*note, 0);
  const int steps = score().UndoCount();
  QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, press);
  QTest::mouseMove(&control, press - QPoint(0, D()));
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, press - QPoint(0, D()));
  EXPECT_EQ(score().UndoCount(), steps);
  EXPECT_EQ(LineOf(*row().GetMeasure(0)->Notes.front()), line);
}

TEST_F(ScoreInput, CtrlZUndoesCtrlShiftZRedoesAndZAloneDoesNothing) {
  TECNote* note = Note(0, 4, 5, 32, 0);
  score().SelectElement(note, 0);
  score().MoveSelectionVert(1);
  ASSERT_EQ(score().UndoCount(), 1);
  control.setFocus();
  QTest::keyClick(&control, Qt::Key_Z);
  EXPECT_EQ(score().UndoCount(), 1);
  EXPECT_EQ(score().RedoCount(), 0);
  QTest::keyClick(&control, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(score().UndoCount(), 0);
  EXPECT_EQ(score().RedoCount(), 1);
  QTest::keyClick(&control, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(score().UndoCount(), 1);
  EXPECT_EQ(score().RedoCount(), 0);
}

// Keys the table does not take reach OnKeyDown with their code and flags;
// Z alone and the numeric-pad plus are the table's and stop there.
TEST_F(ScoreInput, KeysOutsideTheTableReachOnKeyDownWithCodeAndFlags) {
  std::vector<std::pair<int, TECShiftState>> seen;
  score().OnKeyDown = [&](TECModelObject*, std::uint16_t& key, TECShiftState shift) { seen.emplace_back(key, shift); };
  QTest::keyClick(&control, Qt::Key_Q, Qt::ShiftModifier | Qt::AltModifier);
  QTest::keyClick(&control, Qt::Key_Z);
  QTest::keyClick(&control, Qt::Key_Plus, Qt::KeypadModifier);
  QTest::keyClick(&control, Qt::Key_F2, Qt::ControlModifier);
  const std::vector<std::pair<int, TECShiftState>> expected{{'Q', ssShift | ssAlt}, {113, ssCtrl}};
  EXPECT_EQ(seen, expected);
}

// Ctrl+C, Ctrl+X and Ctrl+V run the clipboard operations on the selection.
TEST_F(ScoreInput, CtrlCXAndVCopyCutAndPaste) {
  nv::platform::MemoryClipboard clipboard;
  nv::platform::installClipboard(&clipboard);
  TECNote* note = Note(0, 4, 5, 32, 0);
  Note(3, 4, 5, 32, 0);  // keeps the measures between
  score().SelectElement(note, 0);
  QTest::keyClick(&control, Qt::Key_C);
  EXPECT_FALSE(clipboard.HasFormat(TVORadizClipboard::kFormat));
  QTest::keyClick(&control, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(clipboard.HasFormat(TVORadizClipboard::kFormat));
  clipboard.Clear();
  QTest::keyClick(&control, Qt::Key_X, Qt::ControlModifier);
  EXPECT_TRUE(clipboard.HasFormat(TVORadizClipboard::kFormat));
  EXPECT_TRUE(row().GetMeasure(0)->Notes.empty());
  score().GoToMeasure(2);
  QTest::keyClick(&control, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(row().GetMeasure(2)->Notes.size(), 1u);
  nv::platform::installClipboard(nullptr);
}

// Presses, moves and releases reach the score with the button, the
// modifiers and buttons held, a double click's flag and the client point.
TEST_F(ScoreInput, MouseEventsReachTheScoreWithButtonFlagsAndClientPoint) {
  std::vector<std::string> seen;
  auto record = [&](std::string what, TECShiftState shift, int x, int y) {
    seen.push_back(what + " " + std::to_string(shift) + " " + std::to_string(x) + "," + std::to_string(y));
  };
  auto name = [](TECMouseButton b) { return b == TECMouseButton::mbLeft ? " left" : " right"; };
  score().OnMouseDown = [&](TECModelObject*, TECMouseButton b, TECShiftState s, int x, int y) {
    record(std::string("down") + name(b), s, x, y);
  };
  score().OnMouseMove = [&](TECModelObject*, TECShiftState s, int x, int y) { record("move", s, x, y); };
  score().OnMouseUp = [&](TECModelObject*, TECMouseButton b, TECShiftState s, int x, int y) {
    record(std::string("up") + name(b), s, x, y);
  };
  const QPoint at(200, 300);
  QTest::mousePress(&control, Qt::RightButton, Qt::ControlModifier | Qt::AltModifier, at);
  QTest::mouseMove(&control, at + QPoint(5, 0));
  QTest::mouseRelease(&control, Qt::RightButton, Qt::ControlModifier, at + QPoint(5, 0));
  QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, at);
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, at);
  const std::vector<std::string> expected{
      "down right " + std::to_string(ssCtrl | ssAlt | ssRight) + " 200,300",
      "move " + std::to_string(ssRight) + " 205,300",
      "up right " + std::to_string(ssCtrl) + " 205,300",
      "down left " + std::to_string(ssLeft | ssDouble) + " 200,300",
      "up left 0 200,300",
  };
  EXPECT_EQ(seen, expected);
}

TEST_F(ScoreInput, CtrlAltUpRaisesTheCursorPitchLineAndLeavesTheSelection) {
  TECNote* note = Note(0, 4, 5, 32, 0);
  score().SelectElement(note, 0);
  const int pitch = score().CursorPitch();
  const int line = LineOf(*note);
  QTest::keyClick(&control, Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(score().CursorPitch(), pitch + 1);
  EXPECT_EQ(LineOf(*note), line);
  ASSERT_EQ(score().Selection.size(), 1u);
  EXPECT_EQ(score().Selection.front().Elements.size(), 1u);
}

// Press and release on empty space: with extent a rectangle selection,
// without it the selection is cleared; a double click arms nothing.
TEST_F(ScoreInput, RubberBandSelectsByRectangleOnlyWithExtent) {
  TECNote* note = Note(1, 4, 5, 32, 0);
  const QPoint above = ClientOf(row().Placement[1].X + 2, Top(1) - 5 * D());
  const QPoint below = ClientOf(note->Box.Right + 10, Top(1) + 8 * D());

  QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, above);
  QTest::mouseMove(&control, below);
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, below);
  ASSERT_EQ(score().Selection.size(), 1u);
  EXPECT_EQ(score().Selection.front().Elements.front(), note);

  QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, above);
  EXPECT_TRUE(score().Selection.empty());

  score().SelectElement(note, 0);
  QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, above);
  QTest::mouseDClick(&control, Qt::LeftButton, Qt::NoModifier, above);
  QTest::mouseMove(&control, below);
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, below);
  EXPECT_TRUE(score().Selection.empty());
}

TEST_F(ScoreInput, WheelMovesTheVerticalPositionByDeltaTimesZoomOver200) {
  Wheel(-120);
  EXPECT_EQ(score().VertScrollBar.Position, 120 * 100 / 200);
  EXPECT_EQ(control.VerticalBar().value(), 60);
  score().SetZoom(150);
  const int start = score().VertScrollBar.Position;
  Wheel(-240);
  EXPECT_EQ(score().VertScrollBar.Position, start + 240 * 150 / 200);
  Wheel(120);
  EXPECT_EQ(score().VertScrollBar.Position, start + 240 * 150 / 200 - 120 * 150 / 200);
}

// A ruler press that misses every marker fires no click and does not move
// the cursor.
TEST_F(ScoreInput, ARulerPressMissingEveryMarkerDoesNothing) {
  score().SetRules(true);
  Relayout();
  int events = 0;
  score().OnNoteClick = [&](TECModelObject*, TECElement*, int) { ++events; };
  score().OnScoreClick = [&](TECModelObject*, int) { ++events; };
  score().OnPageClick = [&](TECModelObject*, int, int) { ++events; };
  const int measure = score().CursorMeasure();
  const int tick = score().CursorTick();
  // Far right on the top ruler, far down on the left one.
  for (const QPoint at : {QPoint(560, 12), QPoint(12, 340)}) {
    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(score().RulerDrag, 0);
  }
  EXPECT_EQ(events, 0);
  EXPECT_EQ(score().CursorMeasure(), measure);
  EXPECT_EQ(score().CursorTick(), tick);
}

// The held arrow steps the tabs on each timeout and once more on release.
TEST(ScoreInputTabs, HeldTabArrowStepsOnEachTimeoutAndOnRelease) {
  nv::document::ScoreDocument document;
  nv::widgets::ScoreControl control(document);
  TECMusicScore& score = control.Score();
  score.LayoutSuspended = true;
  score.SetTimeSignature(4, 4, 0, true);
  TECRow* row = score.AppendInstrument()->AppendRow();
  for (int m = 0; m < 400; ++m) row->AddMeasure();
  score.LayoutSuspended = false;
  control.resize(400, 300);
  control.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
  score.LayoutScore(0, false);
  control.repaint();
  ASSERT_GT(score.CurrentInstrument()->PageCount(), 30);
  ASSERT_GE(score.LastPageTab, 0) << "the tabs do not all fit";
  const int bar = control.HorizontalBarHeight();
  const QPoint arrow(200 - bar / 2, 300 - bar / 2);
  QTest::mousePress(&control, Qt::LeftButton, Qt::NoModifier, arrow);
  EXPECT_TRUE(score.TabArrowRight);
  EXPECT_TRUE(control.TabTimer().isActive());
  const int first = score.FirstPageTab;
  for (int i = 0; i < 3; ++i) QMetaObject::invokeMethod(const_cast<QTimer*>(&control.TabTimer()), "timeout");
  EXPECT_EQ(score.FirstPageTab, first + 3);
  QTest::mouseRelease(&control, Qt::LeftButton, Qt::NoModifier, arrow);
  EXPECT_EQ(score.FirstPageTab, first + 4);
  EXPECT_FALSE(control.TabTimer().isActive());
  EXPECT_FALSE(score.TabArrowRight);
}

// The click record is cleared on every release, so a note deleted after a
// right click leaves nothing to read for the next hover or release.
TEST_F(ScoreInput, RightClickThenDeleteLeavesNothingToRead) {
  TECNote* note = Note(0, 4, 5, 32, 32);
  Note(3, 4, 5, 32, 0);  // keeps the measures between
  const QPoint on = OnNote(*note, 0);
  QTest::mousePress(&control, Qt::RightButton, Qt::NoModifier, on);
  EXPECT_EQ(score().ClickedElement, note);
  EXPECT_EQ(score().CursorTick(), 32);
  QTest::mouseRelease(&control, Qt::RightButton, Qt::NoModifier, on);
  EXPECT_EQ(score().ClickedElement, nullptr);
  // The press put the cursor on the note: Delete takes it away.
  QTest::keyClick(&control, Qt::Key_Delete);
  ASSERT_TRUE(row().GetMeasure(0)->Notes.empty());
  QTest::mouseMove(&control, on + QPoint(1, 0));
  QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, on);
  QTest::mouseClick(&control, Qt::RightButton, Qt::NoModifier, on);
  EXPECT_EQ(score().ClickedElement, nullptr);
}

// Switched on in a scrolled view with rulers, the ghost note starts at the
// mouse: LastMouse is its document point and the dash is drawn beside it.
TEST_F(ScoreInput, TheFirstGhostNoteInAScrolledViewWithRulersIsUnderTheMouse) {
  TECNote* note = Note(0, 3, 5, 32, 32);  // E above middle C, the bottom line
  score().SetRules(true);
  score().ScrollTo(TECScrollBarKind::sbHorizontal, 20);
  score().ScrollTo(TECScrollBarKind::sbVertical, 30);
  Relayout();
  const int line = LineOf(*note) + 7;  // the top space
  const int docX = note->Box.Left + 3;
  const int docY = YOfLine(0, line);
  const QPoint mouse = ClientOf(docX, docY);
  const QImage before = control.grab().toImage();
  QCursor::setPos(control.mapToGlobal(mouse));
  ASSERT_TRUE(control.SetNoteCursor(true));
  EXPECT_EQ(score().LastMouse, (TECPoint{docX, docY}));
  QApplication::processEvents();
  const QImage after = control.grab().toImage();
  int changed = 0;
  for (int y = mouse.y() - D(); y <= mouse.y() + D(); ++y)
    changed = std::max(changed, BlackInRow(after, y, mouse.x() - 10, mouse.x() + 10) -
                                    BlackInRow(before, y, mouse.x() - 10, mouse.x() + 10));
  EXPECT_GE(changed, 8);
  control.SetNoteCursor(false);
  EXPECT_FALSE(score().NoteCursor);
}

}  // namespace
