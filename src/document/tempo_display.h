#pragma once

#include <optional>
#include <string>

namespace nv::document {

// The tempo bar runs from 25 % (position 0) to 400 % (position 200), twice
// the speed every 50 steps.
inline constexpr int kTempoBarMax = 200;

// round(50 × log2(scale / 25)), kept on the bar.
int TempoBarPosition(int scalePercent);

// The scale a bar position sets: 25 × (position / 50)², rounded, so the ticks
// at 50, 100, 150 and 200 give 25, 100, 225 and 400 percent; and at least
// 1 percent, the slowest a score plays, where that rounds to 0 (positions 0
// to 7).
int TempoScaleAt(int position);

// The volume bar runs from 30000 to full volume, a tick every 8800.
inline constexpr int kVolumeBarMin = 30000;
inline constexpr int kVolumeBarMax = 65535;
inline constexpr int kVolumeBarTicks = 8800;

// A press on the tool bar's tempo or volume bar lower than this (on its
// ticks) moves the bar to a tick.
inline constexpr int kTickRowTop = 16;

// Where a press at `x` on the ticks of a bar `width` pixels wide moves the
// bar, kept in the bar's range: the tempo bar by sixths of its width to the
// ticks 0..200, the volume bar from 30000 by 8800. None on a bar narrower
// than 6 pixels, which has no sixths.
std::optional<int> TempoTickAt(int x, int width);
std::optional<int> VolumeTickAt(int x, int width);

// The bar's hint: `tempoWord` " = " scale "% * " tempo " = " the tempo played.
std::string TempoHint(const std::string& tempoWord, int scalePercent, int tempo);

}  // namespace nv::document
