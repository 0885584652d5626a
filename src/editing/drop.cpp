// Drag and drop of TECMusicScore: the handles of selected page objects, the
// ghost note's switch and DropAtPoint, which applies a drag as one step.
#include <algorithm>
#include <climits>
#include <cstdlib>

#include "editing/drag_overlay.h"
#include "editing/drop_geometry.h"
#include "editing/edit_transaction.h"
#include "editing/offset_bytes.h"
#include "editing/element_places.h"
#include "editing/hit_candidates.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/play_preparation.h"
#include "model/row.h"
#include "model/symbols_row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

// Stored page-object values are 16-bit: a drop clamps instead of wrapping.
std::int16_t Clamp16(long value) { return static_cast<std::int16_t>(std::clamp<long>(value, SHRT_MIN, SHRT_MAX)); }

// The four box fields of a picture, rectangle, ellipse, arc, pie or chord.
struct BoxFields {
  std::int16_t* X;
  std::int16_t* Y;
  std::int16_t* Width;
  std::int16_t* Height;
};

std::optional<BoxFields> BoxFieldsOf(TECPageObject& object) {
  switch (object.Kind) {
    case ek::PagePicture: {
      auto& p = static_cast<TECPagePicture&>(object);
      return BoxFields{&p.X, &p.Y, &p.Width, &p.Height};
    }
    case ek::PageRectangle:
    case ek::PageEllipse:
    case ek::PageArc:
    case ek::PagePie:
    case ek::PageChord: {
      auto& s = static_cast<TECPageShape&>(object);
      return BoxFields{&s.X, &s.Y, &s.Width, &s.Height};
    }
    default: return std::nullopt;
  }
}

bool IsArc(int kind) { return kind >= ek::PageArc && kind <= ek::PageChord; }

TECRect Grown(const TECRect& r, int dx, int dy) {
  return {r.Left - std::abs(dx), r.Top - std::abs(dy), r.Right + std::abs(dx), r.Bottom + std::abs(dy)};
}

// Resizes or moves a box by the handle's edges; an edge dragged past the
// opposite one turns the box over (it is normalised), so no size goes
// negative.
void DragBox(BoxFields box, int handle, int du, int dv) {
  long x = *box.X, y = *box.Y, w = *box.Width, h = *box.Height;
  const HandleEdges edges = EdgesOf(handle);
  const bool whole = handle == 0;
  if (whole || edges.Left) {
    x += du;
    if (!whole) w -= du;
  }
  if (whole || edges.Top) {
    y += dv;
    if (!whole) h -= dv;
  }
  if (edges.Right) w += du;
  if (edges.Bottom) h += dv;
  if (w < 0) {
    x += w;
    w = -w;
  }
  if (h < 0) {
    y += h;
    h = -h;
  }
  *box.X = Clamp16(x);
  *box.Y = Clamp16(y);
  *box.Width = Clamp16(w);
  *box.Height = Clamp16(h);
}

// The six-pixel square centred on a point.
TECRect Square(int x, int y) { return {x - 3, y - 3, x + 3, y + 3}; }

int BoxHandleAt(const TECElementBox& b, TECPoint p) {
  const int midX = (b.Left + b.Right) / 2;
  const int midY = (b.Top + b.Bottom) / 2;
  const TECRect squares[8] = {
      {b.Left, b.Top, b.Left + 6, b.Top + 6},           {midX - 3, b.Top, midX + 3, b.Top + 6},
      {b.Right - 6, b.Top, b.Right, b.Top + 6},         {b.Right - 6, midY - 3, b.Right, midY + 3},
      {b.Right - 6, b.Bottom - 6, b.Right, b.Bottom},   {midX - 3, b.Bottom - 6, midX + 3, b.Bottom},
      {b.Left, b.Bottom - 6, b.Left + 6, b.Bottom},     {b.Left, midY - 3, b.Left + 6, midY + 3}};
  for (int i = 0; i < 8; ++i)
    if (Contains(squares[i], p)) return i + 1;
  return 0;
}

