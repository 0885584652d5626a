#pragma once

#include <string>

namespace nv::document {

// The tempo bar runs from 25 % (position 0) to 400 % (position 200), twice
// the speed every 50 steps.
inline constexpr int kTempoBarMax = 200;

// round(50 × log2(scale / 25)), kept on the bar.
int TempoBarPosition(int scalePercent);

// The scale a bar position sets: 25 × (position / 50)², rounded, so the ticks
// at 0, 50, 100, 150 and 200 give 0, 25, 100, 225 and 400 percent.
int TempoScaleAt(int position);

// The bar's hint: `tempoWord` " = " scale "% * " tempo " = " the tempo played.
std::string TempoHint(const std::string& tempoWord, int scalePercent, int tempo);

}  // namespace nv::document
