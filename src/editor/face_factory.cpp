#include "editor/face_factory.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "editor/face_drawing.h"
#include "editor/tool_faces.h"
#include "render/music_font_codes.h"

namespace nv::editor {
namespace face_drawing {

namespace glyph = nv::render::glyph;

// A music-font glyph with the centre of its ink at `centre`, whatever the
// font's own origin of that glyph.
void Glyph(QPainter& painter, QPointF centre, std::uint8_t code, int pixels) {
  const ToolFace face{code, {}};
  QPainterPath path;
  path.addText(0, 0, face.Font(pixels), face.Text());
  painter.fillPath(path.translated(centre - path.boundingRect().center()), Qt::black);
}

void Bar(QPainter& painter, double left, double top, double right, double bottom) {
  painter.fillRect(QRectF(left, top, right - left, bottom - top), Qt::black);
}

void Dot(QPainter& painter, double x, double y) {
  painter.setBrush(Qt::black);
  painter.drawEllipse(QPointF(x, y), 1.4, 1.4);
  painter.setBrush(Qt::NoBrush);
}

void ArrowHead(QPainter& painter, QPointF tip, QPointF from) {
  const QPointF d = tip - from;
  const double length = std::max(1.0, std::hypot(d.x(), d.y()));
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  const QPointF base = tip - u * 4;
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF{tip, base + n * 2.5, base - n * 2.5});
  painter.setBrush(Qt::NoBrush);
}

void StemDirection(QPainter& painter, bool up) {
  Glyph(painter, {6, up ? 16.0 : 6.0}, glyph::BlackHead, 20);
  const double stemX = up ? 9.5 : 2.5;
  painter.drawLine(QPointF(stemX, up ? 15 : 7), QPointF(stemX, up ? 2 : 20));
  const QPointF tip(16, up ? 3 : 19);
  painter.drawLine(QPointF(16, up ? 12 : 10), tip);
  ArrowHead(painter, tip, QPointF(16, up ? 12 : 10));
}

}  // namespace face_drawing

namespace {

using namespace face_drawing;

constexpr int kSide = 22;

void Pointer(QPainter& painter) {
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF{{6, 2}, {6, 17}, {9.5, 13.5}, {12, 19}, {14, 18}, {11.5, 12.5}, {16, 12.5}});
  painter.setBrush(Qt::NoBrush);
}

void Reset(QPainter& painter) {
  painter.scale(0.7, 0.7);
  Pointer(painter);
  painter.resetTransform();
  QPainterPath turn;
  turn.arcMoveTo(QRectF(10, 9, 10, 10), 200);
  turn.arcTo(QRectF(10, 9, 10, 10), 200, -250);
  painter.drawPath(turn);
  ArrowHead(painter, turn.pointAtPercent(0), turn.pointAtPercent(0.15));
}

void Eraser(QPainter& painter) {
  const QPolygonF body{{3, 14}, {12, 4}, {19, 10}, {10, 20}};
  painter.drawPolygon(body);
  painter.setBrush(Qt::black);
  painter.drawPolygon(QPolygonF{{3, 14}, {7.5, 9}, {14.5, 15}, {10, 20}});
  painter.setBrush(Qt::NoBrush);
}

void Rest(QPainter& painter, bool whole) {
  painter.drawLine(QPointF(3, whole ? 8 : 13), QPointF(19, whole ? 8 : 13));
  if (whole)
    Bar(painter, 7, 8, 15, 12);
  else
    Bar(painter, 7, 9, 15, 13);
}

// A black head with a mark of the music font right of it.
void HeadWith(QPainter& painter, std::uint8_t mark) {
  Glyph(painter, {6, 14}, glyph::BlackHead, 20);
  Glyph(painter, {15, 11}, mark, 20);
}

void BlankNote(QPainter& painter) {
  painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
  painter.drawEllipse(QRectF(4, 12, 8, 6));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(QPointF(12, 14), QPointF(12, 3));
}

