// SelectAtPoint and SelectInRect: hit tests over the boxes the painters
// wrote back and the measures the latest page drawing placed.
#include <cmath>
#include <optional>

#include "editing/element_places.h"
#include "editing/hit_candidates.h"
#include "editing/selection.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "render/carry_over.h"

namespace nv::editing {
namespace {

using Candidates = std::vector<HitCandidate>;

// A row that shares a staff with a neighbour is tried only while active.
bool RowTried(const TECInstrument& instrument, int r) {
  if (r == instrument.GetActiveRowIndex()) return true;
  return !instrument.GetRow(r)->United() && !(r > 0 && instrument.GetRow(r - 1)->United());
}

bool SelectedAlready(const TECMusicScore& score, const TECElement* element) {
  for (const TECSelected& entry : score.Selection)
    if (std::find(entry.Elements.begin(), entry.Elements.end(), element) != entry.Elements.end()) return true;
  return false;
}

// The row-group bracket band left of each system start: the rows of r's
// group from r's staff top to the bottom of the group's last staff.
std::optional<int> BracketAt(const TECMusicScore& score, const TECInstrument& instrument, TECPoint p) {
  const int rows = instrument.GetRowCount();
  if (rows < 2) return std::nullopt;
  std::vector<int> groupEnd(rows, rows - 1);
  int first = 0;
  for (const auto& group : instrument.Pairs) {
    if (group[0] <= 0) continue;
    const int last = std::min(rows, first + group[0]) - 1;
    for (int r = first; r <= last; ++r) groupEnd[r] = last;
    first = last + 1;
    if (first >= rows) break;
  }
  if (!instrument.Pairs.empty())
    for (int r = first; r < rows; ++r) groupEnd[r] = r;
  const int band = Zoomed(score, 10);
  const int staffHeight = 4 * StaffSpacePixels(score);
  for (int r = 0; r < rows; ++r) {
    for (const TECDrawnMeasure& drawn : score.PageLayout.DrawnMeasures) {
      if (drawn.Row != r) continue;
      const bool opensSystem = &drawn == &score.PageLayout.DrawnMeasures.front() ||
                               (&drawn - 1)->Row != r || (&drawn - 1)->PageSystem != drawn.PageSystem;
      if (!opensSystem) continue;
      int bottom = drawn.StaffTop + staffHeight;
      for (const TECDrawnMeasure& end : score.PageLayout.DrawnMeasures)
        if (end.Row == groupEnd[r] && end.PageSystem == drawn.PageSystem) bottom = end.StaffTop + staffHeight;
      if (p.X >= drawn.StartX - band && p.X < drawn.StartX && p.Y >= drawn.StaffTop && p.Y <= bottom) return r;
    }
  }
  return std::nullopt;
}

// Makes row r the active row and puts the cursor in measure `measure`, at
// `position` when given and, for a staff whose top is at `staffTop`, on the
// pitch line under y.
void MoveCursor(TECMusicScore& score, TECInstrument& instrument, int r, int measure, std::optional<int> position,
                std::optional<int> staffTop, int y) {
  instrument.SetActiveRow(r);
  score.GoToMeasure(measure);
  if (position) score.SetCursorPosition(*position);
  if (staffTop) {
    score.ClickedPitchLine = StaffStepAt(score, *staffTop, y);
    score.SetCursorPitch(score.ClickedPitchLine + 35);
  }
}

// The staff the pitch line of a hit is read from: that of the system where
// the hit part was drawn, which for a tie's or slur's first part or a
// spanner's later part is not the system of the measure holding it.
const TECDrawnMeasure& StaffOfHit(const TECMusicScore& score, int r, const TECDrawnMeasure& drawn,
                                  const HitCandidate& hit) {
  if (hit.Part == 1) {
    const TECNote* partner = static_cast<TECLinkAttribute*>(hit.Selected)->Partner;
    if (partner != nullptr && partner->Owner != nullptr)
      if (const TECDrawnMeasure* start = DrawnMeasureOf(score, r, partner->Owner->Index)) return *start;
  }
  if (hit.System > 0)
    for (const TECDrawnMeasure& other : score.PageLayout.DrawnMeasures)
      if (other.Row == r && other.PageSystem == drawn.PageSystem + hit.System) return other;
  return drawn;
}

// Puts the cursor where a hit in a staff row asks it.
void PlaceCursor(TECMusicScore& score, TECInstrument& instrument, int r, const TECDrawnMeasure& drawn,
                 const HitCandidate& hit, TECPoint p) {
  TECElement* clicked = hit.Clicked;
  std::optional<int> position;
  bool pitch = true;
  int measure = drawn.Measure;
  const int staffTop = StaffOfHit(score, r, drawn, hit).StaffTop;
  switch (clicked->Type()) {
    case TECElementType::Clef:
    case TECElementType::KeySignature:
    case TECElementType::TimeSignature:
      position = 0;
      pitch = false;
      break;
    case TECElementType::Note: position = static_cast<TECNote*>(clicked)->Start; break;
    case TECElementType::Rest: position = static_cast<TECRest*>(clicked)->Position; break;
    case TECElementType::MeasureItem: position = static_cast<TECMeasureItem*>(clicked)->Position; break;
    case TECElementType::GraceNote: pitch = false; break;
    default:
      if (clicked->Kind == ek::LinkAbove || clicked->Kind == ek::LinkBelow) {
        // The cursor goes to the note that holds the link.
        TECNote* holder = static_cast<TECLinkAttribute*>(clicked)->OwnerNote();
        if (holder != nullptr && holder->Owner != nullptr) {
          measure = holder->Owner->Index;
          position = holder->Start;
        }
      }
      break;
  }
  MoveCursor(score, instrument, r, measure, position, pitch ? std::optional<int>(staffTop) : std::nullopt, p.Y);
}

void Take(TECMusicScore& score, const HitCandidate& hit, bool add, bool clear) {
  if (clear) score.ClearSelection();
  if (add) score.SelectElement(hit.Selected, hit.Part);
  if (hit.Part > 0) static_cast<TECLinkAttribute*>(hit.Selected)->HitPart = static_cast<std::uint8_t>(hit.Part);
  score.ClickedElement = hit.Clicked;
}

bool HitStaffRows(TECMusicScore& score, TECInstrument& instrument, TECPoint p, bool add, bool clear) {
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    if (!RowTried(instrument, r)) continue;
    TECRow* row = instrument.GetRow(r);
    for (const TECDrawnMeasure& drawn : score.PageLayout.DrawnMeasures) {
      TECMeasure* measure = drawn.Row == r ? row->GetMeasure(drawn.Measure) : nullptr;
      if (measure == nullptr) continue;
      for (const HitCandidate& hit : MeasureCandidates(score, *measure)) {
        if (!Contains(hit.Box, p)) continue;
        Take(score, hit, add, clear);
        PlaceCursor(score, instrument, r, drawn, hit, p);
        return true;
      }
    }
  }
  return false;
}

bool HitSymbolsRow(TECMusicScore& score, TECInstrument& instrument, TECPoint p, bool add, bool clear) {
  const int page = score.GetActivePage();
  for (int m = score.PageFirstMeasure(page); m <= score.PageLastMeasure(page); ++m) {
    TECSymbolEntry* entry = instrument.SymbolsRow().At(m);
    if (entry == nullptr) continue;
    for (const HitCandidate& hit : SymbolCandidates(score, *entry)) {
      if (!Contains(hit.Box, p)) continue;
      Take(score, hit, add, clear);
      return true;
    }
  }
  return false;
}

// A line is hit near its segment (less than 6 pixels at 100 %), or inside
// its box when both ends coincide.
bool LineHit(const TECMusicScore& score, const TECPageLine& line, TECPoint p) {
  auto at = [&score](int stored) { return PageObjectPixels(score, stored); };
  const double x1 = at(line.X1), y1 = at(line.Y1), x2 = at(line.X2), y2 = at(line.Y2);
  const double dx = x2 - x1, dy = y2 - y1;
  const double length2 = dx * dx + dy * dy;
  if (length2 == 0) return Contains(RectOf(line.Box), p);
  const double t = std::clamp(((p.X - x1) * dx + (p.Y - y1) * dy) / length2, 0.0, 1.0);
  return std::hypot(p.X - (x1 + t * dx), p.Y - (y1 + t * dy)) < 6.0 * score.ZoomFactor() / 10000;
}

bool HitPageObjects(TECMusicScore& score, TECInstrument& instrument, TECPoint p, bool add, bool clear) {
  auto& objects = instrument.TextsRow().Objects;
  for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
    TECPageObject* object = it->get();
    if (!OnActivePage(score, *object)) continue;
    const TECElementBox& b = object->Box;
    const bool hit = object->Kind == ek::PageLine ? LineHit(score, static_cast<TECPageLine&>(*object), p)
                                                  : Contains(RectOf(b), p);
    if (!hit) continue;
    Take(score, {object, object, 0, {}}, add, clear);
    return true;
  }
  return false;
}

