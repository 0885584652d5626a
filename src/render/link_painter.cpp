#include "render/link_painter.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"
#include "model/tied_notes.h"
#include "render/carry_over.h"
#include "render/painter_context.h"
#include "render/system_geometry.h"

namespace nv::render {

namespace {

constexpr std::uint8_t kSplitLink = 0x01;

// Where the note stands among the notes of its measure.
int PlaceInMeasure(const TECNote& note) {
  const auto& notes = note.Owner->Notes;
  for (std::size_t i = 0; i < notes.size(); ++i)
    if (notes[i].get() == &note) return static_cast<int>(i);
  return -1;
}

bool ComesBefore(const TECNote& a, const TECNote& b) {
  if (a.Owner->Index != b.Owner->Index) return a.Owner->Index < b.Owner->Index;
  if (a.Start != b.Start) return a.Start < b.Start;
  return PlaceInMeasure(a) < PlaceInMeasure(b);
}

// A measure the page shows: laid out on the active page.
const TECMeasureLayout* LayoutOnPage(const PainterContext& ctx, int measure) {
  const TECMeasureLayout* layout = ctx.Instrument.LayoutAt(measure);
  const bool onPage = layout != nullptr && measure >= ctx.FirstMeasure &&
                      static_cast<int>(layout->Page) == ctx.Score.GetActivePage();
  return onPage ? layout : nullptr;
}

// The two ends of one link as this page shows them.
class LinkDrawing {
 public:
  LinkDrawing(PainterContext& ctx, TECLinkAttribute& link, TECNote& owner, TECNote& partner, int row)
      : ctx_(ctx), link_(link), owner_(owner), partner_(partner), row_(row),
        above_(link.Kind == ek::LinkAbove), tie_(IsTie(ctx, owner, partner)), s_(ctx.Space), u_(ctx.PenUnits[1]) {}

  // `ownerHere`: the owner is being drawn in the current system; otherwise
  // it lies beyond the page and the link runs to the last system's end.
  void Draw(bool ownerHere) {
    const TECMeasureLayout* partnerLayout = LayoutOnPage(ctx_, partner_.Owner->Index);
    // A partner on the page must have been drawn; one on an earlier page
    // needs nothing of its own.
    if (partnerLayout && partner_.HeadBox.Top == 0) return;
    partnerEnd_ = EndAt(partner_, link_.StartOffset, true);
    ownerEnd_ = EndAt(owner_, link_.EndOffset, false);
    const int firstSystem =
        partnerLayout ? static_cast<int>(partnerLayout->SystemIndex) : ctx_.Score.PageLayout.FirstSystem;
    const int lastSystem = ctx_.SystemIndex;
    if (partnerLayout && firstSystem == lastSystem && ownerHere && !ComesBefore(partner_, owner_)) return;
    if (firstSystem > lastSystem) return;

    ctx_.SetPen(nv::platform::colors::black, u_);
    if (link_.LinkStyle & kSplitLink) DrawSplit(partnerLayout != nullptr, firstSystem == lastSystem, ownerHere);
    else DrawSegments(partnerLayout != nullptr, firstSystem, lastSystem, ownerHere);
  }

 private:
  // A tie joins a note to the next of the same pitch: the model's rule.
  static bool IsTie(const PainterContext& ctx, const TECNote& owner, const TECNote& partner) {
    const int index = owner.Owner->Index;
    const int previousLength = index > 0 ? ctx.Instrument.MeasureLength(index - 1) : 0;
    return TiedFrom(owner, previousLength) == &partner;
  }

  // Where an end of the link meets its note: x, and the heights the arc's
  // point and the handle box are measured from (a head's top; the arc
  // point lies half a space over it, or a space and a half under it). A
  // tie's handle stays where a slur's would be, clear of the note's box.
  struct End {
    int x = 0;
    int height = 0;
    int handle = 0;
  };

