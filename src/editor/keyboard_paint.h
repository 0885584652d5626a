#pragma once

#include "editor/keyboard_model.h"
#include "platform/canvas.h"

namespace nv::editor {

// Colours as the controls store them: 0x00BBGGRR.
inline constexpr platform::Color kOctaveColors[9] = {0xEAEAFF, 0xEAFFFF, 0xEAFFED, 0xFFFFEA, 0xFFFFFF,
                                                     0xFFEAEB, 0xFFEAFF, 0xECEAFF, 0xEAFAFF};

// Draws the whole piano: scroll buttons, duration strip, white and black
// keys with their marks and letters, over the model's client area.
void PaintKeyboard(platform::Canvas& canvas, const KeyboardModel& model, platform::Color color);

}  // namespace nv::editor
