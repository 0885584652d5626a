// Effects put on a clicked note or rest (dots, accidentals, articulations,
// tremolos, note options) and the grace-note groups of a note.
#include <algorithm>
#include <vector>

#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "model/measure.h"
#include "model/play_preparation.h"
#include "model/row.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

bool InRange(int code, int low, int high) { return code >= low && code <= high; }
// The effects a note or rest takes: the attributes a score file keeps on a
// note (dots, accidentals, articulations, tremolos, glissandi and falls) and
// the note options 121, 122, 123 and 129. Grace notes (120) and links have
// commands of their own.
bool IsEffectCode(int code) { return InRange(code, ek::Dot, 129) && code != ek::GraceNotes; }
bool IsDot(int code) { return code == ek::Dot || code == ek::DoubleDot; }
using ek::IsTremolo;

// Codes that take each other's place on a note: the two dots, the
// articulations from the up to the down arrow, the glissandi and falls, the
// tremolos.
bool ReplaceEachOther(int a, int b) {
  return (IsDot(a) && IsDot(b)) || (InRange(a, ek::ArrowUp, ek::ArrowDown) && InRange(b, ek::ArrowUp, ek::ArrowDown)) ||
         (InRange(a, ek::GlissandoUp, ek::Lift) && InRange(b, ek::GlissandoUp, ek::Lift)) ||
         (IsTremolo(a) && IsTremolo(b));
}

// The length a value takes with one or two dots.
int DottedTicks(int value, int code) { return code == ek::Dot ? value + value / 2 : value + value / 2 + value / 4; }

// True when the dot fits the measure: the value allows it, the dotted end
// lies inside the measure and the added ticks are free of the voice's
// other notes. The map spans the measure's real length.
bool DotFits(const TECMeasure& measure, int measureLength, int voice, int value, int start, int length, int added,
             int code, const TECNote* self) {
  if (code == ek::Dot ? value <= 1 : value < 4) return false;
  if (start + DottedTicks(value, code) > measureLength) return false;
  std::vector<std::uint8_t> used(static_cast<std::size_t>(std::max(measureLength, 0)), 0);
  for (const auto& note : measure.Notes) {
    if (note.get() == self || note->Voice != voice) continue;
    for (int t = note->Start; t < note->Start + note->Length && t < measureLength; ++t)
      if (t >= 0) used[static_cast<std::size_t>(t)] = 1;
  }
  for (int t = start + length; t < start + length + added && t < measureLength; ++t)
    if (t >= 0 && used[static_cast<std::size_t>(t)]) return false;
  return true;
}

std::unique_ptr<TECNoteAttribute> NewAttribute(int code, int a, int b, TECElement* owner) {
  auto attribute = MakeNoteAttribute(static_cast<std::uint8_t>(code), owner);
  attribute->Data[0] = static_cast<std::uint8_t>(a);
  attribute->Data[1] = static_cast<std::uint8_t>(b);
  return attribute;
}

// Puts the dot `code` on a note or rest's attribute list: an existing dot
// of the other kind turns into it. False when the dot is there already.
template <typename Record>
bool PutDot(Record& record, int code, int a) {
  for (auto& attribute : record.Attributes) {
    if (attribute->Kind == code) return false;
    if (IsDot(attribute->Kind)) {
      attribute->Kind = static_cast<std::uint8_t>(code);
      attribute->Data[0] = static_cast<std::uint8_t>(a);
      return true;
    }
  }
  record.Attributes.push_back(NewAttribute(code, a, 0, &record));
  return true;
}

void DotRest(EditTransaction& edit, TECRest& rest, int code, int a) {
  TECMeasure& measure = *rest.Owner;
  const int length = edit.Score().GetMeasureLength(measure.Index);
  const int added = code == ek::Dot ? rest.Value / 2 : rest.Value / 2 + rest.Value / 4;
  if (!DotFits(measure, length, rest.Voice, rest.Value, rest.Start, rest.Length, added, code, nullptr)) return;
  if (std::any_of(rest.Attributes.begin(), rest.Attributes.end(), [code](const auto& at) { return at->Kind == code; }))
    return;
  edit.SaveMeasure(measure);
  PutDot(rest, code, a);
  rest.Length = static_cast<std::uint16_t>(DottedTicks(rest.Value, code));
  edit.Touch();
  edit.RebuildBeams(measure);
}

// A dot's length on a note: inside a tuplet from its share, else from its value.
int NoteDottedLength(const TECNote& note, int code) {
  if (note.InTuplet() && code == ek::Dot) return note.Length + note.Length / 2;
  return DottedTicks(note.Value, code);
}

