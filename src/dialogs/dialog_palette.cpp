#include "dialogs/dialog_palette.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "dialogs/form_fields.h"
#include "dialogs/window_bounds.h"
#include "widgets/form_design.h"

namespace nv::dialogs {

DialogPalette::DialogPalette(const QString& formName, const QString& caption, QSize clientSize, std::string section,
                             nv::platform::IniFile* settings, int dialogHeight, int dropDownHeight, QWidget* parent)
    : PaletteFrame(formName, caption, clientSize, parent),
      fields_(new FormFields(Client())),
      section_(std::move(section)),
      settings_(settings),
      dialogHeight_(dialogHeight),
      dropDownHeight_(dropDownHeight) {
  auto* layout = new QVBoxLayout(Client());
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(4);
  layout->addWidget(fields_->Area());
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ok_ = NewOkButton(Client());
  cancel_ = NewCancelButton(Client());
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  layout->addLayout(buttons);
  connect(ok_, &QPushButton::clicked, this, [this] { Finish(1); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Finish(0); });
  fields_->SetOnChange([this] {
    if (onSelect_) onSelect_(*this);
  });
  SetDialogMode(false);
}

DialogPalette::~DialogPalette() {
  if (dialogMode_) StoreWindowBounds(*this, settings_, section_);
}

void DialogPalette::SetDialogMode(bool on) {
  dialogMode_ = on;
  ok_->setVisible(on);
  cancel_->setVisible(on);
  // The opener frees a dialog after its modal loop; a drop-down frees itself.
  setAttribute(Qt::WA_DeleteOnClose, !on);
  SetClosesOnFocusLoss(!on);
  FitHeight();
}

void DialogPalette::FitHeight() {
  const int frame = height() - Client()->height();
  Client()->setFixedHeight((dialogMode_ ? dialogHeight_ : dropDownHeight_) - frame);
  adjustSize();
}

int DialogPalette::Exec() {
  SetDialogMode(true);
  nv::widgets::ApplyFormDesign(this, nv::widgets::kDialogDesign);
  FitHeight();
  RestoreWindowBounds(*this, settings_, section_, BoundsMode::Position);
  setWindowModality(Qt::ApplicationModal);
  result_ = 0;
  QEventLoop loop;
  loop_ = &loop;
  Open();
  loop.exec();
  loop_ = nullptr;
  return result_;
}

void DialogPalette::Finish(int result) {
  result_ = result;
  close();
}

void DialogPalette::closeEvent(QCloseEvent* event) {
  if (loop_) loop_->quit();
  PaletteFrame::closeEvent(event);
}

}  // namespace nv::dialogs
