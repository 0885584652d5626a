#include "widgets/logic/click_repeater.h"

#include <utility>

namespace nv::widgets {

void ClickRepeater::Press(std::function<void()> step) {
  step_ = std::move(step);
  repeated_ = false;
  timer_.Start(interval_, [this] { Tick(); });
}

void ClickRepeater::Tick() {
  if (!step_) return;
  // Unless it steps, the first tick only tells a held button from a click.
  if (repeated_ || first_ == FirstTick::Steps) {
    // The step may release the button (a pane closed by it).
    const std::function<void()> step = step_;
    step();
  }
  repeated_ = true;
  if (step_) timer_.Start(interval_, [this] { Tick(); });
}

void ClickRepeater::Release() {
  step_ = nullptr;
  repeated_ = false;
  timer_.Stop();
}

}  // namespace nv::widgets
