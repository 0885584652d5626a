#pragma once

#include "dialogs/form_dialog.h"
#include "document/program_options.h"

namespace nv::widgets {
class TECPageControl;
}

namespace nv::dialogs {

// The program's settings: the MIDI devices, recording and the metronome,
// saving, the play and display options. It shows the options it is given
// and hands them back from Options(); it changes nothing itself, so Cancel
// leaves the program as it was. Its bounds and page are kept.
class TFSettingsModule : public FormDialog {
  Q_OBJECT
 public:
  // The pages, in order; "Keys" is not shown.
  enum Page { kKeys, kDevices, kRecord, kGeneral, kPageCount };

  TFSettingsModule(const nv::document::ProgramOptions& options, nv::platform::IniFile* settings,
                   QWidget* parent = nullptr);

  // The options as the dialog shows them now; a note value whose button is
  // not pressed stays as it was given.
  nv::document::ProgramOptions Options() const;

  nv::widgets::TECPageControl* Pages() const { return pages_; }
  FormFields& PageFields(Page page) const;

 private:
  nv::document::ProgramOptions given_;
  nv::widgets::TECPageControl* pages_;
  FormFields* fields_[kPageCount] = {};
};

}  // namespace nv::dialogs
