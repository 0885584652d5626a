// What the property dialogs, the popup menu and the formatting buttons read
// from and write to the selected objects. What a dialog sets is one undo
// step; the score's own formatting setters record none, and the look
// commands of look_steps.h record one each.
#include <algorithm>
#include <functional>

#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "editing/element_places.h"
#include "editing/list_detach.h"
#include "editing/look_steps.h"
#include "editing/selection.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/row.h"
#include "model/symbols_row.h"

namespace nv::editing {
namespace {

// The text box item's style bytes as its painter reads them: size, font
// style, step, octave, flags (alignment in bits 4..5); its 32-bit value is
// the colour. Text boxes are not rotated.
constexpr std::size_t kBoxSize = 0;
constexpr std::size_t kBoxStyle = 1;
constexpr std::size_t kBoxFlags = 4;

constexpr std::uint8_t kAlignBits = 0x30;

bool TextsSelected(const TECMusicScore& score) {
  const TECInstrument* instrument = score.CurrentInstrument();
  return instrument != nullptr && score.SelectedRow == &instrument->TextsRow();
}

bool InRange(int kind, int low, int high) { return kind >= low && kind <= high; }

void ForEachSelected(const TECMusicScore& score, const std::function<void(TECElement&)>& visit) {
  for (const TECSelected& entry : score.Selection)
    for (TECElement* element : entry.Elements) visit(*element);
}

// What a dialog works on: the selected elements of `type` and `kind` when
// `fromSelection` (the selection's owner row is the one that holds them),
// else ClickedElement when it is one.
std::vector<TECElement*> DialogTargets(const TECMusicScore& score, bool fromSelection, TECElementType type,
                                       int kind) {
  std::vector<TECElement*> found;
  const auto fits = [&](const TECElement* e) { return e != nullptr && e->Kind == kind && e->Type() == type; };
  if (fromSelection)
    ForEachSelected(score, [&](TECElement& e) {
      if (fits(&e)) found.push_back(&e);
    });
  if (found.empty() && fits(score.ClickedElement)) found.push_back(score.ClickedElement);
  return found;
}

// Text objects of `kind` (61 page text, 240 text box) that the text dialog
// works on.
std::vector<TECElement*> TextTargets(const TECMusicScore& score, int kind) {
  if (kind == ek::PageText) return DialogTargets(score, TextsSelected(score), TECElementType::PageObject, kind);
  return DialogTargets(score, SelectedStaffRow(score) != nullptr, TECElementType::MeasureItem, kind);
}

void InvalidateBox(TECMusicScore& score, const TECElement& element) {
  score.InvalidateArea(BoxOf(score, element, 0));
}

// Saves the record that holds `target` in the edit's step: the measure of a
// note or measure item, the entry of a symbols-row item, a page object
// itself. False when its entry could not be written.
bool SaveHolder(EditTransaction& edit, TECElement& target) {
  switch (target.Type()) {
    case TECElementType::Note: return edit.SaveMeasure(*static_cast<TECNote&>(target).Owner);
    case TECElementType::MeasureItem: return edit.SaveMeasure(*static_cast<TECMeasureItem&>(target).Owner);
    case TECElementType::SymbolItem: return edit.SaveSymbolEntry(*static_cast<TECSymbolItem&>(target).Entry);
    case TECElementType::PageObject: return edit.SavePageObject(static_cast<TECPageObject&>(target));
    default: return false;
  }
}

// A dialog's values on its targets, as one undo step: `change(element,
// probe)` tells whether it changes the element, and changes it unless
// probing. Each target that changes is saved first; the score is laid out,
// repainted and reports the change once.
template <typename Change>
void SetOnTargets(TECMusicScore& score, const std::vector<TECElement*>& targets, Change change) {
  EditTransaction edit(score, undo_kind::Properties);
  if (!edit.Allowed()) return;
  for (TECElement* target : targets) {
    if (!change(*target, true) || !SaveHolder(edit, *target)) continue;
    change(*target, false);
    edit.Touch();
  }
  edit.Finish();
}

// Ends a formatting command: what changed is repainted.
void Repaint(TECMusicScore& score, const std::vector<TECElement*>& changed, bool whole) {
  if (whole)
    score.InvalidateScore();
  else
    for (TECElement* element : changed) InvalidateBox(score, *element);
}

// A formatting change of one element: with `apply` false it only tells
// whether it would change anything.
using Change = std::function<bool(TECElement& e, bool apply)>;

// Applies `change` to every selected element it accepts. Without `edit`,
// repaints them and reports the change (formatting changes saved data, so
// OnChanged is fired); with `edit`, each record is saved in its step first
// and the transaction repaints and reports.
void Format(TECMusicScore& score, bool whole, const Change& change, EditTransaction* edit = nullptr) {
  if (!EditsAllowed(score)) return;
  std::vector<TECElement*> changed;
  const bool pageObjects = TextsSelected(score);
  const bool staff = SelectedStaffRow(score) != nullptr;
  ForEachSelected(score, [&](TECElement& e) {
    const bool fits = (pageObjects && e.Type() == TECElementType::PageObject) ||
                      (staff && e.Type() == TECElementType::MeasureItem);
    if (!fits || !change(e, false)) return;
    if (edit != nullptr) {
      if (!SaveHolder(*edit, e)) return;
      edit->Touch();
    }
    change(e, true);
    changed.push_back(&e);
  });
  if (changed.empty() || edit != nullptr) return;
  Repaint(score, changed, whole);
  score.DoChanged();
}

TECPageShape* Shape(TECElement& e) {
  return e.Type() == TECElementType::PageObject && InRange(e.Kind, ek::PageRectangle, ek::PageChord)
             ? static_cast<TECPageShape*>(&e)
             : nullptr;
}

// Whether the field differs from the value, and unless probing takes it.
template <typename Field, typename Value>
bool SetField(Field& field, Value value, bool probe = false) {
  const auto wanted = static_cast<Field>(value);
  if (field == wanted) return false;
  if (!probe) field = wanted;
  return true;
}

// Sets a pen field of a page line or shape; `field` picks it from either
// record.
template <typename Field>
bool SetPen(TECElement& e, Field field, int value, bool probe) {
  if (e.Type() == TECElementType::PageObject && e.Kind == ek::PageLine)
    return SetField(field(static_cast<TECPageLine&>(e)), value, probe);
  TECPageShape* shape = Shape(e);
  return shape != nullptr && SetField(field(*shape), value, probe);
}

template <typename Visit>
bool OnText(TECElement& e, Visit visit) {
  if (e.Type() == TECElementType::PageObject && e.Kind == ek::PageText) return visit(static_cast<TECPageText&>(e));
  if (e.Type() == TECElementType::MeasureItem && e.Kind == ek::TextBox) return visit(static_cast<TECTextBox&>(e));
  return false;
}

// Text fields by record: page text and text box keep them differently.
std::uint8_t& SizeOf(TECPageText& t) { return t.FontSize; }
std::uint8_t& SizeOf(TECTextBox& t) { return t.Style[kBoxSize]; }
std::uint8_t& StyleOf(TECPageText& t) { return t.FontStyle; }
std::uint8_t& StyleOf(TECTextBox& t) { return t.Style[kBoxStyle]; }
std::uint8_t& FlagsOf(TECPageText& t) { return t.Flags; }
std::uint8_t& FlagsOf(TECTextBox& t) { return t.Style[kBoxFlags]; }
std::int32_t& ColorOf(TECPageText& t) { return t.Color; }
std::int32_t& ColorOf(TECTextBox& t) { return t.Value32; }

template <typename Text>
void ReadText(Text& t, TECMusicScore::TextProperties& p) {
  p.Lines = t.Lines;
  p.Align = (FlagsOf(t) & kAlignBits) >> 4;
  p.Color = ColorOf(t);
  p.Style = StyleOf(t);
  p.Size = SizeOf(t);
  p.FontName = t.FontName;
}

// Whether the text differs from the values, and unless probing takes them.
template <typename Text>
bool WriteText(Text& t, const TECMusicScore::TextProperties& p, bool probe) {
  bool changed = SetField(SizeOf(t), p.Size, probe);
  changed |= SetField(StyleOf(t), p.Style, probe);
  changed |= SetField(ColorOf(t), p.Color, probe);
  // Only the alignment bits: "on all pages" and the other flags stay.
  changed |= SetField(FlagsOf(t), (FlagsOf(t) & ~kAlignBits) | ((p.Align & 3) << 4), probe);
  if (t.FontName != p.FontName || t.Lines != p.Lines) {
    if (!probe) {
      t.FontName = p.FontName;
      t.Lines = p.Lines;
    }
    changed = true;
  }
  return changed;
}

// Moves each record of `selected` that `list` holds to its end or start.
template <typename List>
bool Reorder(List& list, const std::vector<const void*>& selected, bool front) {
  bool moved = false;
  for (const void* record : selected) {
    const auto at = std::find_if(list.begin(), list.end(), [record](const auto& r) { return r.get() == record; });
    if (at == list.end()) continue;
    const auto target = front ? list.end() - 1 : list.begin();
    if (at == target) continue;
    auto held = std::move(*at);
    list.erase(at);
    if (front)
      list.push_back(std::move(held));
    else
      list.insert(list.begin(), std::move(held));
    moved = true;
  }
  return moved;
}

}  // namespace
}  // namespace nv::editing

