#pragma once

#include <QCursor>
#include <QPixmap>

#include <span>
#include <string>
#include <string_view>

namespace nv::editor {

// The cursors of the insertion tools, by tool name: 32 x 32, an arrow whose
// tip is the hot spot with the tool's face beside it, drawn once and kept.
class ToolCursors {
 public:
  // Every tool name that has a cursor.
  static std::span<const std::string> Names();
  // The default arrow for "" or a name without a cursor.
  static QCursor Cursor(std::string_view name);
  // A null pixmap for a name without a cursor.
  static QPixmap Picture(std::string_view name);
};

}  // namespace nv::editor
