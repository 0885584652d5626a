#include "dialogs/transpose_palette.h"

#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "dialogs/logic/transpose_range.h"

namespace nv::dialogs {

TransposePalette::TransposePalette(QWidget* parent)
    : PaletteFrame(QStringLiteral("FHeightTranspose"), QStringLiteral("Pitch"), {117, 38}, parent) {
  upDown_ = new QSpinBox(Client());
  upDown_->setObjectName(QStringLiteral("UDPitch"));
  const transpose::Range range;
  upDown_->setRange(range.min, range.max);
  upDown_->setGeometry(6, 8, 72, 22);
  sign_ = new QPushButton(QStringLiteral("+/-"), Client());
  sign_->setObjectName(QStringLiteral("BSign"));
  sign_->setGeometry(84, 8, 27, 22);
  connect(sign_, &QPushButton::clicked, this, [this] {
    upDown_->setValue(transpose::Negated(upDown_->value(), {upDown_->minimum(), upDown_->maximum()}));
  });
  connect(upDown_, &QSpinBox::valueChanged, this, [this](int steps) {
    if (onSelect_) onSelect_(*this, steps);
  });
}

void TransposePalette::SetPitch(int steps) {
  const QSignalBlocker blocker(upDown_);
  upDown_->setValue(steps);
}

void TransposePalette::SetDirection(bool up) {
  const transpose::Range range = transpose::RangeFor(up);
  const QSignalBlocker blocker(upDown_);
  upDown_->setRange(range.min, range.max);
}

int TransposePalette::Pitch() const { return upDown_->value(); }

}  // namespace nv::dialogs
