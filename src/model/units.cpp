#include "model/units.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kDefaultResolution = 96;

constexpr long double kTenthsPerMillimetre = 10.0L;
constexpr long double kTenthsPerInch = 254.0L;

// display = stored × numerator / denominator; kept as a ratio of whole
// numbers where possible, so that the inverse undoes it exactly.
struct Ratio {
  long double numerator;
  long double denominator;
};

// A resolution, zoom or scale that is not positive would make the inverse
// divide by zero; such a setting counts as the default.
long double Positive(int value, int fallback) { return value > 0 ? value : fallback; }

Ratio DisplayPerTenth(const IECMusicSetting& settings, TECMetrix unit, bool withScale) {
  switch (unit) {
    case TECMetrix::rmMM: return {1.0L, kTenthsPerMillimetre};
    case TECMetrix::rmInches: return {1.0L, kTenthsPerInch};
    case TECMetrix::rmPixels: {
      const long double dpi = Positive(settings.GetResolution(), kDefaultResolution);
      const long double zoom = Positive(settings.GetZoom(), 100);
      if (withScale) {
        const long double scale = Positive(settings.GetScale(), 100);
        return {dpi * zoom * scale, kTenthsPerInch * 10000.0L};
      }
      return {dpi * zoom, kTenthsPerInch * 100.0L};
    }
  }
  return {1.0L, 1.0L};
}

long double ToDisplay(const IECMusicSetting& settings, TECMetrix unit, bool withScale,
                      long double tenths) {
  const Ratio ratio = DisplayPerTenth(settings, unit, withScale);
  return tenths * ratio.numerator / ratio.denominator;
}

}  // namespace

double StoredToDisplayUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                            double value) {
  if (settings == nullptr) return value;
  return static_cast<double>(ToDisplay(*settings, unit, withScale, value));
}

double DisplayToStoredUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                            double value) {
  if (settings == nullptr) return value;
  const Ratio ratio = DisplayPerTenth(*settings, unit, withScale);
  return static_cast<double>(value * ratio.denominator / ratio.numerator);
}

double MillimetresToDisplayUnits(const IECMusicSetting* settings, TECMetrix unit, bool withScale,
                                 double value) {
  if (settings == nullptr || unit == TECMetrix::rmMM) return value;
  // Through tenths, where an inch is a whole number.
  return static_cast<double>(
      ToDisplay(*settings, unit, withScale, value * kTenthsPerMillimetre));
}

int ResolutionOrDefault(int resolution) { return resolution > 0 ? resolution : kDefaultResolution; }

int StaffSpace(int resolution, int zoomFactor) {
  const double sixMm = 6.0 / (25.4 / ResolutionOrDefault(resolution));
  const double space = zoomFactor == 10000 ? sixMm / 4 : sixMm * zoomFactor / 40000;
  return std::max(1, static_cast<int>(std::lround(space)));
}
