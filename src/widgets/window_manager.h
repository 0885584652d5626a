#pragma once

namespace nv::widgets {

// Whether a window manager runs on the display (an X11 display whose root
// window names a supporting window manager). Without one, the skinned frame
// moves, resizes and maximises windows itself.
bool WindowManagerRunning();

}  // namespace nv::widgets
