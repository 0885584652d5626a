#include "render/chord_column.h"

#include <algorithm>

#include "model/element_kinds.h"
#include "model/note_records.h"

namespace nv::render {

namespace {

// Octave bytes 0..255 of seven steps, and three steps either side for the
// accidental spans.
constexpr int kMargin = 4;
constexpr int kSlots = 256 * 7 + 2 * kMargin;

// Width of an accidental glyph by kind and variant (the microtone byte),
// wider when the note's bracket kind is set.
int AccidentalWidth(std::uint8_t kind, std::uint8_t style, bool bracketed) {
  auto pick = [bracketed](int plain, int wide) { return bracketed ? wide : plain; };
  switch (kind) {
    case ek::Flat:
      if (style <= 1) return pick(6, 14);
      if (style == 3) return pick(10, 18);
      if (style == 33 || style == 35 || style == 37) return pick(8, 16);
      return 6;
    case ek::DoubleFlat:
    case ek::NaturalFlat:
    case ek::NaturalSharp:
      return pick(10, 17);
    case ek::DoubleSharp:
      return pick(8, 14);
    default:  // sharp, natural
      if (style == 0) return pick(6, 13);
      if (style == 2) return pick(5, 12);
      if (style == 4) return pick(8, 16);
      if (style == 34 || style == 36 || style == 48) return pick(7, 14);
      return 6;
  }
}

// Steps an accidental looks at, in order, and the steps it then fills,
// relative to its note.
struct AccidentalSpan {
  int scanFrom, scanTo, writeFrom, writeTo;
};

AccidentalSpan SpanOf(std::uint8_t kind) {
  switch (kind) {
    case ek::Sharp:
    case ek::Natural:
      return {-3, 3, -2, 2};
    case ek::DoubleSharp:
      return {1, 0, 0, 1};
    default:  // flats and the natural-flat and natural-sharp
      return {3, 0, 0, 3};
  }
}

}  // namespace

int GraceWidth(const TECGraceGroup& group) {
  const int count = static_cast<int>(group.Notes.size());
  // A single note's glyph with its flag (and slash) takes the three spaces
  // its box covers; an accidental its glyph and the gap before it.
  int width = count == 1 && group.GraceValue() < 32 ? 18 : count * 8 + 2;
  for (const auto& note : group.Notes)
    if (!note->Attributes.empty()) width += 7;
  return width;
}

ChordColumn::ChordColumn() : occupied_(kSlots, 0), heads_(kSlots, 0) {}

int ChordColumn::Slot(const TECNote& note) { return note.Octave * 7 + (note.Kind - ek::NoteC) + kMargin; }

int ChordColumn::StackEntries(const LayoutContext& context) {
  int room = 0;
  for (int slot : touched_) heads_[slot] = occupied_[slot];
  int widest = 0;
  for (auto it = entries_.rbegin(); it != entries_.rend(); ++it) {
    TECNoteAttribute& attribute = *it->Attribute;
    if (attribute.Kind == ek::GraceNotes) continue;
    const int w = AccidentalWidth(attribute.Kind, attribute.Data[2], it->Bracketed);
    const int o = it->NoteOffset;
    const int x0 = attribute.SpacingOffset;
    // Every step that qualifies replaces the candidate: the last one in scan
    // order decides.
    int candidate = x0;
    const AccidentalSpan span = SpanOf(attribute.Kind);
    const int step = span.scanTo >= span.scanFrom ? 1 : -1;
    for (int d = span.scanFrom;; d += step) {
      const int v = occupied_[it->Slot + d];
      const int u = heads_[it->Slot + d];
      if (x0 <= v - w && u + w + o >= x0)
        candidate = u + w + o;
      else if (v + w + o > x0)
        candidate = v + w + o;
      if (d == span.scanTo) break;
    }
    for (int d = span.writeFrom; d <= span.writeTo; ++d) Write(it->Slot + d, candidate);
    room = std::max(room, occupied_[it->Slot]);
    widest = std::max(widest, candidate);
    attribute.SpacingOffset = context.ToDevice(candidate);
  }
  // Grace groups stand left of every accidental of the column, the whole
  // group clear of them (its offset is its left edge).
  for (const Entry& entry : entries_) {
    // The kind first: most entries are accidentals, and a cast costs more.
    if (entry.Attribute->Kind != ek::GraceNotes) continue;
    auto* group = dynamic_cast<TECGraceGroup*>(entry.Attribute);
    if (!group) continue;
    const int clear = widest > 0 ? widest + GraceWidth(*group) + kGraceClearance : 0;
    if (group->XOffset < clear) {
      group->XOffset = clear;
      room = std::max(room, clear + 2);
    }
    group->XOffset = context.ToDevice(group->XOffset);
  }
  return room;
}

}  // namespace nv::render
