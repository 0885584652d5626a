#pragma once

#include <QPoint>
#include <QWindow>

namespace nv::widgets {

// Whether a window manager runs on the display (an X11 display whose root
// window names a supporting window manager). Without one, the skinned frame
// moves, resizes and maximises windows itself.
bool WindowManagerRunning();

// Hands the move of a top-level window to the window manager as if the
// left button had been pressed at `press` (global pixels) and held since:
// the window then follows the pointer from that point. False where no
// window manager can take it.
bool StartWindowManagerMove(WId window, QPoint press);

}  // namespace nv::widgets
