#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "dialogs/form_dialog.h"
#include "dialogs/property_dialogs.h"
#include "document/new_staff_setup.h"

class QPlainTextEdit;
class QLineEdit;

namespace nv::document {
class ScoreDocument;
}
namespace nv::widgets {
class ScoreControl;
}

namespace nv::dialogs {

// Sets up a new staff (and, with its top panel, a new composition): title
// and author lines, the instrument and its name, the time signature, tempo
// and upbeat, and up to four rows with their voices, clefs and keys. A
// preview score beside the fields shows the staff as it is built after
// every change. The choices are remembered in "NewInstrumentForm" and come
// back next time (values out of range as their defaults).
class TFDCNewInstrument : public FormDialog {
  Q_OBJECT
 public:
  explicit TFDCNewInstrument(const PropertyDialogServices& services);
  ~TFDCNewInstrument() override;

  // Shows or hides the time signature, tempo and upbeat (a staff added to a
  // score takes them from the score).
  void SetTitlePanelVisible(bool visible);

  // What the dialog has built: the setup with the staff's name, title and
  // author lines.
  nv::document::NewStaffSetup Setup() const;
  int GetTempo() const { return setup_.Tempo; }

  // The preview's document (the caller copies nothing from it: the setup
  // builds the same score).
  nv::document::ScoreDocument& Preview() { return *preview_; }

 private:
  void Load(const nv::document::NewStaffSetup& stored);
  void Changed();
  void ShowRow();
  void Rebuild();
  void StoreSettings(nv::platform::IniFile* settings) const;

  nv::platform::IniFile* settings_;
  std::unique_ptr<nv::document::ScoreDocument> preview_;
  nv::widgets::ScoreControl* previewControl_ = nullptr;
  QPlainTextEdit* title_ = nullptr;
  QPlainTextEdit* author_ = nullptr;
  QLineEdit* instrumentEdit_ = nullptr;
  nv::document::NewStaffSetup setup_;
  bool topVisible_ = true;
  // The symbol button that is down (0 none), kept whatever the pair allows.
  int symbolDown_ = 0;
};

// Shows the dialog modally (with or without its top panel): the setup on
// OK, none on Cancel. Either way the choices are remembered.
std::optional<nv::document::NewStaffSetup> AskNewStaff(const PropertyDialogServices& services, bool withTopPanel);

}  // namespace nv::dialogs