int HandleOf(const TECMusicScore& score, TECPageObject& object, TECPoint p) {
  const TECElementBox& b = object.Box;
  if (IsArc(object.Kind)) {
    const auto& arc = static_cast<TECPageArc&>(object);
    if (Contains(Square(PageObjectPixels(score, arc.StartX), PageObjectPixels(score, arc.StartY)), p)) return 9;
    if (Contains(Square(PageObjectPixels(score, arc.EndX), PageObjectPixels(score, arc.EndY)), p)) return 10;
  }
  if (BoxFieldsOf(object)) return BoxHandleAt(b, p);
  if (object.Kind == ek::PageLine) {
    const auto& line = static_cast<TECPageLine&>(object);
    // Each end sits in the box corner its coordinates give.
    const int x1 = line.X2 < line.X1 ? b.Right - 6 : b.Left;
    const int y1 = line.Y2 < line.Y1 ? b.Bottom - 6 : b.Top;
    const int x2 = line.X2 < line.X1 ? b.Left : b.Right - 6;
    const int y2 = line.Y2 < line.Y1 ? b.Top : b.Bottom - 6;
    if (Contains({x1, y1, x1 + 6, y1 + 6}, p)) return 1;
    if (Contains({x2, y2, x2 + 6, y2 + 6}, p)) return 2;
  }
  return 0;
}

// Staff steps of a symbols-row offset: (top - lines x D - y) x 2 div D, one
// less when negative.
int OffsetSteps(int firstRowTop, int lines, int d, int y) {
  const int twice = (firstRowTop - lines * d - y) * 2;
  const int t = twice / d;
  return twice < 0 ? t - 1 : t;
}

// A chord symbol keeps its vertical offset where other items keep their step.
std::uint8_t& ChordSymbolOffset(TECMeasureItem& item) { return item.Voice; }

std::size_t SymbolOffsetByte(int kind) { return kind == ek::TempoMark ? 6 : kind == ek::SymbolRehearsal ? 1 : 3; }

class Drop {
 public:
  Drop(TECMusicScore& score, TECPoint p)
      : score_(score), edit_(score, undo_kind::Drop), p_(p), instrument_(*score.CurrentInstrument()) {
    const int zoom = score.ZoomFactor();
    du_ = (p.X - score.DragStart.X) * 10000 / zoom;
    dv_ = (p.Y - score.DragStart.Y) * 10000 / zoom;
  }

  void Run(TECElement& element) {
    if (!edit_.Allowed()) return;
    switch (element.Type()) {
      case TECElementType::PageObject: PageObject(static_cast<TECPageObject&>(element)); break;
      case TECElementType::SymbolItem: SymbolItem(static_cast<TECSymbolItem&>(element)); break;
      case TECElementType::Note: Note(static_cast<TECNote&>(element)); break;
      case TECElementType::GraceNote: GraceNote(static_cast<TECGraceNote&>(element)); break;
      case TECElementType::Rest: Rest(static_cast<TECRest&>(element)); break;
      case TECElementType::MeasureItem: Item(static_cast<TECMeasureItem&>(element)); break;
      default: break;
    }
    edit_.Finish();
  }

 private:
  void PageObject(TECPageObject& object) {
    const TECRect old = BoxOf(score_, object, 0);
    const int dx = p_.X - score_.DragStart.X;
    const int dy = p_.Y - score_.DragStart.Y;
    if ((du_ == 0 && dv_ == 0) || !edit_.SavePageObject(object)) return;
    const int handle = score_.DragHandle;
    if (object.Kind == ek::PageText) {
      auto& text = static_cast<TECPageText&>(object);
      text.X = Clamp16(std::max<long>(0, text.X + du_));
      text.Y = Clamp16(std::max<long>(0, text.Y + dv_));
      score_.InvalidateArea(old);
      score_.InvalidateArea(Moved(old, dx, dy));
    } else if (object.Kind == ek::PageLine) {
      auto& line = static_cast<TECPageLine&>(object);
      if (handle != 2) {
        line.X1 = Clamp16(line.X1 + du_);
        line.Y1 = Clamp16(line.Y1 + dv_);
      }
      if (handle != 1) {
        line.X2 = Clamp16(line.X2 + du_);
        line.Y2 = Clamp16(line.Y2 + dv_);
      }
      score_.InvalidateArea(old);
      RebuildLineBox(line);
      score_.InvalidateArea(BoxOf(score_, line, 0));
    } else if (auto box = BoxFieldsOf(object)) {
      if (IsArc(object.Kind) && (handle == 9 || handle == 10 || handle == 0)) {
        auto& arc = static_cast<TECPageArc&>(object);
        if (handle != 10) {
          arc.StartX = Clamp16(arc.StartX + du_);
          arc.StartY = Clamp16(arc.StartY + dv_);
        }
        if (handle != 9) {
          arc.EndX = Clamp16(arc.EndX + du_);
          arc.EndY = Clamp16(arc.EndY + dv_);
        }
      }
      if (handle <= 8) DragBox(*box, handle, du_, dv_);
      score_.InvalidateArea(Grown(old, dx, dy));
    } else {
      return;
    }
    edit_.Touch();
    edit_.SkipLayout();
  }