// The row whose staff, in the first system below the rectangle's top,
// starts closest below that top. A top below every staff start (inside the
// page's last system) takes the row of the lowest staff start; none when
// nothing was drawn.
std::optional<int> RowBelow(const TECMusicScore& score, int top) {
  std::optional<int> below;
  std::optional<int> above;
  int belowTop = 0;
  int aboveTop = 0;
  for (const TECDrawnMeasure& drawn : score.PageLayout.DrawnMeasures) {
    if (drawn.StaffTop >= top && (!below || drawn.StaffTop < belowTop)) {
      belowTop = drawn.StaffTop;
      below = drawn.Row;
    }
    if (drawn.StaffTop < top && (!above || drawn.StaffTop > aboveTop)) {
      aboveTop = drawn.StaffTop;
      above = drawn.Row;
    }
  }
  return below ? below : above;
}

// The page carry-over list `lists` holds for the active page, none when it
// holds none.
const std::vector<TECCarryRef>* CarriedOnActivePage(const TECMusicScore& score,
                                                    const std::vector<std::vector<TECCarryRef>>& lists) {
  const int page = score.GetActivePage();
  return page >= 0 && page < static_cast<int>(lists.size()) ? &lists[page] : nullptr;
}

// The ties and slurs the active page draws for a holder note on a later
// page (the search through the holders never meets them), from the last
// to the first, each with its two parts.
Candidates CarriedLinkCandidates(const TECMusicScore& score, const TECInstrument& instrument) {
  Candidates out;
  const auto* refs = CarriedOnActivePage(score, score.PageLayout.SystemObjects);
  if (refs == nullptr) return out;
  for (auto it = refs->rbegin(); it != refs->rend(); ++it) {
    TECLinkAttribute* link = nv::render::ResolveLink(instrument, *it);
    if (link == nullptr || !RowTried(instrument, it->Row)) continue;
    for (int part = 1; part <= 2; ++part) {
      const TECElementBox& b = link->PartBoxes[part - 1];
      out.push_back({link, link, part, RectOf(b)});
    }
  }
  return out;
}