  // A tie hugs the heads, a quarter space over or under them; where its
  // arc would meet the stem (leaving a stem-up head over it, reaching a
  // stem-down head under it) it stands beside the head, clear of the stem.
  // A slur on the stem side passes the stem's end; on the other side it
  // starts at the head.
  End EndAt(const TECNote& note, std::uint8_t offset, bool start) const {
    const int shift = ctx_.ScaledV(SignedOffset(offset));
    const int headTop = note.HeadBox.Top;
    const bool stemDown = (note.Flags & TECNote::StemDown) != 0;
    const bool stemSide = HasStem(note) && stemDown != above_;
    if (tie_) {
      int x = start ? note.Box.Left + s_ : note.HeadBox.Left + s_ / 2;
      if (stemSide && start == above_) x = start ? note.HeadBox.Right + u_ : note.HeadBox.Left - u_;
      return {x, (above_ ? headTop + s_ / 4 : headTop - s_ / 4) + shift, headTop + shift};
    }
    const int x = start ? note.Box.Left + s_ : note.Box.Left;
    if (!stemSide) return {x, headTop + shift, headTop + shift};
    if (above_) {
      // The stem stands at the head's right; its end three spaces over the head.
      const int tip = std::min<int>(note.Box.Top, headTop - 3 * s_) + shift;
      return {note.HeadBox.Right, tip, tip};
    }
    // A stem down stands at the head's left and ends four spaces under its top.
    const int tip = std::max<int>(note.Box.Bottom, headTop + 1 + 4 * s_) - s_ + shift;
    return {note.HeadBox.Left, tip, tip};
  }
  static bool HasStem(const TECNote& note) { return note.Value < 65; }

  // The arc's end point at that height: over the head, or under it.
  int ArcY(int height) const { return above_ ? height - s_ / 2 : height + s_ + s_ / 2; }

  void Arc(int x1, int y1, int x2, int y2) {
    DrawSlurArc(ctx_, x1, y1, x2, y2, !above_, link_.Thickness, tie_ ? ArcShape::Tie : ArcShape::Slur);
  }

  // The handle box of end `part` (0 start, 1 end) at x, for an end at `height`.
  void Handle(int part, int x, int height) {
    const int top = above_ ? height - s_ - 1 : height + s_;
    const int bottom = top + s_ + 2;
    link_.PartBoxes[part] = {x - 3 * u_ - 1, top, x + 2 * s_ + 1, bottom};
    const bool selected = ctx_.Selection != nullptr && ctx_.Selection->Row == owner_.Owner->Owner &&
                          ctx_.Selection->Contains(&link_);
    if (selected && link_.HitPart == part + 1) {
      ctx_.SetSolidBrush(nv::platform::colors::red);
      ctx_.Canvas.fillRect({x - 3 * u_ + 1, top + 1, x + 3 * u_, bottom - 1});
      ctx_.SetClearBrush();
    }
  }
  void ClearHandle(int part) { link_.PartBoxes[part] = {}; }

  // Two half arcs, one at each note: into the partner from its measure's
  // start, out of the owner to its measure's end.
  void DrawSplit(bool partnerOnPage, bool sameSystem, bool ownerHere) {
    const int partnerHeight = partnerEnd_.height;
    const int ownerHeight = ownerEnd_.height;
    // Each half leans towards the other note's height when both stand in
    // one system; across systems the other note's height means nothing here.
    const int towardsOwner = sameSystem && ownerHere ? ownerHeight : partnerHeight;
    const int towardsPartner = sameSystem && partnerOnPage ? partnerHeight : ownerHeight;
    // The partner's measure as the staff painter placed it on this page.
    const int partnerRow = ctx_.Instrument.IndexOfRow(partner_.Owner->Owner);
    const TECDrawnMeasure* drawn =
        partnerOnPage ? ctx_.Score.PageLayout.Drawn(partnerRow, partner_.Owner->Index) : nullptr;
    if (drawn) {
      const int x = partnerEnd_.x;
      Arc(drawn->OriginX, ArcY(towardsOwner), x, ArcY(partnerHeight));
      Handle(0, x, partnerEnd_.handle);
    } else {
      ClearHandle(0);
    }
    if (ownerHere) {
      const int x = ownerEnd_.x;
      // The content's end, stretched by the measure's justification.
      const TECMeasureLayout* layout = ctx_.Layout;
      const int contentEnd =
          layout ? ctx_.MeasureStartX + ctx_.Scaled(layout->HeaderWidth + layout->ExtraWidth + layout->ContentWidth) +
                       static_cast<int>(layout->JustificationPixels)
                 : ctx_.MeasureEndX;
      Arc(x, ArcY(ownerHeight), contentEnd, ArcY(towardsPartner));
      Handle(1, x, ownerEnd_.handle);
    } else {
      ClearHandle(1);
    }
  }

  // The staff top of the link's row in `system`, counted back from the
  // current system, whose rows the page painter has just placed.
  int StaffTop(int system) const {
    int top = ctx_.RowStaffTop[row_];
    for (int i = system; i < ctx_.SystemIndex; ++i) top -= SystemDistance(ctx_, i, row_);
    return top;
  }