  // The line's cached box from its end points: per axis from the smaller to
  // the larger, widened by 4 pixels (at 100 %) where the first end is the
  // smaller, else by 10.
  void RebuildLineBox(TECPageLine& line) {
    auto axis = [this](int a, int b, std::int32_t& low, std::int32_t& high) {
      const int widen = Zoomed(score_, a <= b ? 4 : 10);
      low = PageObjectPixels(score_, std::min(a, b)) - widen;
      high = PageObjectPixels(score_, std::max(a, b)) + widen;
    };
    axis(line.X1, line.X2, line.Box.Left, line.Box.Right);
    axis(line.Y1, line.Y2, line.Box.Top, line.Box.Bottom);
  }

  // The first row's drawn measure a symbols-row mark is dropped on: across
  // the point's x, in the system whose staff lies nearest the point.
  const TECDrawnMeasure* SymbolDropMeasure() const {
    const TECDrawnMeasure* best = nullptr;
    for (const TECDrawnMeasure& drawn : score_.PageLayout.DrawnMeasures)
      if (drawn.Row == 0 && p_.X >= drawn.StartX && p_.X <= drawn.EndX &&
          (best == nullptr || std::abs(drawn.StaffTop - p_.Y) < std::abs(best->StaffTop - p_.Y)))
        best = &drawn;
    return best;
  }

  void SymbolItem(TECSymbolItem& item) {
    const int kind = item.Kind;
    const int d = StaffSpacePixels(score_);
    const bool tempo = kind == ek::TempoMark;
    const TECDrawnMeasure* drop = SymbolDropMeasure();
    TECSymbolEntry* entry = item.Entry;
    const int from = instrument_.SymbolsRow().IndexOf(entry);
    if (from < 0 || drop == nullptr) return;
    const int t = OffsetSteps(drop->StaffTop, tempo ? 5 : 3, d, p_.Y);
    const std::size_t at = SymbolOffsetByte(kind);
    if (kind == ek::SymbolBarNumber || kind == ek::SymbolVolta) {
      if (t < -5 || t > 39 || FromOnesComplement(item.Byte(at)) == t || !edit_.SaveSymbolEntry(*entry)) return;
      item.SetByte(at, OnesComplement(t));
      edit_.Touch();
      return;
    }
    const bool moving = (kind >= ek::SymbolSegno && kind <= ek::SymbolRehearsal) || tempo;
    if (!moving) return;
    const int to = drop->Measure;
    const bool inRange = tempo ? t >= -29 && t <= 29 : t >= -9 && t <= 29;
    int tick = item.Tick();
    if (tempo)
      if (const TECMeasure* measure = instrument_.GetRow(0)->GetMeasure(to))
        tick = NearestEventPosition(score_, *measure, *drop, p_.X);
    const bool offsetChanges = inRange && FromOnesComplement(item.Byte(at)) != t;
    const bool positionChanges = tempo && tick != item.Tick();
    if (!offsetChanges && !positionChanges && to == from) return;
    if (!edit_.SaveSymbolEntry(*entry)) return;
    if (inRange) item.SetByte(at, OnesComplement(t));
    if (tempo) {
      item.SetTick(static_cast<std::uint16_t>(tick));
      item.SetByte(7, 0);
    }
    if (to != from) {
      Forget(item);
      TECSymbolEntry* target = instrument_.GetSymbolMeasure(to, false);
      entry = instrument_.SymbolsRow().At(from);
      edit_.SaveSymbolEntry(*target);
      auto it = std::find_if(entry->Items.begin(), entry->Items.end(), [&item](const auto& i) { return i.get() == &item; });
      std::unique_ptr<TECSymbolItem> moved = std::move(*it);
      entry->Items.erase(it);
      moved->Entry = target;
      target->Items.push_back(std::move(moved));
      instrument_.TrimSymbolMeasures();
    }
    edit_.Touch();
  }

  // The pitch line under the drop point for a staff whose top is given.
  int PitchLine(int staffTop, int clefOffset) const {
    return StaffStepAt(score_, staffTop, p_.Y) + clefOffset + 35;
  }

