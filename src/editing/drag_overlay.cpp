// The drag feedback of TECMusicScore as state: what the mouse state asks to
// show, where it lies, how the view draws it, and the pitch hint.
#include "editing/drag_overlay.h"

#include <algorithm>

#include "editing/drop_geometry.h"
#include "editing/element_places.h"
#include "model/measure_items.h"
#include "model/page_objects.h"
#include "platform/canvas.h"

namespace nv::editing {
namespace {

using Shape = OverlayStroke::Shape;

OverlayStroke Line(int x1, int y1, int x2, int y2, bool dotted = true) {
  OverlayStroke s;
  s.Box = {x1, y1, x2, y2};
  s.Dotted = dotted;
  return s;
}

OverlayStroke Boxed(Shape what, const TECRect& box) {
  OverlayStroke s;
  s.What = what;
  s.Box = box;
  return s;
}

void RulerStrokes(const TECMusicScore& score, std::vector<OverlayStroke>& strokes) {
  const int r = score.RulerSize();
  const TECPoint m = score.LastMouse;
  OverlayStroke guide;
  OverlayStroke marker;
  marker.What = Shape::Marker;
  if (score.RulerDrag == 3) {
    guide = Line(r, m.Y, score.ClientScoreRight(), m.Y);
    marker.Box = {3, m.Y - 4, 3, m.Y - 4};
    marker.MarkerKind = 4;
  } else {
    guide = Line(m.X, r, m.X, score.ClientScoreBottom());
    const bool spaceAfterBar = score.RulerDrag == 4;
    marker.Box = {m.X - 4, spaceAfterBar ? 12 : 3, m.X - 4, spaceAfterBar ? 12 : 3};
    marker.MarkerKind = spaceAfterBar ? 1 : 2;
  }
  guide.Client = marker.Client = true;
  strokes.push_back(guide);
  strokes.push_back(marker);
}

void ShapeStrokes(const TECMusicScore& score, std::vector<OverlayStroke>& strokes) {
  const TECPoint a = score.DragStart;
  const TECPoint b = score.LastMouse;
  const TECRect box = NormalisedRect(a, b);
  switch (score.ShapeKind) {
    case ek::PageLine: strokes.push_back(Line(a.X, a.Y, b.X, b.Y)); return;
    case ek::PageRectangle: strokes.push_back(Boxed(Shape::Rectangle, box)); return;
    case ek::PageEllipse: strokes.push_back(Boxed(Shape::Ellipse, box)); return;
    default: break;
  }
  OverlayStroke arc = Boxed(score.ShapeKind == ek::PageArc ? Shape::Arc
                            : score.ShapeKind == ek::PagePie ? Shape::Pie
                                                              : Shape::Chord,
                            box);
  arc.Start = a;
  arc.End = b;
  strokes.push_back(arc);
}

// The outline of a page object moved or resized through the drag handle.
void PageObjectStrokes(const TECMusicScore& score, const TECPageObject& object, int dx, int dy,
                       std::vector<OverlayStroke>& strokes) {
  const int handle = score.DragHandle;
  const TECElementBox& b = object.Box;
  if (object.Kind == ek::PageText) {
    strokes.push_back(Boxed(Shape::Rectangle, Moved(RectOf(b), dx, dy)));
    return;
  }
  if (object.Kind == ek::PageLine) {
    const auto& line = static_cast<const TECPageLine&>(object);
    const int d1 = handle == 2 ? 0 : 1;
    const int d2 = handle == 1 ? 0 : 1;
    strokes.push_back(Line(PageObjectPixels(score, line.X1) + d1 * dx, PageObjectPixels(score, line.Y1) + d1 * dy,
                           PageObjectPixels(score, line.X2) + d2 * dx, PageObjectPixels(score, line.Y2) + d2 * dy));
    return;
  }
  const bool arc = object.Kind >= ek::PageArc && object.Kind <= ek::PageChord;
  if (arc && (handle == 9 || handle == 10)) {
    const auto& shape = static_cast<const TECPageArc&>(object);
    const int cx = PageObjectPixels(score, shape.X) + Zoomed(score, shape.Width) / 2;
    const int cy = PageObjectPixels(score, shape.Y) + Zoomed(score, shape.Height) / 2;
    const int px = PageObjectPixels(score, handle == 9 ? shape.StartX : shape.EndX) + dx;
    const int py = PageObjectPixels(score, handle == 9 ? shape.StartY : shape.EndY) + dy;
    strokes.push_back(Line(px, py, cx, cy));
    return;
  }
  if (object.Kind != ek::PagePicture && object.Kind != ek::PageRectangle && object.Kind != ek::PageEllipse && !arc)
    return;
  TECRect box = RectOf(b);
  const HandleEdges edges = EdgesOf(handle);
  const bool all = handle == 0;
  if (all || edges.Left) box.Left += dx;
  if (all || edges.Top) box.Top += dy;
  if (all || edges.Right) box.Right += dx;
  if (all || edges.Bottom) box.Bottom += dy;
  strokes.push_back(Boxed(Shape::Rectangle, NormalisedRect({box.Left, box.Top}, {box.Right, box.Bottom})));
}

void DraggedStrokes(const TECMusicScore& score, const TECElement& element, std::vector<OverlayStroke>& strokes) {
  const int dx = score.LastMouse.X - score.DragStart.X;
  const int dy = score.LastMouse.Y - score.DragStart.Y;
  if (element.Type() == TECElementType::PageObject) {
    PageObjectStrokes(score, static_cast<const TECPageObject&>(element), dx, dy, strokes);
  } else if (element.Type() == TECElementType::MeasureItem && element.Kind == ek::ChordSymbol) {
    const TECElementBox& b = element.Box;
    strokes.push_back(Boxed(Shape::Rectangle, Moved(RectOf(b), 0, dy)));
  }
}

void GhostStrokes(const TECMusicScore& score, std::vector<OverlayStroke>& strokes) {
  const auto ghost = GhostNoteAt(score, score.LastMouse);
  if (!ghost) return;
  for (int y : ghost->LedgerYs) strokes.push_back(Line(ghost->X - 4, y, ghost->X + 4, y, false));
  strokes.push_back(Line(ghost->X - 6, ghost->DashY, ghost->X + 6, ghost->DashY, false));
  const TECElement* dragged = score.Dragging ? score.ClickedElement : nullptr;
  if (dragged != nullptr && dragged->Type() == TECElementType::MeasureItem && dragged->Kind == ek::TextBox) {
    // The text box's own size, hanging from the dash one space to the left.
    const int left = ghost->X - StaffSpacePixels(score);
    const TECElementBox& b = dragged->Box;
    strokes.push_back(Boxed(Shape::Rectangle,
                            {left, ghost->DashY, left + b.Right - b.Left, ghost->DashY + b.Bottom - b.Top}));
  }
}

// The stroke's extent in document pixels, with a pixel's room for the pen.
TECRect StrokeBounds(const TECMusicScore& score, const OverlayStroke& stroke) {
  TECRect r = NormalisedRect({stroke.Box.Left, stroke.Box.Top}, {stroke.Box.Right, stroke.Box.Bottom});
  if (stroke.What == Shape::Marker) r = {r.Left, r.Top, r.Left + 9, r.Top + 9};
  if (stroke.Client) {
    score.ClientToDocument(r.Left, r.Top);
    score.ClientToDocument(r.Right, r.Bottom);
  }
  return {r.Left - 1, r.Top - 1, r.Right + 2, r.Bottom + 2};
}

}  // namespace

std::vector<OverlayStroke> OverlayStrokes(const TECMusicScore& score) {
  std::vector<OverlayStroke> strokes;
  if (score.Host() == nullptr) return strokes;
  if (score.RulerDrag != 0 && score.GetRules()) RulerStrokes(score, strokes);
  if (score.RubberBandActive) strokes.push_back(Boxed(Shape::FocusRect, NormalisedRect(score.DragStart, score.LastMouse)));
  if (score.ShapeKind != 0) ShapeStrokes(score, strokes);
  if (score.DragArmed && score.Dragging && score.ClickedElement != nullptr)
    DraggedStrokes(score, *score.ClickedElement, strokes);
  if (score.NoteCursor && score.CurrentInstrument() != nullptr) GhostStrokes(score, strokes);
  return strokes;
}

TECRect OverlayBounds(const TECMusicScore& score) {
  const std::vector<OverlayStroke> strokes = OverlayStrokes(score);
  if (strokes.empty()) return {};
  TECRect all = StrokeBounds(score, strokes.front());
  for (const OverlayStroke& stroke : strokes) {
    const TECRect r = StrokeBounds(score, stroke);
    all = {std::min(all.Left, r.Left), std::min(all.Top, r.Top), std::max(all.Right, r.Right),
           std::max(all.Bottom, r.Bottom)};
  }
  return all;
}

void FollowPitchHint(TECMusicScore& score) {
  if (!score.NoteCursor || (score.OnGetShowHint && !score.OnGetShowHint(&score))) return;
  const auto ghost = GhostNoteAt(score, score.LastMouse);
  if (!ghost) return;
  const TECPoint m = score.LastMouse;
  const bool nearDash = m.X >= ghost->X && m.X < ghost->X + 32 && m.Y >= ghost->DashY && m.Y < ghost->DashY + 32;
  if (!nearDash && ghost->Step == score.HintedStep) return;
  score.HintedStep = ghost->Step;
  score.UpdatePitchHint();
}

void HidePitchHint(TECMusicScore& score) {
  if (IECScoreHost* host = score.Host()) host->ShowHint("", 0, 0);
}

}  // namespace nv::editing

