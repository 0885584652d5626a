#include "dialogs/volume_balance.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QSlider>

namespace nv::dialogs {

TFVolumeBalance::TFVolumeBalance(QWidget* parent)
    : PaletteFrame(QStringLiteral("FVolumeBalance"), QStringLiteral("Pitch"), {82, 29}, parent) {
  lock_ = new QCheckBox(Client());
  lock_->setObjectName(QStringLiteral("CBLock"));
  slider_ = new QSlider(Qt::Horizontal, Client());
  slider_->setObjectName(QStringLiteral("TBValue"));
  slider_->setRange(0, 127);
  slider_->setTickInterval(64);
  slider_->setTickPosition(QSlider::TicksBelow);
  auto* layout = new QHBoxLayout(Client());
  layout->setContentsMargins(2, 0, 2, 0);
  layout->setSpacing(2);
  layout->addWidget(lock_);
  layout->addWidget(slider_, 1);
  connect(slider_, &QSlider::valueChanged, this, [this](int position) {
    if (!showing_) Report(value_.SliderMoved(position));
  });
  connect(lock_, &QCheckBox::clicked, this, [this](bool checked) { Report(value_.LockClicked(checked)); });
  Show();
}

void TFVolumeBalance::SetValue(int value) {
  value_.Set(value);
  Show();
}

void TFVolumeBalance::Show() {
  // Showing a value is no move of the user's.
  showing_ = true;
  slider_->setValue(value_.Position());
  lock_->setChecked(value_.Locked());
  showing_ = false;
}

void TFVolumeBalance::Report(int value) {
  lock_->setChecked(value_.Locked());
  if (onChange) onChange(value);
}

}  // namespace nv::dialogs