using namespace nv::editing;

bool TECMusicScore::SelectionHasKind(int kind, int kind2) const {
  if (kind2 == 0) kind2 = kind;
  bool any = false;
  const auto within = [&](const TECElement& e) { return e.Kind == kind || InRange(e.Kind, kind, kind2); };
  if (InRange(kind, ek::NoteC, ek::NoteB)) {
    if (SelectedStaffRow(*this) == nullptr) return false;
    ForEachSelected(*this, [&](TECElement& e) { any |= e.Type() == TECElementType::Note && within(e); });
    return any;
  }
  if (kind == ek::ChordSymbol || kind == ek::TempoMark || kind == ek::GraceNotes || kind == 120 ||
      kind == ek::Barre || kind == ek::TextBox) {
    if (SelectedStaffRow(*this) != nullptr) {
      ForEachSelected(*this, [&](TECElement& e) { any |= within(e); });
      return any;
    }
    return ClickedElement != nullptr && (within(*ClickedElement) || ClickedElement->Kind == kind2);
  }
  if (kind == ek::PageText || kind == ek::PagePicture) {
    if (TextsSelected(*this)) {
      ForEachSelected(*this, [&](TECElement& e) { any |= within(e); });
      return any;
    }
    return ClickedElement != nullptr && ClickedElement->Type() == TECElementType::PageObject &&
           ClickedElement->Kind == kind;
  }
  return false;
}

