// The score control's mouse: a press selects, arms a drag, starts a rubber
// band or a hand pan, or goes to the rulers or the page tabs; moves drag
// and hover; the release drops, selects by rectangle and raises the click
// events. Client pixels come in; the score works in document pixels.

#include "editing/drag_overlay.h"
#include "editing/edit_transaction.h"
#include "editing/element_places.h"
#include "editing/mouse_regions.h"
#include "model/element_kinds.h"

namespace nv::editing {
namespace {

// Notes, rests, repeat signs, clef changes and grace notes move only with
// Ctrl held at the press, so that clicking them to select stays safe; bar
// lines, repeat bars and multi-measure rests of the symbols row not at all.
bool Draggable(const TECElement& element, bool ctrl) {
  const int kind = element.Kind;
  if (element.Type() == TECElementType::SymbolItem &&
      (kind == ek::SymbolFinalBarline || kind == ek::SymbolDoubleBarline || kind == ek::SymbolStartRepeat ||
       kind == ek::SymbolEndRepeat || kind == ek::SymbolMultiRest))
    return false;
  if ((kind >= ek::ClefChange && kind <= ek::Rest) || kind == ek::GraceNote) return ctrl;
  return true;
}

// A dragged page object or tie shows its own outline; anything else the
// ghost note.
bool ShowsGhostNote(const TECElement& element) {
  return element.Type() != TECElementType::PageObject && !ek::IsLink(element.Kind);
}

int HandleCursor(int handle, bool line) {
  switch (handle) {
    case 1:
    case 5:
    case 9:
    case 10: return crSizeNWSE;
    case 3:
    case 7: return crSizeNESW;
    case 2:
    case 6: return line ? crSizeNWSE : crSizeNS;
    case 4:
    case 8: return crSizeWE;
    default: return crDefault;
  }
}

}  // namespace
}  // namespace nv::editing

using nv::editing::ChangeOverlay;

void TECMusicScore::MouseDown(TECMouseButton button, TECShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
  if (host_ != nullptr && !host_->Focused()) host_->SetFocus();
  ScoreClicked = false;
  PressInScore = false;
  const int r = RulerSize();
  const bool onRulers = rules_ && (x <= r || y <= r);
  const bool belowScore = host_ != nullptr && y >= ClientScoreBottom();
  TECPoint p{x, y};
  ClientToDocument(p.X, p.Y);
  const bool alt = (shift & ssAlt) != 0;
  if (button != TECMouseButton::mbLeft) {
    // The cursor and ClickedElement follow the press; the selection stays.
    // Not while the left button drags: its release drops ClickedElement.
    if (onRulers || belowScore || DragArmed || RubberBandActive || RulerDrag != 0) return;
    SetCursorFromPoint(p.X, p.Y, alt);
    if (nv::editing::EditsAllowed(*this)) SelectAtPoint(p, false, false);
    return;
  }
  if (onRulers) {
    if (!ReadOnly) nv::editing::PressRulerMarker(*this, x, y);
    return;
  }
  if (belowScore) {
    if (x < host_->ClientWidth() / 2) nv::editing::PressPageTabs(*this, x, y);
    return;
  }
  if (style_ == TScoreStyle::ssPreviewPages || (shift & ssShift) != 0) {
    LastMouse = {x, y};
    DragArmed = true;
    HandPanning = true;
    if (host_ != nullptr) host_->SetMouseCursor(crHandPoint);
    return;
  }
  PressInScore = true;
  SetCursorFromPoint(p.X, p.Y, alt);
  if (ReadOnly) return;
  // A double click selects as a click does but starts nothing.
  const bool doubleClick = (shift & ssDouble) != 0;
  DragHandle = doubleClick ? 0 : HandleAtPoint(p);
  if (DragHandle > 0) {
    DragStart = LastMouse = p;
    PressedOnElement = true;
    DragArmed = true;
    return;
  }
  if (InsertToolActive) return;
  DragStart = LastMouse = p;
  PressedOnElement = SelectAtPoint(p, true, !alt);
  if (doubleClick) return;
  if (PressedOnElement) {
    DragArmed = ShapeKind == 0 && !NoteCursor && ClickedElement != nullptr &&
                nv::editing::Draggable(*ClickedElement, (shift & ssCtrl) != 0);
  } else if (!NoteCursor && !NoteCursorRequested) {
    ChangeOverlay(*this, [this] { RubberBandActive = true; });
  }
}

