#pragma once

#include "editor/row_items.h"

class TECMusicScore;

// The panes' edits of the notes they show. Each is one undoable step of
// the score (none when nothing changes), so Undo brings the notes back; the
// score then reports the change and the panes refill from it.
namespace nv::editor::pane_edits {

enum class Performance { Longer, Shorter, Later, Earlier };

// The performed length or play offset of every selected item.
bool EditPerformance(TECMusicScore& score, const RowItems& items, Performance edit);
// Every selected item's velocity by +1 or -1, each stopping at 0 or 127.
bool StepVelocities(TECMusicScore& score, const RowItems& items, int delta);
// One item's velocity, kept to 0..127.
bool SetVelocity(TECMusicScore& score, const RowItem& item, int velocity);
// The items strictly between the first and the last selected one get the
// straight ramp between their velocities, by time.
bool AlignVelocities(TECMusicScore& score, const RowItems& items);

}  // namespace nv::editor::pane_edits
