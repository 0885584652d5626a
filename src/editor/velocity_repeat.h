#pragma once

#include <functional>

namespace nv::editor {

// The velocity pane's plus and minus buttons, which repeat while held: the
// window's 100 ms timer ticks while a button is held; the first tick only
// marks the press as repeated, every later one makes a step. The button's
// own click makes one step more, so a short click makes exactly one step
// and the release none.
class VelocityRepeat {
 public:
  static constexpr int kTickMs = 100;

  // Steps the velocities by +1 or -1.
  explicit VelocityRepeat(std::function<void(int direction)> step) : step_(std::move(step)) {}

  // Mouse down on a button (+1 plus, -1 minus): the timer runs from now.
  void Press(int direction);
  void Tick();
  // Mouse up: the timer stops.
  void Release();
  // The button's click.
  void Clicked(int direction) { step_(direction); }
  bool TimerRunning() const { return held_ != 0; }

 private:
  std::function<void(int)> step_;
  int held_ = 0;
  bool repeated_ = false;
};

}  // namespace nv::editor
