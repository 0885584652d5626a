#include "widgets/logic/char_button_state.h"

namespace nv::widgets {

CharButtonEffects CharButtonState::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == down_ || (down_ && !allowAllUp_)) return {};
  down_ = value;
  CharButtonEffects effects;
  if (value) {
    effects.repaint = face_ == ButtonFace::Up;
    face_ = ButtonFace::Exclusive;
    effects.announce = true;
  } else {
    face_ = ButtonFace::Up;
    effects.repaint = true;
  }
  return effects;
}

CharButtonEffects CharButtonState::SetGroupIndex(int value) {
  if (value == groupIndex_) return {};
  groupIndex_ = value;
  return {.announce = groupIndex_ != 0};
}

CharButtonEffects CharButtonState::SetAllowAllUp(bool value) {
  if (value == allowAllUp_) return {};
  allowAllUp_ = value;
  return {.announce = groupIndex_ != 0};
}

bool CharButtonState::SetNumGlyphs(int value) {
  if (value < 1) return false;
  if (value > 4) value = 4;
  if (value == numGlyphs_) return false;
  numGlyphs_ = value;
  return true;
}

bool CharButtonState::SetMargin(int value) {
  if (value < -1 || value == margin_) return false;
  margin_ = value;
  return true;
}

bool CharButtonState::SetDropWidth(int value) {
  if (value < 0 || value > width_ - 1 || value == dropWidth_) return false;
  dropWidth_ = value;
  return true;
}

bool CharButtonState::SetFlat(bool value) {
  if (value == flat_) return false;
  flat_ = value;
  if (!flat_) hot_ = false;
  return true;
}

ButtonFace CharButtonState::PaintFace() {
  if (!enabled_) {
    face_ = ButtonFace::Disabled;
    dragging_ = false;
  } else if (face_ == ButtonFace::Disabled) {
    face_ = down_ && groupIndex_ != 0 ? ButtonFace::Exclusive : ButtonFace::Up;
  }
  return face_;
}

CharButtonEffects CharButtonState::Press(int x, int /*y*/) {
  if (!enabled_) return {};
  if (dropWidth_ > 0 && x > width_ - dropWidth_) {
    dropPressed_ = true;
    return {.repaint = true};
  }
  CharButtonEffects effects;
  if (!down_) {
    face_ = ButtonFace::Down;
    effects.repaint = true;
  }
  dragging_ = true;
  return effects;
}

CharButtonEffects CharButtonState::Move(int x, int y) {
  if (!dragging_) return {};
  const ButtonFace face = down_ ? ButtonFace::Exclusive : (Inside(x, y) ? ButtonFace::Down : ButtonFace::Up);
  if (face == face_) return {};
  face_ = face;
  return {.repaint = true};
}

CharButtonEffects CharButtonState::Release(int x, int y) {
  if (dropPressed_) {
    dropPressed_ = false;
    return {.repaint = true, .dropClick = true};
  }
  if (!dragging_) return {};
  dragging_ = false;
  const bool inside = Inside(x, y);
  CharButtonEffects effects;
  if (groupIndex_ == 0) {
    face_ = ButtonFace::Up;
    effects.repaint = inside;
  } else if (inside) {
    effects |= SetDown(!down_);
    effects.repaint = effects.repaint || down_;
  } else {
    if (down_) face_ = ButtonFace::Exclusive;
    effects.repaint = true;
  }
  effects.click = inside;
  return effects;
}

CharButtonEffects CharButtonState::Enter(bool captured) {
  if (!flat_ || !enabled_ || hot_ || captured) return {};
  hot_ = true;
  return {.repaint = true};
}

CharButtonEffects CharButtonState::Leave() {
  if (!flat_ || !enabled_ || !hot_ || dragging_) return {};
  hot_ = false;
  return {.repaint = true};
}

CharButtonEffects CharButtonState::GroupPressed(int group, bool senderAllowAllUp) {
  if (group == 0 || group != groupIndex_) return {};
  CharButtonEffects effects;
  if (down_) {
    down_ = false;
    face_ = ButtonFace::Up;
    effects.repaint = true;
  }
  allowAllUp_ = senderAllowAllUp;
  return effects;
}

}  // namespace nv::widgets
