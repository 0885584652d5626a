// Vertical moves and transposition of the selected elements (or the notes
// at the cursor): MoveSelectionVert and MoveSelectionByPitch.
#include <algorithm>
#include <optional>

#include "editing/command_targets.h"
#include "editing/edit_transaction.h"
#include "editing/offset_bytes.h"
#include "editing/page_symbol_commands.h"
#include "model/measure.h"
#include "model/play_preparation.h"
#include "model/row.h"
#include "model/step_pitch.h"
#include "model/undo_step.h"

namespace nv::editing {
namespace {

// Diatonic numbers of A0 and C8: notes stay within the keyboard.
constexpr int kLowestNote = 6;
constexpr int kHighestNote = 57;

// Step 1..7 and stored octave byte moved by delta staff steps; none when the
// result leaves [lowest, highest] of the numbering d = step + 7 x (octave - 1).
std::optional<std::pair<int, int>> MovedStep(int step, int octave, int delta, int lowest, int highest) {
  const int d = step + 7 * (octave - 1) + delta;
  if (d < lowest || d > highest) return std::nullopt;
  const int newOctave = (d - 1) / 7 + 1;
  return std::pair{d - 7 * (newOctave - 1), newOctave};
}

// Anchors of rests and items stay on steps 1..7 of octaves 0..9.
constexpr int kLowestAnchor = 1 - 7;
constexpr int kHighestAnchor = 7 + 7 * 8;

// Signed-offset limits of the vertical move by element.
struct OffsetLimit {
  int low;
  int high;
};
constexpr OffsetLimit kChordSymbolLimit{-99, 99};
constexpr OffsetLimit kTupletLimit{-19, 29};
constexpr OffsetLimit kAttributeLimit{-49, 49};

bool ShiftOffset(std::uint8_t& byte, int delta, OffsetLimit limit) {
  const int v = FromOnesComplement(byte) + delta;
  if (v < limit.low || v > limit.high) return false;
  byte = OnesComplement(v);
  return true;
}

ek::KindOffset OffsetOf(ek::KindHolder holder, std::uint8_t kind) {
  const ek::KindTraits* traits = ek::TraitsOf(holder, kind);
  return traits != nullptr ? traits->Offset : ek::KindOffset::None;
}

// An attribute's vertical offset is its second data byte (as the painters
// read it).
std::uint8_t& AttributeOffset(TECNoteAttribute& attribute) { return attribute.Data[1]; }

class VerticalMove {
 public:
  VerticalMove(TECMusicScore& score, EditTransaction& edit, int delta) : score_(score), edit_(edit), delta_(delta) {}

  void Entry(TECMeasure& measure, const std::vector<TECElement*>& elements) {
    bool notes = false;
    for (TECElement* element : elements) {
      const bool changed = Element(measure, *element);
      if (changed) edit_.Touch();
      notes |= changed && element->Type() == TECElementType::Note;
    }
    if (notes) edit_.RebuildBeams(measure);
  }

 private:
  bool Element(TECMeasure& measure, TECElement& element) {
    switch (element.Type()) {
      case TECElementType::Note: return Note(measure, static_cast<TECNote&>(element));
      case TECElementType::Rest: {
        auto& rest = static_cast<TECRest&>(element);
        return Anchor(measure, rest.Step, rest.Octave);
      }
      case TECElementType::MeasureItem: return Item(measure, static_cast<TECMeasureItem&>(element));
      case TECElementType::Attribute: return Attribute(measure, static_cast<TECNoteAttribute&>(element));
      default: return false;
    }
  }

  bool Note(TECMeasure& measure, TECNote& note) {
    if (!ek::IsNoteStep(note.Kind)) return false;
    const auto moved = MovedStep(ek::NoteStep(note.Kind), note.Octave, delta_, kLowestNote, kHighestNote);
    if (!moved || !edit_.SaveMeasure(measure)) return false;
    note.Kind = ek::NoteKindOfStep(moved->first);
    note.Octave = static_cast<std::uint8_t>(moved->second);
    measure.Owner->SortChordNote(&note);
    if (score_.AutoEffect) ExpandNoteForPlay(score_, note);
    return true;
  }

