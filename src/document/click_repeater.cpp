#include "document/click_repeater.h"

#include <utility>

namespace nv::document {

void ClickRepeater::Press(std::function<void()> action) {
  action_ = std::move(action);
  running_ = true;
  Arm();
}

void ClickRepeater::Release() {
  running_ = false;
  timer_.Stop();
}

void ClickRepeater::Arm() {
  // The one-shot timer is started again at every tick, which makes it periodic.
  timer_.Start(kTickMs, [this] {
    if (!running_) return;
    Arm();
    action_();
  });
}

}  // namespace nv::document
