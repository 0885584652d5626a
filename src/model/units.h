#pragma once

#include <algorithm>
#include <cstdint>

#include "model/music_setting.h"

// Page lengths are stored in tenths of a millimetre and shown in the unit of
// the score's Metrix setting. In pixels, the screen resolution and Zoom apply,
// and with the scale flag Zoom × Scale. Computed in extended precision.
// Without settings a value passes unchanged.

double StoredToDisplayUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                            double value);
// The exact inverse of StoredToDisplayUnits.
double DisplayToStoredUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                            double value);
// From millimetres: rmMM unchanged, else as StoredToDisplayUnits.
double MillimetresToDisplayUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                                 double value);

// A base length in device pixels: times a zoom factor (Zoom x Scale, 10000
// for 100 % x 100 %) over 10000, in 64 bits and held to the 32-bit range;
// base lengths from a file times a factor up to 1000 % x 1000 % pass 32 bits.
// Inline: the layout pass converts every offset it gives.
inline std::int32_t ByZoomFactor(std::int64_t base, std::int64_t factor) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(base * factor / 10000, INT32_MIN, INT32_MAX));
}

// The resolution lengths are worked out at: the one given, or the screen's
// 96 DPI while none is set (0 or less).
int ResolutionOrDefault(int resolution);

// The staff space D in pixels: a quarter of the 6 mm staff at the resolution
// and the zoom factor (10000 = 100 %), rounded. At the smallest zoom the
// rounding would give 0, which ledger-line counts divide by; 1 is the least.
int StaffSpace(int resolution, int zoomFactor);
