#pragma once

#include <functional>

#include "dialogs/palette_frame.h"

class QSpinBox;
class QPushButton;

namespace nv::dialogs {

// The transposition palette: the steps (-127..127, or one direction only)
// and a sign button that negates them. Each change reports the steps; the
// palette stays open.
class TransposePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(TransposePalette& palette, int steps)>;

  explicit TransposePalette(QWidget* parent = nullptr);

  void SetPitch(int steps);
  // Upwards only (1..127) or downwards only (-127..-1).
  void SetDirection(bool up);
  int Pitch() const;
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  QSpinBox* UpDown() const { return upDown_; }
  QPushButton* SignButton() const { return sign_; }

 private:
  QSpinBox* upDown_;
  QPushButton* sign_;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
