#pragma once

#include <string_view>
#include <vector>

#include "document/window_bounds.h"
#include "platform/geometry.h"

namespace nv::dialogs {

// What a dialog takes back from its stored "Bounds": nothing, its place, or
// its place and size.
enum class BoundsMode { None, Position, PositionSize };

using Bounds = nv::document::WindowBounds;

// The stored "Left,Top,Width,Height" applied to the designed bounds: each
// field that is a number replaces its property (the mode says which), a
// window wholly left of or above the origin comes back to 0, a width or
// height of 0 or less keeps the designed one, a size above the available
// area is cut to it, and a window none of whose top 20 pixels lies on an
// available area is moved onto the first (primary) one. `available` holds
// the screens' available areas, the primary first; with none the stored
// place is taken as it stands.
Bounds RestoreBounds(std::string_view stored, BoundsMode mode, Bounds designed,
                     const std::vector<nv::platform::Rect>& available);

}  // namespace nv::dialogs
