#include "editor/keyboard_paint.h"

#include <string>

#include "editor/panel_paint.h"
#include "platform/frame_controls.h"

namespace nv::editor {

using platform::Canvas;
using platform::Color;
using platform::Point;
using platform::Rect;
namespace colors = platform::colors;

namespace {

constexpr Color kGrey = 0x808080;
constexpr Color kDarkRedLetter = 128;
constexpr Color kSounding = 255;
constexpr Color kSoundingBlack = 223;

void Line(Canvas& c, Color color, std::initializer_list<Point> points) {
  c.setPen({color, 1, platform::PenStyle::Solid, platform::PenMode::Copy});
  c.polyline(std::span<const Point>(points.begin(), points.size()));
}

std::string DurationLabel(int d) { return d == 0 ? "c" : "1/" + std::to_string(1 << d); }

void PaintStrip(Canvas& c, const KeyboardModel& m) {
  const int left = m.RightEdge() - m.SettingWidth();
  const int right = m.RightEdge();
  const int h = m.CellHeight();
  if (h <= 0) return;
  c.setFont({"Arial", 8});
  c.font().color = m.Focused ? colors::black : kGrey;
  for (int k = 0; k < m.VisibleCells(); ++k) {
    const int d = k + m.OffsetDuration();
    const Rect cell{left, m.CellTop(k), right, m.CellBottom(k)};
    PaintPanel(c, cell, d == m.DurationPosition());
    const std::string label = DurationLabel(d);
    const platform::Size size = c.textExtent(label);
    c.setBrush({colors::white, platform::BrushStyle::Clear, {}});
    c.textOut((cell.left + cell.right - size.width) / 2, (cell.top + cell.bottom - size.height) / 2, label);
  }
  if (m.Style() & msScrollDuration) {
    const int top = m.VisibleCells() * h;
    const int middle = right - m.SettingWidth() / 2;
    using B = KeyboardModel::Button;
    const bool up = m.PressedButton() == B::DurationUp;
    const bool down = m.PressedButton() == B::DurationDown;
    platform::drawScrollArrow(c, {left, top, middle, m.ClientHeight()}, platform::ArrowDirection::Up, up, up);
    platform::drawScrollArrow(c, {middle, top, right, m.ClientHeight()}, platform::ArrowDirection::Down, down,
                              down);
  }
}

Color WhiteFill(const KeyboardModel& m, int i, Color color) {
  if (m.WhiteMark(i) == KeyboardModel::kSounding) return kSounding;
  if (m.Style() & msColorOctave) return kOctaveColors[KeyboardModel::OctaveOfWhite(i) - 1];
  return color;
}

void PaintWhiteKey(Canvas& c, const KeyboardModel& m, int i, Color color) {
  const int x = m.WhiteKeyX(i);
  const int w = m.KeyWidth();
  const int bottom = m.ClientHeight();
  c.setBrush({WhiteFill(m, i, color), platform::BrushStyle::Solid, {}});
  c.fillRect({x, 0, x + w, bottom});
  Line(c, colors::black, {{x, bottom - 3}, {x + 1, bottom - 2}, {x + w - 1, bottom - 2}, {x + w, bottom - 3},
                          {x + w, 0}, {x, 0}});
  Line(c, kGrey, {{x + 1, bottom - 1}, {x + w, bottom - 1}});
  if (m.WhiteMark(i) == KeyboardModel::kPressed)
    Line(c, kGrey, {{x + w - 1, bottom - 2}, {x + w - 1, 1}, {x + 1, 1}, {x + 1, bottom - 2}});
  if (!(m.Style() & msShowMarks)) return;
  const int step = KeyboardModel::StepOfWhite(i);
  const int octave = KeyboardModel::OctaveOfWhite(i);
  c.setBrush({colors::white, platform::BrushStyle::Clear, {}});
  if (step - 1 < static_cast<int>(m.Keys().size())) {
    const std::string letter(1, m.Keys()[step - 1]);
    c.setFont({"Arial", 8});
    c.font().color = octave == m.Octave() ? (m.Focused ? kDarkRedLetter : kGrey) : colors::silver;
    c.textOut(x + (w - c.textWidth(letter)) / 2, bottom - 16, letter);
  }
  if (step == 1 && octave != 9) {
    c.setFont({"Arial", 7});
    c.textOut(x + 2, 2, std::to_string(octave));
  }
}

void PaintBlackKey(Canvas& c, const KeyboardModel& m, int slot) {
  const int q = m.KeyWidth() / 4;
  const int bh = m.ClientHeight() * 4 / 5;
  const int xr = m.WhiteKeyX(slot) + m.KeyWidth();
  const bool pressed = m.BlackMark(slot) == KeyboardModel::kPressed;
  if (!pressed)
    Line(c, kGrey, {{xr - q, bh - 3}, {xr - q + 1, bh}, {xr + q, bh}, {xr + q + 1, bh - 3}, {xr + q + 1, 0}});
  const Color body = m.BlackMark(slot) == KeyboardModel::kSounding ? kSoundingBlack : colors::black;
  const Point key[] = {{xr - q, 0}, {xr - q, bh - 4}, {xr - q + 1, bh - 1}, {xr + q, bh - 1}, {xr + q, bh - 4},
                       {xr + q, 0}};
  c.setPen({body, 1, platform::PenStyle::Solid, platform::PenMode::Copy});
  c.setBrush({body, platform::BrushStyle::Solid, {}});
  c.polygon(key);
  Line(c, colors::silver, {{xr - q + 2, 4}, {xr - q + 2, bh - 4}});
  if (pressed) Line(c, kGrey, {{xr - q + 1, 1}, {xr - q + 1, bh - 4}, {xr + q - 1, bh - 4}, {xr + q - 1, 1}});
}

}  // namespace

void PaintKeyboard(Canvas& c, const KeyboardModel& m, Color color) {
  const int height = m.ClientHeight();
  const int stripLeft = m.RightEdge() - m.SettingWidth();
  const bool scrolls = m.Style() & msScrollOctave;
  c.setBrush({color, platform::BrushStyle::Solid, {}});
  c.fillRect({0, 0, m.ClientWidth(), height});
  if (scrolls) {
    using B = KeyboardModel::Button;
    const bool left = m.PressedButton() == B::OctaveLeft;
    const bool right = m.PressedButton() == B::OctaveRight;
    platform::drawScrollArrow(c, {0, 0, KeyboardModel::kScrollButton, height}, platform::ArrowDirection::Left,
                              left, left);
    platform::drawScrollArrow(c, {stripLeft - KeyboardModel::kScrollButton, 0, stripLeft, height},
                              platform::ArrowDirection::Right, right, right);
  }
  if (m.SettingWidth() > 0) PaintStrip(c, m);
  if (m.KeyWidth() <= 0 || height <= 0) return;
  const int areaRight = m.KeyAreaRight();
  c.saveDC();
  c.intersectClipRect({m.KeyAreaLeft(), 0, areaRight, height});
  const int end = m.WhiteKeyX(KeyboardModel::kWhiteKeys);
  if (end < areaRight) {
    c.setBrush({(m.Style() & msColorOctave) ? kOctaveColors[8] : color, platform::BrushStyle::Solid, {}});
    c.fillRect({end + 1, 0, areaRight, height});
  }
  for (int i = 0; i < KeyboardModel::kWhiteKeys; ++i) {
    const int x = m.WhiteKeyX(i);
    if (x + m.KeyWidth() >= m.KeyAreaLeft() && x < areaRight) PaintWhiteKey(c, m, i, color);
  }
  for (int slot = 0; slot < KeyboardModel::kWhiteKeys; ++slot)
    if (KeyboardModel::HasBlackKey(slot)) PaintBlackKey(c, m, slot);
  c.restoreDC();
}

}  // namespace nv::editor
