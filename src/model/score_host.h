#pragma once

#include <algorithm>
#include <functional>
#include <string>

// What the score needs of the window that shows it. The score works without
// one (tests, print and export copies); every call is then skipped.

struct TECRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TECRect&) const = default;
};

enum class TECScrollBarKind { sbHorizontal, sbVertical };

// One scroll bar: its range 0..Max, the visible length and the position, in
// document pixels.
struct TECScrollBar {
  int Max = 0;
  int PageSize = 0;
  int Position = 0;
  bool operator==(const TECScrollBar&) const = default;
};

class IECScoreHost {
 public:
  virtual ~IECScoreHost() = default;
  virtual void InvalidateRect(const TECRect& area) = 0;
  virtual void InvalidateAll() = 0;
  virtual void SetCaretVisible(bool visible) = 0;
  virtual void SetMouseCursor(int cursor) = 0;
  // Sizes the scrolled score area (page and shadow), device pixels.
  virtual void SetScoreSize(int width, int height) = 0;
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;
  virtual int VerticalBarWidth() const = 0;
  virtual int HorizontalBarHeight() const = 0;
  virtual bool Enabled() const = 0;

  // --- scrolling and immediate repaint ----------------------------------------
  // The score keeps the scroll bars' state (TECScrollBar); the window shows it.
  virtual void SetScrollBar(TECScrollBarKind bar, const TECScrollBar& state) = 0;
  // Moves the pixels inside `area` by (dx, dy), clipped to it; returns the
  // strip that the move uncovered (client pixels, see UncoveredStrip).
  virtual TECRect ScrollContents(const TECRect& area, int dx, int dy) = 0;
  // Paints what is invalid now rather than when the window system gets to it.
  virtual void RepaintNow() = 0;

  // --- input helpers; a window without them keeps the defaults -------------
  virtual bool Focused() const { return true; }
  virtual void SetFocus() {}
  // Starts (true) or stops the page-tab arrows' 150 ms repeat timer, which
  // calls TabTimerStep.
  virtual void SetTabTimer(bool /*on*/) {}
  // Shows `text` as a hint at once at a client point; an empty text hides it.
  virtual void ShowHint(const std::string& /*text*/, int /*x*/, int /*y*/) {}
};

// The strip of `area` that moving its pixels by (dx, dy) leaves uncovered:
// what ScrollContents returns.
inline TECRect UncoveredStrip(const TECRect& area, int dx, int dy) {
  TECRect strip = area;
  if (dx < 0) strip.Left = std::max(area.Left, area.Right + dx);
  if (dx > 0) strip.Right = std::min(area.Right, area.Left + dx);
  if (dy < 0) strip.Top = std::max(area.Top, area.Bottom + dy);
  if (dy > 0) strip.Bottom = std::min(area.Bottom, area.Top + dy);
  return strip;
}

namespace nv::platform {
class Canvas;
}

// The panel on which the score paints its navigator.
class IECNavigatorPanel {
 public:
  virtual ~IECNavigatorPanel() = default;
  virtual int ClientWidth() const = 0;
  // Calls `draw` with a canvas over the panel now, outside its painting.
  virtual void DrawNow(const std::function<void(nv::platform::Canvas&)>& draw) = 0;
};
