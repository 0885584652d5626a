#pragma once

// What the score needs of the window that shows it. The score works without
// one (tests, print and export copies); every call is then skipped.

struct TECRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TECRect&) const = default;
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
};
