#include "editing/page_symbol_commands.h"

#include <algorithm>
#include <climits>

#include "editing/element_places.h"
#include "editing/offset_bytes.h"
#include "model/instrument.h"
#include "model/page_objects.h"
#include "model/row.h"
#include "model/symbols_row.h"

namespace nv::editing {
namespace {

std::int16_t Add16(std::int16_t v, int delta) { return static_cast<std::int16_t>(v + delta); }

// Each page object of the texts-row selection that the change takes, saved
// first; its old box is invalidated (Finish repaints the rest).
template <typename Change>
bool EachPageObject(EditTransaction& edit, Change change) {
  TECMusicScore& score = edit.Score();
  TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || score.SelectedRow != &instrument->TextsRow()) return false;
  for (const TECSelected& entry : score.Selection)
    for (TECElement* element : entry.Elements) {
      auto* object = static_cast<TECPageObject*>(element);
      if (instrument->TextsRow().IndexOf(object) < 0) continue;
      const TECRect old = BoxOf(score, *object, 0);
      if (!change(*object, true) || !edit.SavePageObject(*object)) continue;
      change(*object, false);
      score.InvalidateArea(old);
      edit.Touch();
    }
  return true;
}

// Each item of the symbols-row selection with its entry.
template <typename Change>
bool EachSymbol(EditTransaction& edit, Change change) {
  TECMusicScore& score = edit.Score();
  TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || score.SelectedRow != &instrument->SymbolsRow()) return false;
  for (const TECSelected& entry : score.Selection) {
    TECSymbolEntry* symbols = instrument->SymbolsRow().At(entry.Measure);
    if (symbols == nullptr) continue;
    for (TECElement* element : entry.Elements) {
      auto* item = static_cast<TECSymbolItem*>(element);
      if (item->Entry != symbols) continue;
      if (change(*item, entry, true) && edit.SaveSymbolEntry(*symbols)) {
        change(*item, entry, false);
        edit.Touch();
      }
    }
  }
  return true;
}

// A signed offset byte + delta when the result stays within [low, high];
// with `probe` only tells whether it would.
bool ShiftByte(TECSymbolItem& item, std::size_t at, int delta, int low, int high, bool probe) {
  const int v = FromOnesComplement(item.Byte(at)) + delta;
  if (v < low || v > high) return false;
  if (!probe) item.SetByte(at, OnesComplement(v));
  return true;
}

// Where the offsets sit (as the symbols-row painter reads them).
std::size_t XOffsetByte(const TECSymbolItem& item) { return item.Kind == ek::TempoMark ? 7 : 2; }
std::size_t YOffsetByte(const TECSymbolItem& item) {
  return item.Kind == ek::TempoMark ? 6 : item.Kind == ek::SymbolRehearsal ? 1 : 3;
}

bool IsMark(int kind) { return kind >= ek::SymbolSegno && kind <= ek::SymbolRehearsal; }

}  // namespace

int NearestEventInMeasure(const TECInstrument& instrument, int m, int tick, int delta) {
  int best = delta > 0 ? INT_MAX : INT_MIN;
  for (int r = 0; r < instrument.GetRowCount(); ++r) {
    int measure = m;
    int position = tick;
    const TECRow& row = *instrument.GetRow(r);
    const bool found = delta > 0 ? row.FindNextEvent(measure, position) : row.FindPreviousEvent(measure, position);
    if (!found || measure != m) continue;
    if (delta > 0 && position > tick) best = std::min(best, position);
    if (delta <= 0 && position < tick) best = std::max(best, position);
  }
  return best == INT_MAX || best == INT_MIN ? tick : best;
}

