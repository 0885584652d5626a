#include "render/note_column_painter.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/row.h"
#include "render/element_bracket_painter.h"
#include "render/element_bytes.h"
#include "render/grace_painter.h"
#include "render/link_painter.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"
#include "render/rest_painter.h"
#include "render/text_item_painter.h"

namespace nv::render {

namespace {

using nv::platform::colors::black;
using nv::platform::colors::red;

constexpr std::uint8_t kSmallNote = 0x01;
constexpr std::uint8_t kDrumHead = 0x10;
constexpr std::uint8_t kSlashHead = 0x20;

// Half spaces from the staff's bottom line up to a note's head top, under
// the clef in force at its tick.
int HeadSteps(const TECMeasure& measure, const TECNote& note) {
  return note.Kind + 7 * note.Octave - ClefOffset(measure.ClefAt(note.Start)) - 57;
}

// Top of a note's head: its step under the clef in force at its tick, or
// the middle of the staff for a slash head.
int HeadTop(const PainterContext& ctx, const TECMeasure& measure, const TECNote& note) {
  const int s = ctx.Space;
  if (note.Options & kSlashHead) return ctx.StaffBottom + s / 2 - 4 * s;
  return ctx.StaffBottom - (s * HeadSteps(measure, note)) / 2;
}

// A head centred on a staff or ledger line (its top an odd number of half
// spaces above the bottom line) puts its dots in the space above.
bool HeadOnLine(const TECMeasure& measure, const TECNote& note) { return (HeadSteps(measure, note) & 1) != 0; }

// Fills ctx.Chord with the chord of `note` (a note with a chord mark) unless
// it holds it already. Edits keep a chord's notes together and lowest first,
// but a list built otherwise must still give every chord one stem from its
// lowest head, so the members are gathered from the whole list and ordered
// by step (list order among unisons).
void GatherChord(PainterContext& ctx, const TECMeasure& measure, TECNote& note) {
  auto& chord = ctx.Chord;
  if (std::find(chord.begin(), chord.end(), &note) != chord.end()) return;
  chord.clear();
  for (const auto& other : measure.Notes)
    if (other->ChordMark == note.ChordMark && other->Voice == note.Voice && ek::IsNoteStep(other->Kind))
      chord.push_back(other.get());
  std::stable_sort(chord.begin(), chord.end(),
                   [](const TECNote* a, const TECNote* b) { return a->Diatonic() < b->Diatonic(); });
}

// Head x, before its offset, of the chord member at `index` of ctx.Chord: a
// second or unison above the member below turns to the other side of the
// stem, and back to the stem's near side when the member below stands there.
int ChordHeadX(PainterContext& ctx, std::size_t index) {
  const int u = ctx.PenUnits[1];
  int x = 0;
  int below = 0;
  for (std::size_t k = 0; k <= index; ++k) {
    const TECNote& member = *ctx.Chord[k];
    const int columnX = ctx.ColumnX(member.Start);
    x = columnX - 4 * u;
    if (k > 0 && std::abs(member.Diatonic() - ctx.Chord[k - 1]->Diatonic()) < 2) {
      const bool stemDown = (member.Flags & TECNote::StemDown) != 0;
      const int w = ctx.HeadWidth(member.Value == 128);
      x = stemDown ? x - w : columnX + 3 * u;
      if (x == below) x = stemDown ? columnX - 4 * u : columnX + 2 * u - w;
    }
    below = x;
  }
  return x;
}

void DrawGlyph(PainterContext& ctx, int x, int y, glyph::Code code) { ctx.Canvas.textOut(x, y, glyph::Text(code)); }

glyph::Code AccidentalGlyph(int kind, int variant) {
  switch (kind) {
    case ek::Flat:
      switch (variant) {
        case 1: return glyph::QuarterFlat;
        case 3: return glyph::ThreeQuarterFlat;
        case 33: return glyph::EighthFlat;
        case 35: return glyph::QuarterFlatArrow;
        case 37: return glyph::ThreeEighthFlat;
        default: return glyph::Flat;
      }
    case ek::Sharp:
      switch (variant) {
        case 2: return glyph::QuarterSharp;
        case 4: return glyph::ThreeQuarterSharp;
        case 34: return glyph::EighthSharp;
        case 36: return glyph::QuarterSharpArrow;
        case 48: return glyph::ThreeEighthSharp;
        default: return glyph::Sharp;
      }
    case ek::DoubleFlat: return glyph::DoubleFlat;
    case ek::DoubleSharp: return glyph::DoubleSharp;
    case ek::Natural: return glyph::Natural;
    case ek::NaturalFlat: return glyph::NaturalFlat;
    default: return glyph::NaturalSharp;
  }
}

// The glyph of a note effect drawn at the head.
glyph::Code EffectGlyph(int kind) {
  switch (kind) {
    case ek::Tenuto: return glyph::Tenuto;
    case ek::Staccato: return glyph::Dot;
    case ek::OpenHat: return glyph::OpenHat;
    case ek::HalfOpenHat: return glyph::HalfOpenHat;
    case ek::GlissandoUp: return glyph::GlissandoUp;
    case ek::GlissandoDown: return glyph::GlissandoDown;
    case ek::FallUp: return glyph::FallUp;
    case ek::FallDown: return glyph::FallDown;
    default: return glyph::Lift;
  }
}

// The flag of a note value (ticks) at a downward or upward stem; 0 (none)
// for values without a flag glyph.
glyph::Code FlagGlyph(int value, bool stemDown) {
  switch (value) {
    case 16: return stemDown ? glyph::EighthFlagDown : glyph::EighthFlagUp;
    case 8: return stemDown ? glyph::SixteenthFlagDown : glyph::SixteenthFlagUp;
    case 4: return stemDown ? glyph::ThirtySecondFlagDown : glyph::ThirtySecondFlagUp;
    case 2: return stemDown ? glyph::SixtyFourthFlagDown : glyph::SixtyFourthFlagUp;
    default: return 0;
  }
}

bool IsAccidentalKind(int kind) {
  return (kind >= ek::Flat && kind <= ek::Natural) || kind == ek::NaturalFlat || kind == ek::NaturalSharp;
}

// What the attributes need of the drawn head.
struct Head {
  int x;      // head left
  int y;      // head top
  int w;      // head width
  int columnX;
  bool stemDown;
  bool bracketed;
};

void DrawAccidental(PainterContext& ctx, TECNote& note, TECNoteAttribute& a, const Head& head, int yOffset) {
  const int s = ctx.Space;
  const int u = ctx.PenUnits[1];
  const int kind = a.Kind;
  int left = head.columnX - a.SpacingOffset - 1;
  int top = (kind == ek::DoubleSharp ? head.y - 1 : head.y - s - s / 2 - 1) + yOffset;
  int width = 0;
  int height = 0;
  switch (kind) {
    case ek::Flat: width = s + s / 2 + u; height = 3 * s + u; break;
    case ek::DoubleFlat: width = 2 * s; height = 3 * s + u; break;
    case ek::Sharp: width = s + u; height = 3 * s + 4 * u; break;
    case ek::DoubleSharp: width = s + 2 * u; height = head.bracketed ? 2 * s : s + 2 * u; break;
    case ek::Natural: width = s + u; height = 3 * s + 2 * u; break;
    default: width = 2 * s; height = 3 * s + 2 * u; break;
  }
  const glyph::Code code = AccidentalGlyph(kind, element_bytes::AttributeVariant(a));
  int glyphX = left + 1;
  const int glyphY = top + 1 - (kind == ek::DoubleSharp ? s : 0);
  if (head.bracketed) {
    const int glyphWidth = ctx.Canvas.textWidth(glyph::Text(code));
    DrawElementBrackets(ctx, element_bytes::BracketKind(note), glyphX, glyphY, glyphY, glyphX + 4 * u + glyphWidth);
    glyphX += 4 * u;
    width += s;
  }
  DrawGlyph(ctx, glyphX, glyphY, code);
  a.Box = {left, top, left + width, top + height};
}

void DrawAttributes(PainterContext& ctx, TECNote& note, const Head& head) {
  const int s = ctx.Space;
  const int u = ctx.PenUnits[1];
  const int x = head.x;
  const int y = head.y;
  const int w = head.w;
  for (const auto& attribute : note.Attributes) {
    TECNoteAttribute& a = *attribute;
    const int kind = a.Kind;
    ctx.UseMusicFont(16, ctx.InkFor(&a));
    ctx.SetClearBrush();
    const int yOffset = ctx.Scaled(SignedOffset(element_bytes::AttributeYOffset(a)));
    if (IsAccidentalKind(kind)) {
      DrawAccidental(ctx, note, a, head, yOffset);
    } else if (kind == ek::Dot || kind == ek::DoubleDot) {
      const int left = x + w + w / 2 - 1;
      const int top = y - 1 + yOffset - (HeadOnLine(*ctx.Measure, note) ? s / 2 : 0);
      DrawGlyph(ctx, left + 1, top + 1, kind == ek::Dot ? glyph::Dot : glyph::DoubleDot);
      a.Box = {left, top, left + (kind == ek::Dot ? s / 2 : s) + 2 * u, top + s + 2 * u};
    } else if (kind == ek::Tenuto || kind == ek::Staccato || kind == ek::OpenHat || kind == ek::HalfOpenHat) {
      const int width = kind == ek::Staccato ? 4 * u : 6 * u;
      const int left = x + (w - width) / 2 - 1;
      int top = 0;
      const bool hat = kind == ek::OpenHat || kind == ek::HalfOpenHat;
      if (hat) top = head.stemDown ? y - 2 * s - 1 : y - 5 * s - 1;
      else top = head.stemDown ? y - s - 1 : y + s - 1;
      top += yOffset;
      DrawGlyph(ctx, left + 1, top + 1, EffectGlyph(kind));
      a.Box = {left, top, left + width + 2 * u, top + width + 2 * u};
    } else if (kind == ek::ArrowUp || kind == ek::ArrowDown) {
      const int middle = x + w / 2;
      const int top = y - 4 * s + yOffset;
      const int end = y - s + yOffset;
      ctx.SetPen(ctx.InkFor(&a), u);
      ctx.Line(middle, top, middle, end);
      const int tip = kind == ek::ArrowUp ? top : end;
      const int back = kind == ek::ArrowUp ? tip + 6 * u : tip - 6 * u;
      ctx.Line(middle, tip, middle - 3 * u, back);
      ctx.Line(middle, tip, middle + 3 * u, back);
      a.Box = {middle - 3 * u, top - 1, middle + 3 * u, end + 1};
    } else if (kind >= ek::GlissandoUp && kind <= ek::Lift) {
      int left = 0;
      if (kind == ek::Lift) left = head.bracketed ? x - 2 * w - 1 : x - w - w / 2 - 1;
      else left = head.bracketed ? x + 2 * w - 1 : x + w + w / 2 - 1;
      int top = y - s - 1 + yOffset;
      if (note.Value < note.Length) {
        if (kind == ek::GlissandoUp || kind == ek::FallUp) top -= s / 2;
        else if (kind == ek::GlissandoDown || kind == ek::FallDown) top += s / 2;
      }
      DrawGlyph(ctx, left + 1, top + 1, EffectGlyph(kind));
      if (kind != ek::GlissandoUp && kind != ek::FallUp) top += 2 * s - 1;
      a.Box = {left, top, left + 2 * s + 2 * u, top + s + s / 2 + 2 * u};
    } else if (ek::IsLink(static_cast<std::uint8_t>(kind))) {
      DrawSlur(ctx, static_cast<TECLinkAttribute&>(a));
    } else if (kind == ek::GraceNotes) {
      DrawGraceNotes(ctx, static_cast<TECGraceGroup&>(a), note);
    }
  }
}

// `lowerTop` is the head top of the chord member below, whose own ledger
// lines cover those up to it; none outside a chord or for its lowest note.
void DrawLedgerLines(PainterContext& ctx, std::optional<int> lowerTop, int x, int y, int w) {
  const int s = ctx.Space;
  const int u = ctx.PenUnits[1];
  const int bottom = ctx.StaffBottom;
  const int top = bottom - 4 * s;
  const int reach = ctx.IntervalPx / 2;
  ctx.SetPen(ctx.Printing ? black : nv::platform::colors::silver, ctx.TwoThirdsUnit);
  const int below = y + s / 2 - bottom + 1;
  for (int k = 1; k <= below / s && k * s < reach; ++k) ctx.Line(x - 4 * u, bottom + k * s, x + w + 4 * u, bottom + k * s);
  const int above = top - y - s / 2;
  for (int k = 1; k <= above / s && k * s < reach; ++k) {
    const int g = top - k * s;
    if (lowerTop && g - s / 2 >= *lowerTop - 1) continue;
    ctx.Line(x - 4 * u, g, x + w + 4 * u, g);
  }
}

void DrawRepeatSign(PainterContext& ctx, TECNote& note) {
  const int u = ctx.PenUnits[1];
  const int s = ctx.Space;
  const int c = std::min<int>(note.Value, 16);
  const int span = (6 * u + 6 * u + c * 4 * u) / 2;
  int x = 0;
  if (note.Kind == ek::RepeatNotes) x = ctx.ColumnX(note.Start) - span;
  else if (note.Options & 1) x = ctx.MeasureX - span;
  else x = ctx.MeasureX + (ctx.Layout ? ctx.Layout->ContentWidth : 56) * ctx.HorizontalFactor / 20000 - ctx.ColumnOffset(0);
  int y = ctx.StaffBottom - 2 * s;
  const std::size_t elements = ctx.Measure->Notes.size() + ctx.Measure->Rests.size();
  if (note.Kind == ek::RepeatNotes || elements >= 2) y += VoiceShift(ctx, note.Voice);
  const nv::platform::Color ink = ctx.InkFor(&note);
  ctx.SetPen(ink, 1);
  ctx.SetSolidBrush(ink);
  const int start = x;
  const bool bar = note.Kind == ek::RepeatBar;
  if (bar) ctx.Canvas.ellipse(x + 2 * u, y - 5 * u, x + 5 * u, y - u);
  for (int i = 0; i <= c; ++i) {
    const int reach = bar ? 12 * u : 11 * u;
    const nv::platform::Point slash[] = {
        {x, y + s}, {x + u, y + s}, {x + reach, y - s}, {x + reach - u, y - s}};
    ctx.Canvas.polygon(slash);
    x += 4 * u;
  }
  if (bar) ctx.Canvas.ellipse(x + 3 * u, y + 2 * u, x + 6 * u, y + 6 * u);
  ctx.SetClearBrush();
  StoreBox(note, start, y - s, x + 6 * u + u + 1, y + s + 1);
  ctx.DrewInMeasure = true;
}

}  // namespace

bool InBeamList(const TECMeasure& measure, const TECNote& note) {
  const auto& beams = measure.Beams;
  if (beams.size() < 2) return false;
  // The list holds one note of a chord; the chord's other notes belong with it.
  const auto found = std::find_if(beams.begin(), beams.end(), [&](const TECNote* beamed) {
    return beamed == &note || (note.ChordMark != 0 && beamed->ChordMark == note.ChordMark);
  });
  if (found == beams.end()) return false;
  return !(beams.back() == *found && beams[beams.size() - 2]->Value >= 32);
}

void DrawChordColumn(PainterContext& ctx, TECNote& note) {
  if (note.Kind == ek::RepeatNotes || note.Kind == ek::RepeatBar) {
    DrawRepeatSign(ctx, note);
    return;
  }
  if (!ek::IsNoteStep(note.Kind)) return;
  TECMeasure& measure = *ctx.Measure;
  const int s = ctx.Space;
  const int u = ctx.PenUnits[1];
  const int u15 = ctx.TwoThirdsUnit;
  const bool stemDown = (note.Flags & TECNote::StemDown) != 0;
  const bool slash = (note.Options & kSlashHead) != 0;
  ctx.UseMusicFont(16);
  ctx.DrewInMeasure = true;

  // A chord's lowest note is its head; its highest draws the shared stem.
  const bool inChord = note.ChordMark != 0;
  std::size_t member = 0;
  if (inChord) {
    GatherChord(ctx, measure, note);
    member = static_cast<std::size_t>(std::find(ctx.Chord.begin(), ctx.Chord.end(), &note) - ctx.Chord.begin());
  }
  const bool inBeam = InBeamList(measure, note);
  const int tremolo = inBeam ? 0 : (note.Flags >> 4) & 7;

  int w = ctx.HeadWidth(note.Value == 128);
  const int columnX = ctx.ColumnX(note.Start);
  const int offset = ctx.Scaled(SignedOffset(element_bytes::HeadOffset(note)));
  int x = (inChord ? ChordHeadX(ctx, member) : columnX - 4 * u) + offset;
  const int y = HeadTop(ctx, measure, note);
  if (!slash) {
    std::optional<int> lowerTop;
    if (inChord && member > 0) lowerTop = HeadTop(ctx, measure, *ctx.Chord[member - 1]);
    DrawLedgerLines(ctx, lowerTop, x, y, w);
  }
  // The chord head's top, worked out here rather than read from its box:
  // the head may stand later in the list and not be drawn yet.
  const int chordTop = inChord ? HeadTop(ctx, measure, *ctx.Chord.front()) : 0;

  const bool selected = ctx.IsSelected(&note);
  const nv::platform::Color ink = selected ? red : black;
  if (selected && ctx.Score.VelocityMode() != 0) ctx.Labels.push_back(&note);
  ctx.Canvas.font().color = ink;
  ctx.SetPen(ink, ctx.Canvas.pen().width);

  int left = x;
  int top = y;
  int right = x + w + u;
  int boxBottom = y + s + u;
  int stemBase = s;
  int verticalAdjust = 0;
  int horizontalAdjust = 0;
  int stemY = y;

  if (slash) {
    const nv::platform::Point polygon[] = {
        {x + u, y + 3 * u}, {x + w - u, y}, {x + w - u, y + 2 * s + 3 * u}, {x + u, y + 3 * s}};
    ctx.SetSolidBrush(ink);
    ctx.Canvas.polygon(polygon);
    ctx.SetClearBrush();
    if (stemDown) stemY = y + 2 * s;
    else stemBase = 3 * s;
    x += u;
    w -= u;
  } else if (note.Options & kDrumHead) {
    const int number = element_bytes::DrumHead(note);
    const auto& heads = ctx.Score.DrumHeads();
    if (number >= 1 && number <= static_cast<int>(heads.size())) {
      const bool small = (note.Options & 3) == kSmallNote;
      if (small) DrawNoteObjects(ctx, x + u, y + 2 * u, *heads[number - 1], 9 * ctx.HorizontalFactor / 12, note.Value);
      else DrawNoteObjects(ctx, x - u15, y, *heads[number - 1], ctx.HorizontalFactor, note.Value);
      if (small) horizontalAdjust = u;
    } else {
      ctx.SetPen(ink, 2 * u);
      ctx.Line(x, y, x + w, y + s);
      ctx.Line(x + w, y, x, y + s);
      verticalAdjust = u;
    }
  } else {
    const glyph::Code code = note.Value >= 129   ? glyph::BreveHead
                             : note.Value == 128 ? glyph::WholeHead
                             : note.Value >= 64  ? glyph::HalfHead
                                                 : glyph::BlackHead;
    ctx.SetClearBrush();
    if ((note.Options & 3) == kSmallNote) {
      ctx.UseMusicFont(12, ink);
      const int headX = note.Value >= 129 ? x - u : x + u;
      DrawGlyph(ctx, headX, y + u - s / 2, code);
      if (note.Value >= 129) left -= 2 * u;
      horizontalAdjust = u;
      ctx.UseMusicFont(16, ink);
    } else {
      DrawGlyph(ctx, x, y - s / 2, code);
    }
    verticalAdjust = u;
  }
  const bool bracketed = element_bytes::BracketKind(note) != 0;
  if (bracketed)
    DrawElementBrackets(ctx, element_bytes::BracketKind(note), x + u - s, y + u - s / 2, y + u - s / 2, x + w + 3 * u);

  ctx.SetPen(black, u);
  ctx.Canvas.font().color = black;
  if (inChord) {
    right = x + w + u;
    boxBottom = y + s + 2 * u;
  }

  const bool chordContinues = inChord && member + 1 < ctx.Chord.size();
  const int stemX0 = columnX + offset - 4 * u;
  if (tremolo > 0 && !chordContinues) {
    int sx = stemX0;
    int g = 0;
    if (stemDown) g = inChord ? chordTop - 1 + 4 * s + 4 * u : y + 4 * s + 4 * u - s / 2;
    else {
      sx = stemX0 + w;
      g = y - 2 * s - 4 * u;
    }
    if (note.Value >= 65) sx = stemX0 + w / 2;
    // Halved downwards, also above the page's top edge (an unsigned halving
    // would throw a negative sum far off).
    int sy = (g + s + y - tremolo * 3 * u) >> 1;
    ctx.SetPen(black, 2 * u);
    for (int i = 0; i < tremolo; ++i, sy += 3 * u) ctx.Line(sx - s / 2, sy + s / 4, sx + s / 2, sy - s / 4);
    ctx.SetPen(black, u);
  }

  const bool noStem = note.Value >= 65 || (inBeam && note.Value < 32) || chordContinues;
  if (noStem) {
    right = x + w + u;
    boxBottom = y + stemBase + 2 * u;
  } else {
    x = stemX0;
    const int sx = x;
    const int headY = inChord ? chordTop : stemY;
    const bool flag = !inBeam && note.Value < 32;
    if (stemDown) {
      const int stemX = sx + horizontalAdjust;
      const int end = inChord ? chordTop - 1 + 4 * s : stemY + 4 * s;
      ctx.Line(stemX, stemY + s / 2 + verticalAdjust + u15, stemX, end);
      if (!inChord) boxBottom = end + u;
      const glyph::Code flagGlyph = FlagGlyph(note.Value, true);
      if (flag && flagGlyph) DrawGlyph(ctx, stemX, (inChord ? chordTop - 1 : stemY) + s - u15, flagGlyph);
    } else {
      const int stemX = sx + w - horizontalAdjust - u15;
      const int h = y + s - 4 * s;
      ctx.Line(stemX, headY + s / 2 - verticalAdjust, stemX, h);
      if (!inChord) {
        top = h;
        boxBottom = y + stemBase + 2 * u;
      }
      const glyph::Code flagGlyph = FlagGlyph(note.Value, false);
      if (flag && flagGlyph) DrawGlyph(ctx, stemX, h, flagGlyph);
    }
    if (!inChord) right = x + w + u;
  }
  if (note.Value >= 129) right += 2 * u;
  StoreBox(note, left, top, right, boxBottom);
  note.HeadBox = {left - 1, y - 1, right, y + s + u};

  if (!slash) DrawAttributes(ctx, note, {x, y, w, columnX, stemDown, bracketed});
  ctx.SetSolidBrush(nv::platform::colors::white);
}

}  // namespace nv::render
