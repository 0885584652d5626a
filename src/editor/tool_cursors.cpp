#include "editor/tool_cursors.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <map>
#include <vector>

#include "document/tool_buttons.h"
#include "editor/cursor_set.h"
#include "editor/tool_faces.h"

namespace nv::editor {
namespace {

// The tool names of the pages' buttons (and the clef's three), the other
// pages' and the piano keyboard's.
std::vector<std::string> CollectNames() {
  std::vector<std::string> names = {"CLEFG", "CLEFF", "CLEFD", "USERSYMBOL", "COMMENT", "TEXT", "IMAGE"};
  for (const char* kind : {"KNOTE", "KPAUSE"})
    for (const char* value : {"", "2", "4", "8", "16", "32", "64"}) names.push_back(std::string(kind) + value);
  for (const nv::document::ToolButton& button : nv::document::ToolButtons())
    if (!button.ToolName.empty()) names.emplace_back(button.ToolName);
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

// The face in a white box below and right of the arrow; a glyph is scaled
// to fit the box whatever its own extent.
QPixmap Draw(std::string_view name) {
  QPixmap pixmap = ArrowPixmap();
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF box(12, 12, kCursorSize - 13, kCursorSize - 13);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(box, 2, 2);
  const ToolFace face = FaceOfTool(name);
  constexpr double kFontPixels = 40;
  QPainterPath path;
  path.addText(0, 0, face.Font(static_cast<int>(kFontPixels)), face.Text());
  const QRectF extent = path.boundingRect();
  if (extent.isEmpty()) return pixmap;
  const QRectF inner = box.adjusted(2, 2, -2, -2);
  // Small glyphs (a dot) stay small: at most the size a 24-pixel font gives.
  const double scale = std::min({inner.width() / extent.width(), inner.height() / extent.height(), 24 / kFontPixels});
  painter.translate(inner.center());
  painter.scale(scale, scale);
  painter.translate(-extent.center());
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::black);
  painter.drawPath(path);
  return pixmap;
}

}  // namespace

std::span<const std::string> ToolCursors::Names() {
  static const std::vector<std::string> names = CollectNames();
  return names;
}

QPixmap ToolCursors::Picture(std::string_view name) {
  const auto names = Names();
  if (!std::binary_search(names.begin(), names.end(), name)) return {};
  static std::map<std::string, QPixmap, std::less<>> pictures;
  auto found = pictures.find(name);
  if (found == pictures.end()) found = pictures.emplace(std::string(name), Draw(name)).first;
  return found->second;
}

QCursor ToolCursors::Cursor(std::string_view name) {
  const QPixmap picture = Picture(name);
  if (picture.isNull()) return QCursor(Qt::ArrowCursor);
  return QCursor(picture, 0, 0);
}

}  // namespace nv::editor