bool TECMusicScore::SelectionIsChord() const {
  if (SelectedStaffRow(*this) == nullptr) return false;
  int count = 0;
  int mark = -1;
  int measure = -1;
  bool same = true;
  for (const TECSelected& entry : Selection)
    for (const TECElement* element : entry.Elements) {
      if (element->Type() != TECElementType::Note) continue;
      const auto& note = static_cast<const TECNote&>(*element);
      if (mark < 0) {
        mark = note.ChordMark;
        measure = entry.Measure;
      }
      same = same && note.ChordMark >= 1 && note.ChordMark == mark && entry.Measure == measure;
      ++count;
    }
  return count > 2 && same;
}

bool TECMusicScore::SelectionHasPageObject() const {
  bool any = false;
  ForEachSelected(*this, [&](TECElement& e) {
    any |= e.Type() == TECElementType::PageObject && InRange(e.Kind, ek::PageText, ek::PageEllipse);
  });
  return any;
}

bool TECMusicScore::GetSelectedText(int kind, TextProperties& properties) const {
  const std::vector<TECElement*> targets = TextTargets(*this, kind);
  if (targets.empty()) return false;
  if (targets.size() > 1) {
    // Several texts: the dialog opens empty.
    properties = TextProperties{};
    return true;
  }
  OnText(*targets.front(), [&](auto& text) {
    ReadText(text, properties);
    return true;
  });
  return true;
}

