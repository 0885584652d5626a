#include "render/text_item_painter.h"

#include <algorithm>
#include <string>
#include <vector>

#include "model/drum_tables.h"
#include "model/measure.h"
#include "model/measure_items.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/page_objects.h"
#include "render/element_bytes.h"
#include "render/page_object_painter.h"
#include "render/painter_context.h"

namespace nv::render {

namespace {

using nv::platform::Rect;

// Sizes of chord pieces that carry none (pieces spelled from a chord code):
// the root's line and the raised or lowered pieces.
constexpr int kChordBaseSize = 10;
constexpr int kChordRaisedSize = 8;
// Points of a drawing object's text whose size byte is 0.
constexpr int kObjectTextSize = 8;

// Text box flags: every line centred on the column; otherwise bits 4..5 align.
constexpr int kTextBoxCentred = 0x01;
constexpr int kTextBoxAlignShift = 4;
constexpr int kAlignCentre = 1;
constexpr int kAlignRight = 2;
constexpr int kCornerSquare = 6;

}  // namespace

void DrawChordSymbol(PainterContext& ctx, TECChordSymbol& item) {
  if (ctx.Layout == nullptr) return;
  // A symbol without pieces of its own is spelled from its code for this drawing.
  std::vector<TECChordPiece> spelled;
  if (item.Pieces.empty() && ctx.Score.GetAccordText) {
    std::vector<TECChordPiece> asked;
    ctx.Score.GetAccordText(&ctx.Score, item.Code, asked);
    spelled = std::move(asked);
  }
  std::vector<TECChordPiece>& pieces = item.Pieces.empty() ? spelled : item.Pieces;
  const nv::platform::Color ink = ctx.InkFor(&item);
  const int y0 = ctx.StaffBottom + 4 * ctx.Space - ctx.ScaledV(SignedOffset(element_bytes::ChordYOffset(item)));
  const int x0 = ctx.ColumnX(item.Position) + ctx.ScaledV(static_cast<std::int8_t>(element_bytes::ChordXOffset(item)));
  auto fontOf = [&](const TECChordPiece& piece) {
    int points = element_bytes::PieceSize(piece);
    if (points == 0) points = element_bytes::PieceRaise(piece) == 0 ? kChordBaseSize : kChordRaisedSize;
    return TextFont(item.Text, ctx.FontSize(points), ink, element_bytes::PieceStyle(piece));
  };
  // Layout: every piece after its anchor, or after the previous one.
  std::vector<int> ends(pieces.size());
  int h = x0;
  int g = x0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const int anchor = element_bytes::PieceAnchor(pieces[i]);
    if (anchor < static_cast<int>(i)) h = ends[anchor];
    ctx.Canvas.setFont(fontOf(pieces[i]));
    h += ctx.Canvas.textWidth(pieces[i].Text);
    ends[i] = h;
    g = std::max(g, h);
  }
  const int half = (g - x0) / 2;
  int top = y0;
  int bottom = y0;
  ctx.SetClearBrush();
  const int u = ctx.PenUnits[1];
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    ctx.Canvas.setFont(fontOf(pieces[i]));
    const int t = y0 + 3 * u * element_bytes::PieceRaise(pieces[i]);
    const int height = ctx.Canvas.textHeight("A");
    const int right = ends[i] - half;
    ctx.Canvas.textOut(right - ctx.Canvas.textWidth(pieces[i].Text), t - height, pieces[i].Text);
    pieces[i].RightEnd = right;
    top = std::min(top, t - height);
    bottom = std::max(bottom, t);
  }
  item.Box = {x0 - half - 1, top - 1, g - half + 1, bottom + 1};
}

