#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editing/drag_overlay.h"
#include "editing/element_places.h"
#include "platform/recording_canvas.h"
#include "support/drawn_places.h"
#include "support/edit_harness.h"

using edit_harness::EditFixture;
using edit_harness::EventRecorder;

namespace {

using drawn_places::Centre;
using drawn_places::Drawn;
using drawn_places::StepY;

// The window as the mouse code sees it: it records the cursor shapes, the
// hints, the tab timer and the focus it is asked for.
class FakeWindow : public EventRecorder {
 public:
  explicit FakeWindow(TECMusicScore& score) : EventRecorder(score) {}
  std::vector<int> cursors;
  std::vector<std::string> hints;
  std::vector<bool> timer;
  bool focused = false;
  int width = 800;
  int height = 600;
  int ClientWidth() const override { return width; }
  int ClientHeight() const override { return height; }
  void SetMouseCursor(int cursor) override { cursors.push_back(cursor); }
  bool Focused() const override { return focused; }
  void SetFocus() override { focused = true; }
  void SetTabTimer(bool on) override { timer.push_back(on); }
  void ShowHint(const std::string& text, int, int) override { hints.push_back(text); }
};

// The click events the score raises, in order.
struct Clicks {
  explicit Clicks(TECMusicScore& score) {
    score.OnNoteClick = [this](TECModelObject*, TECElement* e, int line) {
      events.push_back("note " + std::to_string(line));
      note = e;
    };
    score.OnScoreClick = [this](TECModelObject*, int line) { events.push_back("score " + std::to_string(line)); };
    score.OnPageClick = [this](TECModelObject*, int, int) { events.push_back("page"); };
    score.OnSetCursor = [this](TECModelObject*, TECElement* e) { dragged.push_back(e); };
  }
  std::vector<std::string> events;
  TECElement* note = nullptr;
  std::vector<TECElement*> dragged;
};

constexpr TECShiftState kLeft = ssLeft;

// The solid 12-pixel dash of the ghost note among the strokes, if any.
std::optional<nv::editing::OverlayStroke> GhostDash(const std::vector<nv::editing::OverlayStroke>& strokes) {
  for (const auto& s : strokes)
    if (s.What == nv::editing::OverlayStroke::Shape::Line && !s.Dotted && s.Box.Right - s.Box.Left == 12) return s;
  return std::nullopt;
}

TEST(ScoreMouse, ACtrlDragRaisesANoteTwoStepsAsOneDropStep) {
  EditFixture f(1, 2);
  f.Note(0, 0, 3, 5, 32, 0);  // E5: the bottom line, step 2
  f.Paint();
  FakeWindow window(f.score());
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  TECNote* note = f.measure(0).Notes.front().get();
  const TECDrawnMeasure& drawn = Drawn(s, 0, 0);
  const int x = Centre(note->Box).X;
  const int steps = s.UndoCount();

  s.MouseDown(TECMouseButton::mbLeft, kLeft | ssCtrl, x, StepY(s, drawn, 2));
  EXPECT_TRUE(window.focused) << "a press takes the focus";
  EXPECT_TRUE(s.DragArmed);
  EXPECT_EQ(s.ClickedElement, note);
  window.invalidated.clear();
  s.MouseMove(kLeft | ssCtrl, x, StepY(s, drawn, 4));
  EXPECT_TRUE(s.Dragging);
  EXPECT_EQ(clicks.dragged, std::vector<TECElement*>{note});
  // The ghost note stands on the second line and the hint names it.
  const auto dash = GhostDash(nv::editing::OverlayStrokes(s));
  ASSERT_TRUE(dash);
  EXPECT_EQ(dash->Box.Top, StepY(s, drawn, 4));
  ASSERT_FALSE(window.hints.empty());
  EXPECT_EQ(window.hints.back(), "G");
  const TECRect shown = nv::editing::OverlayBounds(s);
  EXPECT_NE(std::find(window.invalidated.begin(), window.invalidated.end(), shown), window.invalidated.end())
      << "the ghost note's place is repainted";

  s.MouseUp(TECMouseButton::mbLeft, ssCtrl, x, StepY(s, drawn, 4));
  ASSERT_EQ(s.UndoCount(), steps + 1);
  EXPECT_EQ(s.GetUndoStep(s.UndoCount() - 1)->Kind, 24);
  ASSERT_EQ(f.measure(0).Notes.size(), 1u);
  EXPECT_EQ(f.measure(0).Notes.front()->Kind, ek::NoteC + 4) << "G";
  EXPECT_EQ(f.measure(0).Notes.front()->Octave, 5);
  EXPECT_EQ(window.hints.back(), "") << "the hint goes with the ghost note";
  EXPECT_FALSE(s.NoteCursor);
  EXPECT_TRUE(nv::editing::OverlayStrokes(s).empty());
  EXPECT_EQ(clicks.dragged.back(), nullptr) << "the drag's end is told too";
  EXPECT_EQ(s.ClickedElement, nullptr);
}

TEST(ScoreMouse, WithoutCtrlANoteIsSelectedAndStays) {
  EditFixture f(1, 2);
  f.Note(0, 0, 3, 5, 32, 0);
  f.Paint();
  FakeWindow window(f.score());
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  TECNote* note = f.measure(0).Notes.front().get();
  const TECDrawnMeasure& drawn = Drawn(s, 0, 0);
  const int x = Centre(note->Box).X;
  s.MouseDown(TECMouseButton::mbLeft, kLeft, x, StepY(s, drawn, 2));
  EXPECT_FALSE(s.DragArmed);
  s.MouseMove(kLeft, x, StepY(s, drawn, 4));
  s.MouseUp(TECMouseButton::mbLeft, 0, x, StepY(s, drawn, 4));
  EXPECT_EQ(s.UndoCount(), 0);
  EXPECT_EQ(note->Kind, ek::NoteC + 2);
  ASSERT_EQ(s.Selection.size(), 1u);
  EXPECT_EQ(s.Selection[0].Elements, std::vector<TECElement*>{note});
  // OnNoteClick before OnPageClick, with the line of the press.
  EXPECT_EQ(clicks.events, (std::vector<std::string>{"note 2", "page"}));
  EXPECT_EQ(clicks.note, note);
}

TEST(ScoreMouse, ARubberBandWithExtentSelectsOneWithoutClearsADoubleClickArmsNothing) {
  EditFixture f(1, 2);
  f.Note(0, 0, 3, 5, 32, 0);
  f.Paint();
  FakeWindow window(f.score());
  TECMusicScore& s = f.score();
  TECNote* note = f.measure(0).Notes.front().get();
  // From the page's top-left margin, where nothing is drawn, over the note.
  s.MouseDown(TECMouseButton::mbLeft, kLeft, 20, 20);
  EXPECT_TRUE(s.RubberBandActive);
  ASSERT_EQ(nv::editing::OverlayStrokes(s).size(), 1u);
  s.MouseMove(kLeft, note->Box.Right + 5, note->Box.Bottom + 5);
  const auto strokes = nv::editing::OverlayStrokes(s);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].What, nv::editing::OverlayStroke::Shape::FocusRect);
  EXPECT_EQ(strokes[0].Box, (TECRect{20, 20, note->Box.Right + 5, note->Box.Bottom + 5}));
  s.MouseUp(TECMouseButton::mbLeft, 0, note->Box.Right + 5, note->Box.Bottom + 5);
  EXPECT_FALSE(s.RubberBandActive);
  ASSERT_EQ(s.Selection.size(), 1u);
  EXPECT_EQ(s.Selection[0].Elements, std::vector<TECElement*>{note});

  s.MouseDown(TECMouseButton::mbLeft, kLeft, 20, 20);
  s.MouseUp(TECMouseButton::mbLeft, 0, 20, 20);
  EXPECT_TRUE(s.Selection.empty()) << "a band without extent clears";

  s.MouseDown(TECMouseButton::mbLeft, kLeft | ssDouble, 20, 20);
  EXPECT_FALSE(s.RubberBandActive);
  EXPECT_FALSE(s.DragArmed);
  s.MouseUp(TECMouseButton::mbLeft, 0, 20, 20);
  const TECPoint head = Centre(note->Box);
  s.MouseDown(TECMouseButton::mbLeft, kLeft | ssCtrl | ssDouble, head.X, head.Y);
  EXPECT_FALSE(s.DragArmed) << "not even with Ctrl on a note";
  EXPECT_EQ(s.ClickedElement, note) << "it still hits";
}