using nv::editing::OverlayStroke;

void TECMusicScore::UpdatePitchHint() {
  if (!NoteCursor || host_ == nullptr) return;
  const std::string letter = nv::editing::PitchHintAt(*this, LastMouse);
  if (letter.empty()) return;
  // At the mouse, in client pixels.
  const int r = RulerSize();
  host_->ShowHint(letter, LastMouse.X - HorzScrollBar.Position + r, LastMouse.Y - VertScrollBar.Position + r);
}

// The caller passes a canvas over the whole client area, its origin at the
// client's top-left, after the page, rulers and tabs are painted. The ruler
// guide and marker are drawn in client pixels; the rest with the scroll
// origin, clipped to the score area and, but for the rubber band, to the
// page.
void TECMusicScore::DrawOverlay(nv::platform::Canvas& canvas) {
  const std::vector<OverlayStroke> strokes = nv::editing::OverlayStrokes(*this);
  if (strokes.empty()) return;
  using nv::platform::PenMode;
  using nv::platform::PenStyle;
  const int level = canvas.saveDC();
  canvas.setBrush({nv::platform::colors::white, nv::platform::BrushStyle::Clear, {}});
  bool scrolled = false;
  bool onPage = false;
  for (const OverlayStroke& stroke : strokes) {
    if (!stroke.Client && !scrolled) {
      const int r = RulerSize();
      const nv::platform::Point origin = canvas.viewportOrigin();
      canvas.setViewportOrigin({origin.x + r - HorzScrollBar.Position, origin.y + r - VertScrollBar.Position});
      canvas.intersectClipRect({HorzScrollBar.Position, VertScrollBar.Position,
                                HorzScrollBar.Position + ClientScoreRight() - r,
                                VertScrollBar.Position + ClientScoreBottom() - r});
      scrolled = true;
    }
    if (!stroke.Client && stroke.What != OverlayStroke::Shape::FocusRect && !onPage) {
      canvas.intersectClipRect({0, 0, page_->PixelWidth(), page_->PixelHeight()});
      onPage = true;
    }
    canvas.setPen({nv::platform::colors::white, 1, stroke.Dotted ? PenStyle::Dot : PenStyle::Solid, PenMode::Xor});
    const TECRect& b = stroke.Box;
    const nv::platform::Rect box{b.Left, b.Top, b.Right, b.Bottom};
    switch (stroke.What) {
      case OverlayStroke::Shape::Line:
        canvas.moveTo(b.Left, b.Top);
        canvas.lineTo(b.Right, b.Bottom);
        break;
      case OverlayStroke::Shape::Rectangle: canvas.rectangle(box); break;
      case OverlayStroke::Shape::Ellipse: canvas.ellipse(box); break;
      case OverlayStroke::Shape::Arc:
        canvas.arc(box, {stroke.Start.X, stroke.Start.Y}, {stroke.End.X, stroke.End.Y});
        break;
      case OverlayStroke::Shape::Pie:
        canvas.pie(box, {stroke.Start.X, stroke.Start.Y}, {stroke.End.X, stroke.End.Y});
        break;
      case OverlayStroke::Shape::Chord:
        canvas.chord(box, {stroke.Start.X, stroke.Start.Y}, {stroke.End.X, stroke.End.Y});
        break;
      case OverlayStroke::Shape::FocusRect: canvas.drawFocusRect(box); break;
      case OverlayStroke::Shape::Marker: DrawRulerMarks(canvas, b.Left, b.Top, false, stroke.MarkerKind); break;
    }
  }
  canvas.restoreDC(level);
}
