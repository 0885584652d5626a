#pragma once

#include <functional>

#include "dialogs/palette_frame.h"

class QSpinBox;

namespace nv::dialogs {

class TOrientation;

// The text-angle palette: the dial and an up-down whose ends wrap (360 is
// 0, -1 is 359). Each change reports the angle; the palette stays open.
class TextAnglePalette : public PaletteFrame {
  Q_OBJECT
 public:
  using SelectHandler = std::function<void(TextAnglePalette& palette, int angle)>;

  // `language` is the interface language's code: the dial reads "Insciption"
  // under "ENU" and "Надпись" otherwise.
  explicit TextAnglePalette(const QString& language, QWidget* parent = nullptr);

  // Any angle, shown as 0..359.
  void SetAngle(int degrees);
  int Angle() const;
  void SetOnSelect(SelectHandler handler) { onSelect_ = std::move(handler); }

  TOrientation* Dial() const { return dial_; }
  QSpinBox* UpDown() const { return upDown_; }

 private:
  void OnUpDown(int position);

  TOrientation* dial_;
  QSpinBox* upDown_;
  SelectHandler onSelect_;
};

}  // namespace nv::dialogs
