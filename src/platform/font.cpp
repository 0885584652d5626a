#include "platform/font.h"

namespace nv::platform {

std::string toString(const Font& font) {
  std::string s = "font \"" + font.face + "\" ";
  s += font.height != 0 ? "h" + std::to_string(font.height) : std::to_string(font.size) + "pt";
  s += " " + toString(font.color);
  if (font.bold) s += " bold";
  if (font.italic) s += " italic";
  if (font.underline) s += " underline";
  if (font.strikeout) s += " strikeout";
  if (font.escapement != 0) s += " esc" + std::to_string(font.escapement);
  if (font.width != 0) s += " width" + std::to_string(font.width);
  return s;
}

}  // namespace nv::platform