void TECMusicScore::SetSelectedText(int kind, const TextProperties& properties) {
  SetOnTargets(*this, TextTargets(*this, kind), [&](TECElement& target, bool probe) {
    return OnText(target, [&](auto& text) { return WriteText(text, properties, probe); });
  });
}

namespace nv::editing {
namespace {

bool IsChordSymbol(const TECElement& e) { return e.Type() == TECElementType::MeasureItem && e.Kind == ek::ChordSymbol; }

// Sets a text's name; the chord symbol keeps its face in its text.
bool SetName(std::string& field, const std::string& name, bool apply) {
  if (field == name) return false;
  if (apply) field = name;
  return true;
}

// The change a look makes to an element; a chord symbol that keeps the
// value elsewhere is only redrawn on `score`.
Change LookChange(TECMusicScore& score, Look look, int value) {
  switch (look) {
    case Look::TextColor:
      return [value](TECElement& e, bool apply) {
        if (IsChordSymbol(e)) return SetField(static_cast<TECChordSymbol&>(e).Value, static_cast<std::uint32_t>(value), !apply);
        return OnText(e, [&](auto& text) { return SetField(ColorOf(text), value, !apply); });
      };
    case Look::BrushColor:
      return [value](TECElement& e, bool apply) {
        TECPageShape* shape = Shape(e);
        return shape != nullptr && e.Kind <= ek::PageEllipse && SetField(shape->BrushColor, value, !apply);
      };
    case Look::BrushStyle:
      return [value](TECElement& e, bool apply) {
        TECPageShape* shape = Shape(e);
        return shape != nullptr && e.Kind <= ek::PageEllipse && SetField(shape->BrushStyle, value, !apply);
      };
    case Look::LineColor:
      return [value](TECElement& e, bool apply) {
        return SetPen(e, [](auto& pen) -> auto& { return pen.PenColor; }, value, !apply);
      };
    case Look::LineWidth:
      return [value](TECElement& e, bool apply) {
        return SetPen(e, [](auto& pen) -> auto& { return pen.PenWidth; }, value, !apply);
      };
    case Look::LineStyle:
      return [value](TECElement& e, bool apply) {
        return SetPen(e, [](auto& pen) -> auto& { return pen.PenStyle; }, value, !apply);
      };
    // A chord symbol keeps its size and style in its pieces: these two only
    // redraw it (when they are asked whether they change it, which comes first).
    case Look::FontSize:
      return [&score, value](TECElement& e, bool apply) {
        if (!apply && IsChordSymbol(e)) InvalidateBox(score, e);
        return OnText(e, [&](auto& t) { return SetField(SizeOf(t), value, !apply); });
      };
    case Look::FontStyle:
      return [&score, value](TECElement& e, bool apply) {
        if (!apply && IsChordSymbol(e)) InvalidateBox(score, e);
        return OnText(e, [&](auto& t) { return SetField(StyleOf(t), value, !apply); });
      };
    case Look::PointStyle:
      return [value](TECElement& e, bool apply) {
        return e.Type() == TECElementType::PageObject && e.Kind == ek::PageLine &&
               SetField(static_cast<TECPageLine&>(e).EndShapes, value, !apply);
      };
    case Look::Rotation:
      return [value](TECElement& e, bool apply) {
        return e.Type() == TECElementType::PageObject && e.Kind == ek::PageText &&
               SetField(static_cast<TECPageText&>(e).Rotation, value, !apply);
      };
    case Look::TextAlign:
      return [value](TECElement& e, bool apply) {
        return OnText(e, [&](auto& t) {
          return SetField(FlagsOf(t), (FlagsOf(t) & ~kAlignBits) | ((value & 3) << 4), !apply);
        });
      };
    case Look::OnePage:
      return [value](TECElement& e, bool apply) {
        if (e.Type() != TECElementType::PageObject) return false;
        auto& object = static_cast<TECPageObject&>(e);
        const std::uint8_t flags = value != 0 ? object.Flags & ~TECPageObject::OnEveryPage
                                              : object.Flags | TECPageObject::OnEveryPage;
        return SetField(object.Flags, flags, !apply);
      };
  }
  return [](TECElement&, bool) { return false; };
}

Change FontNameChange(const std::string& name) {
  return [name](TECElement& e, bool apply) {
    if (IsChordSymbol(e)) return SetName(static_cast<TECChordSymbol&>(e).Text, name, apply);
    return OnText(e, [&](auto& text) { return SetName(text.FontName, name, apply); });
  };
}

// A stand-in for a record of a list, to try a new order on.
struct Handle {
  const void* record;
  const void* get() const { return record; }
};

template <typename List>
bool WouldReorder(const List& list, const std::vector<const void*>& selected, bool front) {
  std::vector<Handle> handles;
  for (const auto& record : list) handles.push_back({record.get()});
  return Reorder(handles, selected, front);
}

// Reorders the selection; with `edit`, the records whose order changes are
// saved first (every page object of the texts row, whose undo entries name
// them by their place). True when anything moved.
bool ReorderSelection(TECMusicScore& score, bool front, EditTransaction* edit) {
  TECInstrument* instrument = score.CurrentInstrument();
  if (instrument == nullptr || score.SelectedRow == nullptr || !EditsAllowed(score)) return false;
  std::vector<const void*> selected;
  ForEachSelected(score, [&](TECElement& e) { selected.push_back(&e); });
  bool moved = false;
  if (score.SelectedRow == &instrument->TextsRow()) {
    auto& objects = instrument->TextsRow().Objects;
    if (!WouldReorder(objects, selected, front)) return false;
    if (edit != nullptr)
      for (const auto& object : objects)
        if (!edit->SavePageObject(*object)) return false;
    moved = Reorder(objects, selected, front);
  } else if (score.SelectedRow == &instrument->SymbolsRow()) {
    for (const TECSelected& entry : score.Selection) {
      TECSymbolEntry* symbols = instrument->SymbolsRow().At(entry.Measure);
      if (symbols == nullptr || !WouldReorder(symbols->Items, selected, front)) continue;
      if (edit != nullptr && !edit->SaveSymbolEntry(*symbols)) continue;
      moved |= Reorder(symbols->Items, selected, front);
    }
  } else if (TECRow* row = SelectedStaffRow(score)) {
    std::vector<const void*> items;
    ForEachSelected(score, [&](TECElement& e) {
      if (e.Type() == TECElementType::MeasureItem && (e.Kind == ek::ChordSymbol || e.Kind >= 139)) items.push_back(&e);
    });
    for (const TECSelected& entry : score.Selection) {
      TECMeasure* measure = row->GetMeasure(entry.Measure);
      if (measure == nullptr || !WouldReorder(measure->Items, items, front)) continue;
      if (edit != nullptr && !edit->SaveMeasure(*measure)) continue;
      moved |= Reorder(measure->Items, items, front);
    }
  }
  if (moved && edit != nullptr) edit->Touch();
  return moved;
}

// Runs a formatting change as one undo step.
bool FormatStep(TECMusicScore& score, const Change& change) {
  EditTransaction edit(score, undo_kind::Format);
  if (!edit.Allowed()) return false;
  // The look of the objects changes nothing the layout places.
  edit.SkipLayout();
  Format(score, false, change, &edit);
  return edit.Finish();
}

}  // namespace

bool ChangeSelectedLook(TECMusicScore& score, Look look, int value) {
  return FormatStep(score, LookChange(score, look, value));
}

bool ChangeSelectedFontName(TECMusicScore& score, const std::string& name) {
  return FormatStep(score, FontNameChange(name));
}

bool ReorderSelectedObjectsStep(TECMusicScore& score, bool front) {
  EditTransaction edit(score, undo_kind::Format);
  edit.SkipLayout();
  ReorderSelection(score, front, &edit);
  return edit.Finish();
}

}  // namespace nv::editing

