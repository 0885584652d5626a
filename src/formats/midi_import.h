#pragma once

#include <string>

#include "model/music_score.h"
#include "model/stream.h"

// Standard MIDI file import (".mid", ".midi", ".kar"): tracks and channels
// become instruments and staff rows, notes are brought to the score's import
// grid (MidiImportGrid) and spelled, percussion goes through the drum map,
// and meta events become texts, tempo marks and time signatures. The score's
// MidiSeparateSheets chooses one instrument per track or one instrument with
// a row per track.

// The import stops at this many measures or notes, marking the score damaged.
inline constexpr int kMaxImportedMeasures = 10000;
inline constexpr int kMaxImportedNotes = 1000000;

// Reads the file from the stream's position into a new score and puts that
// in place of the score's music once it is read, so that a file refused
// outright (no "MThd" header: "File is damage"; a division the import cannot
// use: SmfDivisionError) leaves the score untouched. A file damaged further on
// keeps what was read before the damage and sets MidiImportDamaged.
void ImportMidi(TECMusicScore& score, ByteStream& stream);

// LoadFromFile's road for MIDI files: does nothing when the file does not
// exist, else imports it and lays the score out from its first page.
void ImportMidiFile(TECMusicScore& score, const std::string& path);

// True for the extensions ImportMidiFile reads, compared without regard to
// case.
bool IsMidiFileName(const std::string& path);