TEST(ScoreMouse, AHeldTabArrowStepsOnEachTimerStepAndOnceMoreOnRelease) {
  EditFixture f(1, 2);
  f.Paint();
  FakeWindow window(f.score());
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  s.SetPageCount(10);
  s.FirstPageTab = 5;
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(800, 600));
  s.Paint(canvas, nullptr);
  ASSERT_GT(s.PageTabLeftArrow.Right, s.PageTabLeftArrow.Left) << "tabs scrolled: the left arrow shows";
  const TECPoint arrow{(s.PageTabLeftArrow.Left + s.PageTabLeftArrow.Right) / 2, 600 - 8};
  s.MouseDown(TECMouseButton::mbLeft, kLeft, arrow.X, arrow.Y);
  EXPECT_TRUE(s.TabArrowLeft);
  EXPECT_EQ(window.timer, std::vector<bool>{true});
  for (int i = 0; i < 3; ++i) s.TabTimerStep();
  EXPECT_EQ(s.FirstPageTab, 2);
  s.MouseUp(TECMouseButton::mbLeft, 0, arrow.X, arrow.Y);
  EXPECT_EQ(s.FirstPageTab, 1);
  EXPECT_FALSE(s.TabArrowLeft);
  EXPECT_EQ(window.timer, (std::vector<bool>{true, false}));
  EXPECT_TRUE(clicks.events.empty()) << "a tab press raises no click";
  s.TabTimerStep();
  EXPECT_EQ(s.FirstPageTab, 1) << "a late timer step after the release does nothing";
  // Tabs of pages 2, 3, ... now; pressing the second shows page 3.
  s.Paint(canvas, nullptr);
  ASSERT_GE(s.PageTabPlaces.size(), 2u);
  const TECRect tab = s.PageTabPlaces[1].Box;
  EXPECT_EQ(s.PageTabPlaces[1].Page, 2);
  s.MouseDown(TECMouseButton::mbLeft, kLeft, (tab.Left + tab.Right) / 2, arrow.Y);
  s.MouseUp(TECMouseButton::mbLeft, 0, (tab.Left + tab.Right) / 2, arrow.Y);
  EXPECT_EQ(s.GetActivePage(), 2);
  EXPECT_TRUE(clicks.events.empty());
}

