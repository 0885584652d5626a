// Room for every tick of one measure of one row, after the widths of notes,
// rests, their attributes and the measure items.
#include "render/measure_spacing.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

#include "model/element_kinds.h"
#include "model/instrument.h"
#include "model/measure.h"
#include "model/music_score.h"
#include "model/note_records.h"
#include "model/row.h"
#include "render/carry_over.h"
#include "render/chord_column.h"

namespace nv::render {

namespace {

constexpr std::uint8_t kNoClefChange = 99;

int SignedByte(std::uint8_t b) { return b >= 128 ? b - 255 : b; }

bool IsAccidental(std::uint8_t kind) {
  return (kind >= ek::Flat && kind <= ek::Natural) || kind == ek::NaturalFlat || kind == ek::NaturalSharp;
}

// Working tables reused from call to call (the pass runs on one thread).
struct Scratch {
  ChordColumn Column;
  std::vector<int> Left;
  std::vector<int> Right;
  std::vector<std::uint8_t> Clefs;
};

Scratch& TheScratch() {
  thread_local Scratch scratch;
  return scratch;
}

class Spacer {
 public:
  Spacer(LayoutContext& context, TECRow& row, TECMeasure& measure, TECMeasureLayout& record, SpacingMode mode,
         int density)
      : context_(context),
        row_(row),
        measure_(measure),
        record_(record),
        mode_(mode),
        density_(density),
        length_(static_cast<int>(record.Positions.size()) - 1),
        s_(TheScratch()) {
    s_.Column.Clear();
    s_.Left.assign(length_ + 1, 0);
    s_.Right.assign(length_ + 1, 0);
  }

  int Run() {
    Notes();
    Rests();
    Items();
    Widths();
    return lastPageStart_;
  }

 private:
  void Notes() {
    int columnTick = -1;
    const TECNote* lastInChord = nullptr;
    for (std::size_t index = 0; index < measure_.Notes.size(); ++index) {
      TECNote& note = *measure_.Notes[index];
      note.Flags = static_cast<std::uint8_t>((note.Flags & ~TECNote::StrokeBits) | (note.TremoloStrokes() << 4));
      const int tick = note.Start;
      if (tick != columnTick) {
        StackColumn(columnTick);
        columnTick = tick;
      }
      if (note.Kind == ek::RepeatBar || tick >= length_) continue;
      int left = 0;
      int right = 0;
      if (note.Kind == ek::RepeatNotes) {
        const int w = note.Value * 4 + 12;
        left = right = w / 2;
        s_.Left[tick] = std::max(s_.Left[tick], w / 2);
      } else if (ek::IsNoteStep(note.Kind)) {
        const int slot = ChordColumn::Slot(note);
        const bool second = note.ChordMark != 0 && lastInChord && lastInChord->ChordMark == note.ChordMark &&
                            std::abs(ChordColumn::Slot(*lastInChord) - slot) < 2;
        const bool stemDown = (note.Flags & TECNote::StemDown) != 0;
        if (note.Value >= 32) {
          left = second && stemDown ? 11 : 4;
          right = second ? 10 : 4;
        } else if ((note.BeamGroup == 0 && note.ChordMark == 0) || second) {
          left = stemDown ? 11 : 4;
          right = 12;
        } else {
          left = 4;
          right = 8;
        }
        if (note.ChordMark != 0) lastInChord = &note;
        if (note.Extra[4] != 0) left += 4, right += 4;
        const std::uint8_t offset = note.Extra[0];
        if (offset >= 128)
          left += 255 - offset;
        else
          right += offset;
        s_.Column.AddHead(slot, left);
        Attributes(note, index, slot, left, right);
      } else {
        continue;
      }
      Reserve(tick, note.Value, left, right);
    }
    StackColumn(columnTick);
  }

  void Attributes(TECNote& note, std::size_t noteIndex, int slot, int& left, int& right) {
    for (std::size_t i = 0; i < note.Attributes.size(); ++i) {
      TECNoteAttribute& attribute = *note.Attributes[i];
      const std::uint8_t kind = attribute.Kind;
      if (kind == ek::Dot) {
        right += 4;
      } else if (kind == ek::DoubleDot) {
        right += 6;
      } else if (IsAccidental(kind)) {
        left = kind == ek::DoubleFlat || kind == ek::NaturalFlat || kind == ek::NaturalSharp ? 16 : 12;
        attribute.SpacingOffset = left - 2;
        s_.Column.Collect(attribute, slot, SignedByte(note.Extra[0]), note.Extra[4] != 0);
      } else if (kind == 128) {
        left = std::max(left, 12);
      } else if (kind >= 124 && kind <= 127) {
        right = 14;
      } else if (kind == ek::GraceNotes) {
        auto* group = dynamic_cast<TECGraceGroup*>(&attribute);
        if (!group) continue;
        // Either way the group keeps clear of the note.
        const int width = GraceWidth(*group) + kGraceClearance;
        if (group->Flags() & 0x80) {
          group->XOffset = context_.ToDevice(right + kGraceClearance);
          right += width;
        } else {
          left += width;
          group->XOffset = left - 2;
          s_.Column.Collect(attribute, slot, 0, false);
        }
      } else if (ek::IsLink(kind)) {
        CarryLink(noteIndex, i, attribute);
      }
    }
  }

