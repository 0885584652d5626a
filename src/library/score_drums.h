#pragma once

#include <memory>
#include <vector>

#include "library/drum_description.h"
#include "library/drum_map_file.h"
#include "model/music_score.h"

namespace nv::library {

// What New and Open give a score that has no drum heads of its own: the
// drum-style library's heads (each with its display name, placement values,
// elements and flag; loaded styles only) and the program's drum map.
void AddDrumLibraryHeads(TECMusicScore& score, const std::vector<std::unique_ptr<TECDrumDescription>>& styles);
// Sets the score's entry of every pitch the file names. The caller rebuilds
// its drum lookup afterwards.
void ReadDrumMapInto(TECMusicScore& score, const DrumMapFile& map);

}  // namespace nv::library