void BarLines(QPainter& painter, std::initializer_list<std::pair<double, double>> bars, bool dotsLeft, bool dotsRight) {
  for (const auto& [left, width] : bars) Bar(painter, left, 3, left + width, 20);
  if (dotsLeft) {
    Dot(painter, 5, 9);
    Dot(painter, 5, 14);
  }
  if (dotsRight) {
    Dot(painter, 17, 9);
    Dot(painter, 17, 14);
  }
}

void SectionLine(QPainter& painter) {
  painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
  painter.drawLine(QPointF(8.5, 3), QPointF(8.5, 20));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawLine(QPointF(13.5, 3), QPointF(13.5, 20));
}

void Coda(QPainter& painter, bool begin) {
  Glyph(painter, {begin ? 8.0 : 13.0, 10}, glyph::Coda, 16);
  if (begin) {
    painter.drawLine(QPointF(13, 19), QPointF(19, 19));
    ArrowHead(painter, QPointF(21, 19), QPointF(14, 19));
  } else {
    Bar(painter, 2, 4, 3.5, 20);
  }
}

void Wave(QPainter& painter, QPointF from, QPointF to, int turns) {
  QPainterPath path(from);
  const QPointF step = (to - from) / turns;
  const QPointF across(-step.y() * 0.4, step.x() * 0.4);
  for (int i = 0; i < turns; ++i) {
    const QPointF a = from + step * i;
    path.cubicTo(a + step * 0.33 + across, a + step * 0.66 - across, a + step);
  }
  painter.drawPath(path);
}

void Arpeggio(QPainter& painter) {
  painter.setPen(QPen(Qt::black, 1.5));
  Wave(painter, QPointF(11, 2), QPointF(11, 17), 4);
  ArrowHead(painter, QPointF(11, 21), QPointF(11, 16));
}

void TrillLine(QPainter& painter) {
  Glyph(painter, {6, 11}, glyph::Trill, 18);
  painter.setPen(QPen(Qt::black, 1.3));
  Wave(painter, QPointF(12, 11), QPointF(21, 11), 3);
}

// A bend: rising from the bottom (at once for a pre-bend, over time else),
// and falling back when it is released.
void Bend(QPainter& painter, bool pre, bool release, bool overTime) {
  painter.setPen(QPen(Qt::black, 1.3));
  QPainterPath path(QPointF(3, 19));
  QPointF top;
  QPointF before;
  if (pre) {
    path.lineTo(5, 5);
    top = QPointF(5, 3);
    before = QPointF(5, 8);
  } else {
    path.quadTo(QPointF(10, 19), QPointF(11, 6));
    top = QPointF(11, 3);
    before = QPointF(11, 8);
  }
  painter.drawPath(path);
  ArrowHead(painter, top, before);
  if (!release) return;
  const double startX = top.x() + (overTime ? 3 : 1);
  QPainterPath back(QPointF(top.x(), 6));
  if (overTime) back.lineTo(startX, 6);
  back.quadTo(QPointF(startX + 4, 6), QPointF(startX + 5, 16));
  painter.drawPath(back);
  ArrowHead(painter, QPointF(startX + 5.2, 20), QPointF(startX + 5, 15));
}

