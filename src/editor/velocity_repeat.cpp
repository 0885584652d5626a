#include "editor/velocity_repeat.h"

namespace nv::editor {

void VelocityRepeat::Press(int direction) {
  held_ = direction < 0 ? -1 : 1;
  repeated_ = false;
}

void VelocityRepeat::Tick() {
  if (held_ == 0) return;
  if (repeated_) step_(held_);
  repeated_ = true;
}

void VelocityRepeat::Release() {
  held_ = 0;
  repeated_ = false;
}

}  // namespace nv::editor
