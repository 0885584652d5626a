#include "dialogs/logic/grace_preview.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "platform/canvas.h"
#include "platform/font_faces.h"
#include "render/music_font_codes.h"

namespace nv::dialogs {
namespace {

namespace glyph = nv::render::glyph;
using nv::platform::Canvas;
using nv::platform::Point;
using nv::platform::Rect;

constexpr nv::platform::Color kLineColour = nv::platform::rgb(0xC0, 0xC0, 0xC0);
constexpr int kLineGap = 6;
constexpr int kStepPixels = 3;
constexpr int kMainPoints = 19;
constexpr int kSinglePoints = 13;
constexpr int kGroupPoints = 11;
constexpr int kBand = 8;
constexpr int kAccidentalAdvance = 5;
// Between the main note's ink and the grace notes after it.
constexpr int kClearance = 2;
constexpr int kShortestStem = 12;
constexpr int kBeamGap = 3;
constexpr int kBeamWidth = 2;
// The pitch on the middle line with no clef offset: B above middle C.
constexpr int kMiddleLineDiatonic = 5 * 7 + 6;

int CentreX(const Rect& area) { return (area.left + area.right) / 2; }
int CentreY(const Rect& area) { return (area.top + area.bottom) / 2; }

// The em of a music-font size on the forms' 96 pixels an inch.
int EmPixels(int points) { return (points * 96 + 36) / 72; }

nv::platform::Font MusicFont(int points) {
  nv::platform::Font font;
  font.face = nv::platform::kMusicFace;
  font.size = points;
  return font;
}

// How far below its cell's top a glyph stands on its pitch: a head one
// staff space, an accidental two, a one-character note 2.5.
int PitchDepth(glyph::Code code, int em) {
  switch (code) {
    case glyph::HalfHead:
    case glyph::BlackHead: return glyph::HeadCentre(em);
    case glyph::Flat:
    case glyph::Sharp:
    case glyph::Natural: return glyph::AccidentalCentre(em);
    default: return glyph::StemmedHeadCentre(em);
  }
}

// Draws the glyph with its pitch on `pitchY`.
void Glyph(Canvas& canvas, int x, int pitchY, glyph::Code code) {
  canvas.textOut(x, pitchY - PitchDepth(code, EmPixels(canvas.font().size)), glyph::Text(code));
}

glyph::Code MainGlyph(int duration) {
  switch (duration) {
    case 2: return glyph::StemmedSixtyFourth;
    case 4: return glyph::StemmedThirtySecond;
    case 8: return glyph::StemmedSixteenth;
    case 16: return glyph::StemmedEighth;
    case 32: return glyph::StemmedQuarter;
    case 64: return glyph::StemmedHalf;
    default: return glyph::HalfHead;
  }
}

glyph::Code GraceGlyph(int duration) {
  switch (duration) {
    case 4: return glyph::StemmedThirtySecond;
    case 8: return glyph::StemmedSixteenth;
    case 16: return glyph::StemmedEighth;
    default: return glyph::StemmedQuarter;
  }
}

glyph::Code AccidentalGlyph(std::uint8_t code) {
  switch (code) {
    case grace_accidental::kFlat: return glyph::Flat;
    case grace_accidental::kSharp: return glyph::Sharp;
    default: return glyph::Natural;
  }
}

int Beams(int duration) {
  switch (duration) {
    case 16: return 1;
    case 8: return 2;
    case 4: return 3;
    default: return 0;
  }
}

void LedgerLines(Canvas& canvas, const GracePreviewLayout& layout, int x, int width, int headY) {
  for (int y = layout.StaffTop - kLineGap; y >= headY; y -= kLineGap) {
    canvas.moveTo(x - 2, y);
    canvas.lineTo(x + width + 2, y);
  }
  for (int y = layout.StaffBottom + kLineGap; y <= headY; y += kLineGap) {
    canvas.moveTo(x - 2, y);
    canvas.lineTo(x + width + 2, y);
  }
}

void LinePen(Canvas& canvas, nv::platform::Color colour) {
  canvas.pen() = nv::platform::Pen{};
  canvas.pen().color = colour;
}

}  // namespace

void DrawGraceSlur(Canvas& canvas, Point from, Point to) {
  if (to.x < from.x) std::swap(from, to);
  const double dx = to.x - from.x;
  const double dy = to.y - from.y;
  const double chord = std::hypot(dx, dy);
  const double sag = GraceSlurSag(chord);
  if (!(sag > 0)) return;
  const double radius = (chord * chord / 4 + sag * sag) / (2 * sag);
  // The centre lies on the perpendicular through the middle, on the upper
  // side, radius - sag from the chord.
  const double nx = dy / chord;
  const double ny = -dx / chord;
  const double cx = (from.x + to.x) / 2.0 + nx * (radius - sag);
  const double cy = (from.y + to.y) / 2.0 + ny * (radius - sag);
  const int r = static_cast<int>(std::lround(radius));
  const int icx = static_cast<int>(std::lround(cx));
  const int icy = static_cast<int>(std::lround(cy));
  // Counter-clockwise on the screen from the left end runs through the bottom.
  canvas.arc({icx - r, icy - r, icx + r + 1, icy + r + 1}, from, to);
}

int GraceHeadY(const Rect& area, int step, int octave, int clefOffset) {
  const int diatonic = octave * 7 + step - 1;
  return CentreY(area) - (diatonic - kMiddleLineDiatonic - clefOffset) * kStepPixels;
}

double GraceSlurSag(double distance) { return distance > 0 ? 3 * std::log2(distance) - 8 : 0; }

GracePreviewLayout LayOutGracePreview(const GraceNotesModel& model, const Rect& area) {
  GracePreviewLayout layout;
  layout.Area = area;
  layout.StaffTop = CentreY(area) - 2 * kLineGap;
  layout.StaffBottom = layout.StaffTop + 4 * kLineGap;
  const int count = model.Count();
  const auto& main = model.Main();
  layout.MainX = CentreX(area) + (model.After() ? -count * 4 : count * 4) + 2;
  layout.MainY = GraceHeadY(area, main.Step, main.Octave, main.ClefOffset);
  layout.MainRight = layout.MainX + glyph::NoteAdvance(MainGlyph(main.Duration), EmPixels(kMainPoints));
  // A lone grace note is one glyph, whose flag may reach past the band.
  const int band =
      count == 1 ? std::max(kBand, glyph::NoteAdvance(GraceGlyph(model.Duration()), EmPixels(kSinglePoints)) + 1)
                 : kBand;
  int accidentals = 0;
  for (int i = 0; i < count; ++i) accidentals += model.SlotAt(i).Accidental != 0 ? 1 : 0;
  // After the note the grace notes start clear of its head, stem and flag.
  int x = model.After() ? layout.MainRight + kClearance
                        : layout.MainX - count * band - 4 - accidentals * kAccidentalAdvance;
  for (int i = 0; i < count; ++i) {
    const auto& slot = model.SlotAt(i);
    layout.BandLeft.push_back(x);
    if (slot.Accidental != 0) x += kAccidentalAdvance;
    layout.GlyphX.push_back(x);
    layout.HeadY.push_back(GraceHeadY(area, slot.Step, slot.Octave, main.ClefOffset));
    x += band;
  }
  layout.BandRight = x;
  return layout;
}

void PaintGracePreview(Canvas& canvas, const GraceNotesModel& model, const Rect& area) {
  const GracePreviewLayout layout = LayOutGracePreview(model, area);
  canvas.brush() = nv::platform::Brush{};
  canvas.brush().color = nv::platform::colors::white;
  canvas.fillRect(area);
  canvas.brush().style = nv::platform::BrushStyle::Clear;

  LinePen(canvas, kLineColour);
  for (int i = 0; i < 5; ++i) {
    const int y = layout.StaffTop + i * kLineGap;
    canvas.moveTo(area.left + 6, y);
    canvas.lineTo(area.right - 6, y);
  }

  // The main note.
  canvas.font() = MusicFont(kMainPoints);
  const int mainWidth = canvas.textWidth(glyph::Text(glyph::HalfHead));
  LedgerLines(canvas, layout, layout.MainX, mainWidth, layout.MainY);
  Glyph(canvas, layout.MainX, layout.MainY, MainGlyph(model.Main().Duration));

  const int count = model.Count();
  std::vector<Point> heads;  // the grace heads' centres, for the slur
  if (count == 1) {
    canvas.font() = MusicFont(kSinglePoints);
    const auto& slot = model.SlotAt(0);
    const int x = layout.GlyphX[0];
    const int y = layout.HeadY[0];
    if (slot.Accidental != 0) Glyph(canvas, layout.BandLeft[0], y, AccidentalGlyph(slot.Accidental));
    const int width = canvas.textWidth(glyph::Text(glyph::BlackHead));
    LinePen(canvas, kLineColour);
    LedgerLines(canvas, layout, x, width, y);
    Glyph(canvas, x, y, GraceGlyph(model.Duration()));
    if (model.Short()) {
      LinePen(canvas, nv::platform::colors::black);
      canvas.moveTo(x, y + 3);
      canvas.lineTo(x + 12, y + 3 - 6);
    }
    heads.push_back({x + width / 2, y});
  } else {
    canvas.font() = MusicFont(kGroupPoints);
    const int width = canvas.textWidth(glyph::Text(glyph::BlackHead));
    std::vector<int> stems;
    for (int i = 0; i < count; ++i) {
      const auto& slot = model.SlotAt(i);
      const int y = layout.HeadY[static_cast<std::size_t>(i)];
      const int x = layout.GlyphX[static_cast<std::size_t>(i)];
      if (slot.Accidental != 0)
        Glyph(canvas, layout.BandLeft[static_cast<std::size_t>(i)], y, AccidentalGlyph(slot.Accidental));
      LinePen(canvas, kLineColour);
      LedgerLines(canvas, layout, x, width, y);
      Glyph(canvas, x, y, glyph::BlackHead);
      stems.push_back(x + width - 1);
      heads.push_back({x + width / 2, y});
    }
    // The beam line runs from the first stem to the last with the heads'
    // slope, raised until every stem is at least the shortest.
    const int firstY = layout.HeadY.front() - kShortestStem;
    const int lastY = layout.HeadY.back() - kShortestStem;
    const double run = std::max(1, stems.back() - stems.front());
    const double slope = (lastY - firstY) / run;
    double lift = 0;
    for (int i = 0; i < count; ++i) {
      const double beamY = firstY + slope * (stems[static_cast<std::size_t>(i)] - stems.front());
      lift = std::max(lift, beamY - (layout.HeadY[static_cast<std::size_t>(i)] - kShortestStem));
    }
    const auto beamAt = [&](int stemX) {
      return static_cast<int>(std::floor(firstY + slope * (stemX - stems.front()) - lift));
    };
    LinePen(canvas, nv::platform::colors::black);
    for (int i = 0; i < count; ++i) {
      canvas.moveTo(stems[static_cast<std::size_t>(i)], layout.HeadY[static_cast<std::size_t>(i)]);
      canvas.lineTo(stems[static_cast<std::size_t>(i)], beamAt(stems[static_cast<std::size_t>(i)]));
    }
    // Filled without an outline, so that the beams keep their width and the gaps between them.
    canvas.pen().style = nv::platform::PenStyle::Clear;
    canvas.brush() = nv::platform::Brush{};
    canvas.brush().color = nv::platform::colors::black;
    for (int beam = 0; beam < Beams(model.Duration()); ++beam) {
      const int offset = beam * kBeamGap;
      const int left = stems.front();
      const int right = stems.back() + 1;
      const std::array<Point, 4> band = {Point{left, beamAt(left) + offset},
                                         Point{right, beamAt(stems.back()) + offset},
                                         Point{right, beamAt(stems.back()) + offset + kBeamWidth},
                                         Point{left, beamAt(left) + offset + kBeamWidth}};
      canvas.polygon(band);
    }
    canvas.brush().style = nv::platform::BrushStyle::Clear;
  }

  if (model.Slur()) {
    LinePen(canvas, nv::platform::colors::black);
    const Point main{layout.MainX + mainWidth / 2, layout.MainY + 5};
    const Point grace = model.After() ? heads.back() : heads.front();
    DrawGraceSlur(canvas, {grace.x, grace.y + 4}, main);
  }
}

int GraceNoteAt(const GracePreviewLayout& layout, int x) {
  for (std::size_t i = 0; i < layout.BandLeft.size(); ++i) {
    const int right = i + 1 < layout.BandLeft.size() ? layout.BandLeft[i + 1] : layout.BandRight;
    if (x >= layout.BandLeft[i] && x < right) return static_cast<int>(i);
  }
  return -1;
}

Rect GraceMarker(const GracePreviewLayout& layout, int index) {
  const int x = layout.GlyphX[static_cast<std::size_t>(index)] + 3;
  return {x, layout.StaffTop - 2, x + 2, layout.StaffBottom + 3};
}

}  // namespace nv::dialogs