TEST(ScoreMouse, TheWheelMovesTheViewByMinusDeltaTimesZoomOver200) {
  EditFixture f(1, 2);
  FakeWindow window(f.score());
  window.height = 200;
  TECMusicScore& s = f.score();
  s.SetZoom(150);
  s.UpdateScrollBars(false);
  ASSERT_GE(s.VertScrollBar.Max - s.VertScrollBar.PageSize, 250);
  s.ScrollTo(TECScrollBarKind::sbVertical, 200);
  EXPECT_TRUE(s.DoMouseWheel(0, 120, {}));
  EXPECT_EQ(s.VertScrollBar.Position, 200 - 120 * 150 / 200);
  EXPECT_TRUE(s.DoMouseWheel(0, -120, {}));
  EXPECT_EQ(s.VertScrollBar.Position, 200);
}

TEST(ScoreMouse, ARulerPressThatMissesEveryMarkerDoesNothing) {
  EditFixture f(1, 2);
  f.Note(0, 1, 3, 5, 32, 0);
  f.Paint();
  FakeWindow window(f.score());
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  s.SetRules(true);
  s.GoToMeasure(1);
  const int measure = s.CursorMeasure();
  const int pitch = s.CursorPitch();
  // The horizontal ruler half way between the indent markers.
  const int between = (s.RulerMarkerCorner(1)->X + s.RulerMarkerCorner(2)->X) / 2;
  s.MouseDown(TECMouseButton::mbLeft, kLeft, between, 6);
  EXPECT_EQ(s.RulerDrag, 0);
  EXPECT_TRUE(nv::editing::OverlayStrokes(s).empty());
  s.MouseUp(TECMouseButton::mbLeft, 0, between, 6);
  EXPECT_TRUE(clicks.events.empty());
  EXPECT_EQ(s.CursorMeasure(), measure);
  EXPECT_EQ(s.CursorPitch(), pitch);
  EXPECT_FALSE(s.ScoreClicked);
}

