#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/canvas.h"

namespace nv::dialogs {

// How a button shows a painted face: under the mouse and not pressed in,
// the picture lies twice, a grey copy one pixel right and down under a
// black one one pixel left and up; otherwise once, black, in place.
struct FaceLook {
  bool hot = false;
  bool pressed = false;
};

inline constexpr nv::platform::Color kFaceShadow = nv::platform::rgb(128, 128, 128);

// Draws `picture` in the box (moved as the look says) and the ink to use.
using FacePicture = std::function<void(const nv::platform::Rect& box, nv::platform::Color ink)>;
void PaintFace(const nv::platform::Rect& box, FaceLook look, const FacePicture& picture);

// One music-font character with its cell's top-left corner at (x, y), in
// `points` at the canvas's font resolution, no background.
void MusicChar(nv::platform::Canvas& canvas, int x, int y, std::uint8_t code, int points, nv::platform::Color ink,
               bool italic = false);
// Text in a text face, no background.
void FaceText(nv::platform::Canvas& canvas, int x, int y, std::string_view text, std::string_view face, int points,
              nv::platform::Color ink, bool bold = false, bool italic = false);
// Five staff lines `gap` apart from `top`, from left + 1 to right - 1.
void StaffLines(nv::platform::Canvas& canvas, const nv::platform::Rect& box, int top, int gap,
                nv::platform::Color ink);
// A filled box from (left, top) to (right, bottom), both corners included.
void FillBar(nv::platform::Canvas& canvas, int left, int top, int right, int bottom, nv::platform::Color ink);

}  // namespace nv::dialogs
