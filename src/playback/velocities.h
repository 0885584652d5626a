#pragma once

#include "playback/note_selection.h"
#include "model/instrument.h"
#include "model/music_score.h"

// Note velocities from the dynamic marks, hairpins, accents and dynamic
// terms of the score, through the per-measure dynamics profiles held in the
// instrument's layout records.

// Rewrites the dynamics profile of every measure of the instrument from the
// items of all its rows.
void BuildDynamicsProfiles(TECMusicScore& score, TECInstrument& instrument);

// The velocity the profiles give a note of the instrument (64 when no mark
// reaches it); not clamped.
int LookupVelocity(TECInstrument& instrument, const TECNote& note);

// Stores the looked-up velocity (at most 127) in the note and its play
// sub-notes; true when it changed. Invalidates the note's box either way.
// False without OnGetDinamics.
bool SetNoteVelocity(TECMusicScore& score, TECNote& note);

// Rebuilds the profiles of the selected row's instrument and sets the
// velocity of every selected note.
void CalcVelocity(TECMusicScore& score, const NoteSelection& selection);

// Rebuilds the profiles of the active instrument and sets the velocity of
// every note of its rows from measure m on, passing over the notes of
// measure m that start before `tick`.
void RecalcVelocityFrom(TECMusicScore& score, int m, int tick);
