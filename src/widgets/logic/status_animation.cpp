#include "widgets/logic/status_animation.h"

#include <algorithm>
#include <numeric>

namespace nv::widgets {

int StatusPanelLeft(int index) {
  return std::accumulate(kStatusPanelWidths.begin(), kStatusPanelWidths.begin() + index, 0);
}

int StatusAnimation::FrameCount(StatusPanel panel) { return panel == StatusPanel::Playing ? 3 : 4; }

void StatusAnimation::SetStates(bool printing, bool playing, bool recording) {
  const std::array<bool, 3> on = {printing, playing, recording};
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    if (!on[i]) panels_[i] = {};
    panels_[i].active = on[i];
  }
}

bool StatusAnimation::Animating() const {
  return std::ranges::any_of(panels_, [](const Panel& p) { return p.active; });
}

void StatusAnimation::Tick() {
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    Panel& p = panels_[i];
    if (!p.active) continue;
    if (p.shown) p.frame = (p.frame + 1) % FrameCount(static_cast<StatusPanel>(i + 1));
    p.shown = true;
  }
}

}  // namespace nv::widgets