  // A rest's or item's step (1..7) and octave byte; a rest still at the
  // staff's middle (step 0) has no anchor to move.
  bool Anchor(TECMeasure& measure, std::uint8_t& step, std::uint8_t& octave) {
    if (step < 1 || step > 7) return false;
    const auto moved = MovedStep(step, octave, delta_, kLowestAnchor, kHighestAnchor);
    if (!moved || !edit_.SaveMeasure(measure)) return false;
    step = static_cast<std::uint8_t>(moved->first);
    octave = static_cast<std::uint8_t>(moved->second);
    return true;
  }

  bool Item(TECMeasure& measure, TECMeasureItem& item) {
    const std::uint8_t kind = item.Kind;
    // A kind of no known family keeps an anchor from the glissando glyph on.
    const ek::KindOffset offset =
        ek::TraitsOf(ek::KindHolder::Items, kind) != nullptr ? OffsetOf(ek::KindHolder::Items, kind)
        : kind >= ek::AnchoredItemFirst && !ek::IsLink(kind) ? ek::KindOffset::Anchor
                                                              : ek::KindOffset::None;
    switch (offset) {
      case ek::KindOffset::VoiceByte: return Offset(measure, item.Voice, delta_, kChordSymbolLimit);
      case ek::KindOffset::TupletShift:
        return Offset(measure, static_cast<TECTuplet&>(item).Shift, delta_, kTupletLimit);
      case ek::KindOffset::Anchor: return Anchor(measure, item.Voice, item.Params[0]);
      default: return false;
    }
  }

  bool Attribute(TECMeasure& measure, TECNoteAttribute& attribute) {
    if (ek::IsLink(attribute.Kind)) {
      auto& link = static_cast<TECLinkAttribute&>(attribute);
      TECNote* holder = link.OwnerNote();
      if (holder == nullptr || holder->Owner == nullptr) return false;
      return Offset(*holder->Owner, link.HitPart == 2 ? link.EndOffset : link.StartOffset, -delta_, kAttributeLimit);
    }
    if (attribute.Kind == ek::GraceNotes) return GraceNotes(measure, static_cast<TECGraceGroup&>(attribute));
    if (OffsetOf(ek::KindHolder::Attributes, attribute.Kind) != ek::KindOffset::SecondDataByte) return false;
    return Offset(measure, AttributeOffset(attribute), -delta_, kAttributeLimit);
  }

  // The group's grace notes move together, each within the keyboard.
  bool GraceNotes(TECMeasure& measure, TECGraceGroup& group) {
    std::vector<std::pair<int, int>> moved;
    for (const auto& grace : group.Notes) {
      const auto to = MovedStep(grace->Step, grace->Octave, delta_, kLowestNote, kHighestNote);
      if (!to) return false;
      moved.push_back(*to);
    }
    if (moved.empty() || !edit_.SaveMeasure(measure)) return false;
    for (std::size_t i = 0; i < moved.size(); ++i) {
      group.Notes[i]->Step = static_cast<std::uint8_t>(moved[i].first);
      group.Notes[i]->Octave = static_cast<std::uint8_t>(moved[i].second);
    }
    return true;
  }

  bool Offset(TECMeasure& measure, std::uint8_t& byte, int delta, OffsetLimit limit) {
    std::uint8_t probe = byte;
    if (!ShiftOffset(probe, delta, limit) || !edit_.SaveMeasure(measure)) return false;
    byte = probe;
    return true;
  }