  // A tie or slur from a note on an earlier page is drawn with that page too.
  void CarryLink(std::size_t noteIndex, std::size_t attributeIndex, TECNoteAttribute& attribute) {
    auto* link = dynamic_cast<TECLinkAttribute*>(&attribute);
    if (!link || !link->Partner || !link->Partner->Owner) return;
    const int partner = link->Partner->Owner->Index;
    if (partner >= context_.PageFirstMeasure) {
      lastPageStart_ = std::min(lastPageStart_, partner);
      return;
    }
    lastPageStart_ = -1;
    TECCarryRef ref;
    ref.Kind = TECCarryRef::RefKind::Link;
    ref.Row = context_.Instrument.IndexOfRow(&row_);
    ref.Measure = measure_.Index;
    ref.Element = static_cast<std::int32_t>(noteIndex);
    ref.Attribute = static_cast<std::int32_t>(attributeIndex);
    AddSystemObject(context_.Score, ref, -1);
  }

  // The accidentals and grace groups of the column at `tick`, stacked.
  void StackColumn(int tick) {
    const int room = s_.Column.Stack(context_);
    if (tick >= 0 && tick < length_) s_.Left[tick] = std::max(s_.Left[tick], room);
    s_.Column.Clear();
  }

  void Rests() {
    for (const auto& rest : measure_.Rests) {
      const int tick = rest->Start;
      if (tick >= length_) continue;
      const int v = rest->Value;
      int left = 3;
      int right = 9;
      if (v > 63)
        left = 2, right = 2;
      else if (v >= 32)
        left = 3, right = 4;
      else if (v >= 16)
        left = 2, right = 6;
      else if (v >= 8)
        left = 2, right = 7;
      else if (v >= 4)
        left = 3, right = 8;
      for (const auto& attribute : rest->Attributes) {
        if (attribute->Kind == ek::Dot) right += 4;
        if (attribute->Kind == ek::DoubleDot) right += 6;
      }
      Reserve(tick, v, left, right);
    }
  }

  // The room one event needs: before and after its tick.
  void Reserve(int tick, int value, int left, int right) {
    if (mode_ == SpacingMode::Positional) {
      s_.Right[tick] = 1;
      return;
    }
    s_.Left[tick] = std::max(s_.Left[tick], left);
    if (mode_ == SpacingMode::Proportional) {
      right = std::max(right, MinimumByValue(value));
      // Ticks inside the note get a pixel each, so that later events keep
      // their order.
      for (int t = tick + 1; t < tick + value && t < length_ && right > 4; ++t) {
        if (s_.Right[t] == 0) s_.Right[t] = 1;
        --right;
      }
    }
    s_.Right[tick] = std::max(s_.Right[tick], right);
  }

  static int MinimumByValue(int value) {
    if (value < 5) return 6;
    if (value < 9) return 8;
    if (value < 17) return 10;
    if (value < 33) return 12;
    if (value < 65) return 14;
    return 16;
  }

  // Clef changes and glyph items; spanners go on to the next page.
  void Items() {
    if (measure_.Items.empty()) {
      measure_.ClefPerTick.clear();
      return;
    }
    const std::uint8_t startClef = measure_.ClefInForce;
    s_.Clefs.assign(length_, kNoClefChange);
    for (std::size_t index = 0; index < measure_.Items.size(); ++index) {
      TECMeasureItem& item = *measure_.Items[index];
      const int tick = std::min<int>(item.Position, length_ - 1);
      if (ek::IsSpanner(item.Kind)) {
        TECCarryRef ref;
        ref.Kind = TECCarryRef::RefKind::Spanner;
        ref.Row = context_.Instrument.IndexOfRow(&row_);
        ref.Measure = measure_.Index;
        ref.Element = static_cast<std::int32_t>(index);
        AddSystemSymbol(context_.Score, ref, 1);
        lastPageStart_ = -1;
        continue;
      }
      if (item.Kind == ek::ClefChange) {
        // A clef change stays in force for the rest of the row.
        const auto code = static_cast<std::uint8_t>(item.Second);
        s_.Clefs[tick] = code;
        measure_.ClefInForce = code;
        row_.LayoutClef = code;
      }
      if (mode_ == SpacingMode::Positional) continue;
      int& left = s_.Left[tick];
      switch (item.Kind) {
        case ek::ClefChange: {
          const int code = item.Second;
          const int width = code == 12 ? 26 : (code >= 13 && code <= 15 ? 15 : 20);
          item.SpacingOffset = context_.ToDevice(left + width - 1);
          left += width;
          break;
        }
        case 131:
          item.SpacingOffset = context_.ToDevice(left + 9);
          left += 10;
          break;
        case 132:
          item.SpacingOffset = context_.ToDevice(s_.Right[tick] + 2);
          s_.Right[tick] += 16;
          break;
        case 133:
        case 134:
          item.SpacingOffset = context_.ToDevice(left + 7);
          left += 8;
          break;
        default:
          break;
      }
    }
    std::uint8_t last = startClef;
    for (std::uint8_t& clef : s_.Clefs) {
      if (clef == kNoClefChange)
        clef = last;
      else
        last = clef;
    }
    measure_.ClefPerTick = s_.Clefs;
  }

