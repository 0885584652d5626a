#include "widgets/logic/scroll_axis.h"

#include <algorithm>
#include <utility>

namespace nv::widgets {

void ScrollAxis::FitRange(const std::vector<Child>& children) {
  int farthest = 0;
  int trailing = 0;
  for (const Child& child : children) {
    if (!child.visible) continue;
    if (child.align == Align::None || child.align == Align::Leading)
      farthest = std::max(farthest, position_ + child.start + child.extent);
    else if (child.align == Align::Trailing)
      trailing += child.extent;
  }
  range_ = farthest + trailing + (children.empty() ? 0 : margin);
}

void ScrollAxis::Update(int clientExtent) {
  maxPosition_ = visible ? std::max(0, range_ - clientExtent) : 0;
  pageIncrement = clientExtent * 9 / 10;
  if (smooth) increment = pageIncrement / 10;
  SetPosition(position_);
}

int ScrollAxis::SetPosition(int position) {
  const int clamped = std::clamp(position, 0, maxPosition_);
  const int moved = clamped - position_;
  position_ = clamped;
  return moved;
}

std::vector<int> ScrollAxis::SplitSteps(int distance, int divisions) {
  std::vector<int> steps;
  const int step = distance / divisions;
  if (step != 0) steps.assign(divisions, step);
  if (const int rest = distance - step * divisions; rest != 0) steps.push_back(rest);
  return steps;
}

std::vector<int> ScrollAxis::LineSteps(int direction) const {
  const int distance = direction * increment;
  return smooth ? SplitSteps(distance, 4) : std::vector<int>{distance};
}

std::vector<int> ScrollAxis::PageSteps(int direction, int clientExtent) const {
  if (!smooth) return {direction * clientExtent};
  return SplitSteps(direction * pageIncrement, 12);
}

void SmoothSteps::Start(std::vector<int> steps) {
  steps_ = std::move(steps);
  next_ = 0;
  last_ = clock_.NowMs() - kStepMs;
}

int SmoothSteps::Due() {
  if (!Running() || clock_.NowMs() - last_ < kStepMs) return 0;
  last_ = clock_.NowMs();
  return steps_[next_++];
}

}  // namespace nv::widgets