void TECMusicScore::SetSelectedTextColor(std::int32_t color) { Format(*this, false, LookChange(*this, Look::TextColor, color)); }
void TECMusicScore::SetSelectedBrushColor(std::int32_t color) { Format(*this, false, LookChange(*this, Look::BrushColor, color)); }
void TECMusicScore::SetSelectedLineColor(std::int32_t color) { Format(*this, false, LookChange(*this, Look::LineColor, color)); }
void TECMusicScore::SetSelectedFontName(const std::string& name) { Format(*this, true, FontNameChange(name)); }
void TECMusicScore::SetSelectedFontSize(int size) { Format(*this, true, LookChange(*this, Look::FontSize, size)); }
void TECMusicScore::SetSelectedFontStyle(int style) { Format(*this, false, LookChange(*this, Look::FontStyle, style)); }
void TECMusicScore::SetSelectedBrushStyle(int style) { Format(*this, false, LookChange(*this, Look::BrushStyle, style)); }
void TECMusicScore::SetSelectedLineWidth(int width) { Format(*this, false, LookChange(*this, Look::LineWidth, width)); }
void TECMusicScore::SetSelectedLineStyle(int style) { Format(*this, false, LookChange(*this, Look::LineStyle, style)); }
void TECMusicScore::SetSelectedTextAlign(int align) { Format(*this, false, LookChange(*this, Look::TextAlign, align)); }
void TECMusicScore::SetSelectedRotation(int rotation) { Format(*this, true, LookChange(*this, Look::Rotation, rotation)); }
void TECMusicScore::SetSelectedPointStyle(int style) { Format(*this, false, LookChange(*this, Look::PointStyle, style)); }