  void Note(TECNote& note) {
    if (!ek::IsNoteStep(note.Kind) || note.Owner == nullptr || note.Owner->Owner == nullptr) return;
    TECRow& row = *note.Owner->Owner;
    const auto place = StaffPlaceAt(score_, p_);
    if (!place || instrument_.GetRow(place->Row) != &row) return;
    TECMeasure* target = row.GetMeasure(place->Drawn->Measure);
    if (target == nullptr) return;
    const int line = PitchLine(place->Drawn->StaffTop, row.ClefOffsetAt(target->Index));
    if (line < 0 || line / 7 > 9) return;
    const int octave = line / 7;
    const int kind = ek::NoteC + line % 7;
    const int position = NearestEventPosition(score_, *target, *place->Drawn, p_.X);
    TECMeasure* source = note.Owner;
    if (kind == note.Kind && octave == note.Octave && target == source && position == note.Start) return;
    if (!edit_.SaveMeasure(*source) || !edit_.SaveMeasure(*target)) return;
    // The note may be replaced by new records: it leaves the selection first.
    Forget(note);
    for (TECNote* later : note.LinkedNotes())
      if (later->Owner != nullptr) edit_.SaveMeasure(*later->Owner);
    note.Kind = static_cast<std::uint8_t>(kind);
    note.Octave = static_cast<std::uint8_t>(octave);
    TECNote* placed = &note;
    if (target == source && position == note.Start) {
      row.SortChordNote(&note);
    } else {
      if (target != source) {
        auto it = std::find_if(source->Notes.begin(), source->Notes.end(),
                               [&note](const auto& n) { return n.get() == &note; });
        std::unique_ptr<TECNote> moving = std::move(*it);
        source->Notes.erase(it);
        std::erase(source->Beams, &note);
        row.ClearLoneChordMarkIn(source, moving->ChordMark);
        moving->ChordMark = 0;
        moving->Owner = target;
        target->Notes.push_back(std::move(moving));
        edit_.RebuildBeams(*source);
      }
      note.Position = note.Start = static_cast<std::uint16_t>(position);
      ScopedUndoLock lock(score_);
      placed = row.ReflowNote(&note, note.Length, note.StartOffset, note.Velocity);
    }
    if (target != source) edit_.TrimEmptyMeasures(row);
    edit_.RebuildBeams(*target);
    if (placed != nullptr && score_.AutoEffect) ExpandNoteForPlay(score_, *placed);
    edit_.Touch();
  }

  void GraceNote(TECGraceNote& grace) {
    TECElement* event = HoldingEvent(grace);
    if (event == nullptr || event->Type() != TECElementType::Note) return;
    TECMeasure* measure = static_cast<TECNote*>(event)->Owner;
    const TECDrawnMeasure* drawn = measure ? DrawnOf(*measure) : nullptr;
    if (drawn == nullptr) return;
    const int line = PitchLine(drawn->StaffTop, measure->Owner->ClefOffsetAt(measure->Index));
    if (line < 0 || line / 7 > 9) return;
    const auto step = static_cast<std::uint8_t>(line % 7 + 1);
    const auto octave = static_cast<std::uint8_t>(line / 7);
    if ((step == grace.Step && octave == grace.Octave) || !edit_.SaveMeasure(*measure)) return;
    grace.Step = step;
    grace.Octave = octave;
    edit_.Touch();
  }

  void Rest(TECRest& rest) {
    TECMeasure* measure = rest.Owner;
    const TECDrawnMeasure* drawn = measure ? DrawnOf(*measure) : nullptr;
    if (drawn == nullptr) return;
    const int d = StaffSpacePixels(score_);
    int y = p_.Y;
    const int voices = measure->Owner->VoiceMode();
    if (rest.Length > 63)
      y += d;
    else if (voices == 1)
      y += rest.Voice == 0 ? -2 * d : 2 * d;
    else if (voices == 2 && rest.Voice != 1)
      y += rest.Voice == 0 ? 2 * d : -2 * d;
    const int line = StaffStepAt(score_, drawn->StaffTop, y) + 29;
    if (line < 0 || line / 7 > 9) return;
    const auto step = static_cast<std::uint8_t>(line % 7 + 1);
    const auto octave = static_cast<std::uint8_t>(line / 7);
    if ((step == rest.Step && octave == rest.Octave) || !edit_.SaveMeasure(*measure)) return;
    rest.Step = step;
    rest.Octave = octave;
    edit_.Touch();
  }

  // A chord symbol moves up or down only, its offset kept within -30..120.
  void ChordSymbol(TECMeasureItem& item) {
    if (item.Owner == nullptr) return;
    const int old = FromOnesComplement(ChordSymbolOffset(item));
    const int offset = std::clamp(old + (score_.DragStart.Y - p_.Y) * 10000 / score_.ZoomFactor(), -30, 120);
    if (offset == old) return;
    const TECRect box = BoxOf(score_, item, 0);
    if (!edit_.SaveMeasure(*item.Owner)) return;
    ChordSymbolOffset(item) = OnesComplement(offset);
    score_.InvalidateArea(box);
    score_.InvalidateArea(Moved(box, 0, -Zoomed(score_, offset - old)));
    edit_.Touch();
  }

