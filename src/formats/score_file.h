#pragma once

#include <string>

#include "model/music_score.h"

// Score files (".sfd"): the score stream of the whole score.

// Does nothing when the file does not exist. Otherwise reads the file into
// the score (see LoadScoreFromStream: a file that cannot be read raises and
// leaves the score as it was), then lays the score out from its first page,
// scrolls to the cursor and repaints.
void LoadScoreFromFile(TECMusicScore& score, const std::string& path);

// Writes the score into a temporary file of the target's own folder, pushes
// it to the disk and renames it over the target, so that the target is
// either the old file or the complete new one. On failure the temporary file
// is removed, the target is untouched and the error names the path and the
// reason.
void SaveScoreToFile(const TECMusicScore& score, const std::string& path);