  TECMusicScore& score_;
  EditTransaction& edit_;
  int delta_;
};

// The alteration each accidental code writes: it holds for its step and
// octave whatever the key signature says.
struct AccidentalSign {
  std::uint8_t code;
  int alteration;
};
constexpr AccidentalSign kAccidentalSigns[] = {
    {ek::Flat, -1},    {ek::DoubleFlat, -2},  {ek::Sharp, 1},        {ek::DoubleSharp, 2},
    {ek::Natural, 0},  {ek::NaturalFlat, -1}, {ek::NaturalSharp, 1},
};

const AccidentalSign* SignOf(int code) {
  for (const AccidentalSign& sign : kAccidentalSigns)
    if (sign.code == code) return &sign;
  return nullptr;
}

// The alteration of `step` (1..7) in `octave` at `start` before the note's
// own signs: the key in force, overridden by the latest earlier note of that
// step and octave carrying an accidental.
int ContextAccidental(const TECMeasure& measure, int step, int octave, int start) {
  int alteration = step_pitch::KeyAlteration(measure.KeyInForce, step);
  int latest = -1;
  for (const auto& other : measure.Notes) {
    if (other->Kind != step + 20 || other->Octave != octave || other->Start >= start || other->Start < latest)
      continue;
    for (const auto& attribute : other->Attributes)
      if (const AccidentalSign* sign = SignOf(attribute->Kind)) {
        alteration = sign->alteration;
        latest = other->Start;
      }
  }
  return alteration;
}

// Step index (0 = C) of each semitone as spelled: black keys as sharps but
// C sharp as D flat.
constexpr int kSpelledStep[12] = {0, 1, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
constexpr int kSpelledAlteration[12] = {0, -1, 0, 1, 0, 0, 1, 0, 1, 0, 1, 0};

bool Transpose(EditTransaction& edit, TECMeasure& measure, TECNote& note, int delta, int context) {
  if (!ek::IsNoteStep(note.Kind)) return false;
  int accidental = context;
  for (const auto& attribute : note.Attributes)
    if (const AccidentalSign* sign = SignOf(attribute->Kind)) accidental = sign->alteration;
  const int p = std::clamp(note.Octave * 12 + step_pitch::Semitone(ek::NoteStep(note.Kind)) + accidental + delta, 0, 127);
  const int s = p % 12;
  const int e = kSpelledAlteration[s];
  const int step = kSpelledStep[s] + 1;
  const int octave = p / 12;
  const int f = ContextAccidental(measure, step, octave, note.Start);
  if (!edit.SaveMeasure(measure)) return false;
  note.Kind = ek::NoteKindOfStep(step);
  note.Octave = static_cast<std::uint8_t>(octave);
  std::vector<TECNoteAttribute*> signs;
  for (const auto& attribute : note.Attributes)
    if (SignOf(attribute->Kind) != nullptr) signs.push_back(attribute.get());
  if (signs.empty() && e != f) {
    note.Attributes.push_back(MakeNoteAttribute(step_pitch::AccidentalCode(e), &note));
  } else {
    for (TECNoteAttribute* sign : signs)
      if (e == f)
        note.RemoveAttribute(sign);
      else
        sign->Kind = step_pitch::AccidentalCode(e);
  }
  measure.Owner->SortChordNote(&note);
  return true;
}

}  // namespace
}  // namespace nv::editing

using nv::editing::EditTransaction;

void TECMusicScore::MoveSelectionVert(int delta) {
  EditTransaction edit(*this, undo_kind::Pitch);
  if (!edit.Allowed() || nv::editing::MovePageObjects(edit, 0, delta) || nv::editing::MoveSymbolsVert(edit, delta))
    return;
  nv::editing::VerticalMove move(*this, edit, delta);
  for (auto& target : nv::editing::RowTargets(*this, true)) move.Entry(*target.Measure, target.Elements);
}

void TECMusicScore::MoveSelectionByPitch(int delta) {
  EditTransaction edit(*this, undo_kind::Pitch);
  if (!edit.Allowed()) return;
  for (auto& target : nv::editing::RowTargets(*this, true)) {
    TECMeasure& measure = *target.Measure;
    // Contexts are read before any note of the entry changes.
    std::vector<std::pair<TECNote*, int>> notes;
    for (TECElement* element : target.Elements)
      if (element->Type() == TECElementType::Note) {
        auto* note = static_cast<TECNote*>(element);
        notes.emplace_back(note, nv::editing::ContextAccidental(measure, ek::NoteStep(note->Kind), note->Octave, note->Start));
      }
    bool changed = false;
    for (auto [note, context] : notes)
      changed |= nv::editing::Transpose(edit, measure, *note, delta, context);
    if (changed) {
      edit.Touch();
      edit.RebuildBeams(measure);
    }
  }
}
