#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "layout_test_support.h"
#include "platform/recording_canvas.h"
#include "render/painter_context.h"

namespace draw_test {

// Lays the score out from page 0 and draws the active page on a recording
// canvas; returns the canvas's lines.
inline std::vector<std::string> Draw(TECMusicScore& score, const nv::render::PaintSelection* selection = nullptr) {
  nv::render::LayoutScore(score, 0, false);
  nv::platform::RecordingCanvas canvas(nv::platform::screenDeviceCaps(400, 320));
  score.DrawPage(canvas, score.GetZoom(), score.GetZoom(), selection);
  return canvas.lines();
}

// The lines that contain `part`.
inline std::vector<std::string> With(const std::vector<std::string>& lines, const std::string& part) {
  std::vector<std::string> found;
  for (const std::string& line : lines)
    if (line.find(part) != std::string::npos) found.push_back(line);
  return found;
}

// The top-left corners of the TextOut lines that draw `text` (quoted as the
// canvas writes it), in order.
struct Placed {
  int x;
  int y;
};
inline std::vector<Placed> TextsOf(const std::vector<std::string>& lines, const std::string& text) {
  std::vector<Placed> found;
  const std::string quoted = "\"" + text + "\"";
  for (const std::string& line : lines) {
    if (line.rfind("TextOut (", 0) != 0 || line.find(") " + quoted + " ") == std::string::npos) continue;
    Placed p{};
    std::sscanf(line.c_str(), "TextOut (%d,%d)", &p.x, &p.y);
    found.push_back(p);
  }
  return found;
}

inline std::string Box(const TECElementBox& b) {
  return std::to_string(b.Left) + "," + std::to_string(b.Top) + "," + std::to_string(b.Right) + "," +
         std::to_string(b.Bottom);
}

}  // namespace draw_test
