#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "dialogs/dialog_frame.h"
#include "dialogs/form_fields.h"

namespace nv::dialogs {

// A modal dialog made of fields: the fields stacked on the dialog's client,
// "&Ok" and "Ca&ncel" under them (and "&Help" when the dialog has a topic).
// It is filled with and gives back plain values; OK refuses input that is
// no value (a converted combo's text, a text its field refuses) and what the
// checks refuse, naming the field's label in the dialog's message, and
// keeps the dialog open. A dialog calls Translate() once its fields exist:
//
//   CountDialog(IniFile* settings)
//       : FormDialog({"FDCMeasuresCount", {200, 100}, "MeasuresCountForm", BoundsMode::Position, {}, 0}, settings) {
//     Fields().AddSpin("UDCount", "Bar count", 1, 1000, 1);
//     Translate();
//   }
//   ... dialog.SetValues({{"UDCount", 4}}); if (dialog.exec() == 1) count = dialog.Values().Int("UDCount");
class FormDialog : public DialogFrame {
  Q_OBJECT
 public:
  FormDialog(DialogSpec spec, nv::platform::IniFile* settings, QWidget* parent = nullptr);

  FormFields& Fields() { return *fields_; }
  const FormFields& Fields() const { return *fields_; }
  FormValues Values() const { return fields_->Values(); }
  void SetValues(const FormValues& values) { fields_->SetValues(values); }

  // A check over the values when OK is pressed: the label of the field it
  // refuses, or nothing.
  using FormCheck = std::function<std::optional<QString>(const FormValues& values)>;
  void AddCheck(FormCheck check) { checks_.push_back(std::move(check)); }

  // Keeps fields in the dialog's section beside "Bounds" ({key, field}),
  // read now with the field's value as the default, written with the bounds.
  // These become the dialog's further keys.
  void KeepInSettings(const std::vector<std::pair<std::string, QString>>& keys);

  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  bool validate() override;

 private:
  FormFields* fields_;
  std::vector<FormCheck> checks_;
  QPushButton* ok_;
  QPushButton* cancel_;
};

}  // namespace nv::dialogs
