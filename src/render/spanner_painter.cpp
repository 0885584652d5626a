#include "render/spanner_painter.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/instrument.h"
#include "model/measure_items.h"
#include "model/music_score.h"
#include "model/roman_numerals.h"
#include "model/symbols_row.h"
#include "platform/font_faces.h"
#include "render/carry_over.h"
#include "render/element_bytes.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"
#include "render/spanner_frame.h"
#include "render/symbols_row_painter.h"

namespace nv::render {

namespace {

using nv::platform::Point;

// Bits of the barre line's style byte.
constexpr int kBarreFractionMask = 0x0F;
constexpr int kBarreLetterShift = 4;
constexpr int kBarreLetterMask = 0x07;
constexpr int kBarreEndTick = 0x80;

// Bend types: bit 0 a straight bend; from 3 a release, from 5 a hold before it.
constexpr int kBendStraight = 0x01;
constexpr int kBendFirstRelease = 3;
constexpr int kBendFirstHold = 5;

// The units every spanner draws with, each at least one pixel so that no
// step of a loop is 0.
struct Units {
  explicit Units(const PainterContext& ctx)
      : u(std::max(1, ctx.PenUnits[1])), u15(std::max(1, ctx.TwoThirdsUnit)), f(ctx.HorizontalFactor) {}
  int u;
  int u15;
  int f;
  int n(int k) const { return k * u; }
};

void SetPen(PainterContext& ctx, nv::platform::Color color, int width, nv::platform::PenStyle style) {
  ctx.Canvas.setPen({color, width, style, nv::platform::PenMode::Copy});
}

// The box the kinds share: the left and bottom depend on the kind, the
// right is the furthest end reached. Each segment's own box is kept too.
struct SpannerBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool Any = false;
  std::vector<TECElementBox> Segments;
  void Take(int left, int top, int right, int bottom) {
    Segments.push_back({left, top, right, bottom});
    if (!Any) {
      Left = left;
      Top = top;
      Right = right;
      Bottom = bottom;
      Any = true;
      return;
    }
    Left = std::min(Left, left);
    Top = std::min(Top, top);
    Right = std::max(Right, right);
    Bottom = std::max(Bottom, bottom);
  }
};

void DrawHairpin(PainterContext& ctx, TECMeasureItem& item, const SpannerSegment& s, const Units& k,
                 SpannerBox& box) {
  const bool crescendo = item.Kind == ek::Crescendo;
  int x = s.X;
  int end = s.End;
  const int y = s.Y;
  if (s.First) x += ctx.ScaledV(SignedOffset(element_bytes::ItemXOffset(item)));
  if (s.Final) end += static_cast<std::int8_t>(element_bytes::ItemEndShift(item));
  if (crescendo) {
    if (s.First) {
      ctx.Line(end, y, x, y + k.n(3));
      ctx.Canvas.lineTo(end, y + k.n(6));
    } else {
      // A crescendo continued from an earlier system starts open.
      ctx.Line(x, y + k.n(2), end, y);
      ctx.Line(x, y + k.n(4), end, y + k.n(6));
    }
  } else if (s.Final) {
    ctx.Line(x, y, end, y + k.n(3));
    ctx.Canvas.lineTo(x, y + k.n(6));
  } else {
    // A diminuendo broken at a system's end narrows to 2u .. 4u there.
    ctx.Line(x, y, end, y + k.n(2));
    ctx.Line(end, y + k.n(4), x, y + k.n(6));
  }
  box.Take(x - 1, y - 1, end + 1, y + k.n(8));
  if (s.Final) item.DrawnEnd = end + 1;
}

void DrawOctaveLine(PainterContext& ctx, TECMeasureItem& item, const SpannerSegment& s, const Units& k,
                    nv::platform::Color ink, SpannerBox& box) {
  const int y = s.Y;
  nv::platform::Font font;
  font.face = nv::platform::kMusicFace;
  font.size = ctx.Printing ? 16 * ctx.Score.GetScale() / 150 : 16 * k.f / 15000;
  // Two thirds of the music face's em at 16 points, held to the staff space
  // as every music glyph is.
  font.height = -std::max(1, ctx.MusicFontHeight(16) * 2 / 3);
  font.color = ink;
  ctx.Canvas.setFont(font);
  ctx.SetClearBrush();
  if (glyph::HasGlyph(glyph::Octave8)) ctx.Canvas.textOut(s.X - ctx.Scaled(8), y, glyph::Text(glyph::Octave8));
  SetPen(ctx, ink, 1, nv::platform::PenStyle::Dash);
  ctx.Line(s.X, y + k.n(4), s.End, y + k.n(4));
  SetPen(ctx, ink, k.u, nv::platform::PenStyle::Solid);
  ctx.Canvas.lineTo(s.End, item.Kind == ek::OctaveLineBelow ? y : y + k.n(8));
  box.Take(s.X - k.n(8) - 1, y - 1, s.End + 1, y + k.n(8) + 1);
  if (s.Final) item.DrawnEnd = s.End + 1;
}

void DrawTrillLine(PainterContext& ctx, TECMeasureItem& item, const SpannerSegment& s, const Units& k,
                   nv::platform::Color ink, SpannerBox& box) {
  const int x = s.X;
  const int end = s.End;
  const int y = s.Y;
  const int step = k.n(6);
  std::vector<int> starts;
  for (int n = x - ctx.Space / 2; n < end - ctx.Space; n += step) starts.push_back(n);
  SetPen(ctx, ink, k.n(2), nv::platform::PenStyle::Solid);
  for (int n : starts) ctx.Line(n + k.n(3), y + k.u15, n, y + k.n(2) - k.u15);
  SetPen(ctx, ink, k.u, nv::platform::PenStyle::Solid);
  for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
    const int n = *it;
    const int fromX = n == x ? n - k.n(3) - k.u15 : n - k.u15;
    const int fromY = n == x ? y + k.u : y + k.n(2);
    ctx.Line(fromX, fromY, n + k.u15 - k.n(3), n == end ? y + k.u : y);
  }
  box.Take(x - k.n(2) - 1, y - 1, end + 1, y + k.n(8) + 1);
  if (s.Final) item.DrawnEnd = end + 1;
}

