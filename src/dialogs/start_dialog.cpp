#include "dialogs/start_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

#include "platform/format_text.h"
#include "widgets/language.h"

namespace nv::dialogs {

namespace {

QComboBox* DeviceList(const std::vector<std::string>& names, int inForce, const char* name, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(QLatin1String(name));
  for (const std::string& device : names) list->addItem(QString::fromStdString(device));
  list->setCurrentIndex(inForce >= 0 && inForce < list->count() ? inForce : -1);
  return list;
}

QRadioButton* Choice(const char* caption, const char* name, QGroupBox* group) {
  auto* button = new QRadioButton(QLatin1String(caption), group);
  button->setObjectName(QLatin1String(name));
  group->layout()->addWidget(button);
  return button;
}

QGroupBox* LanguageGroup(const char* name, QWidget* parent) {
  auto* group = new QGroupBox(QStringLiteral(" Language "), parent);
  group->setObjectName(QLatin1String(name));
  new QHBoxLayout(group);
  return group;
}

}  // namespace

TFStartModule::TFStartModule(const nv::document::ProgramOptions& devices, const QString& language, StartHost& host,
                             QWidget* parent)
    : DialogFrame({QStringLiteral("FStartModule"), {360, 250}, "", BoundsMode::None, {}, 0}, nullptr, parent),
      host_(host),
      devices_(devices) {
  setWindowTitle(QStringLiteral("Main settings"));
  auto* devicesGroup = new QGroupBox(QStringLiteral(" Devices "), this);
  devicesGroup->setObjectName(QStringLiteral("GBDevices"));
  auto* grid = new QGridLayout(devicesGroup);
  auto* input = new QLabel(QStringLiteral("Input"), devicesGroup);
  input->setObjectName(QStringLiteral("LInput"));
  auto* output = new QLabel(QStringLiteral("Output"), devicesGroup);
  output->setObjectName(QStringLiteral("LOutput"));
  CBInput = DeviceList(devices_.InputNames, devices_.Input, "CBInput", devicesGroup);
  CBOutput = DeviceList(devices_.OutputNames, devices_.Output, "CBOutput", devicesGroup);
  LDeviceError = new QLabel(devicesGroup);
  LDeviceError->setObjectName(QStringLiteral("LDeviceError"));
  LDeviceError->setWordWrap(true);
  LDeviceError->setStyleSheet(QStringLiteral("color: #b00000;"));
  LDeviceError->hide();
  grid->addWidget(input, 0, 0);
  grid->addWidget(CBInput, 0, 1);
  grid->addWidget(output, 1, 0);
  grid->addWidget(CBOutput, 1, 1);
  grid->addWidget(LDeviceError, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  connect(CBInput, &QComboBox::activated, this,
          [this] { DeviceChosen(*CBInput, devices_.Input, devices_.InputNames, true); });
  connect(CBOutput, &QComboBox::activated, this,
          [this] { DeviceChosen(*CBOutput, devices_.Output, devices_.OutputNames, false); });

  QGroupBox* languages = LanguageGroup("GBLanguage", this);
  RBEnglish = Choice("English", "RBEnglish", languages);
  RBRussian = Choice("Russian", "RBRussian", languages);
  (language.compare(QStringLiteral("ENU"), Qt::CaseInsensitive) == 0 ? RBEnglish : RBRussian)->setChecked(true);
  connect(RBEnglish, &QRadioButton::clicked, this, [this] { host_.SetLanguage(QStringLiteral("ENU")); });
  connect(RBRussian, &QRadioButton::clicked, this, [this] { host_.SetLanguage(QStringLiteral("RUS")); });
  // The group for a German interface, kept for when German texts are
  // complete; hidden like the German command of the main window.
  GBLanguage2 = LanguageGroup("GBLanguage2", this);
  QRadioButton* english2 = Choice("English", "RBEnglish2", GBLanguage2);
  QRadioButton* deutsch = Choice("Deutsch", "RBDeutsch", GBLanguage2);
  connect(english2, &QRadioButton::clicked, this, [this] { host_.SetLanguage(QStringLiteral("ENU")); });
  connect(deutsch, &QRadioButton::clicked, this, [this] { host_.SetLanguage(QStringLiteral("DEU")); });
  GBLanguage2->hide();

  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("BClose"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(devicesGroup);
  layout->addWidget(languages);
  layout->addWidget(GBLanguage2);
  layout->addStretch(1);
  layout->addWidget(close, 0, Qt::AlignRight);
  Translate();
}

void TFStartModule::DeviceChosen(QComboBox& list, int& inForce, const std::vector<std::string>& names, bool input) {
  const int chosen = list.currentIndex();
  if (chosen < 0 || chosen == inForce) return;
  const std::string reason = input ? host_.SelectInput(chosen) : host_.SelectOutput(chosen);
  if (reason.empty()) {
    inForce = chosen;
    LDeviceError->hide();
    return;
  }
  list.setCurrentIndex(inForce);
  LDeviceError->setText(
      QString::fromStdString(nv::platform::FormatText(Language()->GetString(0).toStdString(),
                                                      names[static_cast<std::size_t>(chosen)])) +
      QStringLiteral(" ") + QString::fromStdString(reason));
  LDeviceError->show();
  // The line needs room under the lists.
  resize(width(), std::max(height(), sizeHint().height()));
}

}  // namespace nv::dialogs