void DrawTextBox(PainterContext& ctx, TECTextBox& item) {
  if (ctx.Layout == nullptr) return;
  ctx.Canvas.setFont(TextFont(item.FontName, ctx.FontSize(element_bytes::TextBoxSize(item)),
                                static_cast<nv::platform::Color>(item.Value32), element_bytes::TextBoxFontStyle(item)));
  ctx.SetClearBrush();
  const int lineHeight = ctx.Canvas.textHeight("A");
  const int flags = element_bytes::TextBoxFlags(item);
  const bool centred = flags & kTextBoxCentred;
  const int align = (flags >> kTextBoxAlignShift) & 3;
  const int shift = ctx.ScaledV(element_bytes::TextBoxShift(item));
  const int column = ctx.ColumnX(item.Position);
  const int top = ctx.ItemLineY(element_bytes::TextBoxStep(item), element_bytes::TextBoxOctave(item));
  int widest = 0;
  for (const std::string& line : item.Lines) widest = std::max(widest, ctx.Canvas.textWidth(line));
  int left = column - ctx.Space;
  int right = left + widest;
  int boxLeft = left;
  int boxRight = right;
  int y = top;
  for (std::size_t i = 0; i < item.Lines.size(); ++i) {
    const std::string& line = item.Lines[i];
    const int width = ctx.Canvas.textWidth(line);
    int x = 0;
    if (centred) {
      left = column - width / 2;
      x = left + shift;
    } else if (align == kAlignCentre) {
      x = (left + right - width) / 2;
    } else if (align == kAlignRight) {
      x = right + shift - width;
    } else {
      x = left + shift;
    }
    ctx.Canvas.textOut(x, y, line);
    boxLeft = std::min(boxLeft, x);
    boxRight = std::max(boxRight, x + width);
    y = top + static_cast<int>(i + 1) * lineHeight;
    // A shift slants the block: each line starts further on.
    left += shift;
    right += shift;
  }
  const Rect box{boxLeft - 3, top - 3, boxRight + 3, y + 3};
  if (ctx.IsSelected(&item)) {
    ctx.SetSolidBrush(nv::platform::colors::red);
    for (const auto& [cx, cy] : {std::pair{box.left, box.top}, std::pair{box.right - kCornerSquare, box.top},
                                 std::pair{box.left, box.bottom - kCornerSquare},
                                 std::pair{box.right - kCornerSquare, box.bottom - kCornerSquare}})
      ctx.Canvas.fillRect({cx, cy, cx + kCornerSquare, cy + kCornerSquare});
  }
  item.Box = {box.left, box.top, box.right, box.bottom};
  nv::platform::Font plain = ctx.Canvas.font();
  plain.bold = plain.italic = plain.underline = plain.strikeout = false;
  ctx.Canvas.setFont(plain);
  ctx.SetClearBrush();
}

void DrawTupletBracket(PainterContext& ctx, TECTuplet& item) {
  if (ctx.Layout == nullptr || ctx.Measure == nullptr || (item.Flags & TECTuplet::Broken)) return;
  const int start = item.Position;
  const int end = item.Second;
  const int s = ctx.Space;
  const int u = std::max(1, ctx.PenUnits[1]);
  // Filter by voice only where the measure holds several.
  bool severalVoices = false;
  for (const auto& note : ctx.Measure->Notes) severalVoices |= note->Voice != item.Voice;
  for (const auto& rest : ctx.Measure->Rests) severalVoices |= rest->Voice != item.Voice;
  int c = 0;
  const TECNote* decider = nullptr;
  for (const auto& note : ctx.Measure->Notes) {
    if ((severalVoices && note->Voice != item.Voice) || note->Position > end) continue;
    c = std::max<int>(c, note->Position);
    if (decider == nullptr || note->Position >= decider->Position) decider = note.get();
  }
  for (const auto& rest : ctx.Measure->Rests)
    if ((!severalVoices || rest->Voice == item.Voice) && rest->Position <= end) c = std::max<int>(c, rest->Position);
  if (c < 1) c = end;

  // The beam records end at their last note's start: a beam covers the
  // tuplet when it reaches its last note.
  const BeamRecord* beam = nullptr;
  for (const BeamRecord& b : ctx.Beams)
    if (b.Voice == item.Voice && b.Start <= start && b.End >= c) beam = &b;
  const bool above = beam ? !beam->StemsDown : !(decider && (decider->Flags & TECNote::StemDown));
  const int left = ctx.ColumnX(start) - (above ? 4 : 8) * u;
  const int right = ctx.ColumnX(c) + (above ? 4 * u : 0);
  auto along = [&](int x) {
    return beam ? beam->StemEndY + static_cast<int>(beam->Slope * (x - beam->FirstX)) : ctx.StaffBottom - 2 * s;
  };

  const nv::platform::Color ink = ctx.InkFor(&item);
  ctx.UseTextFont("Arial", ctx.FontSize(8), ink);
  ctx.SetClearBrush();
  const std::string number = std::to_string(item.Count);
  const int width = ctx.Canvas.textWidth(number);
  const int o = (left + right - width) / 2;
  const int hh = ctx.Canvas.textHeight(number) / 2;
  const int lift = beam ? (above ? -3 * s - hh : 4 * s + hh) : (above ? -4 * s - hh : 5 * s + hh);
  const int raise = ctx.ScaledV(SignedOffset(item.Shift));
  auto lineY = [&](int x) { return along(x) + lift - raise; };
  const int hook = above ? 4 * u : -4 * u;
  ctx.SetPen(ink, u);
  const int yl = lineY(left);
  const int yr = lineY(right);
  ctx.Canvas.moveTo(left, yl + hook);
  ctx.Canvas.lineTo(left, yl);
  ctx.Canvas.lineTo(o, lineY(o));
  ctx.Canvas.textOut(o, lineY(o) - hh, number);
  ctx.Canvas.moveTo(right, yr + hook);
  ctx.Canvas.lineTo(right, yr);
  ctx.Canvas.lineTo(o + width, lineY(o + width));
  const int top = std::min(yl, yr) - (above ? 0 : 4 * u) - 1;
  const int bottom = std::max(yl, yr) + (above ? 4 * u : 0) + 1;
  item.Box = {left - 1, std::min(top, lineY(o) - hh - 1), right + 1, std::max(bottom, lineY(o) + hh + 1)};
}