void TECMusicScore::SetSelectedObjectsPage(bool onePage) {
  if (!TextsSelected(*this)) return;
  Format(*this, false, LookChange(*this, Look::OnePage, onePage ? 1 : 0));
}

void TECMusicScore::ReorderSelectedObjects(bool front) {
  const TECInstrument* instrument = CurrentInstrument();
  const bool pageObjects = instrument != nullptr && SelectedRow == &instrument->TextsRow();
  if (!ReorderSelection(*this, front, nullptr)) return;
  // Undo steps name page objects by their index: after a new order they
  // would restore over the wrong object, so both lists are emptied.
  // Measures and symbols-row entries are saved whole: their steps stay good.
  if (pageObjects) ClearUndoLists();
  InvalidateScore();
  DoChanged();
}

namespace {

bool SymbolsSelected(const TECMusicScore& score) {
  const TECInstrument* instrument = score.CurrentInstrument();
  return instrument != nullptr && score.SelectedRow == &instrument->SymbolsRow();
}

// The selected tempo marks of a symbols-row selection, else ClickedElement
// when it is one.
std::vector<TECSymbolItem*> TempoTargets(const TECMusicScore& score) {
  std::vector<TECSymbolItem*> found;
  for (TECElement* e : DialogTargets(score, SymbolsSelected(score), TECElementType::SymbolItem, ek::TempoMark))
    found.push_back(static_cast<TECSymbolItem*>(e));
  return found;
}

constexpr std::size_t kTempoKindByte = 3;
constexpr std::size_t kNoteInstrumentByte = 3;

}  // namespace

bool TECMusicScore::GetSelectedNoteInstrument(int& value) const {
  if (SelectedStaffRow(*this) == nullptr) return false;
  for (const TECSelected& entry : Selection)
    for (const TECElement* element : entry.Elements)
      if (element->Type() == TECElementType::Note) {
        value = static_cast<const TECNote&>(*element).Extra[kNoteInstrumentByte];
        return true;
      }
  return false;
}