void TECMusicScore::MouseMove(TECShiftState shift, int x, int y) {
  if (DragArmed && HandPanning) {
    const int dx = LastMouse.X - x;
    const int dy = LastMouse.Y - y;
    if (dx != 0 && dy != 0) {
      ScopedInvalidationLock lock(*this);
      ScrollTo(TECScrollBarKind::sbHorizontal, HorzScrollBar.Position + dx);
    } else if (dx != 0) {
      ScrollTo(TECScrollBarKind::sbHorizontal, HorzScrollBar.Position + dx);
    }
    if (dy != 0) ScrollTo(TECScrollBarKind::sbVertical, VertScrollBar.Position + dy);
    LastMouse = {x, y};
    return;
  }
  const int r = RulerSize();
  const bool outside = (rules_ && (x <= r || y <= r)) || (host_ != nullptr && y >= ClientScoreBottom());
  int shape = outside ? crDefault : cursor_;
  if (RulerDrag != 0) {
    if (host_ != nullptr) host_->SetMouseCursor(shape);
    const bool moved = RulerDrag == 3 ? y != LastMouse.Y : x != LastMouse.X;
    if (moved) ChangeOverlay(*this, [&] { LastMouse = {x, y}; });
    return;
  }
  TECPoint p{x, y};
  ClientToDocument(p.X, p.Y);
  const bool real = p != LastMouse;
  if (ShapeKind != 0) {
    if (real) ChangeOverlay(*this, [&] { LastMouse = p; });
  } else if (PressedOnElement && DragArmed) {
    if (real) {
      const bool first = !Dragging;
      ChangeOverlay(*this, [&] {
        if (first) {
          if (ClickedElement != nullptr && nv::editing::ShowsGhostNote(*ClickedElement)) {
            NoteCursor = true;
            HintedStep = 0x7FFFFFFF;
          }
          Dragging = true;
        }
        LastMouse = p;
      });
      if (first && OnSetCursor) OnSetCursor(this, ClickedElement);
      nv::editing::FollowPitchHint(*this);
    }
  } else if (RubberBandActive) {
    if (real) ChangeOverlay(*this, [&] { LastMouse = p; });
  } else if (!NoteCursor || !real) {
    // Hovering shows a handle's cursor and changes nothing else.
    TECElement* clicked = ClickedElement;
    const int handle = HandleAtPoint(p);
    if (handle > 0 && ClickedElement != nullptr)
      shape = nv::editing::HandleCursor(handle, ClickedElement->Kind == ek::PageLine);
    ClickedElement = clicked;
  } else {
    ChangeOverlay(*this, [&] { LastMouse = p; });
    nv::editing::FollowPitchHint(*this);
  }
  if (host_ != nullptr) host_->SetMouseCursor(shape);
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TECMusicScore::MouseUp(TECMouseButton button, TECShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  // A release of any button forgets the element: it may be gone before
  // the next press (a right click's menu deletes it). A left drag keeps
  // its element until its own release.
  const bool clicks = PressInScore && button == TECMouseButton::mbLeft;
  if (button != TECMouseButton::mbLeft) {
    if (!DragArmed) ClickedElement = nullptr;
    return;
  }
  PressInScore = false;
  if (RulerDrag != 0) nv::editing::ReleaseRulerMarker(*this, x, y);
  if (!nv::editing::ReleaseTabArrow(*this)) {
    TECPoint p{x, y};
    ClientToDocument(p.X, p.Y);
    if (ShapeKind != 0) {
      const int kind = ShapeKind;
      const TECPoint a = DragStart;
      const TECPoint b = LastMouse;
      ChangeOverlay(*this, [this] {
        ShapeKind = 0;
        RubberBandActive = false;
      });
      const ShapeSettings& s = ShapeStyle;
      const TECRect box = nv::editing::NormalisedRect(a, b);
      if (kind == ek::PageLine) {
        // Undo takes the line away whole; redo brings it back as it is by then.
        if (TECPageLine* line = AddPageLine(a.X, a.Y, s.PenWidth, s.PenColor, s.PenStyle, b.X, b.Y))
          line->EndShapes = static_cast<std::uint8_t>(s.EndShapes);
      } else if (kind == ek::PageRectangle || kind == ek::PageEllipse)
        AddPageShape(static_cast<std::uint8_t>(kind), box.Left, box.Top, s.PenWidth, s.PenColor, s.PenStyle,
                     s.BrushColor, s.BrushStyle, box.Right - box.Left, box.Bottom - box.Top);
      else
        AddArcObject(static_cast<std::uint8_t>(kind), box.Left, box.Top, s.PenWidth, s.PenColor, s.PenStyle,
                     s.BrushColor, s.BrushStyle, box.Right - box.Left, box.Bottom - box.Top);
      DragArmed = false;
      ClickedElement = nullptr;
      return;
    }
    const bool dragged = Dragging;
    if (dragged && OnSetCursor) OnSetCursor(this, nullptr);
    if (DragArmed && !HandPanning) {
      ChangeOverlay(*this, [this] {
        NoteCursor = false;
        Dragging = false;
      });
      nv::editing::HidePitchHint(*this);
      if (dragged) DropAtPoint(p, ClickedElement);
      DragHandle = 0;
    } else if (RubberBandActive) {
      const bool extent = LastMouse.X != DragStart.X && LastMouse.Y != DragStart.Y;
      ChangeOverlay(*this, [this] { RubberBandActive = false; });
      if (extent)
        PressedOnElement = SelectInRect(nv::editing::NormalisedRect(DragStart, p), (shift & ssShift) == 0);
      else if (!PressedOnElement)
        ClearSelection();
    }
    if (clicks) {
      if (ClickedElement != nullptr) {
        if (OnNoteClick) OnNoteClick(this, ClickedElement, ClickedPitchLine);
      } else if (ScoreClicked && OnScoreClick) {
        OnScoreClick(this, ClickedPitchLine);
      }
      if (p.X >= 0 && p.X <= page_->PixelWidth() && p.Y >= 0 && p.Y <= page_->PixelHeight() && OnPageClick)
        OnPageClick(this, p.X, p.Y);
    }
  }
  if (HandPanning && host_ != nullptr) host_->SetMouseCursor(crDefault);
  HandPanning = false;
  DragArmed = false;
  ClickedElement = nullptr;
}

bool TECMusicScore::DoMouseWheel(TECShiftState, int wheelDelta, TECPoint) {
  ScrollTo(TECScrollBarKind::sbVertical, VertScrollBar.Position - wheelDelta * zoom_ / 200);
  return true;
}