TEST(ScoreMouse, ADraggedIndentMarkerMovesWithTheDragAndRaisesNoClick) {
  EditFixture f(1, 2);
  f.Paint();
  FakeWindow window(f.score());
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  s.SetRules(true);
  const TECPoint corner = *s.RulerMarkerCorner(1);
  // Held at its middle, 4 pixels in, and let go 10 pixels to the right.
  s.MouseDown(TECMouseButton::mbLeft, kLeft, corner.X + 4, corner.Y + 4);
  EXPECT_EQ(s.RulerDrag, 1);
  s.MouseMove(kLeft, corner.X + 14, corner.Y + 4);
  const auto strokes = nv::editing::OverlayStrokes(s);
  ASSERT_EQ(strokes.size(), 2u);
  EXPECT_EQ(strokes[0].Box, (TECRect{corner.X + 14, s.RulerWidth, corner.X + 14, s.ClientScoreBottom()}))
      << "the guide runs down the score area through the mouse";
  EXPECT_EQ(strokes[1].Box.Left, corner.X + 10) << "the marker, 4 pixels left of the mouse";
  s.MouseUp(TECMouseButton::mbLeft, 0, corner.X + 14, corner.Y + 4);
  EXPECT_EQ(s.RulerDrag, 0);
  EXPECT_EQ(s.RulerMarkerCorner(1)->X, corner.X + 10);
  EXPECT_TRUE(clicks.events.empty());
}

TEST(ScoreMouse, ARightClickedNoteDeletedThenHoverAndReleaseReadNothingFreed) {
  EditFixture f(1, 2);
  f.Note(0, 0, 3, 5, 32, 0);
  f.Note(0, 1, 3, 5, 32, 0);  // keeps measure 0 when its note goes
  f.Paint();
  FakeWindow window(f.score());
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  TECNote* note = f.measure(0).Notes.front().get();
  const TECPoint head = Centre(note->Box);
  s.MouseDown(TECMouseButton::mbRight, ssRight, head.X, head.Y);
  EXPECT_EQ(s.ClickedElement, note);
  EXPECT_TRUE(s.Selection.empty()) << "a right click leaves the selection";
  s.MouseUp(TECMouseButton::mbRight, 0, head.X, head.Y);
  EXPECT_EQ(s.ClickedElement, nullptr);
  // What a context menu would do: delete the note at the cursor.
  ASSERT_EQ(s.CursorTick(), 0);
  s.DeleteAtCursor(false);
  ASSERT_TRUE(f.measure(0).Notes.empty());
  s.MouseMove(0, head.X, head.Y);
  s.MouseUp(TECMouseButton::mbLeft, 0, head.X, head.Y);
  EXPECT_TRUE(clicks.events.empty()) << "a release without a press raises nothing";
}

