#include "dialogs/logic/tool_face_painters.h"

#include <array>
#include <string>

#include "dialogs/logic/clef_glyph_painter.h"
#include "dialogs/logic/key_signature_painter.h"
#include "platform/font_faces.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {
namespace {

namespace glyph = nv::render::glyph;
using nv::document::PaintedFace;
using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Point;
using nv::platform::Rect;

void Line(Canvas& canvas, std::initializer_list<Point> points, Color ink, int width = 1) {
  canvas.setPen({ink, width});
  canvas.polyline(std::span<const Point>(points.begin(), points.size()));
}

int Mid(const Rect& box) { return (box.top + box.bottom) / 2; }

void TimeSignature(Canvas& canvas, const Rect& box, int size, int style, Color ink) {
  StaffLines(canvas, box, box.top + 13, 6, ink);
  const int numerator = (size >> 8) & 0xFF;
  const int denominator = size & 0xFF;
  const bool whole = numerator == denominator && (numerator == 1 || numerator == 2 || numerator == 4);
  const bool cut = whole || (numerator == 1 && denominator == 2) || (numerator == 2 && denominator == 4);
  if (style == 1 && whole) return MusicChar(canvas, box.left + 2, box.top + 16, glyph::CommonTime, 16, ink);
  if (style == 2 && cut) return MusicChar(canvas, box.left + 2, box.top + 16, glyph::CutTime, 16, ink);
  FaceText(canvas, box.left + 4, box.top + 11, std::to_string(numerator), nv::platform::kMusicFace, 16, ink);
  FaceText(canvas, box.left + 4, box.top + 23, std::to_string(denominator), nv::platform::kMusicFace, 16, ink);
}

void Tremolo(Canvas& canvas, const Rect& box, int count, Color ink) {
  int y = (box.top + box.bottom - 4 * count + 4) / 2;
  for (int i = 0; i < count; ++i, y += 4) Line(canvas, {{box.left + 6, y + 2}, {box.right - 6, y - 2}}, ink, 2);
}

// Bold Arial text centred across the box with its top at `top`; its left
// and right edges.
std::pair<int, int> CentredNumber(Canvas& canvas, const Rect& box, int top, int number, Color ink) {
  const std::string text = std::to_string(number);
  nv::platform::Font font;
  font.size = 8;
  font.bold = true;
  canvas.setFont(font);
  const int width = canvas.textWidth(text);
  const int left = box.left + (box.width() - width) / 2;
  FaceText(canvas, left, top, text, "Arial", 8, ink, true);
  return {left, left + width};
}

void Tuplet(Canvas& canvas, const Rect& box, int count, Color ink) {
  const int mid = Mid(box);
  nv::platform::Font font;
  font.size = 8;
  font.bold = true;
  canvas.setFont(font);
  const int height = canvas.textHeight("0");
  const auto [left, right] = CentredNumber(canvas, box, mid - height / 2, count, ink);
  Line(canvas, {{box.left + 1, mid + 4}, {box.left + 1, mid}, {left - 1, mid}}, ink);
  Line(canvas, {{box.right - 2, mid + 4}, {box.right - 2, mid}, {right, mid}}, ink);
}

void MeasurePause(Canvas& canvas, const Rect& box, int count, Color ink) {
  CentredNumber(canvas, box, box.top, count, ink);
  FillBar(canvas, box.left + 1, box.top + 12, box.right - 3, box.top + 15, ink);
  Line(canvas, {{box.left + 1, box.top + 10}, {box.left + 1, box.top + 18}}, ink);
  Line(canvas, {{box.right - 3, box.top + 10}, {box.right - 3, box.top + 18}}, ink);
}

void RepeatSlashes(Canvas& canvas, const Rect& box, int position, bool dots, Color ink) {
  const int start = box.left - 2 * position + 5;
  int x = start;
  canvas.setPen({ink, 1});
  canvas.setBrush({ink, nv::platform::BrushStyle::Solid, {}});
  for (int i = 0; i <= position; ++i, x += 4) {
    const std::array<Point, 4> stroke = {
        {{x, box.bottom - 7}, {x + 1, box.bottom - 7}, {x + 11, box.top + 7}, {x + 10, box.top + 7}}};
    canvas.polygon(stroke);
  }
  if (!dots) return;
  FillBar(canvas, start + 2, box.top + 7, start + 3, box.top + 8, ink);
  FillBar(canvas, x + 5, box.bottom - 9, x + 6, box.bottom - 8, ink);
}

void Slur(Canvas& canvas, const Rect& box, bool up, Color ink) {
  canvas.setPen({ink, 1});
  if (up) {
    canvas.arc({box.left - 5, box.top + 10, box.right + 5, box.bottom + 5}, {box.right - 2, box.top + 12},
               {box.left + 2, box.top + 12});
  } else {
    canvas.arc({box.left - 5, box.top - 5, box.right + 5, box.bottom - 10}, {box.left + 2, box.bottom - 12},
               {box.right - 2, box.bottom - 12});
  }
}

void NoteStyle(Canvas& canvas, const Rect& box, Color ink) {
  MusicChar(canvas, box.left + 6, box.top + 12, glyph::HalfHead, 12, ink);
  MusicChar(canvas, box.left + 14, box.top + 12, glyph::BlackHead, 12, ink);
  Line(canvas, {{box.left + 10, box.top + 4}, {box.left + 10, box.top + 16}}, ink);
  Line(canvas, {{box.left + 18, box.top + 4}, {box.left + 18, box.top + 16}}, ink);
}

void RehearsalMark(Canvas& canvas, const Rect& box, const ToolFaceValues& v, Color ink) {
  const bool digits = v.RehearsalKind == 1;
  FaceText(canvas, box.left + (digits ? 8 : 7), box.top + 4, digits ? "0" : "A", "Arial", 10, ink, true);
  if (v.RehearsalBorder <= 0) return;
  canvas.setPen({ink, std::max(1, v.RehearsalBorderWidth)});
  canvas.brush().style = nv::platform::BrushStyle::Clear;
  if (v.RehearsalBorder == 2)
    canvas.ellipse(box.left + 2, box.top + 2, box.right - 2, box.bottom - 1);
  else
    canvas.rectangle(box.left + 5, box.top + 2, box.right - 2, box.bottom - 4);
}

void Paint(Canvas& canvas, const Rect& box, PaintedFace face, const ToolFaceValues& v, Color ink) {
  const int mid = Mid(box);
  const int l = box.left;
  const int t = box.top;
  const int r = box.right;
  switch (face) {
    case PaintedFace::Size: return TimeSignature(canvas, box, v.ScoreSize, v.ScoreSizeStyle, ink);
    case PaintedFace::Tremolo: return Tremolo(canvas, box, v.Tremolo, ink);
    case PaintedFace::Treole: return Tuplet(canvas, box, v.Treole, ink);
    case PaintedFace::MeasurePause: return MeasurePause(canvas, box, v.MeasurePause, ink);
    case PaintedFace::RepeatBar: return RepeatSlashes(canvas, box, v.RepeatBar, true, ink);
    case PaintedFace::RepeatNote: return RepeatSlashes(canvas, box, v.RepeatNote, false, ink);
    case PaintedFace::Crescendo: return Line(canvas, {{r - 2, mid + 2}, {l + 2, mid}, {r - 2, mid - 2}}, ink);
    case PaintedFace::Decrescendo: return Line(canvas, {{l + 2, mid + 2}, {r - 2, mid}, {l + 2, mid - 2}}, ink);
    case PaintedFace::BottomHang: return Line(canvas, {{l + 11, t + 6}, {l + 8, t + 6}, {l + 8, t + 20}}, ink);
    case PaintedFace::TopHang: return Line(canvas, {{l + 11, t + 20}, {l + 8, t + 20}, {l + 8, t + 6}}, ink);
    case PaintedFace::BracketUp:
      return Line(canvas, {{l + 4, mid}, {l + 4, mid - 4}, {r - 4, mid - 4}, {r - 4, mid}}, ink);
    case PaintedFace::BracketDown:
      return Line(canvas, {{l + 4, mid}, {l + 4, mid + 4}, {r - 4, mid + 4}, {r - 4, mid}}, ink);
    case PaintedFace::LigaUp: return Slur(canvas, box, true, ink);
    case PaintedFace::LigaDown: return Slur(canvas, box, false, ink);
    case PaintedFace::NoteStyle: return NoteStyle(canvas, box, ink);
    case PaintedFace::Share: return RehearsalMark(canvas, box, v, ink);
    case PaintedFace::Barre:
      FaceText(canvas, l + 2, mid - 5, "B", "Arial", 7, ink);
      return Line(canvas, {{l + 10, mid}, {r - 4, mid}, {r - 4, mid + 4}}, ink);
    case PaintedFace::ContinueUntil:
      Line(canvas, {{l + 4, mid}, {r - 4, mid}}, ink);
      return Line(canvas, {{r - 4, mid - 2}, {r - 4, mid + 3}}, ink);
    case PaintedFace::Clef:
    case PaintedFace::Tone:
    case PaintedFace::DrumNote:
    case PaintedFace::None: return;
  }
}

}  // namespace

void PaintToolFace(Canvas& canvas, const Rect& box, PaintedFace face, const ToolFaceValues& values, FaceLook look) {
  if (face == PaintedFace::Clef) return PaintClefGlyph(canvas, box, values.Key, look);
  if (face == PaintedFace::Tone) return PaintKeySignature(canvas, box, values.Tone, look);
  PaintFace(box, look, [&](const Rect& at, Color ink) { Paint(canvas, at, face, values, ink); });
}

}  // namespace nv::dialogs
