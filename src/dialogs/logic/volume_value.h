#pragma once

namespace nv::dialogs {

// The volume pop-up's value: a slider position 0..127 that counts only
// while the lock box is checked; -1 (none) otherwise.
class VolumeValue {
 public:
  static constexpr int kUnsetPosition = 63;

  // Below 0: the slider in the middle, unlocked; else the slider at the value, locked.
  void Set(int value);
  int Get() const { return locked_ ? position_ : -1; }
  int Position() const { return position_; }
  bool Locked() const { return locked_; }

  // Moving the slider locks the value; both give the value to report.
  int SliderMoved(int position);
  int LockClicked(bool locked);

 private:
  int position_ = kUnsetPosition;
  bool locked_ = false;
};

}  // namespace nv::dialogs
