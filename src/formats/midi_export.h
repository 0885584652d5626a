#pragma once

#include <string>

#include "model/music_score.h"
#include "model/stream.h"

// Standard MIDI file export: the score's play session, the same one playback
// walks, written as a format-1 file of division 384 with a conductor track
// (time signatures, tempo, texts) and one track per MIDI channel used. With
// `withTexts` the text items of the rows go to their channel's track, lyrics
// as lyric events.

inline constexpr int kExportDivision = 384;

// The measures of one play position differ in length: nothing is written.
class MidiExportError : public EWriteError {
 public:
  using EWriteError::EWriteError;
};

// Writes the file at the stream's position. Works while the score plays: the
// session it walks is its own. A score without rows gives the header and the
// conductor track.
void ExportMidi(TECMusicScore& score, ByteStream& stream, bool withTexts);

// Builds the file in memory and writes it in place of the file at `path`
// (see WriteFileAtomically), so that a failure leaves no partial file.
void ExportMidiFile(TECMusicScore& score, const std::string& path, bool withTexts);