void TECMusicScore::SetSelectedNoteInstrument(int value) {
  if (SelectedStaffRow(*this) == nullptr) return;
  std::vector<TECElement*> notes;
  ForEachSelected(*this, [&](TECElement& e) {
    if (e.Type() == TECElementType::Note) notes.push_back(&e);
  });
  SetOnTargets(*this, notes, [value](TECElement& note, bool probe) {
    return SetField(static_cast<TECNote&>(note).Extra[kNoteInstrumentByte], value, probe);
  });
}

bool TECMusicScore::GetSelectedTempo(int& kind, int& tempo) const {
  const std::vector<TECSymbolItem*> targets = TempoTargets(*this);
  if (targets.empty()) return false;
  kind = targets.front()->Byte(kTempoKindByte);
  tempo = targets.front()->Tempo();
  return true;
}

void TECMusicScore::SetSelectedTempo(int kind, int tempo) {
  const std::vector<TECSymbolItem*> marks = TempoTargets(*this);
  SetOnTargets(*this, std::vector<TECElement*>(marks.begin(), marks.end()), [&](TECElement& element, bool probe) {
    auto& item = static_cast<TECSymbolItem&>(element);
    if (item.Byte(kTempoKindByte) == kind && item.Tempo() == tempo) return false;
    if (!probe) {
      item.SetByte(kTempoKindByte, static_cast<std::uint8_t>(kind));
      item.SetTempo(static_cast<std::uint16_t>(tempo));
    }
    return true;
  });
}

void TECMusicScore::SelectAllTexts() {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr) return;
  // Clearing and selecting anew are one change.
  SelectionBatchScope batch(*this);
  ClearSelection();
  if (instrument->TextsRow().Count() == 0) return;
  TECSelected entry;
  entry.Measure = 0;
  for (const auto& object : instrument->TextsRow().Objects) {
    entry.Elements.push_back(object.get());
    InvalidateBox(*this, *object);
  }
  SelectedRow = &instrument->TextsRow();
  Selection.push_back(std::move(entry));
  NotifySelectedChanged();
}

void TECMusicScore::SelectActiveRow() {
  TECRow* row = CurrentRow();
  if (row == nullptr) return;
  SelectionBatchScope batch(*this);
  ClearSelection();
  for (int m = 0; m < row->MeasureCount(); ++m) {
    const TECMeasure& measure = *row->GetMeasure(m);
    TECSelected entry{m, {}};
    for (const auto& note : measure.Notes) entry.Elements.push_back(note.get());
    // Items that cannot be selected one by one are left out here too.
    for (const auto& item : measure.Items)
      if (PlaceOf(*this, *item)) entry.Elements.push_back(item.get());
    if (entry.Elements.empty()) continue;
    for (const TECElement* element : entry.Elements) InvalidateBox(*this, *element);
    Selection.push_back(std::move(entry));
  }
  if (!Selection.empty()) SelectedRow = row;
  NotifySelectedChanged();
}

void TECMusicScore::SelectAllChords() {
  TECInstrument* instrument = CurrentInstrument();
  if (instrument == nullptr) return;
  SelectionBatchScope batch(*this);
  ClearSelection();
  TECSymbolsRow& symbols = instrument->SymbolsRow();
  for (int m = 0; m < symbols.Count(); ++m) {
    TECSelected entry{m, {}};
    for (const auto& item : symbols.At(m)->Items) {
      entry.Elements.push_back(item.get());
      InvalidateBox(*this, *item);
    }
    if (!entry.Elements.empty()) Selection.push_back(std::move(entry));
  }
  if (!Selection.empty()) SelectedRow = &symbols;
  NotifySelectedChanged();
}

namespace {

bool SamePieces(const std::vector<TECChordPiece>& a, const std::vector<TECChordPiece>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TECChordPiece& x, const TECChordPiece& y) {
    return x.Format == y.Format && x.Text == y.Text;
  });
}