void AttributeOnNote(EditTransaction& edit, TECNote& note, int code, int a, int b) {
  TECMusicScore& score = edit.Score();
  TECMeasure& measure = *note.Owner;
  if (IsDot(code)) {
    const int added = code == ek::DoubleDot ? note.Value / 2 + note.Value / 4
                                            : (note.InTuplet() ? note.Length / 2 : note.Value / 2);
    if (!DotFits(measure, score.GetMeasureLength(measure.Index), note.Voice, note.Value, note.Start, note.Length,
                 added, code, &note))
      return;
  }
  for (auto it = note.Attributes.rbegin(); it != note.Attributes.rend(); ++it) {
    TECNoteAttribute& attribute = **it;
    if (attribute.Kind == code && attribute.Data[0] == a && attribute.Data[1] == b) return;
    if (!ReplaceEachOther(attribute.Kind, code) || attribute.Kind == code) continue;
    edit.SaveMeasure(measure);
    attribute.Kind = static_cast<std::uint8_t>(code);
    attribute.Data[0] = static_cast<std::uint8_t>(a);
    if (IsDot(code)) {
      note.Length = static_cast<std::uint16_t>(NoteDottedLength(note, code));
      edit.RebuildBeams(measure);
    }
    if (IsTremolo(code) && score.AutoEffect) ExpandNoteForPlay(score, note);
    edit.Touch();
    return;
  }
  edit.SaveMeasure(measure);
  auto attribute = NewAttribute(code, a, b, &note);
  if (code == ek::Natural)
    note.Attributes.insert(note.Attributes.begin(), std::move(attribute));
  else
    note.Attributes.push_back(std::move(attribute));
  if (IsDot(code)) {
    note.Length = static_cast<std::uint16_t>(NoteDottedLength(note, code));
    // The chord's other notes take the same dot.
    if (note.ChordMark != 0)
      for (const auto& other : measure.Notes)
        if (other.get() != &note && other->ChordMark == note.ChordMark) {
          PutDot(*other, code, a);
          other->Length = static_cast<std::uint16_t>(NoteDottedLength(*other, code));
        }
    edit.RebuildBeams(measure);
  }
  if (IsTremolo(code) && score.AutoEffect) ExpandNoteForPlay(score, note);
  edit.Touch();
}

void EffectOnNote(EditTransaction& edit, TECNote& note, int code, int a, int b) {
  TECMeasure& measure = *note.Owner;
  switch (code) {
    case 121:
      edit.SaveMeasure(measure);
      note.Extra[4] = note.Extra[4] != 0 ? 0 : static_cast<std::uint8_t>(a);
      break;
    case 129:
      edit.SaveMeasure(measure);
      if ((note.Options & 0x03) == (b & 0x03))
        note.Options &= static_cast<std::uint8_t>(~0x07);
      else
        note.Options = static_cast<std::uint8_t>((note.Options & ~0x07) | (b & 0x07));
      edit.SkipLayout();
      break;
    case 122:
      edit.SaveMeasure(measure);
      note.Options ^= 0x10;
      if (note.Options & 0x10) note.Options &= static_cast<std::uint8_t>(~0x20);
      note.Extra[2] = static_cast<std::uint8_t>(b);
      edit.SkipLayout();
      break;
    case 123:
      if (note.ChordMark != 0) return;
      edit.SaveMeasure(measure);
      note.Options = static_cast<std::uint8_t>((note.Options ^ 0x20) & ~0x10);
      edit.SkipLayout();
      break;
    default: AttributeOnNote(edit, note, code, a, b); return;
  }
  edit.Touch();
}

}  // namespace
}  // namespace nv::editing

void TECMusicScore::AddNoteEffect(TECElement* element, int code, int a, int b) {
  if (element == nullptr) return;
  if (code < 100) code += 100;
  if (!nv::editing::IsEffectCode(code)) return;
  nv::editing::EditTransaction edit(*this, undo_kind::Effect);
  if (!edit.Allowed()) return;
  if (element->Type() == TECElementType::Rest) {
    auto& rest = static_cast<TECRest&>(*element);
    if (rest.Owner != nullptr && nv::editing::IsDot(code)) nv::editing::DotRest(edit, rest, code, a);
  } else if (nv::editing::IsNote(*element)) {
    auto& note = static_cast<TECNote&>(*element);
    if (note.Owner != nullptr) nv::editing::EffectOnNote(edit, note, code, a, b);
  }
}

void TECMusicScore::SetGraceNotes(TECNote* note, std::uint8_t style, int count,
                                  const std::vector<GraceEntry>& entries, std::uint8_t value) {
  if (note == nullptr || note->Owner == nullptr) return;
  nv::editing::EditTransaction edit(*this, undo_kind::Effect);
  if (!edit.Allowed()) return;
  // A group holds at most 64 grace notes; 0 only takes the old groups away.
  count = std::clamp(count, 0, std::min<int>(64, static_cast<int>(entries.size())));
  edit.SaveMeasure(*note->Owner);
  if (ClickedElement != nullptr &&
      (ClickedElement->Type() == TECElementType::GraceNote || ClickedElement->Kind == ek::GraceNotes))
    ClickedElement = nullptr;
  erase_if(note->Attributes, [](const auto& attribute) { return attribute->Kind == ek::GraceNotes; });
  if (count > 0) {
    auto group = std::make_unique<TECGraceGroup>(note);
    group->Data[0] = style;
    group->Data[1] = value;
    for (int i = 0; i < count; ++i) {
      const GraceEntry& entry = entries[static_cast<std::size_t>(i)];
      auto grace = std::make_unique<TECGraceNote>(group.get());
      grace->Step = entry.Step;
      grace->Octave = entry.Octave;
      const int accidental = entry.Accidental;
      if (accidental == ek::Flat || accidental == ek::Sharp || accidental == ek::Natural ||
          accidental == ek::NaturalFlat || accidental == ek::NaturalSharp)
        grace->Attributes.push_back(MakeNoteAttribute(entry.Accidental, grace.get()));
      group->Notes.push_back(std::move(grace));
    }
    note->Attributes.push_back(std::move(group));
  }
  if (AutoEffect) ExpandNoteForPlay(*this, *note);
  edit.Touch();
}

TECGraceGroup* TECMusicScore::GetGraceNotesOfClicked() const {
  TECElement* element = ClickedElement;
  if (element == nullptr) return nullptr;
  if (element->Type() == TECElementType::GraceNote) return static_cast<TECGraceNote*>(element)->Group;
  if (element->Type() == TECElementType::Attribute && element->Kind == ek::GraceNotes)
    return static_cast<TECGraceGroup*>(element);
  return nullptr;
}