  // The normal form: one arc per system from the start to the owner.
  void DrawSegments(bool partnerOnPage, int firstSystem, int lastSystem, bool ownerHere) {
    int x = 0;
    int y = 0;
    if (partnerOnPage) {
      x = partnerEnd_.x;
      y = ArcY(partnerEnd_.height);
      Handle(0, x, partnerEnd_.handle);
    } else {
      x = SystemStartX(ctx_, firstSystem);
      y = StaffTop(firstSystem) + (above_ ? -2 * s_ : 4 * s_ + s_ / 2);
      ClearHandle(0);
    }
    for (int system = firstSystem; system <= lastSystem; ++system) {
      if (system > firstSystem) {
        x = SystemStartX(ctx_, system);
        y += SystemDistance(ctx_, system - 1, row_);
      }
      if (system == lastSystem && ownerHere) Arc(x, y, ownerEnd_.x, ArcY(ownerEnd_.height));
      else Arc(x, y, SystemEndX(ctx_, system), y);
    }
    if (ownerHere) Handle(1, ownerEnd_.x, ownerEnd_.handle);
    else ClearHandle(1);
  }

  PainterContext& ctx_;
  TECLinkAttribute& link_;
  TECNote& owner_;
  TECNote& partner_;
  const int row_;
  const bool above_;
  const bool tie_;
  const int s_;
  const int u_;
  End partnerEnd_;
  End ownerEnd_;
};

void DrawLink(PainterContext& ctx, TECLinkAttribute& link, bool ownerHere) {
  TECNote* owner = link.OwnerNote();
  TECNote* partner = link.Partner;
  if (owner == nullptr || partner == nullptr || owner->Owner == nullptr || partner->Owner == nullptr) return;
  const int row = ctx.Instrument.IndexOfRow(owner->Owner->Owner);
  if (row < 0 || row >= static_cast<int>(ctx.RowStaffTop.size())) return;
  LinkDrawing(ctx, link, *owner, *partner, row).Draw(ownerHere);
}

}  // namespace

void DrawSlurArc(PainterContext& ctx, int x1, int y1, int x2, int y2, bool below, int thickness, ArcShape shape) {
  if (x1 == x2) return;
  // Above or below is the kind's, whatever the order of the points.
  if (x2 < x1) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  const double c = std::hypot(dx, dy);
  const double extra = static_cast<double>(thickness) * ctx.HorizontalFactor / 10000;
  double h = 3 * std::log2(c) - 12 + extra;
  if (h <= 0) h = 3 * std::log2(c) - 8 + extra;
  // A tie rises half as high as a slur of its length, and shows between
  // the closest heads too.
  if (shape == ArcShape::Tie) h = std::max(h / 2, 1.0);
  if (h <= 0) return;
  // The circle through both points whose arc rises h over the chord's
  // midpoint: radius from the sagitta, centre on the far side of the chord.
  const double radius = (c * c / 4 + h * h) / (2 * h);
  const double side = below ? -1 : 1;
  const double nx = side * dy / c;  // unit normal towards the apex
  const double ny = side * -dx / c;
  const double cx = (x1 + x2) / 2.0 - (radius - h) * nx;
  const double cy = (y1 + y2) / 2.0 - (radius - h) * ny;
  const nv::platform::Rect box{static_cast<int>(std::lround(cx - radius)), static_cast<int>(std::lround(cy - radius)),
                               static_cast<int>(std::lround(cx + radius)), static_cast<int>(std::lround(cy + radius))};
  // The canvas runs counter-clockwise: left to right under the chord, right
  // to left over it.
  if (below) ctx.Canvas.arc(box, {x1, y1}, {x2, y2});
  else ctx.Canvas.arc(box, {x2, y2}, {x1, y1});
}

void DrawSlur(PainterContext& ctx, TECLinkAttribute& link) { DrawLink(ctx, link, true); }

void DrawCarriedSlurs(PainterContext& ctx) {
  const auto& carried = ctx.Score.PageLayout.SystemObjects;
  const int page = ctx.Score.GetActivePage();
  if (page < 0 || page >= static_cast<int>(carried.size())) return;
  for (const TECCarryRef& ref : carried[page]) {
    TECLinkAttribute* link = ResolveLink(ctx.Instrument, ref);
    const TECNote* owner = link ? link->OwnerNote() : nullptr;
    // Only links that go on beyond the page; the others end on it.
    if (owner == nullptr || owner->Owner == nullptr || LayoutOnPage(ctx, owner->Owner->Index)) continue;
    DrawLink(ctx, *link, false);
  }
}

}  // namespace nv::render
