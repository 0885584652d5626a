#include "render/grace_painter.h"

#include <algorithm>
#include <cmath>

#include "model/measure.h"
#include "model/note_records.h"
#include "model/row.h"
#include "render/link_painter.h"
#include "render/music_font_codes.h"
#include "render/painter_context.h"

namespace nv::render {

namespace {

using nv::platform::colors::black;

constexpr std::uint8_t kSlurToNote = 0x20;
constexpr std::uint8_t kSlashed = 0x40;
constexpr std::uint8_t kAfterNote = 0x80;
constexpr int kSingleGlyphPoints = 13;

// The one glyph of a single small note: head, stem and flag.
glyph::Code SingleGlyph(int value) {
  switch (value) {
    case 32: return glyph::StemmedQuarter;
    case 16: return glyph::StemmedEighth;
    case 8: return glyph::StemmedSixteenth;
    case 4: return glyph::StemmedThirtySecond;
    default: return 0;
  }
}

class GraceDrawing {
 public:
  GraceDrawing(PainterContext& ctx, TECGraceGroup& group, TECNote& mainNote)
      : ctx_(ctx), group_(group), main_(mainNote), s_(ctx.Space), u_(ctx.PenUnits[1]), u15_(ctx.TwoThirdsUnit),
        ink_(ctx.InkFor(&group)), after_((group.Flags() & kAfterNote) != 0),
        clef_(ClefOffset(mainNote.Owner->ClefInForce)) {}

  void Draw() {
    const int column = ctx_.ColumnX(main_.Start);
    // The spacing stored the offset in device pixels, like an accidental's.
    x_ = after_ ? column + group_.XOffset : column - group_.XOffset;
    const int left = x_;
    top_ = 9999;
    bottom_ = 0;
    ctx_.SetClearBrush();
    if (group_.Notes.size() == 1) DrawSingle(*group_.Notes.front());
    else DrawBeamed();
    group_.Box = {left - 1, top_, group_.Notes.back()->Box.Right, bottom_};
    ctx_.SetPen(black, u_);
  }

 private:
  // The top of a small note's head, and the y its drawing starts from:
  // lifted by 3u + u15 for the single glyph, by 2u + u15 in a group.
  int HeadTop(const TECGraceNote& note) const {
    return ctx_.StaffBottom + ((clef_ - note.Step - 7 * note.Octave + 37) * s_) / 2;
  }
  int Lift(bool several) const { return several ? 2 * u_ + u15_ : 3 * u_ + u15_; }

  // The note's first accidental, before its head, clear of the stem of the
  // note before it; x moves past it.
  void DrawAccidental(const TECGraceNote& note, int y) {
    if (note.Attributes.empty()) return;
    const int kind = note.Attributes.front()->Kind;
    const glyph::Code code = kind == ek::Flat ? glyph::Flat : kind == ek::Sharp ? glyph::Sharp : glyph::Natural;
    x_ += 2 * u_;
    ctx_.Canvas.textOut(x_, y - 3 * u_, glyph::Text(code));
    x_ += 5 * u_;
  }

  // Ledger lines below and above the staff, counted from the head's top as
  // for full-size notes: counted from the lifted y, a C below the staff
  // would lose its line and a G above it would gain one. The pen comes back
  // as it was.
  void DrawLedgerLines(int headTop) {
    const nv::platform::Pen pen = ctx_.Canvas.pen();
    ctx_.SetPen(ctx_.Printing ? black : nv::platform::colors::silver, u15_);
    const int bottom = ctx_.StaffBottom;
    const int top = bottom - 4 * s_;
    const int below = (headTop + s_ / 2 - bottom + 1) / s_;
    for (int k = 1; k <= below; ++k) ctx_.Line(x_ - u_, bottom + k * s_, x_ + s_ + u_, bottom + k * s_);
    const int above = (top - headTop - s_ / 2) / s_;
    for (int k = 1; k <= above; ++k) ctx_.Line(x_ - u_, top - k * s_, x_ + s_ + u_, top - k * s_);
    ctx_.Canvas.setPen(pen);
  }

  // The slur's end at the main note, under its head.
  int MainX() const { return main_.Box.Left + s_ / 2; }
  int MainY() const { return main_.HeadBox.Top + 2 * s_ - 2 * u_; }

  void Extend(const TECElementBox& box) {
    top_ = std::min<int>(top_, box.Top);
    bottom_ = std::max<int>(bottom_, box.Bottom);
  }

