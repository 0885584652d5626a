#include "model/rotated_font.h"

#include <cmath>

nv::platform::Font CreateRotatedFont(const nv::platform::Font& font, int angle, int pixelsPerInch) {
  nv::platform::Font rotated;
  rotated.face = font.face;
  rotated.size = font.size;
  // A font already sized in pixels keeps that height.
  rotated.height = font.height != 0
                       ? font.height
                       : -static_cast<int>(std::nearbyint(font.size * pixelsPerInch / 72.0));
  rotated.bold = font.bold;
  rotated.italic = font.italic;
  rotated.underline = font.underline;
  rotated.strikeout = font.strikeout;
  rotated.color = font.color;
  rotated.escapement = angle * 10;
  return rotated;
}
