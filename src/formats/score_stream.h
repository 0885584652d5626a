#pragma once

#include "model/music_score.h"
#include "model/stream.h"

// The score stream: a header with the score's settings, page setup, drum
// heads and drum map, then one instrument block per instrument. The same
// stream is the score file and the payload of whole-score undo steps.

// A stream written by a newer version than this one reads.
class EFileVersion : public EStreamError {
 public:
  EFileVersion() : EStreamError("Version of file is more then 3.8") {}
};

inline constexpr const char* kScoreStreamTitle = "Notavistra data file";

void SaveScoreToStream(const TECMusicScore& score, ByteStream& stream);

// Reads a score stream from the stream's position into the score, replacing
// its instruments, drum tables and the settings the stream holds. Everything
// up to the stream's end (or its read limit) is taken and checked first by
// reading it into a scratch score, so that a stream that cannot be read
// raises and leaves the score as it was. A stream that does not hold its
// data in memory (a file) is copied into memory first; a read that succeeds
// leaves the stream just past the score.
// Damage inside one instrument, row or measure block only skips that block.
// Raises EFileVersion for a newer stream and EFileDamage ("File is damage",
// "Not instrument") or EReadError for one that cannot be read, and EFileLimit
// for one past a read limit (read_limits.h) or one whose score the writer
// could not store again.
void LoadScoreFromStream(TECMusicScore& score, ByteStream& stream);
