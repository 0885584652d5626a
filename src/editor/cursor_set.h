#pragma once

#include <QCursor>

#include <string_view>

namespace nv::editor {

// The cursor of a name the element cursors give: an arrow with the
// element's short mark beside it, drawn here once a name and kept; the
// default arrow for "".
QCursor CursorFor(std::string_view name);

}  // namespace nv::editor
