#pragma once

#include "platform/colors.h"

#include <string>

namespace nv::platform {

// A font as GDI takes it. The size is in points, turned into pixels with the
// canvas's font resolution; a non-zero height is in pixels instead, as GDI's
// font height: negative for the character (em) height, positive for the
// cell height (ascent + descent). Set height back to 0 to size in points.
// The escapement turns the text counter-clockwise around its reference point
// (tenths of a degree); a non-zero width sets the average character width in
// pixels, stretching the glyphs horizontally.
//
// Strings drawn in the music face are bytes, one glyph each; in any other
// face they are UTF-8.
struct Font {
  std::string face = "Arial";
  int size = 8;
  int height = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
  Color color = colors::black;
  int escapement = 0;
  int width = 0;
  friend bool operator==(const Font&, const Font&) = default;
};

// "font \"Arial\" 8pt #000000" followed by the set attributes: " bold",
// " italic", " underline", " strikeout", " esc900", " width5"; a pixel height
// shows as "h-20" in place of the point size.
std::string toString(const Font& font);

}  // namespace nv::platform
