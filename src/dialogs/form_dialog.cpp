#include "dialogs/form_dialog.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace nv::dialogs {

FormDialog::FormDialog(DialogSpec spec, nv::platform::IniFile* settings, QWidget* parent)
    : DialogFrame(std::move(spec), settings, parent), fields_(new FormFields(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fields_->Area());
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  ok_ = MakeOkButton(this);
  cancel_ = MakeCancelButton(this);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  if (!Spec().helpTopic.isEmpty()) buttons->addWidget(MakeHelpButton(this));
  layout->addLayout(buttons);
}

bool FormDialog::validate() {
  std::optional<QString> refused = fields_->RefusedLabel();
  const FormValues values = fields_->Values();
  for (const FormCheck& check : checks_) {
    if (refused) break;
    refused = check(values);
  }
  if (!refused) return true;
  rejectInput(*refused);
  return false;
}

}  // namespace nv::dialogs