TEST(ScoreMouse, TheFirstGhostNoteOfAScrolledViewWithRulersIsUnderTheMouse) {
  EditFixture f(1, 2);
  f.Paint();
  FakeWindow window(f.score());
  window.width = 300;
  window.height = 200;
  TECMusicScore& s = f.score();
  s.SetRules(true);
  s.UpdateScrollBars(false);
  f.Paint();
  s.ScrollTo(TECScrollBarKind::sbHorizontal, 20);
  s.ScrollTo(TECScrollBarKind::sbVertical, 100);
  ASSERT_EQ(s.HorzScrollBar.Position, 20);
  ASSERT_EQ(s.VertScrollBar.Position, 100);
  const TECDrawnMeasure& drawn = Drawn(s, 0, 0);
  const int r = s.RulerWidth;
  // The mouse over the staff's middle line, in client pixels.
  const TECPoint document{drawn.OriginX + 10, StepY(s, drawn, 6)};
  const TECPoint client{document.X - 20 + r, document.Y - 100 + r};
  window.invalidated.clear();
  ASSERT_TRUE(s.SetNoteCursor(true, client));
  EXPECT_EQ(s.LastMouse, document);
  ASSERT_EQ(window.hints.size(), 1u);
  EXPECT_EQ(window.hints[0], "B");
  // Drawn as the window paints it: the dash is on the mouse's line.
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(800, 600));
  s.DrawOverlay(canvas);
  const std::string origin = "SetViewportOrigin (" + std::to_string(r - 20) + "," + std::to_string(r - 100) + ")";
  const auto& lines = canvas.lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), origin), lines.end()) << canvas.text();
  bool dash = false;
  for (const std::string& line : lines)
    if (line.find("LineTo") == 0 && line.find("," + std::to_string(document.Y) + ") to (") != std::string::npos &&
        line.find("xor") != std::string::npos)
      dash = true;
  EXPECT_TRUE(dash) << canvas.text();
  // Its place is repainted in client pixels.
  ASSERT_FALSE(window.invalidated.empty());
  const TECRect& area = window.invalidated.back();
  EXPECT_TRUE(area.Top <= client.Y && client.Y <= area.Bottom && area.Left <= client.X + 10 && client.X - 20 <= area.Right)
      << area.Left << "," << area.Top << "," << area.Right << "," << area.Bottom;
}

TEST(ScoreMouse, HoveringAHandleShowsItsCursorAndChangesNothingElse) {
  EditFixture f(1, 1);
  TECPageShape* box = f.instrument().AddPageShape(ek::PageRectangle, 100, 100, 50, 40, 1, 0, 0, 0, 0);
  EditFixture::SetBox(*box, 99, 99, 150, 140);
  FakeWindow window(f.score());
  TECMusicScore& s = f.score();
  s.SetCursor(5);
  s.SelectElement(box, 0);
  s.MouseMove(0, 101, 101);
  EXPECT_EQ(window.cursors.back(), crSizeNWSE) << "top-left handle";
  s.MouseMove(0, 124, 138);
  EXPECT_EQ(window.cursors.back(), crSizeNS) << "bottom-middle handle";
  EXPECT_EQ(s.ClickedElement, nullptr);
  s.MouseMove(0, 300, 300);
  EXPECT_EQ(window.cursors.back(), 5) << "the tool cursor elsewhere";
}

TEST(ScoreMouse, AShapeIsDrawnFromThePressToTheRelease) {
  EditFixture f(1, 1);
  FakeWindow window(f.score());
  TECMusicScore& s = f.score();
  s.InsertToolActive = true;
  s.BeginShape(ek::PageEllipse, 300, 200);
  s.MouseDown(TECMouseButton::mbLeft, kLeft, 300, 200);
  s.MouseMove(kLeft, 360, 240);
  const auto strokes = nv::editing::OverlayStrokes(s);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].What, nv::editing::OverlayStroke::Shape::Ellipse);
  EXPECT_EQ(strokes[0].Box, (TECRect{300, 200, 360, 240}));
  s.MouseUp(TECMouseButton::mbLeft, 0, 360, 240);
  EXPECT_EQ(s.ShapeKind, 0);
  ASSERT_EQ(f.instrument().TextsRow().Objects.size(), 1u);
  const auto& ellipse = static_cast<const TECPageShape&>(*f.instrument().TextsRow().Objects.front());
  EXPECT_EQ(ellipse.Kind, ek::PageEllipse);
  EXPECT_EQ(ellipse.X, 1300);
  EXPECT_EQ(ellipse.Width, 60);
  EXPECT_EQ(ellipse.Height, 40);
}

