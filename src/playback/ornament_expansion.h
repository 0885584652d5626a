#pragma once

#include "playback/note_selection.h"
#include "model/music_score.h"

// Turns a note's staccato, tremolo, grace notes, arpeggio, trills, mordents,
// turns and fermata into its sounding length, start offset and play
// sub-notes, which playback sounds in place of the written ornament.

// True when anything of the note changed.
bool ExpandNoteSequence(TECMusicScore& score, TECNote& note);

// ExpandNoteSequence on every selected note, with one change notice.
void CalcSequence(TECMusicScore& score, const NoteSelection& selection);
