#include "editor/sequence_layout.h"

#include <algorithm>

#include "model/note_records.h"

namespace nv::editor {
namespace {

constexpr int kSemitones[7] = {0, 2, 4, 5, 7, 9, 11};

int KeyOf(int step, int octave, int alteration) {
  return 12 * octave + kSemitones[std::clamp(step, 1, 7) - 1] + alteration;
}

// Twice the play offset, signed (bit 7 = earlier).
int OffsetPixels(std::uint8_t offset) { return 2 * ((offset & 0x80) != 0 ? -(offset & 0x7F) : (offset & 0x7F)); }

}  // namespace

SequenceLayout::SequenceLayout(int noteHeight, int panelWidth)
    : noteHeight_(std::max(1, noteHeight)), panelWidth_(std::max(1, panelWidth)) {}

void SequenceLayout::LayItem(RowItem& item, int x0) const {
  const int r = RowHeight();
  if (item.Kind == ItemKind::Note) {
    const TECNote& note = *item.Note;
    const int bottom = BandBottom(KeyOf(ek::NoteStep(note.Kind), note.Octave, item.Alteration));
    const int left = 2 * note.Start + x0 + 1;
    const int right = 2 * (note.Start + note.Length) + x0 + 1;
    const int split = bottom - r + noteHeight_ / 3;
    item.Notated = {left, bottom - r, right, split};
    const int shift = OffsetPixels(note.StartOffset);
    const int performedRight =
        (note.SoundingLength != 0 && note.SoundingLength != note.Length ? right + 2 * (note.SoundingLength - note.Length)
                                                                        : right) +
        shift;
    item.Performed = {left + shift, split, performedRight, bottom + 1};
    item.Whole = {std::min(left, left + shift), bottom - r, std::max(right, performedRight), bottom + 1};
    return;
  }
  int step = 0, octave = 0, position = 0, length = 0;
  if (item.Kind == ItemKind::Grace) {
    const auto& grace = *static_cast<const TECGraceNote*>(item.Element);
    step = grace.Step, octave = grace.Octave, position = grace.Position, length = grace.Length;
  } else {
    const auto& sub = *static_cast<const TECPlayNote*>(item.Element);
    step = sub.Step, octave = sub.Octave, position = sub.Start, length = sub.Length;
  }
  const int bottom = BandBottom(KeyOf(step, octave, item.Alteration));
  const int left = 2 * position + x0 + 1;
  item.Whole = {left, bottom - r, left + 2 * length, bottom + 1};
  item.Notated = item.Performed = item.Whole;
}

int SequenceLayout::Lay(RowItems& items) const {
  int x = KeyboardWidth();
  for (MeasureEntry& measure : items.Measures()) {
    measure.Left = x;
    measure.Right = x + 2 * measure.Length + 1;
    x = measure.Right;
  }
  for (RowItem& item : items.Items()) LayItem(item, items.Measures()[static_cast<std::size_t>(item.Measure)].Left);
  return x;
}

int SequenceLayout::HitTest(const RowItems& items, int x, int y) const {
  // Items start within their measure, so only the measures near x can hold
  // the point; an item reaching past its measure is found from its own.
  const auto& all = items.Items();
  const int measure = items.MeasureAt(x);
  if (measure < 0) return -1;
  const int first = items.FirstItemOf(std::max(0, measure - 1));
  const int end = items.EndItemOf(std::min(static_cast<int>(items.Measures().size()) - 1, measure + 1));
  for (int i = first; i < end; ++i)
    if (all[static_cast<std::size_t>(i)].Whole.Contains(x, y)) return i;
  return -1;
}

std::optional<SequencePlace> SequenceLayout::InsertionPlace(const RowItems& items, int x, int y) const {
  if (items.Measures().empty() || y < 4) return std::nullopt;
  const int xe = std::max(KeyboardWidth(), (x - 4) / 2 * 2);
  const int measure = items.MeasureAt(xe);
  const int key = kHighestKey - (y - 4) / RowHeight();
  if (key < kLowestKey || key > kHighestKey) return std::nullopt;
  return SequencePlace{measure, (xe - items.Measures()[static_cast<std::size_t>(measure)].Left) / 2, key};
}

}  // namespace nv::editor
