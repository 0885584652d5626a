#pragma once

#include <QString>

#include <string>

#include "dialogs/dialog_frame.h"
#include "document/program_options.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace nv::dialogs {

// What the first-start dialog changes at once: the program's MIDI devices
// and its interface language.
class StartHost {
 public:
  virtual ~StartHost() = default;
  // Selects device `index`; the port layer's reason when it cannot, else "".
  virtual std::string SelectInput(int index) = 0;
  virtual std::string SelectOutput(int index) = 0;
  // "ENU", "RUS" or "DEU"; every open window is retranslated.
  virtual void SetLanguage(const QString& code) = 0;
};

// "Main settings", shown once at the first start: the MIDI devices and the
// interface language, each applied as soon as it is chosen. A device that
// cannot be used puts its list back on the device in force and says why
// under it. The second language group (English, Deutsch) is built hidden.
// No bounds are kept.
class TFStartModule : public DialogFrame {
  Q_OBJECT
 public:
  // The device names and the devices in force come from `devices`.
  TFStartModule(const nv::document::ProgramOptions& devices, const QString& language, StartHost& host,
                QWidget* parent = nullptr);

  QComboBox& InputList() const { return *CBInput; }
  QComboBox& OutputList() const { return *CBOutput; }
  QRadioButton& English() const { return *RBEnglish; }
  QRadioButton& Russian() const { return *RBRussian; }
  QGroupBox& SecondLanguageGroup() const { return *GBLanguage2; }
  // The line under the lists that tells of a device that failed.
  QLabel& DeviceError() const { return *LDeviceError; }

 private:
  void DeviceChosen(QComboBox& list, int& inForce, const std::vector<std::string>& names, bool input);

  StartHost& host_;
  nv::document::ProgramOptions devices_;
  QComboBox* CBInput;
  QComboBox* CBOutput;
  QLabel* LDeviceError;
  QRadioButton* RBEnglish;
  QRadioButton* RBRussian;
  QGroupBox* GBLanguage2;
};

}  // namespace nv::dialogs
