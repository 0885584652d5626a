#include "document/tempo_display.h"

#include <algorithm>
#include <cmath>

namespace nv::document {

int TempoBarPosition(int scalePercent) {
  if (scalePercent <= 0) return 0;
  const long position = std::lround(50.0 * std::log2(scalePercent / 25.0));
  return static_cast<int>(std::clamp<long>(position, 0, kTempoBarMax));
}

int TempoScaleAt(int position) { return (position * position + 50) / 100; }

std::string TempoHint(const std::string& tempoWord, int scalePercent, int tempo) {
  return tempoWord + " = " + std::to_string(scalePercent) + "% * " + std::to_string(tempo) + " = " +
         std::to_string(tempo * scalePercent / 100);
}

}  // namespace nv::document
