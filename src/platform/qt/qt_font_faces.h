#pragma once

#include <QString>

#include <string_view>

#include "platform/font_faces.h"

namespace nv::platform {

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
