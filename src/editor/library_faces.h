#pragma once

class QPainter;
class QRect;

namespace nv::render {
class LibraryItemPainter;
}

namespace nv::library {
class TECSymbolDescription;
}

namespace nv::editor {

// A symbol template scaled into `area` and centred (the symbol strip, the
// symbol drop-down and the symbol list's preview). `hot` (the mouse over an
// unpressed button) draws a grey copy one pixel down-right under the symbol
// one pixel up-left.
void PaintSymbolFace(QPainter& painter, const QRect& area, const nv::library::TECSymbolDescription& symbol,
                     nv::render::LibraryItemPainter& items, bool hot);

}  // namespace nv::editor
