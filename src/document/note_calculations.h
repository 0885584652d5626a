#pragma once

namespace nv::document {

class ScoreDocument;

// The playback calculations a window starts on its score, on the notes the
// user means rather than on a hand-built list.

// Sets the velocity of every note of the active row from the dynamic marks
// that reach it.
void CalcVelocity(ScoreDocument& document);

// Turns the ornaments of the selected notes into their play sub-notes.
void CalcSequence(ScoreDocument& document);

}  // namespace nv::document
