#include "dialogs/logic/clef_glyph_painter.h"

#include <array>

#include "render/music_font_codes.h"

namespace nv::dialogs {
namespace {

namespace glyph = nv::render::glyph;
using nv::platform::Canvas;
using nv::platform::Color;
using nv::platform::Rect;

constexpr int kClefPoints = 15;
constexpr int kOctavePoints = 10;

// One clef: its name, the music-font glyph (0: drawn otherwise) at (3, y),
// and where an octave "8" or a second glyph goes (x 0: none).
struct ClefFace {
  const char* name;
  std::uint8_t glyph;
  int y;
  int extraX = 0;
  int extraY = 0;
};

constexpr std::array<ClefFace, kClefCount> kClefs = {{
    {"Violin", glyph::GClef, 2},
    {"Bass", glyph::FClef, 15},
    {"Alt", glyph::CClef, 14},
    {"Violin octava", glyph::GClef, 2, 15, 2},
    {"Violin octava basso", glyph::GClef, 2, 15, 35},
    {"Bass octava basso", glyph::FClef, 15, 15, 35},
    {"Bariton(Bass)", glyph::FClef, 20},
    {"Tenor", glyph::CClef, 9},
    {"Soprano", glyph::CClef, 24},
    {"Mezzosoprano", glyph::CClef, 19},
    {"Bariton(C)", glyph::CClef, 4},
    {"Violin", glyph::GClef, 2, 10, 2},
    {"Tablature", 0, 0},
    {"Percussion 1", 0, 0},
    {"Percussion 2", 0, 0},
}};

constexpr int kTablature = 12;
constexpr int kPercussion1 = 13;
constexpr int kPercussion2 = 14;
constexpr int kDoubleViolin = 11;

void PaintClef(Canvas& canvas, const Rect& box, int clef, Color ink) {
  StaffLines(canvas, box, box.top + 17, 5, ink);
  if (clef < 0 || clef >= kClefCount) return;
  const ClefFace& face = kClefs[clef];
  const int x = box.left;
  const int y = box.top;
  switch (clef) {
    case kTablature:
      FaceText(canvas, x + 3, y + 10, "T", "Arial", 8, ink, true);
      FaceText(canvas, x + 3, y + 19, "A", "Arial", 8, ink, true);
      FaceText(canvas, x + 3, y + 29, "B", "Arial", 8, ink, true);
      return;
    case kPercussion1:
      FillBar(canvas, x + 5, y + 19, x + 11, y + 21, ink);
      FillBar(canvas, x + 5, y + 19, x + 6, y + 36, ink);
      FillBar(canvas, x + 5, y + 34, x + 11, y + 36, ink);
      FillBar(canvas, x + 10, y + 19, x + 11, y + 36, ink);
      return;
    case kPercussion2:
      FillBar(canvas, x + 5, y + 23, x + 7, y + 33, ink);
      FillBar(canvas, x + 9, y + 23, x + 11, y + 33, ink);
      return;
    default: break;
  }
  MusicChar(canvas, x + 3, y + face.y, face.glyph, kClefPoints, ink);
  if (face.extraX == 0) return;
  if (clef == kDoubleViolin)
    MusicChar(canvas, x + face.extraX, y + face.extraY, face.glyph, kClefPoints, ink);
  else
    MusicChar(canvas, x + face.extraX, y + face.extraY, glyph::Octave8, kOctavePoints, ink, true);
}

}  // namespace

std::string ClefName(int clef) {
  if (clef < 0 || clef >= kClefCount) return {};
  return kClefs[clef].name;
}

void PaintClefGlyph(Canvas& canvas, const Rect& box, int clef, FaceLook look, bool grey) {
  PaintFace(box, look, [&](const Rect& at, Color ink) { PaintClef(canvas, at, clef, grey ? kFaceShadow : ink); });
}

}  // namespace nv::dialogs
