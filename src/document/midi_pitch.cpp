#include "document/midi_pitch.h"

namespace nv::document {

MidiPitch MidiKeyToPitch(int key) {
  static constexpr int kStep[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
  static constexpr bool kBlack[12] = {false, true, false, true, false, false, true, false, true, false, true, false};
  const int k = key < 0 ? 0 : key;
  return {k / 12, kStep[k % 12] + 1, kBlack[k % 12]};
}

}  // namespace nv::document