  void DrawSingle(TECGraceNote& note) {
    const int headTop = HeadTop(note);
    const int y = headTop - Lift(false);
    const int boxX = x_;
    ctx_.UseMusicFont(11, ink_);
    DrawAccidental(note, y);
    DrawLedgerLines(headTop);
    ctx_.UseMusicFont(kSingleGlyphPoints, ink_);
    const int value = group_.GraceValue();
    // The glyph's head goes where a head of this pitch is centred, half a
    // space below the head's top: the font size follows the staff space, so
    // its head's depth below the cell top comes from the em, not from u.
    if (const glyph::Code code = SingleGlyph(value))
      ctx_.Canvas.textOut(x_, headTop + s_ / 2 - glyph::StemmedHeadCentre(ctx_.MusicFontHeight(kSingleGlyphPoints)),
                          glyph::Text(code));
    ctx_.SetPen(ink_, u_);
    const bool slashed = (group_.Flags() & kSlashed) != 0;
    if (slashed) ctx_.Line(x_, y + u_, x_ + 2 * s_, y + u_ - s_);
    if (group_.Flags() & kSlurToNote) {
      const int gx = x_ + s_ / 2;
      const int gy = y + s_ + 2 * u_;
      if (after_) DrawSlurArc(ctx_, MainX(), MainY(), gx, gy, true, 0);
      else DrawSlurArc(ctx_, gx, gy, MainX(), MainY(), true, 0);
    }
    const int width = value >= 64 && slashed ? s_ : 3 * s_;
    note.Box = {boxX - u_, y - 3 * s_ - u_, boxX + width + u_, y + 2 * s_};
    Extend(note.Box);
  }

  void DrawBeamed() {
    ctx_.UseMusicFont(11, ink_);
    ctx_.SetPen(ink_, 1);
    const int stemOffset = ctx_.Canvas.textWidth(glyph::Text(glyph::BlackHead)) + u15_;
    const bool slur = (group_.Flags() & kSlurToNote) != 0;
    const std::size_t count = group_.Notes.size();
    for (std::size_t i = 0; i < count; ++i) {
      TECGraceNote& note = *group_.Notes[i];
      const int headTop = HeadTop(note);
      const int y = headTop - Lift(true);
      DrawAccidental(note, y);
      if (slur && !after_ && i == 0) DrawSlurArc(ctx_, x_ + s_ / 2, y + s_ + 3 * u_, MainX(), MainY(), true, 0);
      if (slur && after_ && i == count - 1) DrawSlurArc(ctx_, MainX(), MainY(), x_ + s_ / 2, y + s_ + 2 * u_, true, 0);
      DrawLedgerLines(headTop);
      ctx_.Canvas.textOut(x_, y + u_ + u15_, glyph::Text(glyph::BlackHead));
      note.Box = {x_ - u_, y - u_, x_ + 4 * u_ + 2 * u_, y + 2 * s_};
      Extend(note.Box);
      x_ += s_ + 2 * u_;
    }
    DrawStemsAndBeams(stemOffset);
  }

  void DrawStemsAndBeams(int stemOffset) {
    const TECElementBox& first = group_.Notes.front()->Box;
    const TECElementBox& last = group_.Notes.back()->Box;
    // Notes that share an x (the smallest zooms) get a flat beam.
    const double slope =
        last.Left == first.Left ? 0.0 : static_cast<double>(last.Top - first.Top) / (last.Left - first.Left);
    auto along = [&](int left) { return static_cast<int>(std::lround(slope * (left - first.Left))); };
    // Raised until no stem is shorter than two spaces less 2u above its head.
    int beam = first.Top + 2 * u_ - 2 * s_;
    int raise = 0;
    for (const auto& note : group_.Notes)
      raise = std::max(raise, beam + along(note->Box.Left) - (note->Box.Top + 2 * u_ - 2 * s_));
    beam -= raise;
    for (const auto& note : group_.Notes) {
      const int x = note->Box.Left + stemOffset;
      ctx_.Line(x, note->Box.Top + 4 * u_ + u15_, x, beam + along(note->Box.Left));
    }
    const int x0 = first.Left + stemOffset;
    const int x1 = last.Left + stemOffset;
    const int rise = along(last.Left);
    ctx_.SetSolidBrush(ink_);
    // One beam for eighths, another for each halving; none for quarters.
    for (int d = group_.GraceValue(); d > 0 && d <= 16; d *= 2, beam += 3 * u_) {
      const nv::platform::Point points[] = {{x0, beam}, {x1, beam + rise}, {x1, beam + rise + u_}, {x0, beam + u_}};
      ctx_.Canvas.polygon(points);
    }
    ctx_.SetClearBrush();
  }

  PainterContext& ctx_;
  TECGraceGroup& group_;
  TECNote& main_;
  const int s_;
  const int u_;
  const int u15_;
  const nv::platform::Color ink_;
  const bool after_;
  const int clef_;
  int x_ = 0;
  int top_ = 0;
  int bottom_ = 0;
};

}  // namespace

void DrawGraceNotes(PainterContext& ctx, TECGraceGroup& group, TECNote& mainNote) {
  if (group.Notes.empty() || mainNote.Owner == nullptr) return;
  GraceDrawing(ctx, group, mainNote).Draw();
}

}  // namespace nv::render
