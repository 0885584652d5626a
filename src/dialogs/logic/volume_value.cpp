#include "dialogs/logic/volume_value.h"

#include <algorithm>

namespace nv::dialogs {

void VolumeValue::Set(int value) {
  locked_ = value >= 0;
  position_ = locked_ ? std::min(value, 127) : kUnsetPosition;
}

int VolumeValue::SliderMoved(int position) {
  position_ = std::clamp(position, 0, 127);
  locked_ = true;
  return Get();
}

int VolumeValue::LockClicked(bool locked) {
  locked_ = locked;
  return Get();
}

}  // namespace nv::dialogs
