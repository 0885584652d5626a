#pragma once

#include <functional>

#include "dialogs/logic/face_look.h"

class TECPageObject;

namespace nv::library {
class TECDrumDescription;
}

namespace nv::dialogs {

// Draws one element of a library item (a page object) 1:1 at the canvas's
// origin, in the given ink.
using LibraryItemPainter =
    std::function<void(nv::platform::Canvas& canvas, const TECPageObject& element, nv::platform::Color ink)>;

// A drum head on a stem: the drum-style button, the drum-style chooser and
// the drum map draw it. With a style: its stem (at left + 12 for flag 128,
// else left + 14, from top + 4 to top + the second placement value + 16),
// then its elements through `paintItem` with the origin at
// (left - 992, top - 988). Without one: the plain black head on its stem.
// The canvas's state is the same afterwards.
void DrawDrumButton(nv::platform::Canvas& canvas, const nv::platform::Rect& box,
                    const nv::library::TECDrumDescription* style, FaceLook look = {},
                    const LibraryItemPainter& paintItem = {});

}  // namespace nv::dialogs
