#pragma once

#include "platform/font.h"

// The font turned for text drawn at an angle (degrees, counter-clockwise):
// sized by its character height in pixels at pixelsPerInch, escapement
// angle × 10; face, colour, weight and style kept, width left to the face.
nv::platform::Font CreateRotatedFont(const nv::platform::Font& font, int angle, int pixelsPerInch);
