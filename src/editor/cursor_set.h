#pragma once

#include <QPixmap>

namespace nv::editor {

inline constexpr int kCursorSize = 32;

// The arrow every drawn cursor starts from: 32 x 32, transparent, its tip
// (the hot spot) at (0, 0) and its mark's place right of it and below.
QPixmap ArrowPixmap();

}  // namespace nv::editor