void DrawLineBracket(PainterContext& ctx, TECMeasureItem& item, const SpannerSegment& s, const Units& k,
                     nv::platform::Color ink, SpannerBox& box) {
  const int x = s.X;
  const int y = s.Y;
  const int four = k.n(4);
  const bool withBar = item.Kind == ek::LineWithEndBar;
  const int lineY = item.Kind == ek::LineBracketAbove ? y : y + four;
  ctx.SetPen(ink, k.u);
  if (!withBar) ctx.Line(x - four, y + four, x - four, y);
  // The final form reaches 4u past the end and closes there; the break form
  // closes at the system's end.
  const int end = s.Final ? s.End + four : s.End;
  ctx.Line(x - four, lineY, end, lineY);
  if (withBar) ctx.Line(end, y, end, y + k.n(8));
  else if (item.Kind == ek::LineBracketAbove) ctx.Line(end, y, end, y + four);
  else ctx.Line(end, y + four, end, y);
  box.Take(x - ctx.Scaled(8) - four - 1, y - 1, end + 1, y + k.n(8) + 1);
  if (s.Final) item.DrawnEnd = s.End + 1;
}

void DrawBarreLine(PainterContext& ctx, TECMeasureItem& item, const SpannerSegment& s, const Units& k,
                   nv::platform::Color ink, SpannerBox& box) {
  static constexpr const char* kFractions[5][2] = {{"1", "6"}, {"1", "3"}, {"1", "2"}, {"2", "3"}, {"5", "6"}};
  const int style = element_bytes::ItemVariant(item);
  const int y = s.Y;
  int x = s.X;
  ctx.SetClearBrush();
  const int fraction = style & kBarreFractionMask;
  if (fraction >= 1 && fraction <= 5) {
    ctx.UseTextFont("Arial", ctx.FontSize(8), ink);
    ctx.SetPen(ink, k.u15);
    ctx.Line(x, y + k.n(4), x + k.n(4), y + k.n(4));
    ctx.Canvas.textOut(x, y - k.n(3), kFractions[fraction - 1][0]);
    ctx.Canvas.textOut(x, y + k.n(4), kFractions[fraction - 1][1]);
    x += k.n(4) + k.n(2);
  }
  ctx.UseTextFont("Arial", ctx.FontSize(11), ink);
  const int letter = (style >> kBarreLetterShift) & kBarreLetterMask;
  if (letter != 0) {
    ctx.Canvas.textOut(x, y - k.u, letter == 1 ? "B" : "C");
    x += ctx.Canvas.textWidth("B");
  }
  const std::string position = IntToRoman(static_cast<std::int8_t>(element_bytes::ItemXOffset(item)));
  if (!position.empty()) {
    ctx.Canvas.textOut(x, y - k.u, position);
    x += ctx.Canvas.textWidth(position) + k.u;
  }
  SetPen(ctx, ink, 1, nv::platform::PenStyle::Dash);
  ctx.Line(x, y + k.n(4), s.End, y + k.n(4));
  if (style & kBarreEndTick) {
    SetPen(ctx, ink, k.u, nv::platform::PenStyle::Solid);
    ctx.Canvas.lineTo(s.End, y + k.n(8));
  }
  SetPen(ctx, ink, k.u, nv::platform::PenStyle::Solid);
  box.Take(s.X - k.n(8) - 1, y - k.n(4) - 1, std::max(x, s.End) + 1, y + k.n(12) + 1);
  if (s.Final) item.DrawnEnd = s.End + 1;
}

