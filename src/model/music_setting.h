#pragma once

#include <cstdint>

// The display settings that page lengths are converted with; the score root
// implements it, the page setup and the unit conversions read it.

enum class TECMetrix : std::uint8_t { rmMM = 0, rmInches = 1, rmPixels = 2 };

class IECMusicSetting {
 public:
  virtual ~IECMusicSetting() = default;
  virtual TECMetrix GetMetrix() const = 0;
  // Screen resolution in dots per inch.
  virtual int GetResolution() const = 0;
  // Percent; 100 is actual size.
  virtual int GetZoom() const = 0;
  virtual int GetScale() const = 0;
  // True while the active page is being switched or a MIDI file imported.
  virtual bool GetPageSwitching() const = 0;
  virtual void UpdateScrollBars(bool keepPosition) = 0;
};
