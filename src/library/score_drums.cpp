#include "library/score_drums.h"

#include "model/drum_map.h"

namespace nv::library {

void AddDrumLibraryHeads(TECMusicScore& score, const std::vector<std::unique_ptr<TECDrumDescription>>& styles) {
  for (const auto& style : styles) {
    if (style->Loaded) AddDrumHead(score, style->DisplayName, style->First, style->Elements(), style->Flag, style->Second);
  }
}

void ReadDrumMapInto(TECMusicScore& score, const DrumMapFile& map) {
  for (int pitch = DrumMapFile::kFirstPitch; pitch <= DrumMapFile::kLastPitch; ++pitch) {
    const DrumMapEntry& entry = map.Entry(pitch);
    if (!entry.Name.empty()) SetDrumMapEntry(score, pitch, entry.Name, entry.Use, entry.Pos, entry.Head);
  }
}

}  // namespace nv::library
