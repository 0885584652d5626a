#pragma once

#include <QCursor>
#include <QPixmap>

#include <string_view>

namespace nv::editor {

inline constexpr int kCursorSize = 32;

// The arrow every drawn cursor starts from: 32 x 32, transparent, its tip
// (the hot spot) at (0, 0) and its mark's place right of it and below.
QPixmap ArrowPixmap();

// The cursor of a name the element cursors give: an arrow with the
// element's short mark beside it, drawn here once a name and kept; the
// default arrow for "".
QCursor CursorFor(std::string_view name);

}  // namespace nv::editor
