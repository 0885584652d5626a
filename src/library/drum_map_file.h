#pragma once

#include <array>
#include <stdexcept>
#include <string>

#include "platform/ini_file.h"

namespace nv::library {

// One pitch of the program's drum map.
struct DrumMapEntry {
  std::string Name;
  int Head = 255;  // index into the drum-style list; 255 = the standard head
  int Pos = 64;    // staff position: 64 = the middle line, 1 = half a line up
  bool Use = false;
  bool operator==(const DrumMapEntry&) const = default;
};

class EDrumMapError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "DrumMap.ini": section "Drums", one key "Pitch<n>" per pitch 26..87 with
// the value name,head,pos,use. A missing key or field gives the defaults;
// pitches without a name are not stored.
class DrumMapFile {
 public:
  static constexpr int kFirstPitch = 26;
  static constexpr int kLastPitch = 87;

  static DrumMapFile Read(const nv::platform::IniFile& file);
  // Raises EDrumMapError, before changing the file, for a name with "," or a
  // line break
  // (the reader would cut it).
  void Write(nv::platform::IniFile& file) const;

  DrumMapEntry& Entry(int pitch) { return entries_.at(static_cast<std::size_t>(pitch - kFirstPitch)); }
  const DrumMapEntry& Entry(int pitch) const { return entries_.at(static_cast<std::size_t>(pitch - kFirstPitch)); }
  bool operator==(const DrumMapFile&) const = default;

 private:
  std::array<DrumMapEntry, kLastPitch - kFirstPitch + 1> entries_;
};

}  // namespace nv::library
