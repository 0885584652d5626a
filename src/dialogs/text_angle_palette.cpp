#include "dialogs/text_angle_palette.h"

#include <QSignalBlocker>
#include <QSpinBox>

#include "dialogs/logic/angle_dial.h"
#include "dialogs/orientation_dial.h"

namespace nv::dialogs {

TextAnglePalette::TextAnglePalette(const QString& language, QWidget* parent)
    : PaletteFrame(QStringLiteral("FTextRotate"), QStringLiteral("Orientation"), {144, 166}, parent) {
  dial_ = new TOrientation(Client());
  dial_->setObjectName(QStringLiteral("Orientation"));
  dial_->setGeometry(6, 6, 126, 126);
  dial_->SetText(language.compare(QStringLiteral("ENU"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Insciption")
                                                                                 : QStringLiteral("Надпись"));
  upDown_ = new QSpinBox(Client());
  upDown_->setObjectName(QStringLiteral("UDAngle"));
  upDown_->setRange(-1, 360);
  upDown_->setGeometry(6, 138, 126, 22);
  connect(upDown_, &QSpinBox::valueChanged, this, &TextAnglePalette::OnUpDown);
  dial_->SetOnChange([this](TOrientation& dial) { upDown_->setValue(dial.Angle()); });
}

void TextAnglePalette::SetAngle(int degrees) {
  const int angle = dial::NormalizeAngle(degrees);
  const QSignalBlocker blocker(upDown_);
  upDown_->setValue(angle);
  dial_->SetAngle(angle);
}

int TextAnglePalette::Angle() const { return dial_->Angle(); }

void TextAnglePalette::OnUpDown(int position) {
  const int wrapped = dial::WrapStep(position);
  if (wrapped != position) {
    upDown_->setValue(wrapped);  // reports through its own change
    return;
  }
  dial_->SetAngle(position);
  if (onSelect_) onSelect_(*this, position);
}

}  // namespace nv::dialogs
