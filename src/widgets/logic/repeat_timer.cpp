#include "widgets/logic/repeat_timer.h"

namespace nv::widgets {

void RepeatTimer::Press() {
  held_ = true;
  pressedAt_ = clock_.NowMs();
  stepsTaken_ = 0;
}

bool RepeatTimer::Armed() const { return held_ && clock_.NowMs() - pressedAt_ >= arm_; }

int RepeatTimer::DueSteps() {
  if (!held_) return 0;
  const std::int64_t elapsed = clock_.NowMs() - pressedAt_;
  std::int64_t due = 1;
  if (elapsed >= arm_ + interval_) due += (elapsed - arm_) / interval_;
  const int steps = static_cast<int>(due - stepsTaken_);
  stepsTaken_ = due;
  return steps > 0 ? steps : 0;
}

}  // namespace nv::widgets
