#pragma once

#include <QString>

#include "document/element_dialogs.h"

class QWidget;

namespace nv::dialogs {

// Plain forms for the values click-to-insert asks, each a modal dialog of
// spin boxes (a text box for the text) with OK and Cancel, until the
// dialogs of their own take their place.
class InsertStandIns : public nv::document::ElementDialogs {
 public:
  explicit InsertStandIns(QWidget* parent) : parent_(parent) {}

  bool PauseCount(int& count) override;
  bool TempoInput(nv::document::TempoValues& values) override;
  bool GraceNotes(nv::document::GraceNotesValues& values) override;
  bool BarNumber(int& position) override;
  bool PartNumber(nv::document::PartNumberValues& values) override;
  bool RehearsalMarkCount(int& number, int kind) override;
  bool BarreProperties(nv::document::BarreValues& values) override;
  bool TextInput(nv::document::TextInputValues& values) override;
  bool ImageInput(nv::document::ImageValues& values) override;
  bool ChordEditor(nv::document::ChordValues& values) override;
  bool NoteProperties(nv::document::NotePropertiesValues& values) override;

 private:
  QWidget* parent_;
};

}  // namespace nv::dialogs
