#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "render/layout_context.h"

class TECGraceGroup;
class TECNote;
class TECNoteAttribute;

namespace nv::render {

// Room of a grace-note group beside its note, base pixels: its small notes
// and their accidentals.
int GraceWidth(const TECGraceGroup& group);
// What a grace group keeps clear of its main note and that note's
// accidentals, base pixels: a quarter of a staff space, rounded up.
constexpr int kGraceClearance = 2;

// The notes of one row that stand at one tick: the steps their heads
// occupy, and the accidentals and grace-note groups before them, stacked to
// the left without collisions. Its tables cover every step a note record
// can name, so no octave from a file indexes outside them, and hold whole
// ints, so no stack of accidentals wraps.
class ChordColumn {
 public:
  ChordColumn();

  // The table slot of a note's diatonic step (octave x 7 + step).
  static int Slot(const TECNote& note);

  // Inline, as are Stack's test for an empty column and the calls below:
  // the layout pass makes them for every column, head and accidental.
  void Clear() {
    for (int slot : touched_) occupied_[slot] = heads_[slot] = 0;
    touched_.clear();
    entries_.clear();
  }
  // A head at `slot` that needs `left` base pixels before its tick; the
  // step above is taken as well.
  void AddHead(int slot, int left) {
    for (int s : {slot, slot + 1}) Write(s, std::max(occupied_[s], left));
  }
  // An accidental whose SpacingOffset holds its unstacked offset (base
  // pixels), or a grace group before its note whose XOffset does.
  // `noteOffset` is the note's own signed x offset; `bracketed` widens it.
  void Collect(TECNoteAttribute& attribute, int slot, int noteOffset, bool bracketed) {
    entries_.push_back({&attribute, slot, noteOffset, bracketed});
  }
  // Stacks what was collected, last first: every offset becomes final and
  // device pixels. Returns the room the column needs before its tick.
  int Stack(const LayoutContext& context) { return entries_.empty() ? 0 : StackEntries(context); }

 private:
  int StackEntries(const LayoutContext& context);
  struct Entry {
    TECNoteAttribute* Attribute;
    int Slot;
    int NoteOffset;
    bool Bracketed;
  };
  void Write(int slot, int value) {
    if (occupied_[slot] == 0 && heads_[slot] == 0) touched_.push_back(slot);
    occupied_[slot] = value;
  }

  std::vector<int> occupied_;
  // Occupancy by the heads alone, taken when stacking begins.
  std::vector<int> heads_;
  std::vector<int> touched_;
  std::vector<Entry> entries_;
};

}  // namespace nv::render
