#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/geometry.h"

namespace nv::document {

// A window's place as the settings file keeps it.
struct WindowBounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const WindowBounds&, const WindowBounds&) = default;
};

// "Left,Top,Width,Height": the text up to the first comma is Left, the next
// part Top, the next Width and the rest Height; a part that is missing or no
// number keeps the side of `current`.
WindowBounds ParseWindowBounds(std::string_view text, const WindowBounds& current);

// The four numbers joined by ",".
std::string FormatWindowBounds(const WindowBounds& bounds);

// Left below -Width becomes 0 and Top below -Height becomes 0, so a window
// pushed far off to the left or the top comes back.
WindowBounds PullBackOnScreen(WindowBounds bounds);

// Where a window read from the settings opens, given the screens' rectangles
// (the primary first):
// - a width or height below `minimumWidth` / `minimumHeight` keeps the
//   designed size;
// - then PullBackOnScreen;
// - a window that touches no screen (a monitor that was removed) is moved
//   onto the primary screen, as far as it fits.
WindowBounds FitWindowBounds(WindowBounds stored, const WindowBounds& designed, int minimumWidth, int minimumHeight,
                             std::span<const platform::Rect> screens);

}  // namespace nv::document