void DrawMeasureObjects(PainterContext& ctx, TECObjectGroup& item) {
  if (ctx.Layout == nullptr) return;
  const bool selected = ctx.IsSelected(&item);
  ObjectFrame frame;
  frame.AnchorX = ctx.ColumnX(item.Position) + ctx.ScaledV(SignedOffset(element_bytes::ItemXOffset(item))) - ctx.Space;
  frame.AnchorY = ctx.ItemLineY(element_bytes::ItemStep(item), element_bytes::ItemOctave(item));
  frame.Origin = frame.TextOrigin = frame.PictureOrigin = 0;
  frame.HorizontalFactor = ctx.HorizontalFactor;
  frame.VerticalFactor = ctx.VerticalFactor;
  frame.Ink = selected ? nv::platform::colors::red : nv::platform::colors::black;
  frame.SignedRadials = true;
  frame.GroupPictures = true;
  frame.DefaultTextSize = kObjectTextSize;
  frame.Selected = selected;
  Rect group{frame.AnchorX, frame.AnchorY, frame.AnchorX, frame.AnchorY};
  for (const auto& object : item.Objects) {
    if (object->Kind < ek::PageText || object->Kind > ek::PageChord) continue;
    const Rect box = DrawObject(ctx, *object, frame).normalized();
    object->Box = {box.left, box.top, box.right, box.bottom};
    group.right = std::max(group.right, box.right);
    group.bottom = std::max(group.bottom, box.bottom);
  }
  ctx.SetClearBrush();
  const int u = ctx.PenUnits[1];
  item.Box = {group.left - u, group.top - u, group.right + u, group.bottom + u};
}

void DrawNoteObjects(PainterContext& ctx, int x, int y, const TECDrumHead& head, int scale, int) {
  ObjectFrame frame;
  frame.AnchorX = x;
  frame.AnchorY = y;
  frame.Origin = frame.TextOrigin = 1000;
  frame.PictureOrigin = 0;
  frame.HorizontalFactor = scale;
  frame.VerticalFactor = ctx.VerticalFactor;
  // Drum heads are never selected: always black.
  frame.Ink = nv::platform::colors::black;
  frame.GroupPictures = true;
  frame.DefaultTextSize = kObjectTextSize;
  for (const auto& object : head.Shapes)
    if (object->Kind >= ek::PageText && object->Kind <= ek::PageChord) DrawObject(ctx, *object, frame);
  ctx.SetClearBrush();
}

}  // namespace nv::render
