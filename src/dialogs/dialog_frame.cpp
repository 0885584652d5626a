#include "dialogs/dialog_frame.h"

#include <QKeyEvent>
#include <QPushButton>

#include <utility>

#include "dialogs/dialog_buttons.h"
#include "dialogs/help_topic.h"
#include "dialogs/window_bounds.h"
#include "platform/format_text.h"
#include "platform/ini_file.h"
#include "platform/message_prompt.h"
#include "widgets/form_design.h"
#include "widgets/language.h"
#include "widgets/message_block.h"

namespace nv::dialogs {

DialogFrame::DialogFrame(DialogSpec spec, nv::platform::IniFile* settings, QWidget* parent)
    : QDialog(parent), spec_(std::move(spec)), settings_(settings) {
  setObjectName(spec_.formName);
  language_ = new nv::widgets::TECFormLanguage(this);
  language_->SetFormName(spec_.formName);
  nv::widgets::ApplyFormDesign(this, spec_.skinKind);
  if (spec_.size.isValid()) resize(spec_.size);
  RestoreBounds();
}

DialogFrame::~DialogFrame() { StoreSettings(); }

void DialogFrame::RestoreBounds() { RestoreWindowBounds(*this, settings_, spec_.section, spec_.bounds); }

void DialogFrame::SetSettingsKeys(std::vector<SettingsKey> keys) {
  keys_ = std::move(keys);
  for (const SettingsKey& key : keys_) {
    const std::string value =
        settings_ ? settings_->ReadString(spec_.section, key.key, key.defaultValue) : key.defaultValue;
    if (key.load) key.load(value);
  }
}

void DialogFrame::StoreSettings() {
  if (!settings_ || spec_.section.empty()) return;
  StoreWindowBounds(*this, settings_, spec_.section);
  for (const SettingsKey& key : keys_)
    if (key.store) settings_->WriteString(spec_.section, key.key, key.store());
}

void DialogFrame::rejectInput(const QString& label) {
  const std::string message =
      nv::platform::FormatText(language_->GetString(1).toStdString(), label.toStdString());
  nv::widgets::CurrentMessagePrompt().ShowMessageBlock(language_->GetString(0).toStdString(), message,
                                                       nv::platform::message_kind::kWarning,
                                                       nv::platform::message_button::kOk);
}

void DialogFrame::accept() {
  if (validate()) QDialog::accept();
}

QPushButton* DialogFrame::MakeOkButton(QWidget* parent) {
  QPushButton* button = NewOkButton(parent);
  connect(button, &QPushButton::clicked, this, &DialogFrame::accept);
  return button;
}

QPushButton* DialogFrame::MakeCancelButton(QWidget* parent) {
  QPushButton* button = NewCancelButton(parent);
  connect(button, &QPushButton::clicked, this, &DialogFrame::reject);
  return button;
}

QPushButton* DialogFrame::MakeHelpButton(QWidget* parent) {
  auto* button = new QPushButton(QStringLiteral("&Help"), parent);
  button->setObjectName(QStringLiteral("BHelp"));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this] { ShowHelpTopic(spec_.helpTopic); });
  return button;
}

void DialogFrame::Translate() { language_->Translate(); }

void DialogFrame::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier && !spec_.helpTopic.isEmpty()) {
    ShowHelpTopic(spec_.helpTopic);
    return;
  }
  // Escape rejects through QDialog.
  QDialog::keyPressEvent(event);
}

}  // namespace nv::dialogs
