#pragma once

#include <string>
#include <string_view>

namespace nv::platform {

// The notation glyphs' face. Its file ships with the program's assets as
// fonts/MusicSymbols.ttf; without the file the face falls back like any
// unknown face and the glyphs do not show.
inline constexpr char kMusicFace[] = "Vorod Iduriza";

// Face names compare without regard to case, as the font mapper does.
bool isMusicFace(std::string_view face);

// The installed face that stands in for a face the stored scores name:
// the metric twins of the common proportional faces (also for the misspelt
// "Time New Roman" that scores use); any other face unchanged.
std::string substituteFace(std::string_view face);

}  // namespace nv::platform