void DrawSegments(PainterContext& ctx, TECMeasureItem& item) {
  const Units k(ctx);
  const nv::platform::Color ink = ctx.InkFor(&item);
  SpannerBox box;
  for (const SpannerSegment& s : SpannerSegments(ctx, item)) {
    ctx.SetPen(ink, k.u);
    switch (item.Kind) {
      case ek::Crescendo:
      case ek::Diminuendo:
        DrawHairpin(ctx, item, s, k, box);
        break;
      case ek::OctaveLineAbove:
      case ek::OctaveLineBelow:
        DrawOctaveLine(ctx, item, s, k, ink, box);
        break;
      case ek::TrillLine:
        DrawTrillLine(ctx, item, s, k, ink, box);
        break;
      case ek::Barre:
        DrawBarreLine(ctx, item, s, k, ink, box);
        break;
      default:
        DrawLineBracket(ctx, item, s, k, ink, box);
        break;
    }
  }
  if (box.Any) item.Box = {box.Left, box.Top, box.Right, box.Bottom};
  // A spanner with nothing left to draw here keeps no segment of an
  // earlier page for hit testing to find.
  item.SegmentBoxes = std::move(box.Segments);
}

// The arrowhead at `tip`, 5u long and u to each side, along the direction
// whose tangent is rise / run; a run of 0 points straight up or down.
void DrawBendArrow(PainterContext& ctx, Point tip, int run, int rise, const Units& k) {
  double ax = 0;
  double ay = 0;
  if (run == 0) {
    ay = rise < 0 ? -1 : 1;
  } else {
    const double angle = std::atan2(static_cast<double>(rise), static_cast<double>(run));
    ax = std::cos(angle);
    ay = std::sin(angle);
  }
  auto at = [&](double along, double across) {
    return Point{tip.x - static_cast<int>(std::lround(along * ax - across * ay)),
                 tip.y - static_cast<int>(std::lround(along * ay + across * ax))};
  };
  const Point corners[3] = {tip, at(k.n(5), k.u), at(k.n(5), -k.u)};
  ctx.Canvas.polygon(corners);
}

// A small "1" over "2" with a slash through, centred at (x, y).
void DrawHalfMark(PainterContext& ctx, int x, int y, const Units& k, nv::platform::Color ink) {
  nv::platform::Font font;
  font.face = "Arial";
  font.size = ctx.Printing ? 6 * ctx.Score.GetScale() / 150 : 6 * k.f / 15000;
  font.color = ink;
  ctx.Canvas.setFont(font);
  const nv::platform::Brush brush = ctx.Canvas.brush();
  ctx.SetClearBrush();
  ctx.Canvas.textOut(x - k.n(4), y - k.n(4), "1");
  ctx.SetPen(ink, k.u15);
  ctx.Line(x - k.n(2), y + k.n(2), x + k.n(2), y - k.n(2));
  ctx.Canvas.textOut(x, y, "2");
  ctx.SetPen(ink, k.u);
  ctx.Canvas.setBrush(brush);
}

}  // namespace

void DrawSpanner(PainterContext& ctx, TECMeasureItem& item) {
  if (ek::IsSpanner(item.Kind)) DrawSegments(ctx, item);
}

void DrawBarre(PainterContext& ctx, TECMeasureItem& item) { DrawSegments(ctx, item); }

