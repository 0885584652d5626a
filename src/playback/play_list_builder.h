#pragma once

#include <memory>

#include "playback/play_session.h"
#include "model/music_score.h"

// Flattens the score into a play session: every row walked through its
// repeats, voltas, "D.C.", "D.S.", coda jumps and multi-measure rests, each
// measure played becoming a list of timed events with final keys,
// velocities, channels and programs. Instruments without layout records are
// laid out first. When the measures of one play position differ in length,
// OnPlayError receives them all and the session holds no steps and result
// -1.
std::unique_ptr<PlaySession> BuildPlayEvents(TECMusicScore& score);