std::vector<TECElement*> ChordTargets(const TECMusicScore& score) {
  return DialogTargets(score, SelectedStaffRow(score) != nullptr, TECElementType::MeasureItem, ek::ChordSymbol);
}

// Barres hang in the measures of a row, so a row selection holds them.
std::vector<TECElement*> BarreTargets(const TECMusicScore& score) {
  return DialogTargets(score, SelectedStaffRow(score) != nullptr, TECElementType::MeasureItem, ek::Barre);
}

std::vector<TECElement*> PictureTargets(const TECMusicScore& score) {
  return DialogTargets(score, TextsSelected(score), TECElementType::PageObject, ek::PagePicture);
}

// The barre's bytes as its painter reads them: the style byte (amount,
// type and end tick) and the position shown in Roman numerals.
constexpr std::size_t kBarreExtent = 1;
constexpr std::size_t kBarreFret = 2;

}  // namespace

bool TECMusicScore::GetSelectedChord(std::vector<TECChordPiece>& pieces) const {
  const std::vector<TECElement*> targets = ChordTargets(*this);
  if (targets.empty()) return false;
  const auto& chord = static_cast<const TECChordSymbol&>(*targets.front());
  pieces.insert(pieces.end(), chord.Pieces.begin(), chord.Pieces.end());
  return true;
}

void TECMusicScore::SetSelectedChord(const std::vector<TECChordPiece>& pieces) {
  SetOnTargets(*this, ChordTargets(*this), [&](TECElement& target, bool probe) {
    auto& chord = static_cast<TECChordSymbol&>(target);
    if (SamePieces(chord.Pieces, pieces)) return false;
    if (!probe) chord.Pieces = pieces;
    return true;
  });
}

void TECMusicScore::SetSelectedBarre(int fret, int extent) {
  SetOnTargets(*this, BarreTargets(*this), [&](TECElement& target, bool probe) {
    auto& barre = static_cast<TECMeasureItem&>(target);
    bool any = SetField(barre.Params[kBarreFret], fret, probe);
    any |= SetField(barre.Params[kBarreExtent], extent, probe);
    return any;
  });
}

bool TECMusicScore::GetSelectedImage(TECPicture& picture, int& width, bool& stretch, bool& naturalSize,
                                     int& height) const {
  const std::vector<TECElement*> targets = PictureTargets(*this);
  if (targets.empty()) return false;
  for (const TECElement* target : targets) {
    const auto& object = static_cast<const TECPagePicture&>(*target);
    width = object.Width;
    height = object.Height;
    stretch = (object.Flags & TECPagePicture::Stretched) != 0;
    naturalSize = (object.Flags & TECPagePicture::NaturalSize) != 0;
  }
  // One picture shows its image; several show none.
  const auto& first = static_cast<const TECPagePicture&>(*targets.front());
  picture = targets.size() == 1 && first.Picture ? *first.Picture : TECPicture{};
  return true;
}

void TECMusicScore::SetSelectedImage(const TECPicture& picture, int width, bool stretch, bool naturalSize,
                                     int height) {
  constexpr std::uint8_t kDialogBits = TECPagePicture::Stretched | TECPagePicture::NaturalSize;
  const std::uint8_t bits = (stretch ? TECPagePicture::Stretched : 0) | (naturalSize ? TECPagePicture::NaturalSize : 0);
  const bool graphic = !picture.Data.empty();
  SetOnTargets(*this, PictureTargets(*this), [&](TECElement& target, bool probe) {
    auto& object = static_cast<TECPagePicture&>(target);
    bool any = SetField(object.Width, width, probe);
    any |= SetField(object.Height, height, probe);
    any |= SetField(object.Flags, (object.Flags & ~kDialogBits) | bits, probe);
    if (graphic && (!object.Picture || object.Picture->Type != picture.Type || object.Picture->Data != picture.Data)) {
      if (!probe) object.Picture = picture;
      any = true;
    }
    return any;
  });
}
