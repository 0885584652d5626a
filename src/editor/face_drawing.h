#pragma once

#include <QPainter>
#include <QPointF>

#include <cstdint>
#include <functional>
#include <map>
#include <string_view>

namespace nv::editor {

// Drawing one palette picture on its 22 x 22 white ground, black pen of width 1.
using Drawing = std::function<void(QPainter&)>;

// The pictures of the modify page's buttons that have no painted face.
const std::map<std::string_view, Drawing, std::less<>>& ModifyDrawings();
// The pictures of the design page's text, comment, picture, page, order
// and font buttons.
const std::map<std::string_view, Drawing, std::less<>>& DesignDrawings();

// The strokes the palette pictures are drawn with.
namespace face_drawing {

// A music-font glyph with the centre of its ink at `centre`, whatever the
// font's own origin of that glyph.
void Glyph(QPainter& painter, QPointF centre, std::uint8_t code, int pixels);
void Bar(QPainter& painter, double left, double top, double right, double bottom);
void Dot(QPainter& painter, double x, double y);
// A filled arrow head at `tip`, pointing away from `from`.
void ArrowHead(QPainter& painter, QPointF tip, QPointF from);
// A note with its stem up or down and an arrow that way.
void StemDirection(QPainter& painter, bool up);

}  // namespace face_drawing
}  // namespace nv::editor
