#include "dialogs/logic/chord_placement_face.h"

namespace nv::dialogs {

namespace {

constexpr int kLineCount = 5;
constexpr int kLineGap = 2;
constexpr int kTextPoints = 6;
constexpr const char* kTextFace = "Arial";

}  // namespace

void PaintChordPlacementFace(nv::platform::Canvas& canvas, const nv::platform::Rect& box, bool above, FaceLook look) {
  PaintFace(box, look, [&](const nv::platform::Rect& b, nv::platform::Color ink) {
    // The staff is grey in either pass; the name takes the pass's ink.
    const int top = b.top + (above ? 13 : 1);
    const int bottom = top + (kLineCount - 1) * kLineGap;
    const int left = b.left + 1;
    const int right = b.right - 2;
    canvas.setPen({kFaceShadow, 1});
    for (int y = top; y <= bottom; y += kLineGap) {
      canvas.moveTo(left, y);
      canvas.lineTo(right + 1, y);
    }
    for (const int x : {left, right}) {
      canvas.moveTo(x, top);
      canvas.lineTo(x, bottom + 1);
    }
    const char* name = above ? "Cm7+" : "Cm5+";
    nv::platform::Font font;
    font.face = kTextFace;
    font.size = kTextPoints;
    canvas.setFont(font);
    const int x = b.left + (b.right - b.left - canvas.textWidth(name)) / 2;
    FaceText(canvas, x, b.top + (above ? 2 : 12), name, kTextFace, kTextPoints, ink);
  });
}

}  // namespace nv::dialogs