TEST(ScoreMouse, AHandleDragShowsTheResizedOutlineAndDropsIt) {
  EditFixture f(1, 1);
  TECPageShape* box = f.instrument().AddPageShape(ek::PageRectangle, 100, 100, 50, 40, 1, 0, 0, 0, 0);
  f.score().ClearUndoLists();
  EditFixture::SetBox(*box, 99, 99, 150, 140);
  FakeWindow window(f.score());
  TECMusicScore& s = f.score();
  s.SelectElement(box, 0);
  s.MouseDown(TECMouseButton::mbLeft, kLeft, 101, 101);
  EXPECT_EQ(s.DragHandle, 1);
  EXPECT_TRUE(s.DragArmed);
  s.MouseMove(kLeft, 111, 111);
  EXPECT_FALSE(s.NoteCursor) << "a page object shows its outline, no ghost note";
  const auto strokes = nv::editing::OverlayStrokes(s);
  ASSERT_EQ(strokes.size(), 1u);
  EXPECT_EQ(strokes[0].What, nv::editing::OverlayStroke::Shape::Rectangle);
  EXPECT_TRUE(strokes[0].Dotted);
  EXPECT_EQ(strokes[0].Box, (TECRect{109, 109, 150, 140})) << "the top-left corner follows the mouse";
  s.MouseUp(TECMouseButton::mbLeft, 0, 111, 111);
  ASSERT_EQ(s.UndoCount(), 1);
  EXPECT_EQ(s.GetUndoStep(0)->Kind, 24);
  EXPECT_EQ(box->X, 1110);
  EXPECT_EQ(box->Width, 40);
  EXPECT_EQ(s.DragHandle, 0);
  EXPECT_TRUE(nv::editing::OverlayStrokes(s).empty());
}

TEST(ScoreMouse, AShiftPressPansTheViewByHandAndRaisesNoClick) {
  EditFixture f(1, 2);
  f.Paint();
  FakeWindow window(f.score());
  window.width = 300;
  window.height = 200;
  Clicks clicks(f.score());
  TECMusicScore& s = f.score();
  s.UpdateScrollBars(false);
  s.MouseDown(TECMouseButton::mbLeft, kLeft | ssShift, 150, 150);
  EXPECT_EQ(window.cursors.back(), crHandPoint);
  // Dragging the page up and left shows what lies below and right.
  s.MouseMove(kLeft | ssShift, 140, 130);
  EXPECT_EQ(s.HorzScrollBar.Position, 10);
  EXPECT_EQ(s.VertScrollBar.Position, 20);
  s.MouseUp(TECMouseButton::mbLeft, 0, 140, 130);
  EXPECT_EQ(window.cursors.back(), crDefault);
  EXPECT_TRUE(clicks.events.empty());
  EXPECT_FALSE(s.DragArmed);
}

TEST(ScoreMouse, ARightClickDuringADragLeavesTheDraggedNote) {
  EditFixture f(1, 2);
  f.Note(0, 0, 3, 5, 32, 0);   // E5
  f.Note(0, 0, 1, 5, 32, 64);  // C5
  f.Paint();
  FakeWindow window(f.score());
  TECMusicScore& s = f.score();
  TECNote* dragged = f.measure(0).Notes.front().get();
  TECNote* other = f.measure(0).Notes.back().get();
  const TECDrawnMeasure& drawn = Drawn(s, 0, 0);
  const int x = Centre(dragged->Box).X;
  s.MouseDown(TECMouseButton::mbLeft, kLeft | ssCtrl, x, StepY(s, drawn, 2));
  s.MouseMove(kLeft | ssCtrl, x, StepY(s, drawn, 4));
  const TECPoint elsewhere = Centre(other->Box);
  s.MouseDown(TECMouseButton::mbRight, kLeft | ssRight | ssCtrl, elsewhere.X, elsewhere.Y);
  s.MouseUp(TECMouseButton::mbRight, kLeft | ssCtrl, elsewhere.X, elsewhere.Y);
  EXPECT_EQ(s.ClickedElement, dragged);
  s.MouseUp(TECMouseButton::mbLeft, ssCtrl, x, StepY(s, drawn, 4));
  ASSERT_EQ(s.UndoCount(), 1);
  std::vector<int> kinds;
  for (const auto& n : f.measure(0).Notes) kinds.push_back(n->Kind);
  EXPECT_EQ(kinds, (std::vector<int>{ek::NoteC + 4, ek::NoteC})) << "the E became a G; the C stayed";
}

}  // namespace