const std::map<std::string_view, Drawing, std::less<>>& Drawings() {
  static const std::map<std::string_view, Drawing, std::less<>> drawings = {
      {"CBPointNotes", Pointer},
      {"CBPointDesign", Pointer},
      {"CBResetDesign", Reset},
      {"CBPointSymbols", Pointer},
      {"CBPointExpanded", Pointer},
      {"CBPointTerm", Pointer},
      {"CBResetNotes", Reset},
      {"CBResetSymbols", Reset},
      {"CBResetExpanded", Reset},
      {"CBResetTerm", Reset},
      {"CBEraseNotes", Eraser},
      {"CBTempo",
       [](QPainter& p) {
         Glyph(p, {5, 11}, glyph::StemmedQuarter, 18);
         p.drawLine(QPointF(12, 10), QPointF(19, 10));
         p.drawLine(QPointF(12, 13), QPointF(19, 13));
       }},
      {"CBVorschlag",
       [](QPainter& p) {
         Glyph(p, {10, 11}, glyph::StemmedEighth, 16);
         p.drawLine(QPointF(6, 13), QPointF(16, 6));
       }},
      {"CBPause", [](QPainter& p) { Rest(p, true); }},
      {"CBPause2", [](QPainter& p) { Rest(p, false); }},
      {"CBLift", [](QPainter& p) { HeadWith(p, glyph::Lift); }},
      {"CBGlissandoUp", [](QPainter& p) { HeadWith(p, glyph::GlissandoUp); }},
      {"CBGlissandoDown", [](QPainter& p) { HeadWith(p, glyph::GlissandoDown); }},
      {"CBFallUp", [](QPainter& p) { HeadWith(p, glyph::FallUp); }},
      {"CBFallDown", [](QPainter& p) { HeadWith(p, glyph::FallDown); }},
      {"CBHandUp", [](QPainter& p) { StemDirection(p, true); }},
      {"CBHandDown", [](QPainter& p) { StemDirection(p, false); }},
      {"CBBlankNote", BlankNote},
      {"CBEndPart", [](QPainter& p) { BarLines(p, {{8, 1}, {13, 1}}, false, false); }},
      {"CBEndComposition", [](QPainter& p) { BarLines(p, {{7, 1}, {11, 4}}, false, false); }},
      {"CBBeginRepeat", [](QPainter& p) { BarLines(p, {{6, 4}, {12, 1}}, false, true); }},
      {"CBEndRepeat", [](QPainter& p) { BarLines(p, {{9, 1}, {12, 4}}, true, false); }},
      {"CBPartComposition", SectionLine},
      {"CBBeginFonar", [](QPainter& p) { Coda(p, true); }},
      {"CBEndFonar", [](QPainter& p) { Coda(p, false); }},
      {"CBArpeggio", Arpeggio},
      {"CBTrillare", TrillLine},
      {"CBPreBend", [](QPainter& p) { Bend(p, true, false, false); }},
      {"CBBendUp", [](QPainter& p) { Bend(p, false, false, false); }},
      {"CBPreBendRelease", [](QPainter& p) { Bend(p, true, true, false); }},
      {"CBBendUpRelease", [](QPainter& p) { Bend(p, false, true, false); }},
      {"CBPreBendReleaseOverTime", [](QPainter& p) { Bend(p, true, true, true); }},
      {"CBBendUpReleaseOverTime", [](QPainter& p) { Bend(p, false, true, true); }},
  };
  return drawings;
}

// The drawings of every page.
const std::array<const std::map<std::string_view, Drawing, std::less<>>* (*)(), 3> kDrawingSets = {
    [] { return &Drawings(); }, [] { return &ModifyDrawings(); }, [] { return &DesignDrawings(); }};

const Drawing* FindDrawing(std::string_view name) {
  for (const auto set : kDrawingSets)
    if (const auto found = set()->find(name); found != set()->end()) return &found->second;
  return nullptr;
}

QPixmap Draw(const Drawing& drawing) {
  QImage image(kSide, kSide, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::black, 1));
  drawing(painter);
  painter.end();
  // The bottom-left pixel names the transparent colour: keep it white.
  image.setPixel(0, kSide - 1, qRgb(255, 255, 255));
  return QPixmap::fromImage(image);
}

}  // namespace

std::span<const std::string_view> FaceFactory::Names() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all;
    for (const auto set : kDrawingSets)
      for (const auto& [name, drawing] : *set()) all.push_back(name);
    return all;
  }();
  return names;
}

QPixmap FaceFactory::Picture(std::string_view buttonName) {
  const Drawing* drawing = FindDrawing(buttonName);
  if (drawing == nullptr) return {};
  static std::map<std::string, QPixmap, std::less<>> pictures;
  auto found = pictures.find(buttonName);
  if (found == pictures.end()) found = pictures.emplace(std::string(buttonName), Draw(*drawing)).first;
  return found->second;
}

}  // namespace nv::editor
