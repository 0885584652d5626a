#pragma once

#include "dialogs/drum_map_grid.h"
#include "platform/canvas.h"

class TECPageObject;

namespace nv::library {
class LibraryStore;
class TECDrumDescription;
}

namespace nv::dialogs {

// The drum heads of the program's drum-style library as the drum map and
// the drum-style palette show them: 255 the standard head, an index the
// style's head on its stem (the style loaded on first use); an index past
// the list, or a style that does not load, draws nothing.
DrumHeadPainter LibraryDrumHeads(nv::library::LibraryStore* library);

// Paints one element of a drum style (a text in the music face) 1:1, as
// DrawDrumButton asks for it.
void PaintDrumStyleElement(nv::platform::Canvas& canvas, const TECPageObject& element, nv::platform::Color ink);

// The style of that index, loaded on first use; none past the list or for
// a style that does not load.
const nv::library::TECDrumDescription* LoadedDrumStyle(nv::library::LibraryStore& library, int index);

}  // namespace nv::dialogs