// The spanners and voltas continued from an earlier page, from the last to
// the first: a spanner once per system drawn here, a volta by its box.
Candidates CarriedSymbolCandidates(const TECMusicScore& score, const TECInstrument& instrument) {
  Candidates out;
  const auto* refs = CarriedOnActivePage(score, score.PageLayout.SystemSymbols);
  if (refs == nullptr) return out;
  for (auto it = refs->rbegin(); it != refs->rend(); ++it) {
    if (TECSymbolItem* volta = nv::render::ResolveVolta(instrument, *it)) {
      const TECElementBox& b = volta->Box;
      out.push_back({volta, volta, 0, RectOf(b)});
      continue;
    }
    TECMeasureItem* spanner = nv::render::ResolveSpanner(instrument, *it);
    if (spanner == nullptr || !RowTried(instrument, it->Row)) continue;
    for (const TECElementBox& b : spanner->SegmentBoxes)
      out.push_back({spanner, spanner, 0, RectOf(b)});
  }
  return out;
}

// Last of all, what continues across the active page's edges: a link's part
// selects the link and puts the cursor on its earlier note, which this page
// shows; a continued spanner or volta is selected and leaves the cursor,
// whose measure lies on an earlier page.
bool HitCarried(TECMusicScore& score, TECInstrument& instrument, TECPoint p, bool add, bool clear) {
  for (const HitCandidate& hit : CarriedLinkCandidates(score, instrument)) {
    if (!Contains(hit.Box, p)) continue;
    Take(score, hit, add, clear);
    const TECNote* partner = static_cast<TECLinkAttribute*>(hit.Selected)->Partner;
    if (partner != nullptr && partner->Owner != nullptr && partner->Owner->Owner != nullptr) {
      const int r = instrument.IndexOfRow(partner->Owner->Owner);
      if (const TECDrawnMeasure* drawn = DrawnMeasureOf(score, r, partner->Owner->Index))
        MoveCursor(score, instrument, r, drawn->Measure, partner->Start, drawn->StaffTop, p.Y);
    }
    return true;
  }
  for (const HitCandidate& hit : CarriedSymbolCandidates(score, instrument)) {
    if (!Contains(hit.Box, p)) continue;
    Take(score, hit, add, clear);
    return true;
  }
  return false;
}

