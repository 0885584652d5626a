#pragma once

#include "dialogs/insert_stand_ins.h"
#include "document/element_dialogs.h"

class QWidget;

namespace nv::platform {
class IniFile;
}

namespace nv::dialogs {

// The dialogs click-to-insert and the edit commands ask their values
// through, each run modally over `parent` with its place and last choices
// kept in `settings` (none kept without one). The picture, chord and note
// properties still ask through the plain forms.
class ScoreObjectDialogs : public nv::document::ElementDialogs {
 public:
  ScoreObjectDialogs(QWidget* parent, nv::platform::IniFile* settings)
      : parent_(parent), settings_(settings), plainForms_(parent) {}

  bool PauseCount(int& count) override;
  bool TempoInput(nv::document::TempoValues& values) override;
  bool GraceNotes(nv::document::GraceNotesValues& values) override;
  bool BarNumber(int& position) override;
  bool PartNumber(nv::document::PartNumberValues& values) override;
  bool RehearsalMarkCount(int& number, int kind) override;
  bool BarreProperties(nv::document::BarreValues& values) override;
  bool TextInput(nv::document::TextInputValues& values) override;
  bool ImageInput(nv::document::ImageValues& values) override { return plainForms_.ImageInput(values); }
  bool ChordEditor(nv::document::ChordValues& values) override { return plainForms_.ChordEditor(values); }
  bool NoteProperties(nv::document::NotePropertiesValues& values) override {
    return plainForms_.NoteProperties(values);
  }

 private:
  QWidget* parent_;
  nv::platform::IniFile* settings_;
  InsertStandIns plainForms_;
};

}  // namespace nv::dialogs
