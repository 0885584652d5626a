#pragma once

#include <cstdint>

// The arithmetic of the panes' edits on a note's performance: performed
// length P (0 = as notated L), play offset (bit 7 = earlier, bits 0-6 =
// ticks), the lengths and positions of grace notes and play sub-notes, and
// velocities. Each returns the value unchanged where it stops.
namespace nv::editor::performance {

int LongerPerformed(int performed, int notated);
// Stops at 1: 0 would mean "as notated" and make the note longer.
int ShorterPerformed(int performed, int notated);
std::uint8_t OffsetLater(std::uint8_t offset);
std::uint8_t OffsetEarlier(std::uint8_t offset);
// A grace note's or sub-note's length: up while below 256, down while above 2.
int LongerPart(int length);
int ShorterPart(int length);
// Its position: up while below 128, down while above 0.
int LaterPart(int position);
int EarlierPart(int position);

// A velocity stepped by +1 or -1, kept to 0..127.
int SteppedVelocity(int velocity, int delta);
// The ramp from (tf, vf) to (tl, vl) at t, truncating toward zero and kept
// to 0..127; vf where the two ends lie at one time.
int RampVelocity(int vf, int vl, int tf, int tl, int t);

}  // namespace nv::editor::performance