bool MovePageObjects(EditTransaction& edit, int dx, int dy) {
  return EachPageObject(edit, [dx, dy](TECPageObject& object, bool probe) {
    if (probe) return object.Kind >= ek::PageText && object.Kind <= ek::PageChord;
    if (object.Kind == ek::PageText) {
      auto& text = static_cast<TECPageText&>(object);
      text.X = Add16(text.X, dx);
      text.Y = Add16(text.Y, -dy);
    } else if (object.Kind == ek::PagePicture) {
      auto& picture = static_cast<TECPagePicture&>(object);
      picture.X = Add16(picture.X, dx);
      picture.Y = Add16(picture.Y, -dy);
    } else if (object.Kind == ek::PageLine) {
      auto& line = static_cast<TECPageLine&>(object);
      line.X1 = Add16(line.X1, dx);
      line.X2 = Add16(line.X2, dx);
      line.Y1 = Add16(line.Y1, -dy);
      line.Y2 = Add16(line.Y2, -dy);
    } else {
      auto& shape = static_cast<TECPageShape&>(object);
      shape.X = Add16(shape.X, dx);
      shape.Y = Add16(shape.Y, -dy);
      if (object.Kind >= ek::PageArc) {
        auto& arc = static_cast<TECPageArc&>(object);
        arc.StartX = Add16(arc.StartX, dx);
        arc.EndX = Add16(arc.EndX, dx);
        arc.StartY = Add16(arc.StartY, -dy);
        arc.EndY = Add16(arc.EndY, -dy);
      }
    }
    return true;
  });
}

bool ResizePageObjects(EditTransaction& edit, int dw, int dh) {
  return EachPageObject(edit, [dw, dh](TECPageObject& object, bool probe) {
    if (probe) return object.Kind > ek::PageText && object.Kind <= ek::PageChord;
    if (object.Kind == ek::PagePicture) {
      auto& picture = static_cast<TECPagePicture&>(object);
      picture.Width = Add16(picture.Width, dw);
      picture.Height = Add16(picture.Height, dh);
    } else if (object.Kind == ek::PageLine) {
      auto& line = static_cast<TECPageLine&>(object);
      line.X2 = Add16(line.X2, dw);
      line.Y2 = Add16(line.Y2, dh);
    } else {
      auto& shape = static_cast<TECPageShape&>(object);
      shape.Width = Add16(shape.Width, dw);
      shape.Height = Add16(shape.Height, dh);
    }
    return true;
  });
}

bool MoveSymbolsHorz(EditTransaction& edit, int delta) {
  TECMusicScore& score = edit.Score();
  const bool single = score.Selection.size() == 1 && score.Selection[0].Elements.size() == 1;
  return EachSymbol(edit, [&](TECSymbolItem& item, const TECSelected& entry, bool probe) {
    if (IsMark(item.Kind)) return ShiftByte(item, XOffsetByte(item), delta, -39, 39, probe);
    if (item.Kind != ek::TempoMark) return false;
    int tick = item.Tick() + delta;
    if (single)
      tick = NearestEventInMeasure(*score.CurrentInstrument(), entry.Measure, item.Tick(), delta);
    else if (tick < 0 || tick >= score.GetMeasureLength(entry.Measure))
      return false;
    if (tick == item.Tick()) return false;
    if (!probe) item.SetTick(static_cast<std::uint16_t>(tick));
    return true;
  });
}

bool MoveSymbolsVert(EditTransaction& edit, int delta) {
  return EachSymbol(edit, [delta](TECSymbolItem& item, const TECSelected&, bool probe) {
    const int kind = item.Kind;
    const bool moves = IsMark(kind) || kind == ek::SymbolVolta || kind == ek::SymbolBarNumber || kind == ek::TempoMark;
    return moves && ShiftByte(item, YOffsetByte(item), delta, -9, 19, probe);
  });
}

bool ResizePartNumbers(EditTransaction& edit, int delta) {
  return EachSymbol(edit, [delta](TECSymbolItem& item, const TECSelected&, bool probe) {
    const int size = item.Byte(1) + delta;
    if (item.Kind != ek::SymbolVolta || size < 1 || size > 40) return false;
    if (!probe) item.SetByte(1, static_cast<std::uint8_t>(size));
    return true;
  });
}

bool NudgeTempoMarks(EditTransaction& edit, int delta) {
  return EachSymbol(edit, [delta](TECSymbolItem& item, const TECSelected&, bool probe) {
    if (item.Kind != ek::TempoMark) return false;
    if (!probe) item.SetByte(7, static_cast<std::uint8_t>(item.Byte(7) + delta));
    return true;
  });
}

bool AlignChordMarks(EditTransaction& edit) {
  const TECSymbolItem* first = nullptr;
  return EachSymbol(edit, [&first](TECSymbolItem& item, const TECSelected&, bool probe) {
    if (item.Kind != ek::ChordSymbol) return false;
    if (first == nullptr) first = &item;
    if (!probe) item.SetByte(3, first->Byte(3));
    return true;
  });
}

}  // namespace nv::editing
