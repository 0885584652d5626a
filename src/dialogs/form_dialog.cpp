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

void FormDialog::KeepInSettings(const std::vector<std::pair<std::string, QString>>& keys) {
  std::vector<SettingsKey> settingsKeys;
  // The keys are written after this dialog is gone; the fields outlive it.
  FormFields* fields = fields_;
  for (const auto& [key, field] : keys)
    settingsKeys.push_back({key, SettingOf(fields->Value(field)),
                            [fields, field](const std::string& stored) {
                              fields->SetValue(field, FromSetting(stored, fields->Value(field)));
                            },
                            [fields, field] { return SettingOf(fields->Value(field)); }});
  SetSettingsKeys(std::move(settingsKeys));
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
