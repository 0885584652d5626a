#pragma once

#include <QPixmap>

#include <vector>

namespace nv::editor {

// The document window's small pictures by index, drawn here once: 4
// instrument, 5 staff, 6 row, 7 channel, 8 mute, 9 volume, 10 pan; the
// indexes below 4 hold none.
const std::vector<QPixmap>& TrackImages();

}  // namespace nv::editor
