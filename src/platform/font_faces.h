#pragma once

#include <QString>

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

// Registers the music font from the assets with the application's font
// database, once; true when its family is available. Needs a GUI application.
bool ensureMusicFontLoaded();

// The font family to ask Qt for: the substitute face, or the family the
// music font file declares.
QString fontFamilyFor(std::string_view face);

// The characters to draw for a string: in the music face each byte is the
// glyph at U+F000 + byte (the private-use range where symbol fonts keep their
// glyphs); in other faces the string is UTF-8.
QString textForFace(std::string_view face, std::string_view text);

}  // namespace nv::platform
