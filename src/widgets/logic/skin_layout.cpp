#include "widgets/logic/skin_layout.h"

namespace nv::widgets {

SkinLayout::Margins SkinLayout::ClientMargins() const {
  if (fullScreen) return {};
  if (simple) return {penWidth, captionHeight, penWidth + 1, penWidth + 1};
  return {leftWidth, captionHeight, rightWidth, bottomHeight};
}

bool SkinLayout::ButtonVisible(int index) const {
  const SkinWindowState s = ShownState();
  const SkinButton& b = buttons[static_cast<std::size_t>(index)];
  switch (b.style) {
    case SkinButtonStyle::Normal: return s != SkinWindowState::Normal;
    case SkinButtonStyle::Minimized: return s != SkinWindowState::Minimized;
    case SkinButtonStyle::Maximized: return s != SkinWindowState::Maximized;
    case SkinButtonStyle::Close: return true;
    case SkinButtonStyle::Custom: return b.customVisible;
  }
  return false;
}

Rect SkinLayout::ButtonRect(int index) const {
  const SkinButton& b = buttons[static_cast<std::size_t>(index)];
  int offset = b.left;
  if (b.style == SkinButtonStyle::Normal && ShownState() == SkinWindowState::Minimized) offset -= 16;
  const int x = b.rightAlign ? width_ - offset - b.width : offset;
  const int y = b.bottomAlign ? captionHeight - b.height : b.top;
  return {x, y, x + b.width, y + b.height};
}

int SkinLayout::ButtonAt(Point p) const {
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    if (ButtonVisible(i) && ButtonRect(i).contains(p)) return i;
  }
  return -1;
}

int SkinLayout::ImageIndex(int index, SkinButtonState state, bool active, int stripWidth) const {
  const SkinButton& b = buttons[static_cast<std::size_t>(index)];
  const bool minimized = ShownState() == SkinWindowState::Minimized;
  switch (state) {
    case SkinButtonState::Normal: return active || minimized ? 0 : 3;
    case SkinButtonState::Hot: return active ? (stripWidth > b.width ? 1 : 0) : 3;
    case SkinButtonState::Pressed: return 2;
  }
  return 0;
}

SkinHit SkinLayout::HitTest(Point p, bool resizable) const {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return SkinHit::Client;
  const Margins m = ClientMargins();
  if (ButtonAt(p) >= 0) return SkinHit::Button;
  if (resizable && ShownState() == SkinWindowState::Normal && !fullScreen) {
    const bool left = p.x < m.left;
    const bool right = p.x >= width_ - m.right;
    const bool top = p.y < kResizeCaptionBand;
    const bool bottom = p.y >= height_ - m.bottom;
    if (top && left) return SkinHit::TopLeft;
    if (top && right) return SkinHit::TopRight;
    if (bottom && left) return SkinHit::BottomLeft;
    if (bottom && right) return SkinHit::BottomRight;
    if (top) return SkinHit::Top;
    if (bottom) return SkinHit::Bottom;
    if (left && p.y >= m.top) return SkinHit::Left;
    if (right && p.y >= m.top) return SkinHit::Right;
  }
  if (p.y < m.top) return SkinHit::Caption;
  return SkinHit::Client;
}

SkinButtonState SkinLayout::StateOf(int index) const {
  if (index == pressed_) return SkinButtonState::Pressed;
  if (index == hot_ && pressed_ < 0) return SkinButtonState::Hot;
  return SkinButtonState::Normal;
}

bool SkinLayout::Hover(Point p) {
  if (pressed_ >= 0) return false;
  const int hot = p.y < captionHeight ? ButtonAt(p) : -1;
  if (hot == hot_) return false;
  hot_ = hot;
  return true;
}

bool SkinLayout::LeaveWindow() {
  if (hot_ < 0) return false;
  hot_ = -1;
  return true;
}

bool SkinLayout::Press(Point p) {
  pressed_ = ButtonAt(p);
  return pressed_ >= 0;
}

int SkinLayout::Release(Point p) {
  const int pressed = pressed_;
  pressed_ = -1;
  hot_ = -1;
  if (pressed < 0) return -1;
  return ButtonAt(p) == pressed ? pressed : -1;
}

}  // namespace nv::widgets
