#pragma once

#include <string>

#include "model/music_score.h"

// Score files (".sfd"): the score stream of the whole score.

// Reads the file into the score (see LoadScoreFromStream: a file that cannot
// be read raises and leaves the score as it was), then lays the score out
// from its first page, scrolls to the cursor and repaints. A ".xml",
// ".musicxml" or ".mxl" file (any case) is refused as MusicXML, which
// raises and leaves the score as it was.
// A missing path or a folder raises EFileOpenError naming the path and the
// reason, the score unchanged.
void LoadScoreFromFile(TECMusicScore& score, const std::string& path);

// Writes the score stream as the file's new contents through
// WriteFileAtomically: the file is either the old one or the complete new
// score, with its permissions kept. Any failure, a score that cannot be
// stored included, raises EFileSaveError naming the path and the reason and
// leaves the old file as it was.
void SaveScoreToFile(const TECMusicScore& score, const std::string& path);
