#pragma once

namespace nv::document {

// A MIDI key as a written pitch: octave = key / 12, step 1..7 (C..B), and a
// black key spelled as the sharp of the white key below it.
struct MidiPitch {
  int octave = 0;
  int step = 1;
  bool sharp = false;
};

MidiPitch MidiKeyToPitch(int key);

}  // namespace nv::document