  // Text boxes, barres, bends, clef changes and items from kind 130 on move
  // vertically (step and octave) and, unless spanners, to the drop event.
  void Item(TECMeasureItem& item) {
    const int kind = item.Kind;
    if (kind == ek::ChordSymbol) {
      ChordSymbol(item);
      return;
    }
    const bool movable = kind == ek::TextBox || kind == ek::Barre || kind == ek::Bend || kind == ek::ClefChange ||
                         (kind >= 130 && !ek::IsLink(static_cast<std::uint8_t>(kind)) && kind != ek::Tuplet);
    if (!movable || item.Owner == nullptr || item.Owner->Owner == nullptr) return;
    TECMeasure* source = item.Owner;
    TECRow& row = *source->Owner;
    const auto place = StaffPlaceAt(score_, p_);
    if (!place || instrument_.GetRow(place->Row) != &row) return;
    TECMeasure* target = row.GetMeasure(place->Drawn->Measure);
    if (target == nullptr) return;
    const int line = StaffStepAt(score_, place->Drawn->StaffTop, p_.Y) + 35;
    if (line < 0 || line / 7 > 9) return;
    const auto step = static_cast<std::uint8_t>(line % 7 + 1);
    const auto octave = static_cast<std::uint8_t>(line / 7);
    const bool spanner = kind > 219;
    if (spanner) target = source;
    const int position = spanner ? item.Position : NearestEventPosition(score_, *target, *place->Drawn, p_.X);
    if (step == item.Voice && octave == item.Params[0] && position == item.Position && target == source) return;
    if (!edit_.SaveMeasure(*source) || !edit_.SaveMeasure(*target)) return;
    item.Voice = step;
    item.Params[0] = octave;
    item.Position = static_cast<std::uint16_t>(position);
    if (target != source) {
      Forget(item);
      auto it = std::find_if(source->Items.begin(), source->Items.end(),
                             [&item](const auto& i) { return i.get() == &item; });
      std::unique_ptr<TECMeasureItem> moving = std::move(*it);
      source->Items.erase(it);
      moving->Owner = target;
      target->Items.push_back(std::move(moving));
      edit_.TrimEmptyMeasures(row);
    }
    edit_.Touch();
  }

  const TECDrawnMeasure* DrawnOf(const TECMeasure& measure) const {
    return DrawnMeasureOf(score_, instrument_.IndexOfRow(measure.Owner), measure.Index);
  }

  // Takes a record out of the selection before it may be freed.
  void Forget(TECElement& element) {
    for (TECSelected& entry : score_.Selection) std::erase(entry.Elements, &element);
    std::erase_if(score_.Selection, [](const TECSelected& e) { return e.Elements.empty(); });
    if (score_.Selection.empty()) score_.SelectedRow = nullptr;
    if (score_.ClickedElement == &element) score_.ClickedElement = nullptr;
  }

  TECMusicScore& score_;
  EditTransaction edit_;
  TECPoint p_;
  TECInstrument& instrument_;
  int du_ = 0;
  int dv_ = 0;
};

}  // namespace
}  // namespace nv::editing

int TECMusicScore::HandleAtPoint(TECPoint point) {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr || SelectedRow != &instrument->TextsRow()) return 0;
  for (const TECSelected& entry : Selection)
    for (TECElement* element : entry.Elements) {
      auto& object = static_cast<TECPageObject&>(*element);
      if (!nv::editing::OnActivePage(*this, object)) continue;
      if (const int handle = nv::editing::HandleOf(*this, object, point)) {
        ClickedElement = &object;
        return handle;
      }
    }
  return 0;
}

void TECMusicScore::DropAtPoint(TECPoint point, TECElement* element) {
  // ClickedElement is kept clear of freed records; the element dropped must
  // be it.
  if (CurrentInstrument() == nullptr || ClickedElement == nullptr || element != ClickedElement) return;
  nv::editing::Drop(*this, point).Run(*element);
}

bool TECMusicScore::SetNoteCursor(bool on, std::optional<TECPoint> clientMouse) {
  if (on != NoteCursor) {
    nv::editing::ChangeOverlay(*this, [&] {
      if (on && clientMouse) {
        LastMouse = *clientMouse;
        ClientToDocument(LastMouse.X, LastMouse.Y);
      }
      NoteCursor = on;
      HintedStep = 0x7FFFFFFF;
    });
    if (on)
      nv::editing::FollowPitchHint(*this);
    else
      nv::editing::HidePitchHint(*this);
  }
  NoteCursorRequested = NoteCursor;
  return NoteCursor;
}
