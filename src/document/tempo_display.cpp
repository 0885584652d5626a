#include "document/tempo_display.h"

#include <algorithm>
#include <cmath>

namespace nv::document {

int TempoBarPosition(int scalePercent) {
  if (scalePercent <= 0) return 0;
  const long position = std::lround(50.0 * std::log2(scalePercent / 25.0));
  return static_cast<int>(std::clamp<long>(position, 0, kTempoBarMax));
}

int TempoScaleAt(int position) { return std::max(1, (position * position + 50) / 100); }

namespace {

constexpr int kTempoTickStep = 50;

// A sixth of the bar's width; none when that is no pixel.
std::optional<int> Sixth(int width) {
  if (width < 6) return std::nullopt;
  return width / 6;
}

}  // namespace

std::optional<int> TempoTickAt(int x, int width) {
  const std::optional<int> sixth = Sixth(width);
  if (!sixth) return std::nullopt;
  const int position = (x + *sixth * 3 / 10) / *sixth * kTempoTickStep - kTempoTickStep;
  return std::clamp(position, 0, kTempoBarMax);
}

std::optional<int> VolumeTickAt(int x, int width) {
  const std::optional<int> sixth = Sixth(width);
  if (!sixth) return std::nullopt;
  const int position = (x + *sixth) / *sixth * kVolumeBarTicks + (kVolumeBarMin - kVolumeBarTicks);
  return std::clamp(position, kVolumeBarMin, kVolumeBarMax);
}

std::string TempoHint(const std::string& tempoWord, int scalePercent, int tempo) {
  return tempoWord + " = " + std::to_string(scalePercent) + "% * " + std::to_string(tempo) + " = " +
         std::to_string(tempo * scalePercent / 100);
}

}  // namespace nv::document