void DrawBend(PainterContext& ctx, TECMeasureItem& item) {
  auto* bend = dynamic_cast<TECBend*>(&item);
  if (bend == nullptr) return;
  const Units k(ctx);
  const nv::platform::Color ink = ctx.InkFor(&item);
  ctx.SetPen(ink, k.u);
  ctx.SetSolidBrush(ink);
  // Curve points are stored with 1000 added, relative to the start.
  auto offset = [&](int i) {
    return Point{ByZoomFactor(bend->Curve[2 * i] - 1000, k.f), ByZoomFactor(bend->Curve[2 * i + 1] - 1000, k.f)};
  };
  const Point s{ctx.ColumnX(item.Position), SpannerLineY(ctx, item)};
  const Point t1{s.x + offset(0).x, s.y + offset(0).y};
  const int type = bend->BendType;
  int left = std::min(s.x, t1.x);
  int top = std::min(s.y, t1.y);
  int right = std::max(s.x, t1.x);
  int bottom = std::max(s.y, t1.y);
  if (type & kBendStraight) {
    ctx.Line(s.x, s.y, t1.x, t1.y);
    DrawBendArrow(ctx, t1, 0, t1.y - s.y, k);
  } else {
    ctx.Canvas.arc({2 * s.x - t1.x, 2 * t1.y - s.y, t1.x, s.y}, s, t1);
    DrawBendArrow(ctx, t1, (t1.x - s.x) / 2, t1.y - s.y, k);
  }
  int end = right;
  if (type < kBendFirstRelease) {
    top -= k.n(8);
    if (type == 1) {
      DrawHalfMark(ctx, t1.x, t1.y - k.n(4), k, ink);
      left -= k.n(4);
      end += k.n(4);
    } else {
      DrawHalfMark(ctx, t1.x + k.n(4), t1.y - k.n(4), k, ink);
      end += k.n(8);
    }
  } else {
    Point p = t1;
    Point q{s.x + offset(1).x, s.y + offset(1).y};
    if (type >= kBendFirstHold) {
      ctx.Line(p.x, p.y, q.x, q.y);
      p = q;
      q = {s.x + offset(2).x, s.y + offset(2).y};
    }
    ctx.Canvas.arc({2 * p.x - q.x, p.y, q.x, 2 * q.y - p.y}, q, p);
    DrawBendArrow(ctx, q, 3 * (q.x - p.x) / 4, q.y - p.y, k);
    DrawHalfMark(ctx, q.x + k.n(4), q.y + k.n(4), k, ink);
    left = std::min({left, p.x, q.x});
    top = std::min({top, p.y, q.y});
    bottom = std::max({bottom, p.y, q.y}) + k.n(8);
    end = std::max({end, p.x, q.x}) + k.n(8);
  }
  ctx.SetClearBrush();
  item.Box = {left - 1, top - 1, end + 1, bottom + 1};
  item.DrawnEnd = end + 1;
}

void DrawCarriedSpanners(PainterContext& ctx) {
  const auto& carried = ctx.Score.PageLayout.SystemSymbols;
  const int page = ctx.Score.GetActivePage();
  if (page < 0 || page >= static_cast<int>(carried.size())) return;
  const bool lastRow = ctx.RowIndex == ctx.Instrument.GetRowCount() - 1;
  for (const TECCarryRef& ref : carried[page]) {
    if (ref.Kind == TECCarryRef::RefKind::Volta) {
      // Voltas are the instrument's: drawn once, with the system's last row.
      TECSymbolItem* volta = ResolveVolta(ctx.Instrument, ref);
      const int last = ref.Measure + std::max<int>(volta ? volta->Byte(1) : 0, 1) - 1;
      if (volta && lastRow && last >= ctx.MeasureIndex) DrawVoltaSpan(ctx, *volta, last, false);
    } else if (ref.Kind == TECCarryRef::RefKind::Spanner && ref.Row == ctx.RowIndex) {
      // The barre line is drawn on its own page only: here it has no segment.
      TECMeasureItem* spanner = ResolveSpanner(ctx.Instrument, ref);
      if (spanner == nullptr) continue;
      if (spanner->Kind != ek::Barre) DrawSegments(ctx, *spanner);
      else spanner->SegmentBoxes.clear();
    }
  }
}

}  // namespace nv::render
