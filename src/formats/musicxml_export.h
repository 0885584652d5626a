#pragma once

#include "model/music_score.h"
#include "model/stream.h"

// Writes the score as a MusicXML "score-partwise" document in UTF-8: one
// part per MIDI program and channel (see BuildMusicXmlParts) whose rows are
// its staves, with the notes' pitches, durations and voices, the keys and
// time signatures, and the part's MIDI setup. Durations count ticks (32 to
// the quarter), so tuplet members and the shortest values are exact. Lines
// are indented by tabs and end in CR LF. A score without staff rows raises
// EWriteError, as a document without parts is no MusicXML; stream errors
// propagate.
void ExportMusicXml(const TECMusicScore& score, ByteStream& stream);
