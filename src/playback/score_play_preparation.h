#pragma once

#include "model/music_score.h"

// Lets the score's edits re-expand ornaments and recompute velocities
// (under its AutoEffect and AutoVelocity switches) through this code.
void InstallPlayPreparation(TECMusicScore& score);
