#pragma once

namespace nv::widgets {

// The press of an arrow that repeats while held: a tick of the repeat timer
// steps once and marks the press as repeated; the release steps once more
// only when no tick came, so a short click steps exactly once.
class RepeatPress {
 public:
  void Press() { pressed_ = true; repeated_ = false; }
  // True when the tick should step (the arrow is still held).
  bool Tick() {
    if (!pressed_) return false;
    repeated_ = true;
    return true;
  }
  // True when the release should step.
  bool Release() {
    const bool step = pressed_ && !repeated_;
    pressed_ = false;
    return step;
  }
  // The arrow was hidden: the press ends without a step.
  void Cancel() { pressed_ = false; }
  bool Pressed() const { return pressed_; }

 private:
  bool pressed_ = false;
  bool repeated_ = false;
};

}  // namespace nv::widgets
