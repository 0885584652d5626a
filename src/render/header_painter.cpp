#include "render/header_painter.h"

#include <algorithm>
#include <string>

#include "model/clef_codes.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "render/header_metrics.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"

namespace nv::render {

namespace {

using nv::platform::Rect;

// Writes a glyph at (x, y) and returns the cell it covered.
Rect GlyphAt(PainterContext& ctx, int x, int y, const std::string& glyph) {
  const nv::platform::Size size = ctx.Canvas.textExtent(glyph);
  ctx.Canvas.textOut(x, y, glyph);
  return {x, y, x + size.width, y + size.height};
}

Rect Union(const Rect& a, const Rect& b) {
  if (a.isEmpty()) return b;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

void StoreRect(TECElement* record, const Rect& r) {
  if (record != nullptr) StoreBox(*record, r.left, r.top, r.right, r.bottom);
}

// The octave mark of the octave clefs: an italic "8" at 10 points.
Rect OctaveMark(PainterContext& ctx, int x, int y, nv::platform::Color color) {
  ctx.UseMusicFont(10, color);
  ctx.Canvas.font().italic = true;
  const Rect r = GlyphAt(ctx, x, y, glyph::Text(glyph::Octave8));
  ctx.UseMusicFont(16, color);
  return r;
}

// Key signature glyph places in half spaces from the base line, for the
// baritone and mezzo-soprano clefs and for the others.
constexpr int kSharpsLowClefs[7] = {3, -1, 2, 5, 1, 4, 0};
constexpr int kSharps[7] = {0, 3, -1, 2, 5, 1, 4};
constexpr int kFlatsLowClefs[7] = {1, 5, 2, 6, 3, 7, 4};
constexpr int kFlats[7] = {4, 1, 5, 2, 6, 3, 7};

}  // namespace

int DrawClef(PainterContext& ctx, int code, int x, TECElement* record) {
  const nv::platform::Color ink = record ? ctx.InkFor(record) : nv::platform::colors::black;
  const int s = ctx.Space;
  const int top = ctx.StaffBottom - ctx.StaffHeight;
  const int bottom = ctx.StaffBottom;
  ctx.UseMusicFont(16, ink);
  ctx.SetClearBrush();
  Rect box;
  switch (code) {
    case clef_code::Bass: box = GlyphAt(ctx, x, top, glyph::Text(glyph::FClef)); break;
    case clef_code::Alto: box = GlyphAt(ctx, x, top, glyph::Text(glyph::CClef)); break;
    case clef_code::BassOctavaBasso:
      box = GlyphAt(ctx, x, top, glyph::Text(glyph::FClef));
      box = Union(box, OctaveMark(ctx, x + 2 * s, bottom, ink));
      break;
    case clef_code::BaritoneF: box = GlyphAt(ctx, x, top + s, glyph::Text(glyph::FClef)); break;
    case clef_code::Tenor: box = GlyphAt(ctx, x, top - s, glyph::Text(glyph::CClef)); break;
    case clef_code::Soprano: box = GlyphAt(ctx, x, top + 2 * s, glyph::Text(glyph::CClef)); break;
    case clef_code::MezzoSoprano: box = GlyphAt(ctx, x, top + s, glyph::Text(glyph::CClef)); break;
    case clef_code::BaritoneC: box = GlyphAt(ctx, x, top - 2 * s, glyph::Text(glyph::CClef)); break;
    case clef_code::DoubleViolin:
      box = GlyphAt(ctx, x, top - 2 * s, glyph::Text(glyph::GClef));
      box = Union(box, GlyphAt(ctx, x + s + ctx.PenUnits[1], top - 2 * s, glyph::Text(glyph::GClef)));
      break;
    case clef_code::Tablature: {
      ctx.UseTextFont("Arial", ctx.FontSize(9), ink, true);
      const char* letters[] = {"T", "A", "B"};
      const int step = (ctx.StaffHeight + s) / 3;
      for (int i = 0; i < 3; ++i) box = Union(box, GlyphAt(ctx, x + 3, top - s / 2 + i * step, letters[i]));
      break;
    }
    case clef_code::Percussion1:
    case clef_code::Percussion2: {
      // Percussion clefs: a box of four bars, or two thick bars.
      ctx.SetPen(ink, 1);
      ctx.SetSolidBrush(ink);
      const int left = x + ctx.PenUnits[2];
      const int thick = std::max(1, ctx.PenUnits[1]);
      const int width = 2 * s;
      const Rect frame{left, top + s, left + width, bottom - s};
      if (code == clef_code::Percussion1) {
        ctx.Canvas.fillRect({frame.left, frame.top, frame.right, frame.top + thick});
        ctx.Canvas.fillRect({frame.left, frame.bottom - thick, frame.right, frame.bottom});
        ctx.Canvas.fillRect({frame.left, frame.top, frame.left + thick, frame.bottom});
        ctx.Canvas.fillRect({frame.right - thick, frame.top, frame.right, frame.bottom});
      } else {
        const int bar = std::max(2, s / 2);
        ctx.Canvas.fillRect({frame.left, frame.top, frame.left + bar, frame.bottom});
        ctx.Canvas.fillRect({frame.right - bar, frame.top, frame.right, frame.bottom});
      }
      ctx.SetClearBrush();
      box = frame;
      break;
    }
    default:
      box = GlyphAt(ctx, x, top - 2 * s, glyph::Text(glyph::GClef));
      if (code == clef_code::ViolinOctava) box = Union(box, OctaveMark(ctx, x + 2 * s, top - 2 * s, ink));
      if (code == clef_code::ViolinOctavaBasso) box = Union(box, OctaveMark(ctx, x + 2 * s, bottom - ctx.TwoThirdsUnit, ink));
      break;
  }
  StoreRect(record, box);
  int advance = 18;
  if (code == clef_code::DoubleViolin) advance = 24;
  else if (code >= clef_code::Tablature && code <= clef_code::Percussion2) advance = 14;
  return ctx.Scaled(advance);
}

int DrawKeySignature(PainterContext& ctx, int keyInForce, int clef, int x, TECElement* record) {
  const bool flats = keyInForce > 10;
  const int count = std::min(flats ? keyInForce - 10 : keyInForce, 7);
  if (count <= 0) return 0;
  const int s = ctx.Space;
  int base = ctx.StaffBottom - ctx.StaffHeight - 2 * s;
  switch (clef) {
    case clef_code::Bass:
    case clef_code::BassOctavaBasso: base += s; break;
    case clef_code::Alto: base += s / 2; break;
    case clef_code::Tenor:
    case clef_code::MezzoSoprano: base -= s / 2; break;
    case clef_code::Soprano: base -= s; break;
    default: break;
  }
  const bool lowClef = clef == clef_code::BaritoneF || clef == clef_code::MezzoSoprano || clef == clef_code::BaritoneC;
  const int* halves = flats ? (lowClef ? kFlatsLowClefs : kFlats) : (lowClef ? kSharpsLowClefs : kSharps);
  ctx.UseMusicFont(16, record ? ctx.InkFor(record) : nv::platform::colors::black);
  ctx.SetClearBrush();
  Rect box;
  const int start = x;
  for (int i = 0; i < count; ++i) {
    box = Union(box, GlyphAt(ctx, x, base + halves[i] * s / 2, glyph::Text(flats ? glyph::Flat : glyph::Sharp)));
    x += ctx.Scaled(6);
  }
  StoreRect(record, box);
  return x - start;
}

int DrawTimeSignature(PainterContext& ctx, int numerator, int denominator, int sizeStyle, int x,
                      TECElement* record) {
  // 24 x f / 15000 points is the music face's 16-point size.
  ctx.UseMusicFont(16, record ? ctx.InkFor(record) : nv::platform::colors::black);
  ctx.SetClearBrush();
  // The digits' ink runs from half a space to 2.5 spaces below the cell
  // top on every device (the face is sized from the staff space), so the
  // cell stands half a space above the line on paper too.
  const int lift = ctx.Space / 2;
  const int upper = ctx.StaffBottom - ctx.StaffHeight - lift;
  const int lower = ctx.StaffBottom - ctx.StaffHeight / 2 - lift;
  const bool whole = denominator == numerator && (numerator == 1 || numerator == 2 || numerator == 4);
  const bool half = (numerator == 1 && denominator == 2) || (numerator == 2 && denominator == 4);
  Rect box;
  if (sizeStyle == 1 && whole) {
    box = GlyphAt(ctx, x, upper, glyph::Text(glyph::CommonTime));
  } else if (sizeStyle == 2 && (whole || half)) {
    box = GlyphAt(ctx, x, upper, glyph::Text(glyph::CutTime));
  } else {
    box = GlyphAt(ctx, x, upper, std::to_string(numerator));
    box = Union(box, GlyphAt(ctx, x, lower, std::to_string(denominator)));
  }
  StoreRect(record, box);
  return ctx.Scaled(16);
}

void DrawMeasureHeader(PainterContext& ctx) {
  TECMeasure* measure = ctx.Measure;
  const bool hasClef = measure && measure->Clef;
  const bool hasKey = measure && measure->KeySignature;
  const bool hasTime = measure && measure->TimeSignature;
  if (!ctx.FirstInSystem && !hasClef && !hasKey && !hasTime) return;

  // The clef and key in force: the measure's own, else those of the row's
  // last measure (rows shorter than the others).
  const TECMeasure* source = measure;
  if (source == nullptr && ctx.Row->MeasureCount() > 0) source = ctx.Row->GetMeasure(ctx.Row->MeasureCount() - 1);
  // A measure's clef in force is the one it ends with; its start is tick 0's.
  int clef = 1;
  if (hasClef) clef = measure->Clef->Code();
  else if (measure != nullptr && measure->ClefAt(0) != 0) clef = measure->ClefAt(0);
  else if (source != nullptr && source->ClefInForce != 0) clef = source->ClefInForce;
  int key = source ? source->KeyInForce : 0;
  // Key codes 30 + n and 40 + n are the in-force codes n and 10 + n.
  if (hasKey) key = measure->KeySignature->Code() - 30;

  int x = ctx.MeasureStartX;
  const bool clefShown = (ctx.FirstInSystem && (ctx.Enabled || ctx.MeasureIndex == 0)) || hasClef;
  if (clefShown) {
    // A clef change after a barline keeps half a space clear of it (and of
    // its pen), so that the two never read as a double bar.
    const int gap = ctx.Scaled(ctx.FirstInSystem ? kSystemClefGap : kClefChangeGap);
    x += DrawClef(ctx, clef, x + gap, hasClef ? measure->Clef.get() : nullptr) + gap - ctx.Scaled(kSystemClefGap);
  }
  if (ctx.FirstInSystem || hasKey) {
    // A key that opens the header keeps clear of the barline: two units and
    // a pixel, as the accidentals' ink starts half a unit left of their
    // cells; the width reserves two units beyond the accidentals and the
    // time signature's digits leave two more.
    if (!clefShown) x += ctx.PenUnits[2] + 1;
    x += DrawKeySignature(ctx, key, clef, x, hasKey ? measure->KeySignature.get() : nullptr);
  }
  if (hasTime) {
    const TECTimeSignature& t = *measure->TimeSignature;
    DrawTimeSignature(ctx, t.Numerator(), t.Denominator(), t.Style, x, measure->TimeSignature.get());
  } else if (ctx.MeasureIndex == 0) {
    DrawTimeSignature(ctx, ctx.Score.GetNumerator(), ctx.Score.GetDenominator(), ctx.Score.GetSizeStyle(), x,
                      nullptr);
  }
}

}  // namespace nv::render