  // The widths into the layout record, which every row of the instrument
  // raises: the widest row wins at each tick.
  void Widths() {
    int c = 0;
    if (mode_ == SpacingMode::Evenly && density_ == 0) {
      const std::size_t elements = std::max(measure_.Notes.size() + measure_.Rests.size(), measure_.Items.size());
      c = elements < 8 ? 2 : (elements < 16 ? 1 : 0);
    }
    const int last = length_ - 1;
    const auto& extents = record_.Extents;
    const int closingSymbol = last < static_cast<int>(extents.size()) ? extents[last].Before : 0;
    // The symbols' room after a tick joins the room after its events, so
    // that the loop below runs without a branch (the last tick's closing
    // width takes only the room before it).
    for (int i = 0; i < last && i < static_cast<int>(extents.size()); ++i)
      s_.Right[i] += extents[i].Before + extents[i].After;
    // Plain loops without branches, which the compiler turns into vector
    // code: the gap before every tick is the widest any row needs.
    std::int32_t* positions = record_.Positions.data();
    const int* left = s_.Left.data();
    const int* right = s_.Right.data();
    positions[0] = std::max(positions[0], left[0] + record_.FirstLeftExtra + 10);
    // Every eighth tick keeps at least a pixel, room or not.
    for (int i = 0; i < last; i += 8) positions[i + 1] = std::max(positions[i + 1], 1);
    // No gap is below 0, so the gaps add up as unsigned, which costs less.
    std::uint64_t sum = static_cast<std::uint32_t>(positions[0]);
    for (int i = 0; i < last; ++i) {
      const int room = left[i + 1] + right[i];
      positions[i + 1] = std::max(positions[i + 1], room > 0 ? room + c : 0);
      sum += static_cast<std::uint32_t>(positions[i + 1]);
    }
    record_.ClosingWidth = std::max(record_.ClosingWidth, closingSymbol + c + s_.Right[last]);
    const std::int64_t content = std::min<std::int64_t>(static_cast<std::int64_t>(sum) + record_.ClosingWidth, INT32_MAX);
    record_.ContentWidth = std::max(record_.ContentWidth, static_cast<std::int32_t>(content));
  }

  LayoutContext& context_;
  TECRow& row_;
  TECMeasure& measure_;
  TECMeasureLayout& record_;
  SpacingMode mode_;
  int density_;
  int length_;
  Scratch& s_;
  int lastPageStart_ = std::numeric_limits<int>::max();
};

// Asks for every cache line of the `size` bytes at `object`.
template <typename T>
[[gnu::always_inline]] inline void FetchLines(const T* object, std::size_t size = sizeof(T)) {
  if (!object || size == 0) return;
  const char* bytes = reinterpret_cast<const char*>(object);
  for (std::size_t offset = 0; offset < size; offset += 64) __builtin_prefetch(bytes + offset);
  __builtin_prefetch(bytes + size - 1);
}

// The pass goes through the rows one measure at a time, but a row's
// measures, notes and attributes lie together in memory, far from the next
// row's: on a large score, waiting for them costs more than spacing them.
// So after each measure of a row, what the row's next measures read is
// fetched ahead, in stages that each need the one before to have arrived:
// the attributes one measure ahead, the notes and rests two ahead, their
// lists three ahead and the measure four ahead. Inline where it is called:
// on its own, the compiler finds that the function changes nothing and
// drops the call.
[[gnu::always_inline]] inline void FetchAhead(const TECRow& row, int measureIndex) {
  if (const TECMeasure* next = row.GetMeasure(measureIndex + 1))
    for (const auto& note : next->Notes)
      for (const auto& attribute : note->Attributes) __builtin_prefetch(attribute.get());
  if (const TECMeasure* next = row.GetMeasure(measureIndex + 2)) {
    for (const auto& note : next->Notes) FetchLines(note.get());
    for (const auto& rest : next->Rests) FetchLines(rest.get());
  }
  if (const TECMeasure* next = row.GetMeasure(measureIndex + 3)) {
    FetchLines(next->Notes.data(), next->Notes.size() * sizeof(next->Notes[0]));
    FetchLines(next->Rests.data(), next->Rests.size() * sizeof(next->Rests[0]));
  }
  FetchLines(row.GetMeasure(measureIndex + 4));
}

}  // namespace

int CalcMeasureSpacing(LayoutContext& context, TECRow& row, int measureIndex, SpacingMode mode, int density) {
  TECMeasure* measure = row.GetMeasure(measureIndex);
  TECMeasureLayout* record = context.Instrument.LayoutAt(measureIndex);
  if (!measure || !record || record->Positions.size() < 2) return std::numeric_limits<int>::max();
  const int lastPageStart = Spacer(context, row, *measure, *record, mode, density).Run();
  FetchAhead(row, measureIndex);
  return lastPageStart;
}

}  // namespace nv::render