// Selects what the rectangle touches of one source; on the first element
// the old selection goes when `clear` is set.
class RectPicker {
 public:
  RectPicker(TECMusicScore& score, const TECRect& rect, bool clear) : score_(score), rect_(rect), clear_(clear) {}
  void Try(const HitCandidate& hit) {
    if (!Intersects(hit.Box, rect_) || SelectedAlready(score_, hit.Selected)) return;
    if (clear_ && !picked_) score_.ClearSelection();
    if (score_.SelectElement(hit.Selected, hit.Part)) picked_ = true;
  }
  bool Picked() const { return picked_; }

 private:
  TECMusicScore& score_;
  TECRect rect_;
  bool clear_;
  bool picked_ = false;
};

}  // namespace
}  // namespace nv::editing

using namespace nv::editing;

bool TECMusicScore::SelectAtPoint(TECPoint point, bool add, bool clear) {
  ClickedElement = nullptr;
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr) return false;
  SelectionBatchScope batch(*this);
  if (const auto bracket = BracketAt(*this, *instrument, point)) {
    if (*bracket != SelectedRowGroup) {
      ClearSelection();
      SelectedRowGroup = *bracket;
      NotifySelectedChanged();
      InvalidateScore();
    }
    return true;
  }
  return HitStaffRows(*this, *instrument, point, add, clear) || HitSymbolsRow(*this, *instrument, point, add, clear) ||
         HitPageObjects(*this, *instrument, point, add, clear) || HitCarried(*this, *instrument, point, add, clear);
}

bool TECMusicScore::SelectInRect(const TECRect& rect, bool clear) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr) return false;
  SelectionBatchScope batch(*this);
  bool picked = false;
  const int rows = instrument->GetRowCount();
  if (const auto start = RowBelow(*this, rect.Top)) {
    std::vector<int> order;
    for (int r = *start; r < rows; ++r) order.push_back(r);
    for (int r = *start - 1; r >= 0; --r) order.push_back(r);
    for (int r : order) {
      if (!RowTried(*instrument, r)) continue;
      RectPicker picker(*this, rect, clear);
      for (const TECDrawnMeasure& drawn : PageLayout.DrawnMeasures)
        if (drawn.Row == r)
          if (TECMeasure* measure = instrument->GetRow(r)->GetMeasure(drawn.Measure))
            for (const HitCandidate& hit : MeasureCandidates(*this, *measure)) picker.Try(hit);
      if ((picked = picker.Picked())) break;
    }
  }
  if (!picked) {
    RectPicker symbols(*this, rect, clear);
    for (int m = PageFirstMeasure(GetActivePage()); m <= PageLastMeasure(GetActivePage()); ++m)
      if (TECSymbolEntry* entry = instrument->SymbolsRow().At(m))
        for (const HitCandidate& hit : SymbolCandidates(*this, *entry)) symbols.Try(hit);
    picked = symbols.Picked();
  }
  if (!picked) {
    RectPicker objects(*this, rect, clear);
    for (const auto& object : instrument->TextsRow().Objects)
      if (OnActivePage(*this, *object))
        objects.Try(
            {object.get(), object.get(), 0, RectOf(object->Box)});
    picked = objects.Picked();
  }
  // What continues from an earlier page joins a selection of nothing or of
  // the symbols row.
  if (!picked || SelectedRow == &instrument->SymbolsRow()) {
    RectPicker carried(*this, rect, clear && !picked);
    for (const HitCandidate& hit : CarriedSymbolCandidates(*this, *instrument)) carried.Try(hit);
    picked = picked || carried.Picked();
  }
  return picked;
}
