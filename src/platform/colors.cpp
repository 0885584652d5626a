#include "platform/colors.h"

#include <array>
#include <cstdio>

namespace nv::platform {

namespace {

// The classic desktop's default colours, by system colour index.
constexpr std::array<Color, 31> kSystemColors = {
    rgb(200, 200, 200),  // scroll bar
    rgb(0, 0, 0),        // desktop background
    rgb(153, 180, 209),  // active caption
    rgb(191, 205, 219),  // inactive caption
    rgb(240, 240, 240),  // menu
    rgb(255, 255, 255),  // window
    rgb(100, 100, 100),  // window frame
    rgb(0, 0, 0),        // menu text
    rgb(0, 0, 0),        // window text
    rgb(0, 0, 0),        // caption text
    rgb(180, 180, 180),  // active border
    rgb(244, 247, 252),  // inactive border
    rgb(171, 171, 171),  // application workspace
    rgb(51, 153, 255),   // highlight
    rgb(255, 255, 255),  // highlight text
    rgb(240, 240, 240),  // button face
    rgb(160, 160, 160),  // button shadow
    rgb(109, 109, 109),  // grey text
    rgb(0, 0, 0),        // button text
    rgb(67, 78, 84),     // inactive caption text
    rgb(255, 255, 255),  // button highlight
    rgb(105, 105, 105),  // 3-D dark shadow
    rgb(227, 227, 227),  // 3-D light
    rgb(0, 0, 0),        // tooltip text
    rgb(255, 255, 225),  // tooltip background
    rgb(0, 0, 0),        // (unused index 25)
    rgb(0, 102, 204),    // hot-tracked item
    rgb(185, 209, 234),  // gradient of the active caption
    rgb(215, 228, 242),  // gradient of the inactive caption
    rgb(51, 153, 255),   // menu highlight
    rgb(240, 240, 240),  // menu bar
};

}  // namespace

Color resolveColor(Color c) {
  const Color high = c >> 24;
  if (high == 0x80 || high == 0xFF) {
    const Color index = c & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : colors::black;
  }
  return c & 0x00FFFFFF;
}

std::string toString(Color c) {
  const Color v = resolveColor(c);
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", redOf(v), greenOf(v), blueOf(v));
  return text;
}

}  // namespace nv::platform
