#pragma once

#include <functional>

#include "dialogs/logic/volume_value.h"
#include "dialogs/palette_frame.h"

class QCheckBox;
class QSlider;

namespace nv::dialogs {

// The small pop-up of the tracks grid that sets a volume or pan 0..127, or
// none: a lock box (the value is set) and a slider. It reports every
// change through `onChange` and, as every drop-down palette, closes and
// frees itself when it loses the focus or gets Escape.
class TFVolumeBalance : public PaletteFrame {
  Q_OBJECT
 public:
  explicit TFVolumeBalance(QWidget* parent = nullptr);

  void SetValue(int value);
  int Value() const { return value_.Get(); }
  std::function<void(int value)> onChange;

  QCheckBox* LockBox() const { return lock_; }
  QSlider* Slider() const { return slider_; }

 private:
  void Show();
  void Report(int value);

  VolumeValue value_;
  QCheckBox* lock_;
  QSlider* slider_;
  bool showing_ = false;
};

}  // namespace nv::dialogs
