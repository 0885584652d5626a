#include "dialogs/logic/modify_face_painters.h"

#include <string>

#include "platform/colors.h"

namespace nv::dialogs {
namespace {

using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Rect;

constexpr Color kPitchInk = nv::platform::colors::maroon;
constexpr Color kCrossInk = nv::platform::colors::red;

void Line(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.moveTo(x1, y1);
  canvas.lineTo(x2, y2);
}

// A note head with its stem up, the stem at x from `top` to the head.
void StemNote(Canvas& canvas, int x, int top, int headTop, Color ink) {
  FillBar(canvas, x - 3, headTop, x, headTop + 2, ink);
  Line(canvas, x, top, x, headTop + 1);
}

// Stems at `xs` with beams over the groups [first, last] of them.
void Beamed(Canvas& canvas, const Rect& b, std::initializer_list<int> xs,
            std::initializer_list<std::pair<int, int>> groups, Color ink) {
  const int top = b.top + 4;
  for (const int x : xs) StemNote(canvas, b.left + x, top, b.top + 15, ink);
  for (const auto& [first, last] : groups) FillBar(canvas, b.left + first, top, b.left + last, top + 1, ink);
}

// A bar of `xs` dots between two bar lines, with the grid of `ticks` under it.
void Spacing(Canvas& canvas, const Rect& b, std::initializer_list<int> xs, std::initializer_list<int> ticks,
             Color ink) {
  Line(canvas, b.left + 3, b.top + 5, b.left + 3, b.top + 15);
  Line(canvas, b.right - 4, b.top + 5, b.right - 4, b.top + 15);
  for (const int x : xs) FillBar(canvas, b.left + x, b.top + 9, b.left + x + 2, b.top + 11, ink);
  for (const int x : ticks) Line(canvas, b.left + x + 1, b.top + 16, b.left + x + 1, b.top + 19);
}

void Cross(Canvas& canvas, const Rect& b) {
  canvas.setPen({kCrossInk, 2});
  Line(canvas, b.left + 6, b.top + 6, b.right - 6, b.bottom - 6);
  Line(canvas, b.right - 6, b.top + 6, b.left + 6, b.bottom - 6);
}

}  // namespace

void DrawArrangementImage(Canvas& canvas, const Rect& b, int index, Color ink) {
  canvas.setPen({ink, 1});
  switch (index) {
    case 0: return Beamed(canvas, b, {6, 12, 18}, {}, ink);
    case 1: return Beamed(canvas, b, {5, 10, 15, 20}, {{5, 20}}, ink);
    case 2: return Beamed(canvas, b, {5, 10, 15, 20}, {{5, 10}, {15, 20}}, ink);
    case 3: return Beamed(canvas, b, {5, 10, 15, 20}, {{5, 15}}, ink);
    case 4: return Spacing(canvas, b, {6, 11, 16}, {}, ink);
    case 5: return Spacing(canvas, b, {5, 8, 15}, {}, ink);
    case 6: return Spacing(canvas, b, {5, 10, 15}, {5, 10, 15}, ink);
    case 7: {
      // A note with the arrows of a move up and down by pitch.
      StemNote(canvas, b.left + 8, b.top + 4, b.top + 14, ink);
      Line(canvas, b.left + 14, b.top + 5, b.left + 14, b.top + 17);
      Line(canvas, b.left + 12, b.top + 7, b.left + 14, b.top + 5);
      Line(canvas, b.left + 16, b.top + 7, b.left + 14, b.top + 5);
      Line(canvas, b.left + 12, b.top + 15, b.left + 14, b.top + 17);
      Line(canvas, b.left + 16, b.top + 15, b.left + 14, b.top + 17);
      return;
    }
    default: return;
  }
}

void PaintModifyFace(Canvas& canvas, const Rect& box, nv::document::ModifyFace face, const ModifyFaceValues& values,
                     FaceLook look) {
  using nv::document::ModifyFace;
  PaintFace(box, look, [&](const Rect& b, Color ink) {
    const bool shadow = ink != nv::platform::colors::black;
    switch (face) {
      case ModifyFace::JoinStyle:
        DrawArrangementImage(canvas, b, nv::document::JoinStyleImage(values.JoinCount), ink);
        if (!values.JoinActive && !shadow) Cross(canvas, b);
        return;
      case ModifyFace::RowStyle:
        DrawArrangementImage(canvas, b, nv::document::RowStyleImage(values.RowStyle), ink);
        if (!values.RowActive && !shadow) Cross(canvas, b);
        return;
      case ModifyFace::PitchUp:
      case ModifyFace::PitchDown: {
        DrawArrangementImage(canvas, b, 7, ink);
        const bool up = face == ModifyFace::PitchUp;
        const std::string text = (up ? "+" : "-") + std::to_string(nv::document::PitchSteps(up ? values.PitchUp
                                                                                                : values.PitchDown));
        nv::platform::Font font;
        font.face = "Arial";
        font.size = 6;
        canvas.setFont(font);
        const int width = canvas.textWidth(text);
        FaceText(canvas, b.right - 1 - width, b.top + (up ? 0 : 7), text, "Arial", 6, shadow ? ink : kPitchInk);
        return;
      }
      case ModifyFace::Picture: return;
    }
  });
}

}  // namespace nv::dialogs
