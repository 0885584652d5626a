#pragma once

#include <cstdint>
#include <string>

namespace nv::platform {

// A colour as the score files and the drawing code store it: 0x00BBGGRR
// (red in the low byte). A value whose high byte is 0x80 or 0xFF names a
// system colour by its index in the low byte; it is resolved from a fixed
// table, so drawings do not depend on the desktop's theme.
using Color = std::uint32_t;

constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(Color c) { return static_cast<int>(c & 0xFF); }
constexpr int greenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int blueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

// Answer of Canvas::pixel() for a point outside the device or the clip.
inline constexpr Color kInvalidColor = 0xFFFFFFFF;

namespace colors {
inline constexpr Color black = rgb(0, 0, 0);
inline constexpr Color maroon = rgb(128, 0, 0);
inline constexpr Color green = rgb(0, 128, 0);
inline constexpr Color olive = rgb(128, 128, 0);
inline constexpr Color navy = rgb(0, 0, 128);
inline constexpr Color purple = rgb(128, 0, 128);
inline constexpr Color teal = rgb(0, 128, 128);
inline constexpr Color gray = rgb(128, 128, 128);
inline constexpr Color silver = rgb(192, 192, 192);
inline constexpr Color red = rgb(255, 0, 0);
inline constexpr Color lime = rgb(0, 255, 0);
inline constexpr Color yellow = rgb(255, 255, 0);
inline constexpr Color blue = rgb(0, 0, 255);
inline constexpr Color fuchsia = rgb(255, 0, 255);
inline constexpr Color aqua = rgb(0, 255, 255);
inline constexpr Color white = rgb(255, 255, 255);
}  // namespace colors

// System colour indexes (the order of the stored values).
enum class SystemColor : std::uint8_t {
  ScrollBar, Background, ActiveCaption, InactiveCaption, Menu, Window,
  WindowFrame, MenuText, WindowText, CaptionText, ActiveBorder, InactiveBorder,
  AppWorkspace, Highlight, HighlightText, ButtonFace, ButtonShadow, GrayText,
  ButtonText, InactiveCaptionText, ButtonHighlight, DarkShadow3D, Light3D,
  InfoText, InfoBackground, Hotlight = 26, GradientActiveCaption,
  GradientInactiveCaption, MenuHighlight, MenuBar,
};

// The stored value that names a system colour.
constexpr Color systemColor(SystemColor index) {
  return 0x80000000u | static_cast<Color>(index);
}

// The plain 0x00BBGGRR value: system colours from the fixed table, other
// values with their high byte dropped.
Color resolveColor(Color c);

// "#RRGGBB" of the resolved colour.
std::string toString(Color c);

}  // namespace nv::platform
